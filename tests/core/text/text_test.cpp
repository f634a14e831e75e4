// The small text helpers: ASCII case and blanks, number texts, visible text.

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <utility>

#include "text/ascii.h"
#include "text/number_text.h"
#include "text/visible_text.h"

namespace spurwerk {
namespace {

TEST(Ascii, TrimmingAndCase) {
    EXPECT_EQ(TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimBlanks("\ta\r"), "\ta\r");  // only blanks
    EXPECT_EQ(TrimWhitespace(" \t a\r\n"), "a");
    EXPECT_EQ(UpperAscii("straße.wav"), "STRAßE.WAV");  // umlauts stay as they are
    EXPECT_TRUE(EqualsIgnoreCase("prjdata.zdt", "PRJDATA.ZDT"));
    EXPECT_FALSE(EqualsIgnoreCase("PRJDATA.ZDT", "PRJDATA.ZD"));
}

TEST(NumberText, IntegerTexts) {
    const std::pair<const char*, std::optional<std::int64_t>> anyForm[] = {
        {" 42 ", 42}, {"\t-7\r\n", -7}, {"$1F", 31}, {"0x1f", 31}, {"0X10", 16}, {"-$10", -16},
        {"$FF00000F", -16777201},  // 32-bit signed, as colours are written
        {"12x", std::nullopt}, {"", std::nullopt}, {"+", std::nullopt}, {"1 2", std::nullopt},
        {"99999999999999999999999", std::nullopt},
    };
    for (const auto& [text, value] : anyForm) EXPECT_EQ(ParseIntegerText(text), value) << text;

    const std::pair<const char*, std::optional<int>> decimal[] = {
        {" 12 ", 12}, {"+5", 5}, {"-2147483648", INT_MIN}, {"2147483647", INT_MAX},
        {"2147483648", std::nullopt}, {"$1F", std::nullopt}, {"0x10", std::nullopt}, {"-", std::nullopt},
    };
    for (const auto& [text, value] : decimal) EXPECT_EQ(ParseInt(text), value) << text;
}

TEST(VisibleText, ControlCharactersAreEscapedAndTheRestKept) {
    struct Case {
        std::string text;
        bool keepLayout;
        std::string shown;
    } cases[] = {
        {"\x1b]0;title\x07", false, "\\x1B]0;title\\x07"},
        {std::string("A\0B", 3), false, "A\\x00B"},
        {"a\x7f", false, "a\\x7F"},
        {"CSI \xc2\x9b" "2J", false, "CSI \\u009B2J"},
        {"\xc3\xa4 \xc2\xa0", false, "\xc3\xa4 \xc2\xa0"},  // umlaut and no-break space stay
        {"line\nnext\ttab", true, "line\nnext\ttab"},
        {"line\nnext\ttab", false, "line\\x0Anext\\x09tab"},
    };
    for (const Case& c : cases) EXPECT_EQ(EscapeControlChars(c.text, c.keepLayout), c.shown) << c.shown;
}

}  // namespace
}  // namespace spurwerk
