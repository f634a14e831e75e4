// Reading a project into the controls, the common change handler and writing
// the controls back.

#include <gtest/gtest.h>

#include <functional>
#include <numeric>

#include "mixer_test_fixture.h"
#include "project/project_info.h"
#include "settings/text_table.h"

namespace spurwerk::testing {
namespace {

using namespace colours;

class MixerControls : public MixerTest {};

TEST_F(MixerControls, ReadingClampsAndClearsWithoutMarkingTheDocumentChanged) {
    Load(Named({"", "", "GIT_C.WAV"}));
    Bytes data = BlankProject();
    data[layout::PanBase] = 200;                                  // track 1 pan
    data[layout::BandBlock(1, 0) + layout::BandGainOffset] = 30;  // track 2 high gain
    data[layout::WavNameOffset(2) + 1] = 'X';                     // track 3: "\0X", shown as no name
    Load(data);
    EXPECT_EQ(C("TBPan_1").value, 100);
    EXPECT_EQ(doc.ReadByte(layout::PanBase), 100);
    EXPECT_EQ(C("TBEQxH_2").value, -12);
    EXPECT_EQ(doc.ReadByte(layout::BandBlock(1, 0) + layout::BandGainOffset), 24);
    // The field showed a name before: it writes twelve NULs back.
    EXPECT_EQ(C("EDFileAss_3").text, "");
    EXPECT_EQ(doc.ReadString(layout::WavNameOffset(2), 12), std::string(12, '\0'));
    EXPECT_FALSE(doc.DataChanged());
    Bytes file = ReadBytes(ProjectFile());
    EXPECT_EQ(std::inner_product(file.begin(), file.end(), doc.ZDTData().begin(), 0, std::plus<>(),
                                 std::not_equal_to<>()),
              3);
}

TEST_F(MixerControls, StatusesAndBoxesShowTheirColoursAfterReading) {
    Bytes data = Named({}, "MIX.WAV");
    data[layout::RecordMaskOffset] = 0x02;                     // track 2 record (play bit set too)
    data[layout::PlayMaskOffset] = 0xFE;                       // track 1 off
    data[layout::BandBlock(3, 1) + layout::BandOnOffset] = 7;  // track 4 mid band on (any non-zero)
    data[layout::InvertBase + 4] = 1;                          // track 2 invert
    data[layout::StereoLinkOffset] = 0x80;                     // tracks 15+16 linked
    Load(data);
    // The master field is green whenever it holds a name.
    EXPECT_EQ(Colours({"ShStatus_2", "ShStatus_1", "ShStatus_3", "CBEQxM_4", "CBInvert_2", "EDFileAss_17"}),
              (std::vector<Colour>{Red, Grey, Green, Red, Red, Green}));
    EXPECT_EQ(doc.ReadByte(layout::BandBlock(3, 1)), 1);  // the box wrote its state back as 1
    EXPECT_TRUE(C("CBStereo_15").Checked());
    EXPECT_FALSE(C("EDFileAss_16").enabled);
    EXPECT_EQ(mixer->Controls().Strip(15).panelColour, Maroon);
    EXPECT_FALSE(doc.DataChanged());

    // Clicking track 2's status (red -> green) writes record 0, play 1 for bit 1.
    mixer->Tracks().StatusMouseDown("ShStatus_2");
    EXPECT_EQ(doc.ReadWord(layout::RecordMaskOffset) & 2, 0);
    EXPECT_EQ(doc.ReadWord(layout::PlayMaskOffset) & 2, 2);
    EXPECT_TRUE(doc.DataChanged());
}

TEST_F(MixerControls, AChangeWritesOnlyItsByteOnceAndIsClamped) {
    Bytes data = BlankProject();
    for (int i = 104; i < 108; ++i) data[i] = 0xAA;
    Load(data);
    Bytes expected = doc.ZDTData();
    expected[104] = 100;
    observer.valueChanges.clear();
    EXPECT_TRUE(mixer->Controls().SetPosition("TBFader_3", 100));
    EXPECT_EQ(observer.valueChanges["TBFader_3"], 1);
    EXPECT_EQ(doc.ZDTData(), expected);
    EXPECT_TRUE(C("TBFader_3").changeMark);
    // The same value again raises nothing and writes nothing.
    doc.MarkSaved();
    EXPECT_FALSE(mixer->Controls().SetPosition("TBFader_3", 100));
    EXPECT_FALSE(doc.DataChanged());
    mixer->Controls().SetPosition("TBFader_3", 500);
    EXPECT_EQ(doc.ReadByte(104), 127);
}

TEST_F(MixerControls, BoxesColourAndMarkTheirSlidersAndAltResetsASlider) {
    Bytes data = BlankProject();
    data[layout::ReverbLevelBase] = 40;
    data[layout::ReverbOnMaskOffset] = 1;
    data[layout::BandBlock(0, 1) + layout::BandFrequencyOffset] = 20;
    Load(data);
    mixer->Controls().SetChecked("CBEQxM_4", true);
    EXPECT_EQ(doc.ReadByte(576), 1);
    EXPECT_EQ(C("CBEQxM_4").colour, Blue);
    // A gain slider is marked only while its band is on and its gain is not 0.
    EXPECT_FALSE(C("TBEQxM_4").changeMark);
    mixer->Controls().SetPosition("TBEQxM_4", -5);
    EXPECT_EQ(doc.ReadByte(576 + 12), 17);
    EXPECT_TRUE(C("TBEQxM_4").changeMark);
    // A send level is marked only while its send is on.
    EXPECT_TRUE(C("TBReverb_1").changeMark);
    mixer->Controls().SetChecked("CBReverb_1", false);
    EXPECT_FALSE(C("TBReverb_1").changeMark);
    EXPECT_EQ(C("CBReverb_1").colour, Grey);
    EXPECT_EQ(doc.ReadByte(layout::ReverbLevelBase), 40);

    mixer->Controls().SetPosition("TBEQMidHz_1", 22, KeyState{.alt = true});
    EXPECT_EQ(doc.ReadByte(layout::BandBlock(0, 1) + layout::BandFrequencyOffset), 14);
    EXPECT_FALSE(C("TBEQMidHz_1").changeMark);
    mixer->Controls().SetPosition("TBEQMidHz_1", 22);
    EXPECT_TRUE(mixer->Controls().ResetToDefault("TBEQMidHz_1"));
    EXPECT_EQ(doc.ReadByte(layout::BandBlock(0, 1) + layout::BandFrequencyOffset), 14);

    QuickSave();
    Load(ReadBytes(ProjectFile()));
    EXPECT_EQ(C("CBEQxM_4").colour, Red);  // blue only until read again
}

TEST_F(MixerControls, StereoLinkDisablesThePartnerButNeverTheAllStrip) {
    Load(Named({"", "", "", "B.WAV"}));
    mixer->Controls().SetChecked("CBStereo_3", true);
    EXPECT_EQ(doc.ReadByte(layout::StereoLinkOffset), 2);
    EXPECT_EQ(C("EDFileAss_4").colour, Lilac);
    EXPECT_FALSE(mixer->Tracks().AcceptsDrop("EDFileAss_1", "EDFileAss_4"));
    // Both boxes of the pair hold the link, so writing every control keeps it.
    mixer->PrepareSave();
    EXPECT_EQ(doc.ReadByte(layout::StereoLinkOffset), 2);
    mixer->Controls().SetChecked("CBStereo_3", false);
    EXPECT_EQ(mixer->Controls().Strip(3).panelColour, Black);
    EXPECT_EQ(C("EDFileAss_4").colour, Red);  // B.WAV does not exist

    // Loaded links disable each pair's second track and nothing beyond it.
    Bytes linked = Named({});
    linked[layout::StereoLinkOffset] = 0x01 | 0x08;  // tracks 1+2 and 7+8
    doc.MarkSaved();
    Load(linked);
    std::vector<bool> enabled;
    for (int k = 0; k < 10; ++k) enabled.push_back(mixer->Controls().Strip(k).enabled);
    EXPECT_EQ(enabled, (std::vector<bool>{true, false, true, true, true, true, true, false, true, true}));
    EXPECT_TRUE(C("EDFileAss_3").enabled);
    EXPECT_FALSE(C("EDFileAss_8").enabled);

    // With three tracks the partner of track 3 would be the all-strip: it stays usable.
    mixer->Controls().Relayout(3);
    mixer->Controls().SetChecked("CBStereo_3", true);
    EXPECT_TRUE(mixer->Controls().Strip(3).enabled);
}

TEST_F(MixerControls, SavingCleansNamesAndWritesEveryControlWithoutAltResetsButLeavesAShortFile) {
    Load(Named({"", "my.song"}));
    mixer->Controls().SetText("EditProjName", " ABC ");
    EXPECT_EQ(actions.calls, std::vector<std::string>{"name ABC"});
    EXPECT_EQ(doc.ReadString(52, 8), std::string("ABC\0\0\0\0\0", 8));
    mixer->Controls().SetPosition("TBFader_1", 77);
    doc.WriteZDTByte(layout::FaderBase, 5);  // the controls win on saving
    QuickSave();
    Bytes saved = ReadBytes(ProjectFile());
    EXPECT_EQ(saved[layout::FaderBase], 77);
    EXPECT_EQ(ReadWavName(saved, layout::WavNameOffset(1)), "MY_SONG.WAV");  // a full stop in the name part goes
    EXPECT_FALSE(doc.DataChanged());

    // A short file is neither filled into nor grown by the controls.
    Load(Bytes(50, 7));
    EXPECT_EQ(C("TBPan_1").value, 50);
    QuickSave();
    EXPECT_EQ(ReadBytes(ProjectFile()), Bytes(50, 7));
}

TEST_F(MixerControls, InfoLineEffectsAndHintsFollowTheProjectAndTheLanguage) {
    Bytes data = BlankProject();
    data[layout::RecordingDepthOffset] = 1;
    data[layout::InsertRecordingFlagOffset] = 1;
    Load(data);
    EXPECT_EQ(mixer->Menu().Effects().insert, "(Keine EFXDATA.ZDT)");
    EXPECT_EQ(MixerMenu::EffectLabelColour(mixer->Menu().Effects().insert), Window);
    EXPECT_EQ(MixerMenu::EffectLabelColour("Comp; 4(?)"), Red);
    const ProjectInfoTexts& info = mixer->Menu().InfoTexts();
    EXPECT_NE(info.infoLine.find("(24-bit f. "), std::string::npos);
    EXPECT_EQ(info.infoLine.substr(info.infoLine.size() - 3), "WET");
    EXPECT_EQ(info.fileLabelHint.rfind(session.LoadedZDTFileName + "    [Total TIME", 0), 0u);

    // The file fields' hints name the project just loaded, not the one before.
    for (const char* name : {"SONG1", "OTHER"}) {
        Load(ProjectBytes({.name = name, .wavNames = {"A.WAV"}, .masterWav = "M.WAV", .deviceDefaults = true}));
        for (const char* field : {"EDFileAss_1", "EDFileAss_17"})
            EXPECT_NE(C(field).hint.find(std::string("\"") + name + "\""), std::string::npos) << field << " " << name;
    }

    SetTxt(228, "(Alt+Klick: Standard)");
    mixer->Controls().UpdateAllHints();
    EXPECT_EQ(C("TBPan_2").hint, "Pan:  C\n(Alt+Klick: Standard) ");
    SetTxt(228, DefaultTxt(228));
}

}  // namespace
}  // namespace spurwerk::testing
