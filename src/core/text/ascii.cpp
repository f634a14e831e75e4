#include "text/ascii.h"

#include <algorithm>

namespace spurwerk {

namespace {
char Up(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view Trim(std::string_view text, std::string_view blanks) {
    std::size_t begin = text.find_first_not_of(blanks);
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(blanks) - begin + 1);
}
}  // namespace

std::string UpperAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), Up);
    return text;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Up(x) == Up(y); });
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

std::string TrimBlanks(std::string_view text) { return std::string(Trim(text, " ")); }
std::string TrimWhitespace(std::string_view text) { return std::string(TrimmedWhitespace(text)); }
std::string_view TrimmedWhitespace(std::string_view text) { return Trim(text, " \t\r\n"); }

std::string OneLine(std::string text, bool keepCarriageReturn) {
    for (char& c : text)
        if (c == '\n' || (c == '\r' && !keepCarriageReturn)) c = ' ';
    return text;
}

}  // namespace spurwerk
