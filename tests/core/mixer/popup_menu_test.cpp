#include <gtest/gtest.h>

#include <set>

#include "mixer_test_fixture.h"
#include "project/play_marks.h"
#include "settings/text_table.h"

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

TEST_F(MixerPopupMenu, TextsFollowALanguageChangeAtOnce) {
    WriteWav(Audio() / "ONE.WAV", 1000);
    Load(BlankProject());
    ASSERT_EQ(mixer->Menu().Effects().chorus, "(Keine EFXDATA.ZDT)");
    SetTxt(211, "No");
    SetTxt(262, "files");
    SetTxt(263, "of them assigned to tracks!");
    mixer->TextsChanged();
    const auto& efx = mixer->Menu().Effects();
    EXPECT_EQ((std::vector<std::string>{efx.insert, efx.chorus, efx.reverb}),
              std::vector<std::string>(3, "(No EFXDATA.ZDT)"));
    EXPECT_EQ(mixer->Files().WavFiles().lines.at(0), "1 WAV-files,  0 of them assigned to tracks!");
    InitResStrArr();
}

TEST_F(MixerPopupMenu, QuickSaveHintSaysWhetherTheClickAsksForAName) {
    struct Case {
        std::string loadedFile;
        std::string hint;
    };
    const Case cases[] = {
        {"C:\\P\\PRJDATA.ZDT", "Speichert nur die geöffnete ZDT-Datei \"C:\\P\\PRJDATA.ZDT\" unter gleichem Namen. "},
        {"", "Speichert nur die geöffnete ZDT-Datei unter ... "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BuildProjectInfoTexts(BlankProject(), c.loadedFile, 0).quickSaveHint, c.hint) << c.loadedFile;
}

}  // namespace
}  // namespace spurwerk::testing
