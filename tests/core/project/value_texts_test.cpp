// Values as the mixer shows and parses them, and the effect labels.

#include <gtest/gtest.h>

#include <tuple>

#include "io/path_text.h"
#include "project/track_layout.h"
#include "project/value_format.h"
#include "project/value_texts.h"
#include "test_files.h"

namespace spurwerk {
namespace {

using namespace testing;

const StripElement& E(const char* prefix) { return *FindStripControl(prefix); }

TEST(ValueTexts, PanQualityTimesAndSizes) {
    EXPECT_EQ(PanText(50), "C");
    EXPECT_EQ(PanText(49), "L2");
    EXPECT_EQ(QualityText(4), "0.5");
    EXPECT_EQ(FormatTenths(80, 2), "08.0");
    const std::pair<std::int64_t, const char*> times[] = {
        {3723456, "1h02m03s456"}, {65000, "   1m05s   "},  {999, "      0s999"},
        {1005, "      1s005"},    {599999, "   9m59s999"},  {600000, "  10m00s   "},
        // hours go on past a day; nothing below zero
        {25LL * 3600000 + 61000, "25h01m01s   "}, {2147483647, "596h31m23s647"}, {-1500, "      0s   "},
    };
    for (const auto& [ms, text] : times) EXPECT_EQ(MillisecondsText(ms), text) << ms;
    const std::pair<std::int64_t, const char*> sizes[] = {
        {4410044, "4.2M"}, {1048576, "1.0M"}, {1048575, "1024.0k"},
        {256, "0.3k"},  // 0.25: halves round away from zero
        {(11LL << 30) / 2, "5632.0M"},  // beyond 2 GiB
        {-1, "0.0k"},  // size of a file that could not be opened
    };
    for (const auto& [bytes, text] : sizes) EXPECT_EQ(SizeText(bytes), text) << bytes;
    EXPECT_EQ(SizeText(4410044, 8), "    4.2M");
}

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

TEST(ValueFormat, BytesOutOfRangeShowAsTheyStandClampOnlyInTheMixerAndTheShownFormsParse) {
    // control, byte, text, where the mixer's slider stands
    const std::tuple<const char*, int, const char*, int> cases[] = {
        {"TBPan_", 150, "R200", 100},      {"TBFader_", 200, "200", 127},   {"TBReverb_", 255, "255", 100},
        {"TBEQxH_", 0, "-12", 12},         {"TBEQxH_", 30, "18", -12},      {"TBEQMidQual_", 99, "10.0", 9},
        // nothing defines an index past its table: held at its end
        {"TBEQHighHz_", 40, "18000", 16},  {"TBEQLowHz_", 17, "1600", 16},  {"TBEQMidHz_", 27, "18000", 27},
        {"CBEQxM_", 5, "X", 5},  // any byte but 0 is on
    };
    for (const auto& [prefix, raw, text, position] : cases) {
        EXPECT_EQ(ValueText(E(prefix).format, raw), text) << prefix << " " << raw;
        EXPECT_EQ(SliderPosition(E(prefix), raw), position) << prefix << " " << raw;
    }

    // The shown forms parse leniently.
    const std::pair<const char*, const char*> accepted[] = {
        {"TBPan_", "r20"}, {"TBPan_", "L0"}, {"ShStatus_", "r"}, {"CBInvert_", "x"}, {"TBEQMidQual_", "0,5"}};
    for (const auto& [p, text] : accepted) EXPECT_TRUE(ParseValueText(E(p), text)) << p << text;
    const std::pair<const char*, const char*> refused[] = {
        {"TBPan_", "L101"},   {"TBPan_", "L-2"},      {"TBPan_", "R+2"},        {"TBPan_", "L"},
        {"TBPan_", "L3"},     {"TBEQLowHz_", "2000"}, {"TBEQMidQual_", "0.55"}, {"TBFader_", "99999999999"},
        {"TBFader_", "-"},    {"CBInvert_", "on"},
    };
    for (const auto& [p, text] : refused) EXPECT_FALSE(ParseValueText(E(p), text)) << p << text;
    EXPECT_EQ(UnitValue(ValueFormat::MidFrequency, 14), 1000);
    EXPECT_EQ(SliderValueHint(E("TBPan_"), 0), "Pan:  L100");
    EXPECT_EQ(SliderValueHint(E("TBEQxL_"), 12), "-12db ");
    EXPECT_EQ(SliderValueHint(E("TBEQHighHz_"), 0), "Freq.: 500 Hz \n(Default: 8000 Hz) ");
    EXPECT_EQ(SliderValueHint(E("TBEQMidQual_"), 9), "Qual.: 1.0\n(Default: 0.5) ");
}

std::string All(const EffectLabels& l) { return l.insert + " | " + l.chorus + " | " + l.reverb; }

Bytes SampleEffects() {
    using namespace layout;
    Bytes efx(400, 0);
    auto name = [&](std::size_t offset, const std::string& text) {
        std::copy(text.begin(), text.end(), efx.begin() + static_cast<std::ptrdiff_t>(offset));
    };
    efx[EfxInsertOffOffset] = 0x01;
    efx[EfxSendOffOffset] = 0x02;  // reverb off, chorus on
    efx[EfxInsertNumberOffset] = 4;
    efx[EfxChorusNumberOffset] = 7;
    efx[EfxReverbNumberOffset] = 12;
    name(EfxInsertNameOffset, "CompLimt");
    name(EfxChorusNameOffset, "Chorus");
    name(EfxReverbNameOffset, "Hall 1");
    return efx;
}

TEST(EffectLabels, BuiltFromTheEffectsFileWithPlaceholdersWhereShort) {
    TempDir dir;
    std::string path = PathText(dir / "EFXDATA.ZDT");
    EXPECT_EQ(ReadEffectLabels(path, 0).insert, "(Keine EFXDATA.ZDT)");
    std::filesystem::create_directory(dir / "folder.ZDT");
    EXPECT_EQ(ReadEffectLabels(PathText(dir / "folder.ZDT"), 0).reverb, "(Keine EFXDATA.ZDT)");
    Bytes efx = SampleEffects();
    efx.resize(layout::EfxReverbNameOffset + layout::EfxNameLength);  // exactly the bytes needed
    WriteBytes(dir / "EFXDATA.ZDT", efx);
    EXPECT_EQ(All(ReadEffectLabels(path, 0)),
              "(OFF, CompLimt); 5(?), (ab) Input1 | Chorus; 14(?) | (OFF, Hall 1); 12(?)");
    EXPECT_EQ(BuildEffectLabels(&efx, 7).insert, "(OFF, CompLimt); 5(?), (ab) Input8");
    EXPECT_EQ(BuildEffectLabels(&efx, 8).insert, "(OFF, CompLimt); 5(?), (ab) Track1");

    efx[layout::EfxInsertOffOffset] = 0xFE;  // only bit 0 counts
    efx[layout::EfxSendOffOffset] = 0x01;
    EXPECT_EQ(All(BuildEffectLabels(&efx, 0)),
              "CompLimt; 5(?), (ab) Input1 | (OFF, Chorus); 14(?) | Hall 1; 12(?)");
    efx.pop_back();  // last name one byte short
    EXPECT_EQ(BuildEffectLabels(&efx, 0).reverb, "xxxxxxxx; 12(?)");
    Bytes empty;
    EXPECT_EQ(BuildEffectLabels(&empty, 3).insert, "xxxxxxxx; 1(?), (ab) Input4");
}

}  // namespace
}  // namespace spurwerk
