// Reading a project into the controls and writing them back.

#include <gtest/gtest.h>

#include "mixer_test_fixture.h"
#include "project/project_info.h"
#include "settings/text_table.h"

namespace spurwerk::testing {
namespace {

class MixerControls : public MixerTest {};

TEST_F(MixerControls, ReadingClampsOutOfRangeValuesWithoutMarkingTheDocumentChanged) {
    Bytes data = BlankProject();
    data[layout::PanBase] = 200;                                        // track 1 pan
    data[layout::BandBlock(1, 0) + layout::BandGainOffset] = 30;        // track 2 high gain
    data[layout::WavNameOffset(2)] = 0;                                 // track 3: starts with NUL
    data[layout::WavNameOffset(2) + 1] = 'X';
    Load(data);
    EXPECT_EQ(C("TBPan_1").value, 100);
    EXPECT_EQ(C("TBPan_1").hint.rfind("Pan:  R100", 0), 0u);
    EXPECT_EQ(doc.ReadByte(layout::PanBase), 100);
    EXPECT_EQ(C("TBEQxH_2").value, -12);
    EXPECT_EQ(doc.ReadByte(layout::BandBlock(1, 0) + layout::BandGainOffset), 24);
    EXPECT_EQ(C("EDFileAss_3").text, "");
    EXPECT_FALSE(doc.DataChanged());
    // Nothing else was touched: only the two clamped bytes differ from the file.
    Bytes file = ReadBytes(ProjectFile());
    int differences = 0;
    for (std::size_t i = 0; i < file.size(); ++i) differences += file[i] != doc.ZDTData()[i];
    EXPECT_EQ(differences, 2);
}

TEST_F(MixerControls, AFieldThatShowedANameWritesTwelveNulsBackWhenItsBytesStartWithANul) {
    Bytes data = BlankProject();
    const char* name = "GIT_C.WAV";
    for (int i = 0; name[i]; ++i) data[layout::WavNameOffset(0) + i] = static_cast<std::uint8_t>(name[i]);
    Load(data);
    EXPECT_EQ(C("EDFileAss_1").text, "GIT_C.WAV");
    Bytes second = data;
    second[layout::WavNameOffset(0)] = 0;   // "\0IT_C.WAV"
    Load(second);
    EXPECT_EQ(C("EDFileAss_1").text, "");
    EXPECT_EQ(doc.ReadString(layout::WavNameOffset(0), 12), std::string(12, '\0'));
    EXPECT_FALSE(doc.DataChanged());
}

TEST_F(MixerControls, StatusesAndBoxesShowTheirColoursAfterReading) {
    Bytes data = BlankProject();
    data[layout::RecordMaskOffset] = 0x02;                  // track 2 record (play bit set too)
    data[layout::PlayMaskOffset] = 0xFE;                    // track 1 off
    data[layout::BandBlock(3, 1) + layout::BandOnOffset] = 7;  // track 4 mid band on (any non-zero)
    data[layout::InvertBase + 4] = 1;                       // track 2 invert
    data[layout::StereoLinkOffset] = 0x80;                  // tracks 15+16 linked
    Load(data);
    EXPECT_EQ(C("ShStatus_2").colour, colours::Red);
    EXPECT_EQ(C("ShStatus_1").colour, colours::Grey);
    EXPECT_EQ(C("ShStatus_3").colour, colours::Green);
    EXPECT_EQ(C("CBEQxM_4").colour, colours::Red);
    EXPECT_EQ(doc.ReadByte(layout::BandBlock(3, 1)), 1);   // the box wrote its state back as 1
    EXPECT_EQ(C("CBInvert_2").colour, colours::Red);
    EXPECT_TRUE(C("CBStereo_15").Checked());
    EXPECT_FALSE(mixer->Controls().Strip(15).enabled);
    EXPECT_EQ(mixer->Controls().Strip(15).panelColour, colours::Maroon);
    EXPECT_FALSE(C("EDFileAss_16").enabled);
    EXPECT_FALSE(doc.DataChanged());

    // Clicking track 2's status (red -> green) writes record 0, play 1 for bit 1.
    mixer->Tracks().StatusMouseDown("ShStatus_2");
    EXPECT_EQ(doc.ReadWord(layout::RecordMaskOffset) & 2, 0);
    EXPECT_EQ(doc.ReadWord(layout::PlayMaskOffset) & 2, 2);
    EXPECT_TRUE(doc.DataChanged());
}

TEST_F(MixerControls, SavingCleansNamesAndWritesEveryControl) {
    Bytes data = BlankProject();
    const char* name = "my song";
    for (int i = 0; name[i]; ++i) data[layout::WavNameOffset(1) + i] = static_cast<std::uint8_t>(name[i]);
    Load(data);
    dialogs.keys.alt = true;  // held by chance: saving must not reset sliders
    mixer->Controls().SetPosition("TBFader_1", 77);
    dialogs.keys.alt = false;
    EXPECT_EQ(C("TBFader_1").value, 0);   // a user change with Alt resets
    mixer->Controls().SetPosition("TBFader_1", 77);
    doc.WriteZDTByte(layout::FaderBase, 5);   // the controls win on saving
    dialogs.keys.alt = true;
    DocumentContext context{doc, dialogs, *mixer, ""};
    ASSERT_TRUE(QuickSaveLoadedZDTFile(context, doc.LoadedZDTFileName, 100));
    Bytes saved = ReadBytes(ProjectFile());
    EXPECT_EQ(saved[layout::FaderBase], 77);
    EXPECT_EQ(ReadWavName(saved, layout::WavNameOffset(1)), "MY_SONG.WAV");
    EXPECT_EQ(C("EDFileAss_2").text, "MY_SONG.WAV");
    EXPECT_FALSE(doc.DataChanged());
}

TEST_F(MixerControls, AShortFileIsNeitherFilledIntoNorGrownByTheControls) {
    Create();
    Load(Bytes(50, 7));
    EXPECT_EQ(C("TBPan_1").value, 50);
    DocumentContext context{doc, dialogs, *mixer, ""};
    ASSERT_TRUE(QuickSaveLoadedZDTFile(context, doc.LoadedZDTFileName, 100));
    EXPECT_EQ(ReadBytes(ProjectFile()), Bytes(50, 7));
}

TEST_F(MixerControls, EffectLabelsAndInfoLineFollowTheLoadedProject) {
    Bytes data = BlankProject();
    data[layout::RecordingDepthOffset] = 1;
    data[layout::InsertRecordingFlagOffset] = 1;
    Load(data);
    EXPECT_EQ(mixer->Menu().Effects().insert, "(Keine EFXDATA.ZDT)");
    EXPECT_EQ(MixerMenu::EffectLabelColour(mixer->Menu().Effects().insert), colours::Window);
    EXPECT_EQ(MixerMenu::EffectLabelColour("Comp; 4(?)"), colours::Red);
    const ProjectInfoTexts& info = mixer->Menu().InfoTexts();
    EXPECT_NE(info.infoLine.find("(24-bit f. "), std::string::npos);
    EXPECT_EQ(info.infoLine.substr(info.infoLine.size() - 3), "WET");
    EXPECT_EQ(info.loadedFile, doc.LoadedZDTFileName);
    EXPECT_EQ(info.fileLabelHint.rfind(doc.LoadedZDTFileName + "    [Total TIME", 0), 0u);
    EXPECT_NE(info.quickSaveHint.find("\"" + doc.LoadedZDTFileName + "\" unter gleichem Namen."), std::string::npos);
}

TEST_F(MixerControls, HintsFollowALanguageChange) {
    Load(BlankProject());
    EXPECT_EQ(C("TBPan_2").hint, "Pan:  C\n" + Txt(228) + " ");
    SetTxt(228, "(Alt+Klick: Standard)");
    SetTxt(235, "Phase");
    mixer->Controls().UpdateAllHints();
    EXPECT_EQ(C("TBPan_2").hint, "Pan:  C\n(Alt+Klick: Standard) ");
    EXPECT_EQ(C("CBInvert_16").hint, "Phase ");
    SetTxt(228, DefaultTxt(228));
    SetTxt(235, DefaultTxt(235));
}

}  // namespace
}  // namespace spurwerk::testing
