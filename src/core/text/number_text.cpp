#include "text/number_text.h"

#include <limits>

#include "text/ascii.h"

namespace spurwerk {

std::optional<std::int64_t> ParseIntegerText(std::string_view text, IntegerForms forms) {
    std::string s = TrimWhitespace(text);
    const bool hexAllowed = forms == IntegerForms::DecimalOrHex;
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.erase(0, 1);
    }
    int base = 10;
    if (hexAllowed && !s.empty() && s[0] == '$') {
        base = 16;
        s.erase(0, 1);
    } else if (hexAllowed && s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.erase(0, 2);
    }
    if (s.empty() || s.size() > 20) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : s) {
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return std::nullopt;
        if (value > (std::numeric_limits<std::uint64_t>::max() - static_cast<unsigned>(digit)) / static_cast<unsigned>(base))
            return std::nullopt;
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    }
    if (base == 16 && !negative && value <= 0xFFFFFFFFull && value > 0x7FFFFFFFull) {
        // "$FF000000" is how a 32-bit signed value is written in hex.
        return static_cast<std::int64_t>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
    }
    if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return std::nullopt;
    std::int64_t result = static_cast<std::int64_t>(value);
    return negative ? -result : result;
}

std::optional<int> ParseInt(std::string_view text) {
    auto parsed = ParseIntegerText(text, IntegerForms::Decimal);
    if (!parsed || *parsed < std::numeric_limits<int>::min() || *parsed > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(*parsed);
}

}  // namespace spurwerk
