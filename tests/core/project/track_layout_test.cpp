// Where the tracks' values lie in a project, how they read, and what is a project at all.

#include <gtest/gtest.h>

#include <tuple>

#include "project/project_check.h"
#include "project/project_name.h"
#include "project/track_layout.h"
#include "project/track_record.h"
#include "project/track_table.h"
#include "project/track_values.h"
#include "project/value_format.h"

namespace spurwerk {
namespace {

ZDTDocument EmptyProject() {
    ZDTDocument doc;
    doc.ReplaceZDTData(Bytes(MinProjectDataSize, 0));
    return doc;
}

TEST(TrackLayout, MasksStatusStereoPairsWavNamesAndBoundControls) {
    EXPECT_EQ(TrackBitMask(-3), 1);
    EXPECT_EQ(TrackBitMask(15), 0x8000);
    EXPECT_EQ(TrackBitMask(16), 0);

    ZDTDocument doc = EmptyProject();
    doc.WriteZDTWord(layout::RecordMaskOffset, 0x0002);  // record bit without play bit
    EXPECT_EQ(ReadTrackStatus(doc.ZDTData(), 1), TrackStatus::Record);
    WriteTrackStatus(doc, 1, TrackStatus::Play);
    WriteTrackStatus(doc, 15, TrackStatus::Record);
    WriteTrackStatus(doc, 16, TrackStatus::Play);  // no such bit: nothing changes
    EXPECT_EQ(doc.ReadWord(layout::RecordMaskOffset), 0x8000);
    EXPECT_EQ(doc.ReadWord(layout::PlayMaskOffset), 0x8002);

    WriteStereoLink(doc, 15, true);  // tracks 15 and 16 share bit 7
    EXPECT_EQ(doc.ReadByte(layout::StereoLinkOffset), 128);
    EXPECT_TRUE(ReadStereoLink(doc.ZDTData(), 14));
    EXPECT_FALSE(ReadStereoLink(doc.ZDTData(), 13));

    doc.WriteZDTByte(1192 + 12, 0x77);  // the 16-byte slot's tail is not touched
    WriteWavName(doc, 1192, "GIT_C");
    EXPECT_EQ(doc.ReadString(1192, 13), std::string("GIT_C\0\0\0\0\0\0\0\x77", 13));
    EXPECT_EQ(ReadWavName(doc.ZDTData(), 1192), "GIT_C");
    EXPECT_EQ(ReadWavName(Bytes(100), 1192), "            ");  // beyond the end: 12 blanks
    EXPECT_EQ(ControlsBoundTo(1448, 16), std::vector<std::string>{});  // the master name: no all-strip
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
              "FileAss=GIT_C.WAV~~~,~~~~~~~~~~~~,~~~~~~~~~~~~,~~~~~~~~~~~~, ~~~~~~~~~~~~,~~~~~~~~~~~~,"
              "~~~~~~~~~~~~,~~~~~~~~~~~~, ~~~~~~~~~~~~ "
              "EQxH[dB]= 12,-12,-12,-12, -12,-12,-12,-12, -12 "
              "EQMidQual=0.1,1.0,0.1,0.1, 0.1,0.1,0.1,0.1, 0.1");
    TrackSummaryOptions compact{true, {"Status", "FileAss", "Bogus"}, 2};
    EXPECT_EQ(BuildTrackSummary(doc.ZDTData(), compact), "Status=R+ FileAss=GIT_C.WAV,");
    // An empty first name keeps its place; a name ends at its first NUL.
    WriteWavName(doc, 1192, "");
    doc.WriteZDTString(1192 + 32, std::string("AB\0XYZ", 6));
    EXPECT_EQ(BuildTrackSummary(doc.ZDTData(), {true, {"FileAss"}, 3}), "FileAss=,,AB");
}

// A byte the mixer clamps reads as the clamped value, flagged, and shows with
// the byte beside it, the same way for every kind of control; a byte in range
// shows alone.
TEST(TrackRecord, OutOfRangeBytesAreClampedFlaggedAndShowTheirRawValue) {
    Bytes bytes(MinProjectDataSize, 0);
    // group, byte, shown, value in units, out of range
    const std::tuple<const char*, int, const char*, double, bool> cases[] = {
        {"Pan", 150, "R100(raw 150)", 100, true},     {"Pan", 60, "R20", 20, false},
        {"Pan", 0, "L100", -100, false},              {"Fader", 200, "127(raw 200)", 127, true},
        {"Fader", 127, "127", 127, false},            {"EQxH", 30, "12(raw 30)", 12, true},
        {"EQxM", 9, "-3", -3, false},                 {"EQHighHz", 20, "18000(raw 20)", 18000, true},
        {"EQMidQual", 40, "1.0(raw 40)", 1.0, true},  {"EQMidQual", 4, "0.5", 0.5, false},
        {"Reverb", 101, "100(raw 101)", 100, true},   {"Invert[v]", 5, "X(raw 5)", 1, true},
        {"Invert", 1, "X", 1, false},
    };
    for (const auto& [group, raw, shown, value, outOfRange] : cases) {
        SCOPED_TRACE(std::string(group) + " " + std::to_string(raw));
        const TrackParameter& parameter = *FindTrackParameter(group);
        EXPECT_EQ(ShownValueText(*parameter.control, raw), shown);
        bytes[TagOffset(*parameter.control, 2)] = static_cast<std::uint8_t>(raw);
        std::vector<TrackReading> record = ReadTrackRecord(bytes, 2);
        ASSERT_EQ(record.size(), TrackParameters().size());
        const TrackReading& reading = *std::find_if(record.begin(), record.end(),
            [&](const TrackReading& r) { return r.parameter == &parameter; });
        EXPECT_EQ(reading.raw, raw);
        EXPECT_DOUBLE_EQ(reading.value, value);
        EXPECT_EQ(reading.outOfRange, outOfRange);
    }

    // The summary marks them when asked (the command line) and shows the bytes otherwise (the list).
    ZDTDocument doc = EmptyProject();
    doc.WriteZDTByte(TagOffset(*FindStripControl("TBFader_"), 2), 200);
    doc.WriteZDTByte(TagOffset(*FindStripControl("CBInvert_"), 0), 5);
    TrackSummaryOptions marked{true, {"Fader", "Invert"}, 3, true};
    EXPECT_EQ(BuildTrackSummary(doc.ZDTData(), marked), "Fader[%]=0,0,127(raw 200) Invert[v]=X(raw 5)--");
    marked.markOutOfRange = false;
    EXPECT_EQ(BuildTrackSummary(doc.ZDTData(), marked), "Fader[%]=0,0,200 Invert[v]=X--");
}

// One row per parameter with its unit, one column per track, as wide as its
// widest value; names left-aligned, numbers right-aligned.
TEST(TrackTable, RowsPerParameterColumnsPerTrackSplitToFitTheWidth) {
    ZDTDocument doc = EmptyProject();
    doc.WriteZDTWord(layout::RecordMaskOffset, 0x0001);
    doc.WriteZDTWord(layout::PlayMaskOffset, 0x0001);
    WriteWavName(doc, TagOffset(*FindStripControl("EDFileAss_"), 1), "GIT_C.WAV");
    doc.WriteZDTByte(TagOffset(*FindStripControl("TBPan_"), 0), 50);
    doc.WriteZDTByte(TagOffset(*FindStripControl("TBFader_"), 2), 200);
    TrackTableOptions options;
    options.groups = {"Status", "FileAss", "Pan", "Fader", "Bogus"};
    options.trackCount = 3;
    options.trackCaption = "Spur";
    EXPECT_EQ(BuildTrackTable(doc.ZDTData(), options),
              (std::vector<std::string>{
                  "Spur       1          2             3",
                  "Status     R          -             -",
                  "FileAss       GIT_C.WAV",
                  "Pan        C       L100          L100",
                  "Fader [%]  0          0  127(raw 200)",
              }));

    // Too wide for the terminal: blocks of tracks (a bank of 8, then fewer), each with its header.
    options.groups = {"Pan", "EQHighHz"};
    options.trackCount = 16;
    options.trackCaption = "Track";
    const std::tuple<std::size_t, std::size_t> widths[] = {{0, 1}, {200, 1}, {100, 2}, {60, 4}, {10, 16}};
    for (const auto& [width, blocks] : widths) {
        options.maxWidth = width;
        std::vector<std::string> lines = BuildTrackTable(doc.ZDTData(), options);
        std::size_t headers = 0;
        for (const std::string& line : lines) {
            if (line.rfind("Track", 0) == 0) ++headers;
            if (width >= 60) {
                EXPECT_LE(line.size(), width) << line;
            }
        }
        EXPECT_EQ(headers, blocks) << width;
        EXPECT_EQ(lines.size(), blocks * 3 + blocks - 1) << width;  // header, 2 rows, a blank between blocks
    }
}

TEST(TrackValues, ParseWavNamesNameTheAcceptedValuesOnErrorAndArmOneTrackAGroup) {
    const std::pair<const char*, const char*> names[] = {
        {"gitarre", "GITARRE.WAV"}, {"take1234.wav", "TAKE1234.WAV"}, {"", ""}, {"a/b\\c", "A_B_C.WAV"}};
    std::string error;
    for (const auto& [text, name] : names)
        EXPECT_EQ(ParseTrackValue(*FindTrackParameter("FileAss"), text, error)->name, name) << text;
    EXPECT_FALSE(ParseTrackValue(*FindTrackParameter("FileAss"), "TOOLONGNAME.WAV", error));
    EXPECT_EQ(error, "FileAss nimmt einen WAV-Namen mit höchstens 8 Zeichen vor \".WAV\"");
    EXPECT_FALSE(ParseTrackValue(*FindTrackParameter("EQxH"), "13", error));
    EXPECT_EQ(error, "EQxH (dB) nimmt eine ganze Zahl von -12 bis 12");

    // A recording group leaves only one track armed.
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

Bytes Faders(std::uint8_t fader) {
    Bytes data(MinProjectDataSize, 0);
    for (const StripElement& element : StripControls())
        if (element.kind == ControlKind::GainSlider)
            for (int k = 0; k < layout::TrackCount; ++k) data[TagOffset(element, k)] = layout::GainMax;
    for (int k = 0; k < layout::TrackCount; ++k) data[layout::FaderBase + 4 * k] = fader;
    return data;
}

TEST(ProjectCheck, ShortRiffAndOutOfRangeFilesAreNoProjects) {
    Bytes riff = Faders(100);
    riff[0] = 'R', riff[1] = 'I', riff[2] = 'F', riff[3] = 'F';
    Bytes halfBad = Faders(127);  // every other slider field out of range: still a project
    int field = 0;
    for (const StripElement& element : StripControls())
        if (element.kind == ControlKind::GainSlider || element.kind == ControlKind::Slider)
            for (int k = 0; k < layout::TrackCount; ++k)
                if (field++ % 2 == 0) halfBad[TagOffset(element, k)] = 0xC8;
    struct Case { const char* what; Bytes data; bool project; };
    for (const Case& c : {Case{"zeros", Bytes(MinProjectDataSize, 0), true}, Case{"RIFF", riff, false},
                          Case{"one byte short", Bytes(MinProjectDataSize - 1, 0), false},
                          Case{"noise", Bytes(MinProjectDataSize, 0xC8), false},
                          Case{"some faders off", Faders(200), true}, Case{"half off", halfBad, true}}) {
        EXPECT_EQ(LooksLikeProject(c.data), c.project) << c.what;
        EXPECT_EQ(NotAProjectWarning(c.data).empty(), c.project) << c.what;
    }
    EXPECT_EQ(NotAProjectWarning({}), "");  // nothing loaded: nothing to warn about
}

}  // namespace
}  // namespace spurwerk
