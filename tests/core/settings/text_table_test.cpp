#include <gtest/gtest.h>

#include "settings/text_table.h"
#include "settings/value_conversion.h"

namespace spurwerk {
namespace {

TEST(TextTable, HoldsTheGermanDefaultsAndResets) {
    InitResStrArr();
    int empty = 0;
    for (int n = FirstTextNumber; n <= LastTextNumber; ++n) empty += Txt(n).empty();
    EXPECT_EQ(empty, 1);  // 105
    EXPECT_TRUE(Txt(105).empty());
    EXPECT_EQ(Txt(99), "");
    EXPECT_EQ(Txt(301), "");

    SetTxt(150, "changed");
    SetTxt(301, "ignored");
    EXPECT_EQ(Txt(150), "changed");
    EXPECT_EQ(DefaultTxt(150), "WAV-Datei \"");
    InitResStrArr();
    EXPECT_EQ(Txt(150), "WAV-Datei \"");
}

TEST(TextTable, LineBreakTags) {
    EXPECT_EQ(EncodeBR("a\r\nb\r\n", "\r\n"), "a<BR>b<BR>");
    EXPECT_EQ(EncodeBR("a\r\nb", "\n"), "a\r<BR>b");  // hints keep the CR
    EXPECT_EQ(DecodeBR("one<br>two<Br>three<BR>", "\r\n"), "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(DecodeBR("<B<BR>R>", "\n"), "<B\nR>");  // no overlaps, left to right
    EXPECT_EQ(DecodeBR(EncodeBR(Txt(180), "\r\n"), "\r\n"), Txt(180));
}

TEST(ValueConversion, BooleansAcceptTheListedWordsInAnyCase) {
    for (const char* t : {"1", "true", "T", "*", "x", "Wahr", "w", "n", "U", "s"}) EXPECT_TRUE(StrToBoolVal(t)) << t;
    for (const char* f : {"0", "", "false", "no", "ja", " 1", "yes"}) EXPECT_FALSE(StrToBoolVal(f)) << f;
    EXPECT_EQ(BoolToStrVal(true), "1");
    EXPECT_EQ(BoolToStrVal(false), "0");
}

TEST(ValueConversion, ColoursByNameOrNumber) {
    EXPECT_EQ(ColorToStrVal(0x0000FF), "clRed");
    EXPECT_EQ(ColorToStrVal(static_cast<std::int32_t>(0xFF00000F)), "clBtnFace");
    EXPECT_EQ(ColorToStrVal(0x00FF10), "$00FF10");  // green with a little red: no name
    EXPECT_EQ(ColorToStrVal(0x123), "$000123");
    EXPECT_EQ(StrToColorVal("clbtnface"), static_cast<std::int32_t>(0xFF00000F));
    EXPECT_EQ(StrToColorVal("$00FF10"), 0x00FF10);
    EXPECT_EQ(StrToColorVal("255"), 255);
    EXPECT_EQ(StrToColorVal(""), 0);
    EXPECT_EQ(StrToColorVal(ColorToStrVal(0xABCDEF)), 0xABCDEF);
    EXPECT_FALSE(StrToColorVal("clNoSuchColour"));
    EXPECT_FALSE(StrToColorVal("12abc"));
}

}  // namespace
}  // namespace spurwerk
