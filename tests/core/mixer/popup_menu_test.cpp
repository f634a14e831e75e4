#include <gtest/gtest.h>

#include "mixer_test_fixture.h"
#include "project/play_marks.h"

namespace spurwerk::testing {
namespace {

class MixerPopupMenu : public MixerTest {
protected:
    bool Enabled(const std::string& entry) const {
        for (const PopupEntry& e : mixer->Menu().Entries())
            if (e.name == entry) return e.enabled;
        ADD_FAILURE() << "no entry " << entry;
        return false;
    }
};

TEST_F(MixerPopupMenu, WithoutMarksOrRecordingOnlyTheFileEntriesAreEnabled) {
    Load(BlankProject());
    for (const PopupEntry& e : mixer->Menu().Entries()) {
        bool markEntry = e.name == "PMSetMarkAtProjEnd" || e.name == "PMDeleteProjMarksGTRecEnd" ||
                         e.name == "PMDeleteAllProjMarks" || e.name == "PMUndo" || e.name == "PMRedo";
        if (!e.IsSeparator()) {
            EXPECT_EQ(e.enabled, !markEntry) << e.name;
        }
    }
    std::vector<PopupEntry> menu = mixer->Menu().Entries();
    ASSERT_EQ(menu.size(), 17u);
    EXPECT_EQ(menu[0].caption, "Rückgängig");
    EXPECT_EQ(menu[6].caption, "Schnellspeichern (nur Datei \"" + doc.LoadedZDTFileName + "\")");
    EXPECT_EQ(menu[7].caption, menu[6].caption + " unter ...");
    EXPECT_TRUE(menu[5].IsSeparator());
    mixer->Menu().Click("PMDeleteAllProjMarks");   // disabled: nothing asked
    EXPECT_EQ(dialogs.CountAsked("message"), 0);
}

TEST_F(MixerPopupMenu, MarksAfterTheRecordingEndEnableBothMarkEntries) {
    Bytes data = ProjectBytes({.name = "", .marks = {1000, 9000}, .deviceDefaults = true, .size = 3400});
    std::filesystem::create_directories(Audio());
    WriteWav(Audio() / "LONG.WAV", 7000);
    Load(data);
    EXPECT_TRUE(Enabled("PMSetMarkAtProjEnd"));
    EXPECT_TRUE(Enabled("PMDeleteProjMarksGTRecEnd"));
    EXPECT_TRUE(Enabled("PMDeleteAllProjMarks"));

    dialogs.messageAnswers = {ResultOk, ResultNo};  // confirm, keep marks after the end
    mixer->Menu().Click("PMSetMarkAtProjEnd");
    EXPECT_EQ(ListMarks(doc.ZDTData()), (std::vector<std::int32_t>{1000, 7000, 9000}));
    EXPECT_FALSE(Enabled("PMSetMarkAtProjEnd"));
    EXPECT_TRUE(doc.DataChanged());
    EXPECT_NE(mixer->Menu().InfoTexts().nameLabelHint.find("(REC-END)"), std::string::npos);

    dialogs.messageAnswers = {ResultCancel};
    mixer->Menu().Click("PMDeleteProjMarksGTRecEnd");
    EXPECT_EQ(MarkCount(doc.ZDTData()), 3);
    dialogs.messageAnswers = {ResultOk};
    mixer->Menu().Click("PMDeleteProjMarksGTRecEnd");
    EXPECT_EQ(ListMarks(doc.ZDTData()), (std::vector<std::int32_t>{1000, 7000}));
    dialogs.messageAnswers = {ResultOk};
    mixer->Menu().Click("PMDeleteAllProjMarks");
    EXPECT_EQ(MarkCount(doc.ZDTData()), 0);
}

TEST_F(MixerPopupMenu, FileEntriesCallTheMainWindow) {
    Load(BlankProject());
    for (const char* entry : {"PMLoadZDTFile", "PMSearchZDTFile", "PMQuickSaveZDTFileAs", "PMSaveProject",
                              "PMCopyAProjectFromTo", "PMSaveZDTFileSerie", "PMSetInSubDirsMarkAtProjEnd"})
        mixer->Menu().Click(entry);
    std::vector<std::string> expected = {"open", "search", "quicksave  3000", "saveas", "copy", "series", "subdirs"};
    EXPECT_EQ(actions.calls, expected);
}

}  // namespace
}  // namespace spurwerk::testing
