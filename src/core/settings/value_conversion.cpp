#include "settings/value_conversion.h"

#include "text/ascii.h"
#include "text/number_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <limits>
#include <utility>

namespace spurwerk {

namespace {

constexpr std::int32_t System(int n) { return static_cast<std::int32_t>(0xFF000000u | static_cast<unsigned>(n)); }

const std::array<std::pair<const char*, std::int32_t>, 53>& ColourNames() {
    static const std::array<std::pair<const char*, std::int32_t>, 53> names = {{
        {"clBlack", 0x000000},       {"clMaroon", 0x000080},       {"clGreen", 0x008000},
        {"clOlive", 0x008080},       {"clNavy", 0x800000},         {"clPurple", 0x800080},
        {"clTeal", 0x808000},        {"clGray", 0x808080},         {"clSilver", 0xC0C0C0},
        {"clRed", 0x0000FF},         {"clLime", 0x00FF00},         {"clYellow", 0x00FFFF},
        {"clBlue", 0xFF0000},        {"clFuchsia", 0xFF00FF},      {"clAqua", 0xFFFF00},
        {"clWhite", 0xFFFFFF},       {"clMoneyGreen", 0xC0DCC0},   {"clSkyBlue", 0xF0CAA6},
        {"clCream", 0xF0FBFF},       {"clMedGray", 0xA4A0A0},      {"clNone", 0x1FFFFFFF},
        {"clDefault", 0x20000000},   {"clScrollBar", System(0)},   {"clBackground", System(1)},
        {"clActiveCaption", System(2)}, {"clInactiveCaption", System(3)}, {"clMenu", System(4)},
        {"clWindow", System(5)},     {"clWindowFrame", System(6)}, {"clMenuText", System(7)},
        {"clWindowText", System(8)}, {"clCaptionText", System(9)}, {"clActiveBorder", System(10)},
        {"clInactiveBorder", System(11)}, {"clAppWorkSpace", System(12)}, {"clHighlight", System(13)},
        {"clHighlightText", System(14)}, {"clBtnFace", System(15)}, {"clBtnShadow", System(16)},
        {"clGrayText", System(17)},  {"clBtnText", System(18)},    {"clInactiveCaptionText", System(19)},
        {"clBtnHighlight", System(20)}, {"cl3DDkShadow", System(21)}, {"cl3DLight", System(22)},
        {"clInfoText", System(23)},  {"clInfoBk", System(24)},     {"clHotLight", System(26)},
        {"clGradientActiveCaption", System(27)}, {"clGradientInactiveCaption", System(28)},
        {"clMenuHighlight", System(29)}, {"clMenuBar", System(30)}, {"clLtGray", 0xC0C0C0},
    }};
    return names;
}

}  // namespace

std::string BoolToStrVal(bool value) { return value ? "1" : "0"; }

bool StrToBoolVal(const std::string& text) {
    static const char* const truths[] = {"1", "TRUE", "T", "*", "X", "WAHR", "W", "N", "U", "S"};
    std::string upper = UpperAscii(text);
    return std::any_of(std::begin(truths), std::end(truths), [&](const char* t) { return upper == t; });
}

std::string ColorToStrVal(std::int32_t colour) {
    for (const auto& [name, value] : ColourNames())
        if (value == colour && std::string(name) != "clLtGray") return name;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%.6X", static_cast<unsigned>(colour));
    return buffer;
}

std::optional<std::int32_t> StrToColorVal(const std::string& text) {
    std::string s = TrimWhitespace(text);
    if (s.empty()) return 0;
    std::string upper = UpperAscii(s);
    for (const auto& [name, value] : ColourNames())
        if (UpperAscii(name) == upper) return value;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) return std::nullopt;
    auto parsed = ParseIntegerText(s);
    if (!parsed || *parsed < std::numeric_limits<std::int32_t>::min() ||
        *parsed > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(*parsed);
}

}  // namespace spurwerk
