#include <gtest/gtest.h>

#include "mixer/step_captions.h"
#include "settings/text_table.h"
#include "settings/ui_texts.h"

namespace spurwerk {
namespace {

TEST(StepCaptions, ValuesInTheWindowsUnits) {
    InitResStrArr();
    struct Case {
        ValueFormat format;
        int raw;
        std::string text;
    };
    const Case cases[] = {
        {ValueFormat::Gain, 16, "+4 dB"},   {ValueFormat::Gain, 12, "0 dB"},   {ValueFormat::Gain, 9, "-3 dB"},
        {ValueFormat::Pan, 40, "L20"},      {ValueFormat::Level, 100, "100"},  {ValueFormat::Box, 0, "aus"},
        {ValueFormat::Status, 0, "stumm"},  {ValueFormat::HighFrequency, 16, "18000 Hz"},
        {ValueFormat::Quality, 4, "0.5"},
    };
    for (const Case& c : cases) EXPECT_EQ(CaptionValue(c.format, c.raw), c.text) << c.raw;
}

TEST(StepCaptions, TracksAsRanges) {
    InitResStrArr();
    struct Case {
        std::vector<int> strips;
        std::string text;
    };
    const Case cases[] = {
        {{2}, "Track 3"},
        {{0, 1, 2, 3, 4, 5, 6, 7}, "Tracks 1\u20138"},
        {{8, 9, 10, 11, 12, 13, 14, 15}, "Tracks 9\u201316"},
        {{4, 0, 2, 1}, "Tracks 1\u20133, 5"},
        {{0, 2, 3}, "Tracks 1, 3, 4"},
        {{3, 16}, "Track 4, Master"},
        {{16}, "Master"},
        {{}, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(TracksCaption(c.strips, 16), c.text);
}

TEST(StepCaptions, NamesFollowTheLanguage) {
    InitResStrArr();
    const StripElement* mid = FindStripControl("TBEQxM_");
    const StripElement* box = FindStripControl("CBEQxM_");
    ASSERT_TRUE(mid && box);
    EXPECT_EQ(ParameterCaption(*mid), "EQ Mitte");
    EXPECT_EQ(ParameterCaption(*box), "EQ Mitte");
    EXPECT_EQ(ParameterCaption(*FindStripControl("TBEQMidQual_")), "EQ Mitte Güte");
    SetUiTxt(UiText::StepEqMid, "EQ mid");
    SetUiTxt(UiText::StepOn, "on");
    EXPECT_EQ(ParameterCaption(*mid) + " " + CaptionValue(box->format, 1), "EQ mid on");
    InitResStrArr();
}

}  // namespace
}  // namespace spurwerk
