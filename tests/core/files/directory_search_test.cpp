// The search walk, its filter rules and list lines, and the info-file runs.

#include <algorithm>

#include "files/directory_search.h"
#include "files/info_files.h"
#include "files/project_list.h"
#include "files_test_fixture.h"
#include "io/directory_walk.h"
#include "project/value_texts.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

using namespace testing;

class DirectorySearchTest : public FilesFixture {
protected:
    DirectorySearchTest() {
        list.lineOptions.minListFileLength = 10;
        list.lineOptions.listWavFileDate = false;
    }
    std::vector<std::string> Search(const std::string& filter, bool prj, bool wav) {
        SearchInSubDirs(Folder("card"), CleanSearchFilter(filter), prj, wav, doc, list, dialogs);
        return list.Lines();
    }
    ProjectList list;
};

TEST_F(DirectorySearchTest, FilterMatchesFileOrProjectNameAndSelectsKinds) {
    MakeProject("card/PRJ001", ProjectSetup{.name = "Ballade"}, {{"BASS.WAV", 1500}});
    MakeProject("card/PRJ002", ProjectSetup{.name = "ROCK"});
    WriteBytes(dir / "card" / "README.TXT", TextBytes("x"));

    EXPECT_EQ(CleanSearchFilter(" *bal* "), "BAL");
    auto lines = Search("*bal*", true, false);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind(Folder("card") + NativePath("PRJ001/PRJDATA.ZDT"), 0), 0u);
    EXPECT_EQ(list.Message(), "1 Dateien (v. 4) in \"" + Folder("card") + "\" (u. Unterverz.) gefunden!");

    lines = Search("bass", false, true);  // WAV files by file name only
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("BASS.WAV"), std::string::npos);
    EXPECT_NE(lines[0].find(" [t=      1s500, 1x44.1KHz, 16-Bit]"), std::string::npos);

    lines = Search("", false, false);  // no selection: every file
    EXPECT_EQ(lines.size(), 4u);
    lines = Search("read", false, false);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("README.TXT"), std::string::npos);
}

TEST_F(DirectorySearchTest, ProjectLinesPadShortNamesAndDescribeTheAudio) {
    MakeProject("card/PRJ001", ProjectSetup{.name = "AB", .bits24 = true, .wet = true},
                {{"T1.WAV", 2000}, {"T2.WAV", 4500}});
    fs::create_directories(dir / "card" / "PRJ001" / "AUDIO" / "X.WAV");
    MakeProject("card/PRJ002", ProjectSetup{.name = "EMPTY"});
    list.lineOptions.trackInfos.groups = {"Status"};
    list.lineOptions.trackInfos.trackCount = 2;
    list.lineOptions.useTrackInfos = true;

    auto lines = Search("", true, false);
    ASSERT_EQ(lines.size(), 2u);
    const std::string& a = lines[0];
    std::size_t nameAt = a.find("##  ZDT-Proj.: \"AB\"        24B.,WET!!  Status= --");
    EXPECT_NE(nameAt, std::string::npos) << a;
    EXPECT_NE(a.find(" [t=      4s500max.]  WAV-Dat.: 2: "), std::string::npos) << a;
    EXPECT_NE(a.find("WAV-Dat.: 2:        T1.WAV(172.3kb)       T2.WAV(387.6kb)"), std::string::npos) << a;
    EXPECT_EQ(a.find("X.WAV"), std::string::npos);  // a folder is no WAV file
    // The file date between the markers.
    std::size_t date = a.find("     ## ");
    ASSERT_NE(date, std::string::npos);
    EXPECT_EQ(a.substr(date + 8 + 17, 2), " #");

    EXPECT_NE(lines[1].find("\"EMPTY\"     16B.,DRY    Status= -- [t=" + MillisecondsText(0) + " (keine WAV-Dat.))]"),
              std::string::npos)
        << lines[1];
}

TEST_F(DirectorySearchTest, HiddenFoldersAreNeverEnteredAndAClickCanAbort) {
    MakeProject("card/PRJ001", ProjectSetup{});
    MakeProject("card/.Trash/PRJ004", ProjectSetup{});
    MakeProject("card/B/PRJ010", ProjectSetup{});
    EXPECT_EQ(Search("", true, false).size(), 2u);

    dialogs.abortAnswers = {false, true};
    EXPECT_THROW(Search("", true, false), SilentAbort);
    EXPECT_EQ(dialogs.CountAsked("abort"), 2);
}

TEST_F(DirectorySearchTest, RunAsksFolderAndFilterOnceThenRepeatsSilently) {
    MakeProject("card/PRJ001", ProjectSetup{.name = "SONG"});
    MakeProject("card/PRJ002", ProjectSetup{.name = "ROCK"});
    DirectorySearch search;
    dialogs.folderAnswers = {(dir / "card").string()};
    dialogs.inputAnswers = {{"*rock", false, false, true}};
    search.Run(DirectoryRunKind::Search, false, doc, list, dialogs);
    EXPECT_EQ(search.baseDirSearch, Folder("card"));
    EXPECT_EQ(search.filter, "ROCK");
    EXPECT_EQ(list.Lines().size(), 1u);
    EXPECT_NE(AskedText(0).find("(Pr.Name-)Dateien in Verzeichnissen suchen!\r\n"), std::string::npos);

    std::size_t asked = dialogs.asked.size();
    search.Run(DirectoryRunKind::Search, true, doc, list, dialogs);  // e.g. "kompakt" clicked
    EXPECT_EQ(dialogs.asked.size(), asked);
    EXPECT_EQ(list.Lines().size(), 1u);

    // Cancel in the folder dialog changes nothing.
    dialogs.folderAnswers = {""};
    EXPECT_EQ(search.Run(DirectoryRunKind::DeleteAllInfoFiles, false, doc, list, dialogs), "");
    EXPECT_NE(dialogs.asked.back().text.find("ALLE (Pr.Name-)Dateien in Verzeichnissen löschen!!"),
              std::string::npos);
}

TEST_F(DirectorySearchTest, InfoFilesAreKeptInStepWithProjectNames) {
    std::string one = MakeProject("card/PRJ001", ProjectSetup{.name = "ALT"});
    MakeProject("card/PRJ002", ProjectSetup{.name = "ZWEI"});
    MakeProject("card/.hidden/PRJ003", ProjectSetup{.name = "DREI"});
    std::vector<std::string> labels;
    InfoFileLabel label = [&](const std::string& name) { labels.push_back(name); };

    InfoFileRunCounts counts;
    std::string message = UpdateInfoFiles(Folder("card"), doc, list, dialogs, label, &counts);
    EXPECT_EQ(counts.found, 2);
    EXPECT_EQ(counts.changed, 2);
    EXPECT_EQ(message, "2 Pr.Name-Dateien von 2 ZDT-Dateien in \"" + Folder("card") + "\" (u.Unterverz.) erstellt/geändert!");
    EXPECT_EQ(ReadText(dir / "card/PRJ001/PRJDATA___ALT_NAME.TXT"), Folder("card") + NativePath("PRJ001/PRJDATA___ALT_NAME.TXT") + "\r\n");
    EXPECT_EQ(labels.size(), 2u);

    // Renamed: the update adds the new name, delete-unassigned removes the old one.
    WriteBytes(one, ProjectBytes(ProjectSetup{.name = "NEU"}));
    UpdateInfoFiles(Folder("card"), doc, list, dialogs, label, &counts);
    EXPECT_EQ(counts.changed, 1);
    WriteBytes(dir / "card/PRJ002/PRJDATA___OHNE_NAME.TXT", TextBytes("x"));
    fs::remove(dir / "card/PRJ002/PRJDATA.ZDT");
    message = DeleteInfoFiles(Folder("card"), false, doc, list, dialogs, label, &counts);
    EXPECT_EQ(counts.found, 4);
    EXPECT_EQ(counts.changed, 3);
    EXPECT_FALSE(fs::exists(dir / "card/PRJ001/PRJDATA___ALT_NAME.TXT"));
    EXPECT_TRUE(fs::exists(dir / "card/PRJ001/PRJDATA___NEU_NAME.TXT"));
    EXPECT_FALSE(fs::exists(dir / "card/PRJ002/PRJDATA___ZWEI_NAME.TXT"));
    EXPECT_EQ(message, "3 von 4 Pr.Name-Dateien in \"" + Folder("card") + "\" (u.Unterverz.) gelöscht!");

    DeleteInfoFiles(Folder("card"), true, doc, list, dialogs, label, &counts);
    EXPECT_EQ(counts.changed, 1);
    EXPECT_FALSE(fs::exists(dir / "card/PRJ001/PRJDATA___NEU_NAME.TXT"));
}

TEST_F(DirectorySearchTest, UnsafeProjectNamesCreateNoInfoFile) {
    fs::create_directories(dir / "p");
    std::string project = (dir / "p" / "PRJDATA.ZDT").string();
    for (const char* name : {"../../X", "A/B", "A\\B", "A:B", "..", "A?", "A\x1F"})
        EXPECT_FALSE(CreateInfoFile(project, name, {})) << name;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "p"), fs::directory_iterator()), 0);
    EXPECT_TRUE(CreateInfoFile(project, "OK 1", {}));
    EXPECT_FALSE(CreateInfoFile(project, "OK 1", {}));  // exists already

    EXPECT_EQ(ProjectFileOfInfoFile("/a___b/PRJ1/PRJDATA___X_NAME.TXT"), "/a___b/PRJ1/PRJDATA.ZDT");
    EXPECT_EQ(ProjectFileOfInfoFile("/a/PRJDATA_NAME.TXT"), "");
}

}  // namespace
}  // namespace spurwerk

namespace spurwerk {
namespace {

using namespace testing;

TEST(ProjectFileRule, OnlyVisibleZdtFilesWithPrjAreProjects) {
    struct Case {
        const char* upperName;
        bool project;
    } cases[] = {
        {"PRJDATA.ZDT", true},         {"MYPRJ.ZDT", true},
        {"PRJDATA.ZDT.BAK", false},    {".PRJDATA.ZDT.TMP123456", false},
        {".PRJDATA.ZDT", false},       {"PRJDATA___SONG_NAME.TXT", false},
        {"PRJDATA.ZDT___X_NAME.TXT", false}, {"EFXDATA.ZDT", false},
        {"PRJ.ZDT.ZDT", true},         {".ZDT", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsProjectFileName(c.upperName), c.project) << c.upperName;
}

class WalkFaultsTest : public FilesFixture {
protected:
    ProjectList list;
};

TEST_F(WalkFaultsTest, BadEntriesAreReportedAndTheWalkGoesOn) {
#ifdef _WIN32
    GTEST_SKIP() << "links and FIFOs as POSIX has them";
#endif
    MakeProject("card/PROJ001", ProjectSetup{.name = "GOOD"});
    MakeProject("card/PROJ002", ProjectSetup{.name = "OTHER"});
    WriteBytes(dir / "card" / "PROJ001" / "PRJDATA.ZDT.BAK", ProjectBytes(ProjectSetup{.name = "BAK"}));
    WriteBytes(dir / "card" / "PROJ001" / ".PRJDATA.ZDT.tmp123", ProjectBytes(ProjectSetup{.name = "TMP"}));
    fs::create_directories(dir / "card" / "LINKS");
    fs::create_symlink("nowhere.ZDT", dir / "card" / "LINKS" / "PRJDATA.ZDT");
    fs::create_symlink("PRJLOOP.ZDT", dir / "card" / "LINKS" / "PRJLOOP.ZDT");
#ifndef _WIN32
    MakeFifo(dir / "card" / "PROJ002" / "PRJFIFO.ZDT");
#endif
    // Deeper than any card: reported, not followed.
    fs::path deep = dir / "card";
    for (int level = 0; level <= MaxWalkDepth + 1; ++level) deep /= "d";
    fs::create_directories(deep);

    SearchCounts counts;
    ExpectNoBlockOnFifo(dir / "card" / "PROJ002" / "PRJFIFO.ZDT", [&] {
        counts = SearchInSubDirs(Folder("card"), "", true, false, doc, list, dialogs);
    });
    std::vector<std::string> lines = list.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("\"GOOD\""), std::string::npos);
    EXPECT_NE(lines[1].find("\"OTHER\""), std::string::npos);
    ASSERT_EQ(counts.entryErrors.size(), 3u);
    std::string errors = EntryErrorsText(counts.entryErrors);
    EXPECT_NE(errors.find(NativePath("LINKS/PRJDATA.ZDT\": file not found")), std::string::npos) << errors;
    EXPECT_NE(errors.find("PRJLOOP.ZDT\": Too many levels of symbolic links"), std::string::npos) << errors;
    EXPECT_NE(errors.find("more than " + std::to_string(MaxWalkDepth) + " folder levels"), std::string::npos);

    // The info-file run takes the same projects, never a backup or a temporary file.
    InfoFileRunCounts infoCounts;
    UpdateInfoFiles(Folder("card"), doc, list, dialogs, {}, &infoCounts);
    EXPECT_EQ(infoCounts.found, 4);  // the two projects and the two broken links
    EXPECT_EQ(infoCounts.changed, 2);
    EXPECT_EQ(infoCounts.entryErrors.size(), 3u);
    EXPECT_FALSE(CreateInfoFile(PathText(dir / "card" / "PROJ001" / "PRJDATA.ZDT.BAK"), "BAK", {}));
    EXPECT_TRUE(fs::exists(dir / "card" / "PROJ001" / "PRJDATA___GOOD_NAME.TXT"));
    EXPECT_FALSE(fs::exists(dir / "card" / "PROJ001" / "PRJDATA___BAK_NAME.TXT"));
    EXPECT_FALSE(fs::exists(dir / "card" / "PROJ001" / "PRJDATA___TMP_NAME.TXT"));
}

}  // namespace
}  // namespace spurwerk
