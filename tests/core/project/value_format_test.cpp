#include "project/value_format.h"

#include <gtest/gtest.h>


namespace spurwerk {
namespace {

const StripElement& E(const char* prefix) { return *FindStripControl(prefix); }

// The raw values the file may hold for an element, as far as the mixer writes them.
std::pair<int, int> RawRange(const StripElement& element) {
    if (element.format == ValueFormat::Status) return {0, 2};
    if (element.format == ValueFormat::Box) return {0, 1};
    int a = SliderRaw(element, element.minimum), b = SliderRaw(element, element.maximum);
    return {std::min(a, b), std::max(a, b)};
}

TEST(ValueFormat, EveryRawValueInRangeRoundTripsThroughItsText) {
    for (const auto& parameter : TrackParameters()) {
        const StripElement& element = *parameter.control;
        if (element.format == ValueFormat::WavName) continue;
        auto [low, high] = RawRange(element);
        for (int raw = low; raw <= high; ++raw) {
            std::string text = ValueText(element.format, raw);
            EXPECT_EQ(ParseValueText(element, text), raw) << parameter.name << " " << text;
            EXPECT_EQ(SliderRaw(element, SliderPosition(element, raw)), raw) << parameter.name;
        }
        // Just past the range the text still shows the byte, but no longer parses.
        if (element.maximum > element.minimum && !FrequencyTable(element.format)) {
            EXPECT_FALSE(ParseValueText(element, ValueText(element.format, high + 1))) << parameter.name;
        }
    }
}

TEST(ValueFormat, BytesOutOfRangeShowAsTheyStandAndClampOnlyInTheMixer) {
    struct Case {
        const char* prefix;
        int raw;
        const char* text;
        int position;  // where the mixer's slider stands
    };
    const Case cases[] = {
        {"TBPan_", 0, "L100", 0},          {"TBPan_", 150, "R200", 100},
        {"TBFader_", 200, "200", 127},      {"TBReverb_", 255, "255", 100},
        {"TBEQxH_", 0, "-12", 12},          {"TBEQxH_", 30, "18", -12},
        {"TBEQMidQual_", 99, "10.0", 9},    {"TBEQHighHz_", 0, "500", 0},
        // nothing defines an index past its table: held at its end
        {"TBEQHighHz_", 40, "18000", 16},   {"TBEQLowHz_", 17, "1600", 16},
        {"TBEQMidHz_", 27, "18000", 27},
        {"CBEQxM_", 5, "X", 5},  // any byte but 0 is on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ValueText(E(c.prefix).format, c.raw), c.text) << c.prefix << " " << c.raw;
        EXPECT_EQ(SliderPosition(E(c.prefix), c.raw), c.position) << c.prefix << " " << c.raw;
    }
}

TEST(ValueFormat, ParsesTheShownFormsLeniently) {
    const std::pair<const char*, const char*> accepted[] = {
        {"TBPan_", "r20"}, {"TBPan_", "L0"}, {"ShStatus_", "r"}, {"CBInvert_", "x"}, {"TBEQMidQual_", "0,5"}};
    for (const auto& [prefix, text] : accepted) EXPECT_TRUE(ParseValueText(E(prefix), text)) << prefix << text;
    const std::pair<const char*, const char*> refused[] = {
        {"TBPan_", "L101"},     {"TBPan_", "L-2"},  {"TBPan_", "R+2"},       {"TBPan_", "L"},
        {"TBPan_", "L3"},       {"TBEQLowHz_", "2000"}, {"TBEQMidQual_", "0.55"}, {"TBFader_", "99999999999"},
        {"TBFader_", ""},       {"TBFader_", "-"},  {"CBInvert_", "on"},     {"CBFader_", "-"},
    };
    for (const auto& [prefix, text] : refused) EXPECT_FALSE(ParseValueText(E(prefix), text)) << prefix << text;
}

TEST(ValueFormat, NumbersInTheirUnitsAndHints) {
    EXPECT_EQ(UnitValue(ValueFormat::MidFrequency, 14), 1000);
    EXPECT_EQ(UnitValue(ValueFormat::Level, 200), 200);
    EXPECT_EQ(SliderValueHint(E("TBPan_"), 0), "Pan:  L100");
    EXPECT_EQ(SliderValueHint(E("TBEQxL_"), 12), "-12db ");
    EXPECT_EQ(SliderValueHint(E("TBChorus_"), 30), "30% ");
    EXPECT_EQ(SliderValueHint(E("TBEQHighHz_"), 0), "Freq.: 500 Hz \n(Default: 8000 Hz) ");
    EXPECT_EQ(SliderValueHint(E("TBEQMidQual_"), 9), "Qual.: 1.0\n(Default: 0.5) ");
}

}  // namespace
}  // namespace spurwerk
