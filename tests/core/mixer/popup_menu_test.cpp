#include <gtest/gtest.h>

#include <set>

#include "mixer_test_fixture.h"
#include "project/play_marks.h"

namespace spurwerk::testing {
namespace {

class MixerPopupMenu : public MixerTest {
protected:
    // The enabled entries of those that need something to do.
    std::vector<std::string> Enabled() const {
        static const std::set<std::string> watched = {"PMUndo", "PMRedo", "PMSetMarkAtProjEnd",
                                                      "PMDeleteProjMarksGTRecEnd", "PMDeleteAllProjMarks"};
        std::vector<std::string> enabled;
        for (const PopupEntry& e : mixer->Menu().Entries())
            if (e.enabled && watched.count(e.name)) enabled.push_back(e.name);
        return enabled;
    }
};

TEST_F(MixerPopupMenu, MarkEntriesAreEnabledOnlyWhenTheyHaveSomethingToDo) {
    Bytes data = ProjectBytes({.name = "", .marks = {1000, 9000}, .deviceDefaults = true, .size = 3400});
    Load(data);  // no WAV file: no recording end
    EXPECT_EQ(Enabled(), std::vector<std::string>{"PMDeleteAllProjMarks"});
    WriteWav(Audio() / "LONG.WAV", 7000);
    Load(data);
    EXPECT_EQ(Enabled(), (std::vector<std::string>{"PMSetMarkAtProjEnd", "PMDeleteProjMarksGTRecEnd",
                                                       "PMDeleteAllProjMarks"}));

    dialogs.messageAnswers = {ResultOk, ResultNo};  // confirm, keep marks after the end
    mixer->Menu().Click("PMSetMarkAtProjEnd");
    EXPECT_EQ(ListMarks(doc.ZDTData()), (std::vector<std::int32_t>{1000, 7000, 9000}));
    EXPECT_NE(mixer->Menu().InfoTexts().nameLabelHint.find("(REC-END)"), std::string::npos);
    dialogs.messageAnswers = {ResultCancel};
    mixer->Menu().Click("PMDeleteProjMarksGTRecEnd");
    EXPECT_EQ(MarkCount(doc.ZDTData()), 3);
    dialogs.messageAnswers = {ResultOk};
    mixer->Menu().Click("PMDeleteProjMarksGTRecEnd");
    EXPECT_EQ(ListMarks(doc.ZDTData()), (std::vector<std::int32_t>{1000, 7000}));
    EXPECT_EQ(Enabled(), (std::vector<std::string>{"PMUndo", "PMDeleteAllProjMarks"}));
    dialogs.messageAnswers = {ResultOk};
    mixer->Menu().Click("PMDeleteAllProjMarks");
    EXPECT_EQ(MarkCount(doc.ZDTData()), 0);
    EXPECT_EQ(Enabled(), (std::vector<std::string>{"PMUndo", "PMSetMarkAtProjEnd"}));
    mixer->Menu().Click("PMDeleteAllProjMarks");  // disabled: nothing asked
    EXPECT_EQ(dialogs.CountAsked("message"), 5);
    mixer->Menu().Click("PMUndo");
    EXPECT_EQ(MarkCount(doc.ZDTData()), 2);
    EXPECT_EQ(Enabled(), (std::vector<std::string>{"PMUndo", "PMRedo", "PMDeleteAllProjMarks"}));
}

TEST_F(MixerPopupMenu, FileEntriesCallTheMainWindow) {
    Load(BlankProject());
    for (const char* entry : {"PMLoadZDTFile", "PMSearchZDTFile", "PMQuickSaveZDTFileAs", "PMSaveProject",
                              "PMCopyAProjectFromTo", "PMSaveZDTFileSerie", "PMSetInSubDirsMarkAtProjEnd", "PMTrackView"})
        mixer->Menu().Click(entry);
    std::vector<std::string> expected = {"open",   "search", "quicksave  3000", "saveas",
                                         "copy",   "series", "subdirs",         "trackview"};
    EXPECT_EQ(actions.calls, expected);
}

}  // namespace
}  // namespace spurwerk::testing
