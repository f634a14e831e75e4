// Messages joined from text parts read as English with the shipped English
// language file: word order, singular and plural, no line of bare punctuation.

#include "files/copy_project.h"
#include "files/directory_search.h"
#include "files/project_list.h"
#include "files/project_series.h"
#include "files_test_fixture.h"
#include "mixer/wav_list.h"
#include "settings/ini_file.h"
#include "settings/input_history.h"
#include "settings/language_file.h"
#include "settings/text_table.h"
#include "settings/ui_texts.h"

namespace spurwerk {
namespace {

using namespace testing;

class EnglishMessages : public FilesFixture {
protected:
    void SetUp() override {
        const fs::path file = fs::path(SPURWERK_DATA_DIR) / "Spurwerk_GUI_English.INI";
        if (!fs::exists(file)) GTEST_SKIP() << "the shipped language file is not reachable here: " << file;
        ASSERT_TRUE(LoadSaveLanguage(false, file.string(), {}, dialogs));
    }
    void TearDown() override { InitResStrArr(); }
};

TEST_F(EnglishMessages, TheEnglishFileGivesEveryText) {
    IniFile ini(fs::path(SPURWERK_DATA_DIR) / "Spurwerk_GUI_English.INI");
    for (int i = 0; i < static_cast<int>(UiText::Count); ++i) {
        const char* key = UiTextKey(static_cast<UiText>(i));
        EXPECT_FALSE(ini.ReadString(UiTextsSection, key, "").empty()) << key;
    }
}

TEST_F(EnglishMessages, ListsAndCountsUseSingularAndPlural) {
    EXPECT_EQ(NonExistentEntriesText(1), "1 entry that no longer exists:");
    EXPECT_EQ(NonExistentEntriesText(3), "3 entries that no longer exist:");
    EXPECT_EQ(WavListHeader(1, 0, 0), "1 WAV file,  0 of 1 assigned to tracks!");
    EXPECT_EQ(WavListHeader(4, 3, 0), "4 WAV files,  3 of them assigned to tracks!");

    MakeProject("card/PRJ001", ProjectSetup{.name = "ROCK"});
    ProjectList list;
    SearchInSubDirs(Folder("card"), "", true, false, doc, list, dialogs);
    EXPECT_EQ(list.Message().substr(0, 11), "1 file (of ");
    EXPECT_NE(list.Message().find(") found in \"" + Folder("card") + "\" (and subfolders)!"), std::string::npos);
    MakeProject("card/PRJ002", ProjectSetup{.name = "POP"});
    SearchInSubDirs(Folder("card"), "", true, false, doc, list, dialogs);
    EXPECT_EQ(list.Message().substr(0, 12), "2 files (of ");
}

TEST_F(EnglishMessages, QuestionsPutTheVerbFirst) {
    DirectorySearch search;
    ProjectList list;
    dialogs.folderAnswers = {""};  // no folder chosen
    search.Run(DirectoryRunKind::Search, false, session, list, dialogs, {});
    ASSERT_FALSE(dialogs.asked.empty());
    EXPECT_EQ(dialogs.asked[0].text.substr(0, dialogs.asked[0].text.find('\r')),
              "Search for (project name) files in folders!");

    doc.ReplaceZDTData(ProjectBytes(ProjectSetup{.name = "SONG"}));
    fs::create_directories(dir / "card");
    ProjectSeries series;
    series.baseDirSerie = Folder("card");
    series.serieCount = 2;
    series.AnySerieChange();
    dialogs.messageAnswers = {ResultCancel};
    EXPECT_EQ(series.OkClick(context), 0);
    EXPECT_EQ(dialogs.asked.back().text, "Create the projects/folders from \"" + Folder("card") + NativePath("PROJ001/") +
                                             "\" to \"" + Folder("card") + NativePath("PROJ002/") +
                                             "\"?\r\n\r\nStart?");
}

TEST_F(EnglishMessages, CopyMessagesEndTheirSentences) {
    MakeProject("S", ProjectSetup{}, {{"A.WAV", 100}});
    dialogs.messageAnswers = {ResultOk, ResultOk};
    ASSERT_TRUE(CopyProjectCommand(context, Folder("S"), (dir / "T").string()));
    for (const auto& question : dialogs.asked)
        for (const char* lone : {"\n.", "\n!", "\n ."}) EXPECT_EQ(question.text.find(lone), std::string::npos) << question.text;
    EXPECT_NE(dialogs.asked.back().text.find("copied\r\n\r\n  from \""), std::string::npos) << dialogs.asked.back().text;
}

}  // namespace
}  // namespace spurwerk
