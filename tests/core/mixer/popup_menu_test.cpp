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

TEST_F(MixerPopupMenu, EntriesKeysAndLabelClicksStartTheMainWindowsActions) {
    Load(BlankProject());
    for (const char* entry : {"PMLoadZDTFile", "PMSearchZDTFile", "PMQuickSaveZDTFileAs", "PMSaveProject",
                              "PMCopyAProjectFromTo", "PMSaveZDTFileSerie", "PMSetInSubDirsMarkAtProjEnd", "PMTrackView"})
        mixer->Menu().Click(entry);
    // The modifiers come with the key; the keyboard may hold none by the time it is handled.
    const KeyState none{}, ctrl{.ctrl = true}, ctrlShift{.ctrl = true, .shift = true};
    const struct {
        MixerKey key;
        KeyState keys;
        bool consumed;
    } cases[] = {
        {MixerKey::L, none, false}, {MixerKey::L, ctrl, true},      {MixerKey::S, ctrl, false},
        {MixerKey::S, ctrlShift, true}, {MixerKey::L, ctrlShift, false},
    };
    for (const auto& c : cases) EXPECT_EQ(mixer->Menu().KeyDown(c.key, c.keys), c.consumed);
    mixer->Menu().LoadedFileLabelClick(none);
    mixer->Menu().LoadedFileLabelDoubleClick();
    std::vector<std::string> expected = {"open", "search", "quicksave  3000", "saveas", "copy", "series", "subdirs",
                                         "trackview", "open", "quicksave " + session.LoadedZDTFileName + " 3000",
                                         "search"};
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

TEST_F(MixerPopupMenu, QuickSaveHintNamesTheFileOnlyWhenTheClickSavesWithoutAsking) {
    const std::string named = BuildProjectInfoTexts(BlankProject(), "C:\\P\\PRJDATA.ZDT", 0).quickSaveHint;
    EXPECT_NE(named.find("\"C:\\P\\PRJDATA.ZDT\" unter gleichem Namen"), std::string::npos) << named;
    EXPECT_EQ(BuildProjectInfoTexts(BlankProject(), "", 0).quickSaveHint.find('"'), std::string::npos);
}

}  // namespace
}  // namespace spurwerk::testing
