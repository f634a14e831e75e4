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

TEST(TrackLayout, OffsetsOfTheFieldTable) {
    const int k = 3;  // track 4
    EXPECT_EQ(TagOffset(*FindStripControl("TBFader_"), 2), 104u);
    EXPECT_EQ(TagOffset(*FindStripControl("TBPan_"), k), 172u);
    EXPECT_EQ(TagOffset(*FindStripControl("CBEQxM_"), k), 576u);
    EXPECT_EQ(TagOffset(*FindStripControl("TBEQxL_"), 15), 460u + 48 * 15);
    EXPECT_EQ(TagOffset(*FindStripControl("TBEQMidQual_"), 0), 440u);
    EXPECT_EQ(TagOffset(*FindStripControl("TBEQHighHz_"), 0), 420u);
    EXPECT_EQ(TagOffset(*FindStripControl("EDFileAss_"), 15), 1432u);
    EXPECT_EQ(TagOffset(*FindStripControl("EDFileAss_"), 16), layout::MasterWavNameOffset);  // a 17th slot
    EXPECT_EQ(TagOffset(*FindStripControl("CBStereo_"), 9), 1184u);
    EXPECT_EQ(TagOffset(*FindStripControl("CBPan_"), 4), 0u);
    EXPECT_EQ(layout::MarkTableOffset + layout::MarkSlots * layout::MarkSlotSize, layout::MarkCountOffset);
}

TEST(TrackLayout, FrequencyTablesAreSlicesOfTheMidTable) {
    EXPECT_EQ(HighFrequencyTable().size(), 17u);
    EXPECT_EQ(LowFrequencyTable().size(), 17u);
    EXPECT_EQ(FrequencyAt(HighFrequencyTable(), 12), 8000);
    EXPECT_EQ(FrequencyAt(MidFrequencyTable(), 14), 1000);
    EXPECT_EQ(FrequencyAt(LowFrequencyTable(), 5), 125);
    EXPECT_EQ(FrequencyAt(HighFrequencyTable(), 0), 500);
    EXPECT_EQ(FrequencyAt(LowFrequencyTable(), 16), 1600);
    EXPECT_EQ(FrequencyAt(MidFrequencyTable(), 28), 0);  // outside the table
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

TEST(TrackLayout, ParameterNamesAndBoundControls) {
    std::vector<std::string> names;
    for (const auto& p : TrackParameters()) names.push_back(p.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Status", "FileAss", "Pan", "Stereo[v]", "EQxH[v]", "EQxH", "EQxM[v]",
                                               "EQxM", "EQxL[v]", "EQxL", "Reverb[v]", "Reverb", "Chorus[v]", "Chorus",
                                               "Fader", "Invert[v]", "EQHighHz", "EQMidHz", "EQLowHz", "EQMidQual"}));
    EXPECT_EQ(FindTrackParameter("stereo")->name, "Stereo[v]");
    EXPECT_EQ(FindTrackParameter("EQXH")->name, "EQxH");

    EXPECT_EQ(ControlsBoundTo(104, 16), std::vector<std::string>{"TBFader_3"});
    EXPECT_EQ(ControlsBoundTo(52, 16), std::vector<std::string>{"EditProjName"});
    EXPECT_EQ(ControlsBoundTo(80, 16).size(), 16u);
    EXPECT_EQ(ControlsBoundTo(80, 4).back(), "ShStatus_4");
    EXPECT_EQ(ControlsBoundTo(1184, 2), (std::vector<std::string>{"CBStereo_1", "CBStereo_2"}));
    EXPECT_TRUE(ControlsBoundTo(layout::MasterWavNameOffset, 16).empty());  // the all-strip is left out
    EXPECT_TRUE(ControlsBoundTo(105, 16).empty());
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
}

TEST(TrackValues, ParsesTheShownFormsIntoRawValues) {
    auto parse = [](const std::string& group, const std::string& text) {
        std::string error;
        auto v = ParseTrackValue(*FindTrackParameter(group), text, error);
        return v ? v->raw : -1000;
    };
    EXPECT_EQ(parse("Pan", "C"), 50);
    EXPECT_EQ(parse("Pan", "L100"), 0);
    EXPECT_EQ(parse("Pan", "r20"), 60);
    EXPECT_EQ(parse("Pan", "L101"), -1000);
    EXPECT_EQ(parse("Pan", "L-2"), -1000);
    EXPECT_EQ(parse("EQxH", "-12"), 0);
    EXPECT_EQ(parse("EQxH", "12"), 24);
    EXPECT_EQ(parse("EQxH", "13"), -1000);
    EXPECT_EQ(parse("EQHighHz", "8000"), 12);
    EXPECT_EQ(parse("EQLowHz", "2000"), -1000);
    EXPECT_EQ(parse("EQMidQual", "1.0"), 9);
    EXPECT_EQ(parse("EQMidQual", "0,5"), 4);
    EXPECT_EQ(parse("EQMidQual", "0.55"), -1000);
    EXPECT_EQ(parse("Status", "r"), 2);
    EXPECT_EQ(parse("Invert", "x"), 1);
    EXPECT_EQ(parse("Fader", "127"), 127);
    EXPECT_EQ(parse("Fader", "99999999999"), -1000);

    std::string error;
    EXPECT_EQ(ParseTrackValue(*FindTrackParameter("FileAss"), "gitarre", error)->name, "GITARRE.WAV");
    EXPECT_EQ(ParseTrackValue(*FindTrackParameter("FileAss"), "take1.wav", error)->name, "TAKE1.WAV");
    EXPECT_EQ(ParseTrackValue(*FindTrackParameter("FileAss"), "", error)->name, "");
    EXPECT_EQ(ParseTrackValue(*FindTrackParameter("FileAss"), "a/b\\c", error)->name, "A_B_C.WAV");
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
