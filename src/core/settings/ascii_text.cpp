#include "settings/ascii_text.h"

namespace spurwerk {

namespace {
char UpperChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

std::string UpperAZ(std::string text) {
    for (char& c : text) c = UpperChar(c);
    return text;
}

bool SameTextAZ(const std::string& a, const std::string& b) {
    return a.size() == b.size() && StartsWithTextAZ(a, b);
}

bool StartsWithTextAZ(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (UpperChar(text[i]) != UpperChar(prefix[i])) return false;
    return true;
}

std::string TrimBlanks(const std::string& text) {
    std::size_t b = text.find_first_not_of(" \t");
    if (b == std::string::npos) return "";
    return text.substr(b, text.find_last_not_of(" \t") - b + 1);
}

}  // namespace spurwerk
