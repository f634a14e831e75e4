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
    static void SetMarks(Bytes& data, const std::vector<std::int32_t>& marks) {
        for (std::size_t i = 0; i < marks.size(); ++i)
            for (int b = 0; b < 4; ++b)
                data[layout::MarkTableOffset + 8 * i + b] = static_cast<std::uint8_t>(marks[i] >> (8 * b));
        data[layout::MarkCountOffset] = static_cast<std::uint8_t>(marks.size());
    }
};

TEST_F(MixerPopupMenu, WithoutMarksOrRecordingOnlyTheFileEntriesAreEnabled) {
    Load(BlankProject());
    for (const PopupEntry& e : mixer->Menu().Entries()) {
        bool markEntry = e.name == "PMSetMarkAtProjEnd" || e.name == "PMDeleteProjMarksGTRecEnd" ||
                         e.name == "PMDeleteAllProjMarks";
        if (!e.IsSeparator()) {
            EXPECT_EQ(e.enabled, !markEntry) << e.name;
        }
    }
    std::vector<PopupEntry> menu = mixer->Menu().Entries();
    ASSERT_EQ(menu.size(), 14u);
    EXPECT_EQ(menu[3].caption, "Schnellspeichern (nur Datei \"" + doc.LoadedZDTFileName + "\")");
    EXPECT_EQ(menu[4].caption, menu[3].caption + " unter ...");
    EXPECT_TRUE(menu[2].IsSeparator());
    mixer->Menu().Click("PMDeleteAllProjMarks");   // disabled: nothing asked
    EXPECT_EQ(dialogs.CountAsked("message"), 0);
}

TEST_F(MixerPopupMenu, MarksAfterTheRecordingEndEnableBothMarkEntries) {
    Bytes data = BlankProject();
    SetMarks(data, {1000, 9000});
    std::filesystem::create_directories(Audio());
    WriteWav(Audio() / "LONG.WAV", 7000);
    Load(data);
    EXPECT_TRUE(Enabled("PMSetMarkAtProjEnd"));
    EXPECT_TRUE(Enabled("PMDeleteProjMarksGTRecEnd"));
    EXPECT_TRUE(Enabled("PMDeleteAllProjMarks"));

    dialogs.messageAnswers = {ResultOk, ResultNo};  // confirm, keep marks after the end
    mixer->Menu().Click("PMSetMarkAtProjEnd");
    EXPECT_EQ(ListMarks(doc.ZDTData), (std::vector<std::int32_t>{1000, 7000, 9000}));
    EXPECT_FALSE(Enabled("PMSetMarkAtProjEnd"));
    EXPECT_TRUE(doc.DataChanged);
    EXPECT_NE(mixer->Menu().InfoTexts().nameLabelHint.find("(REC-END)"), std::string::npos);

    dialogs.messageAnswers = {ResultCancel};
    mixer->Menu().Click("PMDeleteProjMarksGTRecEnd");
    EXPECT_EQ(MarkCount(doc.ZDTData), 3);
    dialogs.messageAnswers = {ResultOk};
    mixer->Menu().Click("PMDeleteProjMarksGTRecEnd");
    EXPECT_EQ(ListMarks(doc.ZDTData), (std::vector<std::int32_t>{1000, 7000}));
    dialogs.messageAnswers = {ResultOk};
    mixer->Menu().Click("PMDeleteAllProjMarks");
    EXPECT_EQ(MarkCount(doc.ZDTData), 0);
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
