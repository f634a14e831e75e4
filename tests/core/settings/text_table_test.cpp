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
    InitResStrArr();
    EXPECT_EQ(Txt(150), "WAV-Datei \"");
}

TEST(TextTable, LineBreakTags) {
    EXPECT_EQ(EncodeBR("a\r\nb\r\n", "\r\n"), "a<BR>b<BR>");
    EXPECT_EQ(EncodeBR("a\r\nb", "\n"), "a\r<BR>b");  // hints keep the CR
    EXPECT_EQ(DecodeBR("one<br>two<Br>three<BR>", "\r\n"), "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(DecodeBR("<B<BR>R>", "\n"), "<B\nR>");  // no overlaps, left to right
}

TEST(ValueConversion, BooleansAcceptTheListedWordsInAnyCase) {
    for (const char* t : {"1", "true", "T", "*", "x", "Wahr", "w", "n", "U", "s"}) EXPECT_TRUE(StrToBoolVal(t)) << t;
    for (const char* f : {"0", "", "false", "no", "ja", " 1", "yes"}) EXPECT_FALSE(StrToBoolVal(f)) << f;
    EXPECT_EQ(BoolToStrVal(true), "1");
    EXPECT_EQ(BoolToStrVal(false), "0");
}

TEST(ValueConversion, ColoursByNameOrNumber) {
    const std::int32_t btnFace = static_cast<std::int32_t>(0xFF00000F);
    const std::pair<std::int32_t, const char*> written[] = {
        {0x0000FF, "clRed"}, {btnFace, "clBtnFace"}, {0x00FF10, "$00FF10"}, {0x123, "$000123"},
    };
    for (const auto& [colour, text] : written) EXPECT_EQ(ColorToStrVal(colour), text);
    const std::pair<const char*, std::optional<std::int32_t>> read[] = {
        {"clbtnface", btnFace}, {"$FF00000F", btnFace}, {"$00FF10", 0x00FF10}, {"255", 255}, {"", 0},
        {"clNoSuchColour", std::nullopt}, {"12abc", std::nullopt}, {"0x10", std::nullopt},
    };
    for (const auto& [text, colour] : read) EXPECT_EQ(StrToColorVal(text), colour) << text;
}

}  // namespace
}  // namespace spurwerk
