// The common change handler: a value that changes is written, one that does
// not change raises nothing.

#include <gtest/gtest.h>

#include "mixer_test_fixture.h"

namespace spurwerk::testing {
namespace {

class MixerCtrlAction : public MixerTest {};

TEST_F(MixerCtrlAction, TheFaderOfTrackThreeWritesOnlyByte104) {
    Bytes data = BlankProject();
    for (int i = 104; i < 108; ++i) data[i] = 0xAA;
    Load(data);
    Bytes before = doc.ZDTData();
    observer.valueChanges.clear();
    EXPECT_TRUE(mixer->Controls().SetPosition("TBFader_3", 100));
    EXPECT_EQ(observer.valueChanges["TBFader_3"], 1);
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (i != 104) {
            ASSERT_EQ(doc.ZDTData()[i], before[i]) << "byte " << i;
        }
    }
    EXPECT_EQ(doc.ReadByte(104), 100);
    EXPECT_TRUE(doc.DataChanged());
    EXPECT_TRUE(C("TBFader_3").changeMark);
    EXPECT_EQ(C("TBFader_3").hint.rfind("100% ", 0), 0u);

    // The same value again raises nothing and writes nothing.
    doc.MarkSaved();
    EXPECT_FALSE(mixer->Controls().SetPosition("TBFader_3", 100));
    EXPECT_FALSE(doc.DataChanged());
    // Positions are clamped to the range.
    mixer->Controls().SetPosition("TBFader_3", 500);
    EXPECT_EQ(doc.ReadByte(104), 127);
}

TEST_F(MixerCtrlAction, MidBandBoxOfTrackFourWritesOneAt576AndShowsBlueThenRedAfterReload) {
    Load(BlankProject());
    mixer->Controls().SetChecked("CBEQxM_4", true);
    EXPECT_EQ(doc.ReadByte(576), 1);
    EXPECT_EQ(C("CBEQxM_4").colour, colours::Blue);
    // The gain slider is marked only while its band is on and its gain is not 0.
    EXPECT_FALSE(C("TBEQxM_4").changeMark);
    mixer->Controls().SetPosition("TBEQxM_4", -5);
    EXPECT_EQ(doc.ReadByte(576 + 12), 17);
    EXPECT_EQ(C("TBEQxM_4").hint.rfind("5db ", 0), 0u);
    EXPECT_TRUE(C("TBEQxM_4").changeMark);

    DocumentContext context{doc, dialogs, *mixer, ""};
    ASSERT_TRUE(QuickSaveLoadedZDTFile(context, doc.LoadedZDTFileName, 100));
    Load(ReadBytes(ProjectFile()));
    EXPECT_TRUE(C("CBEQxM_4").Checked());
    EXPECT_EQ(C("CBEQxM_4").colour, colours::Red);
}

TEST_F(MixerCtrlAction, UncheckingASendRemovesTheChangeMarkOfItsLevel) {
    Bytes data = BlankProject();
    data[layout::ReverbLevelBase] = 40;
    data[layout::ReverbOnMaskOffset] = 1;
    Load(data);
    EXPECT_TRUE(C("TBReverb_1").changeMark);
    mixer->Controls().SetChecked("CBReverb_1", false);
    EXPECT_FALSE(C("TBReverb_1").changeMark);
    EXPECT_EQ(C("CBReverb_1").colour, colours::Grey);
    EXPECT_EQ(doc.ReadWord(layout::ReverbOnMaskOffset) & 1, 0);
    EXPECT_EQ(doc.ReadByte(layout::ReverbLevelBase), 40);
}

TEST_F(MixerCtrlAction, AltResetPutsTheMidFrequencyBackToItsDefault) {
    Bytes data = BlankProject();
    data[layout::BandBlock(0, 1) + layout::BandFrequencyOffset] = 20;
    Load(data);
    dialogs.keys.alt = true;
    mixer->Controls().SetPosition("TBEQMidHz_1", 22);
    EXPECT_EQ(C("TBEQMidHz_1").value, 14);
    EXPECT_EQ(doc.ReadByte(layout::BandBlock(0, 1) + layout::BandFrequencyOffset), 14);
    EXPECT_EQ(C("TBEQMidHz_1").hint.rfind("Freq.: 1000 Hz \n(Default: 1000 Hz) ", 0), 0u);
    EXPECT_FALSE(C("TBEQMidHz_1").changeMark);
    // The same reset without Alt (double click, context entry).
    dialogs.keys.alt = false;
    mixer->Controls().SetPosition("TBEQMidHz_1", 22);
    EXPECT_TRUE(mixer->Controls().ResetToDefault("TBEQMidHz_1"));
    EXPECT_EQ(doc.ReadByte(layout::BandBlock(0, 1) + layout::BandFrequencyOffset), 14);
}

TEST_F(MixerCtrlAction, StereoLinkDisablesThePartnerAndColoursItsFieldLilac) {
    Bytes data = BlankProject();
    const char* name = "B.WAV";
    for (int i = 0; name[i]; ++i) data[layout::WavNameOffset(3) + i] = static_cast<std::uint8_t>(name[i]);
    Load(data);
    mixer->Controls().SetChecked("CBStereo_3", true);
    EXPECT_EQ(doc.ReadByte(layout::StereoLinkOffset), 2);
    EXPECT_EQ(C("CBStereo_3").colour, colours::Red);
    EXPECT_FALSE(mixer->Controls().Strip(3).enabled);
    EXPECT_EQ(mixer->Controls().Strip(3).panelColour, colours::Maroon);
    EXPECT_EQ(C("EDFileAss_4").colour, colours::Lilac);
    EXPECT_FALSE(mixer->Tracks().AcceptsDrop("EDFileAss_1", "EDFileAss_4"));
    // Both boxes of the pair hold the link, so writing every control keeps it.
    EXPECT_TRUE(C("CBStereo_4").Checked());
    mixer->PrepareSave();
    EXPECT_EQ(doc.ReadByte(layout::StereoLinkOffset), 2);
    mixer->Controls().SetChecked("CBStereo_3", false);
    EXPECT_TRUE(mixer->Controls().Strip(3).enabled);
    EXPECT_EQ(mixer->Controls().Strip(3).panelColour, colours::Black);
    EXPECT_EQ(C("EDFileAss_4").colour, colours::Red);  // B.WAV does not exist

    // With three tracks the partner of track 3 would be the all-strip: it stays usable.
    mixer->Controls().Relayout(3);
    mixer->Controls().SetChecked("CBStereo_3", true);
    EXPECT_TRUE(mixer->Controls().Strip(3).enabled);
    EXPECT_TRUE(C("EDFileAss_4").enabled);
}

TEST_F(MixerCtrlAction, ProjectNameFieldWritesPaddedNameAndTellsTheMainWindow) {
    Load(BlankProject());
    struct NameActions : MixerActions {
        std::string shown;
        void ShowProjectName(const std::string& name) override { shown = name; }
    } names;
    mixer->SetActions(&names);
    mixer->Controls().SetText("EditProjName", " ABC ");
    EXPECT_EQ(names.shown, "ABC");
    EXPECT_EQ(doc.ReadString(52, 8), std::string("ABC\0\0\0\0\0", 8));
    EXPECT_TRUE(doc.DataChanged());
    EXPECT_NE(C("EDFileAss_1").hint.find("Projekt \""), std::string::npos);
}

}  // namespace
}  // namespace spurwerk::testing
