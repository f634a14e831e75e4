#include <gtest/gtest.h>

#include "project/project_name.h"
#include "project/track_layout.h"
#include "project/track_values.h"

namespace spurwerk {
namespace {

ZDTDocument EmptyProject() {
    ZDTDocument doc;
    doc.ReplaceZDTData(Bytes(MinProjectDataSize, 0));
    return doc;
}

TEST(TrackLayout, MasksStatusAndStereoPairs) {
    EXPECT_EQ(TrackBitMask(-3), 1);
    EXPECT_EQ(TrackBitMask(0), 1);
    EXPECT_EQ(TrackBitMask(15), 0x8000);
    EXPECT_EQ(TrackBitMask(16), 0);

    ZDTDocument doc = EmptyProject();
    doc.WriteZDTWord(layout::RecordMaskOffset, 0x0002);  // record bit without play bit
    EXPECT_EQ(ReadTrackStatus(doc.ZDTData(), 1), TrackStatus::Record);
    WriteTrackStatus(doc, 1, TrackStatus::Play);
    EXPECT_EQ(doc.ReadWord(layout::RecordMaskOffset), 0);
    EXPECT_EQ(doc.ReadWord(layout::PlayMaskOffset), 0x0002);
    WriteTrackStatus(doc, 15, TrackStatus::Record);
    EXPECT_EQ(doc.ReadWord(layout::RecordMaskOffset), 0x8000);
    EXPECT_EQ(doc.ReadWord(layout::PlayMaskOffset), 0x8002);
    WriteTrackStatus(doc, 16, TrackStatus::Record);  // no such bit: nothing changes
    EXPECT_EQ(doc.ReadWord(layout::RecordMaskOffset), 0x8000);

    WriteStereoLink(doc, 15, true);  // tracks 15 and 16 share bit 7
    EXPECT_EQ(doc.ReadByte(layout::StereoLinkOffset), 128);
    EXPECT_TRUE(ReadStereoLink(doc.ZDTData(), 14));
    EXPECT_FALSE(ReadStereoLink(doc.ZDTData(), 13));
}

TEST(TrackLayout, WavNamesArePaddedAndEndAtTheFirstNul) {
    ZDTDocument doc = EmptyProject();
    doc.WriteZDTByte(1192 + 12, 0x77);  // the 16-byte slot's tail is not touched
    WriteWavName(doc, 1192, "GIT_C");
    EXPECT_EQ(doc.ReadString(1192, 13), std::string("GIT_C\0\0\0\0\0\0\0\x77", 13));
    EXPECT_EQ(ReadWavName(doc.ZDTData(), 1192), "GIT_C");
    EXPECT_EQ(ReadWavName(Bytes(100), 1192), "            ");  // beyond the end: 12 blanks
}

TEST(TrackLayout, BoundControls) {
    EXPECT_EQ(FindTrackParameter("stereo")->name, "Stereo[v]");
    EXPECT_EQ(ControlsBoundTo(105, 16), std::vector<std::string>{});
    EXPECT_EQ(ControlsBoundTo(1448, 16), std::vector<std::string>{});  // the master name: the all-strip is left out
    EXPECT_EQ(ControlsBoundTo(80, 16).size(), 16u);
    EXPECT_EQ(ControlsBoundTo(80, 4).back(), "ShStatus_4");
    EXPECT_EQ(ControlsBoundTo(1184, 2), (std::vector<std::string>{"CBStereo_1", "CBStereo_2"}));
    EXPECT_EQ(TagOffset(*FindStripControl("EDFileAss_"), 16), 1448u);  // the master name is a 17th slot
}

TEST(TrackSummary, FormsOfEveryKindOfValue) {
    ZDTDocument doc = EmptyProject();
    doc.WriteZDTWord(layout::RecordMaskOffset, 0x0001);
    doc.WriteZDTWord(layout::PlayMaskOffset, 0x0103);
    doc.WriteZDTByte(layout::PanBase + 4, 60);
    doc.WriteZDTByte(layout::PanBase, 50);
    WriteWavName(doc, 1192, "GIT_C.WAV");
    doc.WriteZDTByte(TagOffset(*FindStripControl("TBEQxH_"), 0), 24);
    doc.WriteZDTByte(TagOffset(*FindStripControl("TBEQMidQual_"), 1), 9);

    TrackSummaryOptions wide{false, {"Status", "Pan", "FileAss", "EQxH", "EQMidQual"}, 9};
    EXPECT_EQ(BuildTrackSummary(doc.ZDTData(), wide),
              "Status= R+------ + Pan=  C,R20,L100,L100, L100,L100,L100,L100, L100 "
              "FileAss=GIT_C.WAV~~~,~~~~~~~~~~~~,~~~~~~~~~~~~,~~~~~~~~~~~~, ~~~~~~~~~~~~,~~~~~~~~~~~~,~~~~~~~~~~~~,"
              "~~~~~~~~~~~~, ~~~~~~~~~~~~ "
              "EQxH[dB]= 12,-12,-12,-12, -12,-12,-12,-12, -12 "
              "EQMidQual=0.1,1.0,0.1,0.1, 0.1,0.1,0.1,0.1, 0.1");
    TrackSummaryOptions compact{true, {"Status", "FileAss"}, 2};
    EXPECT_EQ(BuildTrackSummary(doc.ZDTData(), compact), "Status=R+ FileAss=GIT_C.WAV,");
    // An empty first name keeps its place, so later names stay on their tracks.
    WriteWavName(doc, 1192, "");
    WriteWavName(doc, 1192 + 32, "VOX.WAV");
    TrackSummaryOptions three{true, {"FileAss"}, 3};
    EXPECT_EQ(BuildTrackSummary(doc.ZDTData(), three), "FileAss=,,VOX.WAV");
    TrackSummaryOptions none{true, {"Bogus"}, 2};
    EXPECT_EQ(BuildTrackSummary(doc.ZDTData(), none), "");
    // Bytes the mixer would clamp show as they stand; a frequency index past its table at the table's end.
    doc.WriteZDTByte(layout::PanBase, 150);
    doc.WriteZDTByte(TagOffset(*FindStripControl("TBEQHighHz_"), 0), 40);
    TrackSummaryOptions raw{true, {"Pan", "EQxH", "EQHighHz"}, 1};
    EXPECT_EQ(BuildTrackSummary(doc.ZDTData(), raw), "Pan=R200 EQxH[dB]=12 EQHighHz[Hz]=18000");
    // A name ends at its first NUL, whatever bytes follow it.
    doc.WriteZDTString(1192 + 32, std::string("AB\0XYZ", 6));
    EXPECT_EQ(BuildTrackSummary(doc.ZDTData(), three), "FileAss=,,AB");
}

TEST(TrackValues, ParsesWavNamesAndNamesTheAcceptedValuesOnError) {
    const std::pair<const char*, const char*> names[] = {
        {"gitarre", "GITARRE.WAV"}, {"take1234.wav", "TAKE1234.WAV"}, {"", ""}, {"a/b\\c", "A_B_C.WAV"}};
    std::string error;
    for (const auto& [text, name] : names)
        EXPECT_EQ(ParseTrackValue(*FindTrackParameter("FileAss"), text, error)->name, name) << text;
    EXPECT_FALSE(ParseTrackValue(*FindTrackParameter("FileAss"), "TOOLONGNAME.WAV", error));
    EXPECT_EQ(error, "FileAss takes a WAV name of at most 8 characters before \".WAV\"");
    EXPECT_FALSE(ParseTrackValue(*FindTrackParameter("EQxH"), "13", error));
    EXPECT_EQ(error, "EQxH (dB) takes a whole number from -12 to 12");
}

TEST(TrackValues, RecordingGroupLeavesOnlyOneTrackArmed) {
    ZDTDocument doc = EmptyProject();
    WriteTrackStatus(doc, 0, TrackStatus::Record);
    WriteTrackStatus(doc, 1, TrackStatus::Record);
    ApplyRecordingGroup(doc, 8, 16);  // track 9 is in the group of track 1
    EXPECT_EQ(ReadTrackStatus(doc.ZDTData(), 0), TrackStatus::Play);
    EXPECT_EQ(ReadTrackStatus(doc.ZDTData(), 1), TrackStatus::Record);
    WriteTrackStatus(doc, 0, TrackStatus::Record);
    ApplyRecordingGroup(doc, 8, 8);  // track 1 is below the count, so it is still turned
    EXPECT_EQ(ReadTrackStatus(doc.ZDTData(), 0), TrackStatus::Play);
}

}  // namespace
}  // namespace spurwerk
