#include <gtest/gtest.h>

#include "mixer/file_picker.h"
#include "mixer_test_fixture.h"

namespace spurwerk::testing {
namespace {

namespace fs = std::filesystem;

class MixerFilePicker : public MixerTest {
protected:
    void SetUp() override {
        WriteWav(Audio() / "TAKE1.WAV", 1000);
        WriteWav(Audio() / "DRUMS.WAV", 1000);
        Load(Named({"", "", "TAKE1.WAV"}));
    }
};

TEST_F(MixerFilePicker, RenamesFileAndAssignmentTogether) {
    FilePicker picker(*mixer);
    picker.Open("EDFileAss_3");
    EXPECT_EQ(picker.Files(), (std::vector<std::string>{"DRUMS.WAV", "TAKE1.WAV"}));
    EXPECT_EQ(picker.NameColour(), colours::Silver);
    picker.EditName("SOLO");
    EXPECT_EQ(picker.NameColour(), colours::Red);
    EXPECT_EQ(picker.ButtonCaption(), "Datei und Zuordnung umbenennen:\r\n( TAKE1.WAV --> SOLO.WAV )");
    picker.DoChange();
    EXPECT_FALSE(picker.IsOpen());
    EXPECT_TRUE(fs::exists(Audio() / "SOLO.WAV") && !fs::exists(Audio() / "TAKE1.WAV"));
    EXPECT_EQ(ReadWavName(doc.ZDTData(), layout::WavNameOffset(2)), "SOLO.WAV");
    EXPECT_EQ(C("EDFileAss_3").colour, colours::Window);
}

TEST_F(MixerFilePicker, AnExistingTargetChangesOnlyTheAssignment) {
    FilePicker picker(*mixer);
    WriteWav(Audio() / "SOLO.WAV", 1000);
    picker.Open("EDFileAss_3");
    picker.ClickFile("SOLO.WAV");
    EXPECT_EQ(picker.NameColour(), colours::Green);
    picker.DoChange();
    EXPECT_TRUE(fs::exists(Audio() / "TAKE1.WAV"));
    EXPECT_EQ(C("EDFileAss_3").text, "SOLO.WAV");

    // A name another track already holds is yellow.
    picker.Open("EDFileAss_1");
    picker.EditName("SOLO");
    EXPECT_EQ(picker.NameColour(), colours::Yellow);
    picker.Cancel();
    EXPECT_EQ(C("EDFileAss_1").text, "");
}

TEST_F(MixerFilePicker, TheNameEditKeepsOnlyAllowedCharactersAndAutomaticCreationCleansNames) {
    FilePicker picker(*mixer);
    picker.Open("EDFileAss_1");
    EXPECT_EQ(picker.EditName("Gär.x"), "G_r_x");
    EXPECT_EQ(picker.NewName(), "G_r_x.WAV");
    EXPECT_EQ(picker.EditName("GIT     .WAV"), "GIT     ");
    EXPECT_EQ(picker.NewName(), "GIT.WAV");
    EXPECT_EQ(picker.EditName("ABCDEFGHIJ"), "ABCDEFGH");
    picker.EditName("   ");
    EXPECT_EQ(picker.NewName(), "");
    picker.AcceptDoubleClick();
    EXPECT_EQ(C("EDFileAss_1").text, "");  // nothing to assign
    picker.Open("EDFileAss_1");
    picker.ChooseSuggestion(picker.Suggestions()[1]);
    picker.AcceptDoubleClick();
    EXPECT_EQ(C("EDFileAss_1").text, "GIT_C.WAV");

    // Automatic creation cleans the names and leaves the files to the main window.
    mixer->Controls().SetText("EDFileAss_5", "neu");
    picker.Open("EDFileAss_3");
    picker.AutoAssign();
    EXPECT_EQ(C("EDFileAss_5").text, "NEU.WAV");
    EXPECT_EQ(C("EDFileAss_3").text, "TAKE1.WAV");
    EXPECT_EQ(actions.calls, std::vector<std::string>{"create after report"});
}

}  // namespace
}  // namespace spurwerk::testing
