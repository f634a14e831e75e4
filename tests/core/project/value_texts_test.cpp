#include <gtest/gtest.h>

#include "io/path_text.h"
#include "project/track_layout.h"
#include "project/value_texts.h"
#include "settings/text_table.h"
#include "test_files.h"

namespace spurwerk {
namespace {

TEST(ValueTexts, PanAndQuality) {
    EXPECT_EQ(PanText(50), "C");
    EXPECT_EQ(PanText(49), "L2");
    EXPECT_EQ(QualityText(4), "0.5");
    EXPECT_EQ(FormatTenths(80, 2), "08.0");
}

TEST(ValueTexts, MillisecondsAreRightAligned) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {3723456, "1h02m03s456"}, {65000, "   1m05s   "},  {10000, "     10s   "},
        {999, "      0s999"},     {1005, "      1s005"},  {599999, "   9m59s999"},
        {600000, "  10m00s   "},  {3600000, "1h00m00s   "},
        // hours go on past a day; nothing below zero
        {25LL * 3600000 + 61000, "25h01m01s   "}, {2147483647, "596h31m23s647"}, {-1500, "      0s   "},
    };
    for (const auto& [ms, text] : cases) EXPECT_EQ(MillisecondsText(ms), text) << ms;
}

TEST(ValueTexts, SizeInKiloOrMegaBytes) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {4410044, "4.2M"}, {1048576, "1.0M"}, {1048575, "1024.0k"}, {0, "0.0k"},
        {256, "0.3k"},  // 0.25: halves round away from zero
        {3LL << 30, "3072.0M"}, {(11LL << 30) / 2, "5632.0M"},  // beyond 2 GiB
        {-1, "0.0k"},  // size of a file that could not be opened
    };
    for (const auto& [bytes, text] : cases) EXPECT_EQ(SizeText(bytes), text) << bytes;
    EXPECT_EQ(SizeText(4410044, 8), "    4.2M");
    EXPECT_EQ(SizeText(4410044, 2), "4.2M");
}

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

TEST(EffectLabels, BuiltFromTheEffectsFields) {
    Bytes efx = SampleEffects();
    EffectLabels labels = BuildEffectLabels(&efx, 0);
    EXPECT_EQ(labels.insert, "(OFF, CompLimt); 5(?), (ab) Input1");
    EXPECT_EQ(labels.chorus, "Chorus; 14(?)");
    EXPECT_EQ(labels.reverb, "(OFF, Hall 1); 12(?)");

    EXPECT_EQ(BuildEffectLabels(&efx, 7).insert, "(OFF, CompLimt); 5(?), (ab) Input8");
    EXPECT_EQ(BuildEffectLabels(&efx, 8).insert, "(OFF, CompLimt); 5(?), (ab) Track1");

    efx[layout::EfxInsertOffOffset] = 0xFE;  // only bit 0 counts
    efx[layout::EfxSendOffOffset] = 0x01;
    labels = BuildEffectLabels(&efx, 0);
    EXPECT_EQ(labels.insert, "CompLimt; 5(?), (ab) Input1");
    EXPECT_EQ(labels.chorus, "(OFF, Chorus); 14(?)");
    EXPECT_EQ(labels.reverb, "Hall 1; 12(?)");
}

TEST(EffectLabels, ShortEffectsFileGivesPlaceholderNames) {
    Bytes efx = SampleEffects();
    efx.resize(layout::EfxReverbNameOffset + 7);  // last name one byte short
    EffectLabels labels = BuildEffectLabels(&efx, 0);
    EXPECT_EQ(labels.chorus, "Chorus; 14(?)");
    EXPECT_EQ(labels.reverb, "(OFF, xxxxxxxx); 12(?)");

    Bytes empty;
    labels = BuildEffectLabels(&empty, 3);
    EXPECT_EQ(labels.insert, "xxxxxxxx; 1(?), (ab) Input4");
    EXPECT_EQ(labels.reverb, "xxxxxxxx; 0(?)");
}

TEST(EffectLabels, ReadFromTheFileBesideTheProject) {
    testing::TempDir dir;
    std::string path = PathText(dir / "EFXDATA.ZDT");
    EXPECT_EQ(ReadEffectLabels(path, 0).insert, "(Keine EFXDATA.ZDT)");

    Bytes efx = SampleEffects();
    efx.resize(layout::EfxReverbNameOffset + layout::EfxNameLength);  // exactly the bytes needed
    testing::WriteBytes(dir / "EFXDATA.ZDT", efx);
    EffectLabels labels = ReadEffectLabels(path, 10);
    EXPECT_EQ(labels.insert, "(OFF, CompLimt); 5(?), (ab) Track3");
    EXPECT_EQ(labels.reverb, "(OFF, Hall 1); 12(?)");

    std::filesystem::create_directory(dir / "folder.ZDT");
    labels = ReadEffectLabels(PathText(dir / "folder.ZDT"), 0);
    EXPECT_EQ(labels.chorus, "(Keine EFXDATA.ZDT)");
    EXPECT_EQ(labels.reverb, "(Keine EFXDATA.ZDT)");
    SetTxt(211, "No");
    EXPECT_EQ(BuildEffectLabels(nullptr, 0).reverb, "(No EFXDATA.ZDT)");
    InitResStrArr();
}

}  // namespace
}  // namespace spurwerk
