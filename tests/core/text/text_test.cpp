// The small text helpers: ASCII case and blanks, number texts, visible text, encodings.

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <tuple>
#include <utility>

#include "io/text_file.h"
#include "test_files.h"
#include "text/ascii.h"
#include "text/json_depth.h"
#include "text/number_text.h"
#include "text/text_encoding.h"
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
    const std::tuple<std::string, bool, std::string> cases[] = {  // text, keep layout, shown
        {"\x1b]0;title\x07", false, "\\x1B]0;title\\x07"},
        {std::string("A\0B", 3), false, "A\\x00B"},
        {"a\x7f", false, "a\\x7F"},
        {"CSI \xc2\x9b" "2J", false, "CSI \\u009B2J"},
        {"\xc3\xa4 \xc2\xa0", false, "\xc3\xa4 \xc2\xa0"},  // umlaut and no-break space stay
        {"line\nnext\ttab", true, "line\nnext\ttab"},
        {"line\nnext\ttab", false, "line\\x0Anext\\x09tab"},
    };
    for (const auto& [text, keepLayout, shown] : cases)
        EXPECT_EQ(EscapeControlChars(text, keepLayout), shown) << shown;
}

TEST(TextEncoding, Windows1252RoundTripsEveryByte) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    std::string utf8 = Windows1252ToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(Utf8Length(utf8), 256u);
    EXPECT_EQ(Utf8ToWindows1252(utf8), all);
    EXPECT_EQ(Windows1252ToUtf8("\x80\xE4\x9F"), "\u20AC\u00E4\u0178");
    EXPECT_EQ(Utf8Prefix("\u00E4\u00F6\u00FC", 2), "\u00E4\u00F6");  // never cuts a character
    EXPECT_EQ(Utf8Prefix("ab", 5), "ab");
}

TEST(TextEncoding, CodePointsOfTheC1RangeAreWrittenOnlyWhereTheyReadBack) {
    for (unsigned cp = 0x80; cp <= 0x9F; ++cp) {
        std::string utf8 = {static_cast<char>(0xC2), static_cast<char>(cp)};
        auto bytes = Utf8ToWindows1252(utf8);
        EXPECT_TRUE(!bytes || Windows1252ToUtf8(*bytes) == utf8) << cp;
    }
}

TEST(TextEncoding, ReadsUtf8WhenValidElseWindows1252) {
    EXPECT_EQ(DecodeTextBytes(Bytes{0xC3, 0xA4}), "\u00E4");                          // UTF-8 ä
    EXPECT_EQ(DecodeTextBytes(Bytes{0xEF, 0xBB, 0xBF, 'a', 0xC3, 0x9F}), "a\u00DF");  // BOM removed
    EXPECT_EQ(DecodeTextBytes(Bytes{'M', 'u', 0xDF}), "Mu\u00DF");                    // 1252 ß
    // An overlong form, a lone continuation byte and a surrogate are no UTF-8.
    for (const char* invalid : {"\xC0\xAF", "a\x80", "\xED\xA0\x80"}) EXPECT_FALSE(IsValidUtf8(invalid)) << invalid;
}

TEST(TextEncoding, WritesWindows1252WhenEverythingFitsElseUtf8WithBom) {
    EXPECT_EQ(EncodeTextBytes("Gr\u00FC\u00DFe \u20AC"), (Bytes{'G', 'r', 0xFC, 0xDF, 'e', ' ', 0x80}));
    EXPECT_EQ(EncodeTextBytes("\u0416"), (Bytes{0xEF, 0xBB, 0xBF, 0xD0, 0x96}));
    // Stray bytes in a text never produce an undecodable file.
    EXPECT_EQ(DecodeTextBytes(EncodeTextBytes("a\xFF\u0416")), "a\u00FF\u0416");
}

// A path's bytes as text that leads back to them, for paths on a card whose
// names are no UTF-8.
TEST(TextEncoding, PathBytesThatAreNoUtf8AreEscapedAndComeBack) {
    const std::pair<std::string, std::string> cases[] = {
        {"/card/PROJ\xE9/PRJDATA.ZDT", "/card/PROJ\\xE9/PRJDATA.ZDT"},  // Windows-1252 é
        {"/card/\xC3\xA9\xFF", "/card/\xC3\xA9\\xFF"},                 // valid é kept, the stray byte escaped
        {"a\\b\x80", "a\\x5Cb\\x80"},                                 // a backslash too, so the form is unambiguous
        {"\xC3", "\\xC3"},                                               // a cut sequence
    };
    for (const auto& [bytes, escaped] : cases) {
        EXPECT_EQ(EscapeNonUtf8Bytes(bytes), escaped);
        EXPECT_TRUE(IsValidUtf8(EscapeNonUtf8Bytes(bytes)));
        EXPECT_EQ(UnescapeNonUtf8Bytes(escaped), bytes) << escaped;
    }
    // Valid UTF-8 stays as it is and means itself, escapes and all.
    for (const char* text : {"/card/\u00E9/a\\b", "C:\\x41", "a\\xZZ", "\\x4", ""}) {
        EXPECT_EQ(EscapeNonUtf8Bytes(text), text);
        EXPECT_EQ(UnescapeNonUtf8Bytes(text), std::nullopt) << text;
    }
}

TEST(JsonDepth, CountsBracketsOutsideStringsWithoutRecursion) {
    const std::pair<std::string, std::size_t> cases[] = {
        {"1", 0},
        {"[]", 1},
        {R"({"tracks": [{"fader": 1, "raw": {"fader": 200}}]})", 4},
        {R"(["[[[[", "\"[[[["])", 1},  // brackets in strings, an escaped quote
        {"]]]][", 1},                  // stray closers are left to the parser
        {"[{}][[]]", 2},
    };
    for (const auto& [text, depth] : cases) EXPECT_EQ(JsonNestingDepth(text, 10), depth) << text;
    // A hostile document: counting stops at the limit.
    std::string deep(1000000, '[');
    EXPECT_EQ(JsonNestingDepth(deep, 4), 5u);
    EXPECT_EQ(JsonNestingDepth("[[[[]]]]", 4), 4u);
    EXPECT_EQ(JsonNestingDepth("[[[[[]]]]]", 4), 5u);
}

TEST(TextFile, SplitsAnyLineEndAndJoinsWithCrLf) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(SplitTextLines("a\r\nb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(SplitTextLines("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitTextLines("a\rb\r"), (Lines{"a", "b"}));     // old CR-only file
    EXPECT_EQ(SplitTextLines("x\ry\r\n"), (Lines{"x\ry"}));  // CR inside a line stays
    EXPECT_TRUE(SplitTextLines("").empty());
    EXPECT_EQ(JoinTextLines({"a", "", "b"}), "a\r\n\r\nb\r\n");

    testing::TempDir dir;
    WriteTextFile(dir / "t.txt", "\u00C4rger\r\n");
    EXPECT_EQ(testing::ReadBytes(dir / "t.txt"), (Bytes{0xC4, 'r', 'g', 'e', 'r', '\r', '\n'}));
    EXPECT_EQ(ReadTextFile(dir / "t.txt"), "\u00C4rger\r\n");
}

}  // namespace
}  // namespace spurwerk
