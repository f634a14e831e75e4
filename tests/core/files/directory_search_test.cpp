// The search walk, its filter rules and list lines, the info-file runs, and the
// project list's sort, entries, date formats and track-info groups.

#include <tuple>

#include "files/date_time_text.h"
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
    MakeProject("card/.Trash/PRJ004", ProjectSetup{.name = "Ballade"});  // hidden: never entered
    WriteBytes(dir / "card" / "README.TXT", TextBytes("x"));

    EXPECT_EQ(CleanSearchFilter(" *bal* "), "BAL");
    auto lines = Search("*bal*", true, false);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind(Folder("card") + NativePath("PRJ001/PRJDATA.ZDT"), 0), 0u);
    EXPECT_EQ(list.Message(), "1 Dateien (v. 4) in \"" + Folder("card") + "\" (u. Unterverz.) gefunden!");

    lines = Search("bass", false, true);  // WAV files by file name only
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("BASS.WAV"), std::string::npos);
    EXPECT_NE(lines[0].find(" [t=      1s500, 1x44.1KHz, 16-Bit]"), std::string::npos) << lines[0];
    EXPECT_EQ(Search("", false, false).size(), 4u);  // no selection: every file
    EXPECT_NE(Search("read", false, false).at(0).find("README.TXT"), std::string::npos);
    EXPECT_THROW(SearchInSubDirs(Folder("nowhere"), "", true, true, doc, list, dialogs), FileError);

    dialogs.abortAnswers = {false, true};
    EXPECT_THROW(Search("", true, false), SilentAbort);
    EXPECT_EQ(dialogs.CountAsked("abort"), 2);
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
    // The file date between the markers; a folder named like a WAV file is no WAV file.
    EXPECT_NE(lines[0].find(" ##  ZDT-Proj.: \"AB\"        24B.,WET!!  Status= -- [t=      4s500max.]  "
                            "WAV-Dat.: 2:        T1.WAV(172.3kb)       T2.WAV(387.6kb)"),
              std::string::npos) << lines[0];
    EXPECT_EQ(lines[0].find(" ## ") + 21, lines[0].find(" ##  ZDT")) << lines[0];
    EXPECT_NE(lines[1].find("\"EMPTY\"     16B.,DRY    Status= -- [t=      0s    (keine WAV-Dat.))]"),
              std::string::npos) << lines[1];
}

TEST_F(DirectorySearchTest, InfoFilesAreKeptInStepWithProjectNames) {
    std::string one = MakeProject("card/PRJ001", ProjectSetup{.name = "ALT"});
    MakeProject("card/PRJ002", ProjectSetup{.name = "ZWEI"});
    MakeProject("card/.hidden/PRJ003", ProjectSetup{.name = "DREI"});
    std::vector<std::string> labels;
    InfoFileLabel label = [&](const std::string& name) { labels.push_back(name); };

    InfoFileRunCounts counts;
    std::string message = UpdateInfoFiles(Folder("card"), doc, list, dialogs, label, &counts);
    EXPECT_EQ(message, "2 Pr.Name-Dateien von 2 ZDT-Dateien in \"" + Folder("card") +
                           "\" (u.Unterverz.) erstellt/geändert!");
    EXPECT_EQ(ReadText(dir / "card/PRJ001/PRJDATA___ALT_NAME.TXT"),
              Folder("card") + NativePath("PRJ001/PRJDATA___ALT_NAME.TXT") + "\r\n");
    EXPECT_EQ(labels.size(), 2u);

    // Renamed: the update adds the new name, delete-unassigned removes the old one.
    WriteBytes(one, ProjectBytes(ProjectSetup{.name = "NEU"}));
    UpdateInfoFiles(Folder("card"), doc, list, dialogs, label, &counts);
    EXPECT_EQ(counts.changed, 1);
    WriteBytes(dir / "card/PRJ002/PRJDATA___OHNE_NAME.TXT", TextBytes("x"));
    fs::remove(dir / "card/PRJ002/PRJDATA.ZDT");
    message = DeleteInfoFiles(Folder("card"), false, doc, list, dialogs, label, &counts);
    EXPECT_TRUE(fs::exists(dir / "card/PRJ001/PRJDATA___NEU_NAME.TXT"));
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
    EXPECT_TRUE(NamesIn(dir / "p").empty());
    EXPECT_TRUE(CreateInfoFile(project, "OK 1", {}));
    EXPECT_FALSE(CreateInfoFile(project, "OK 1", {}));  // exists already

    EXPECT_EQ(ProjectFileOfInfoFile("/a___b/PRJ1/PRJDATA___X_NAME.TXT"), "/a___b/PRJ1/PRJDATA.ZDT");
    EXPECT_EQ(ProjectFileOfInfoFile("/a/PRJDATA_NAME.TXT"), "");
}

TEST(ProjectFileRule, OnlyVisibleZdtFilesWithPrjAreProjects) {
    const std::pair<const char*, bool> cases[] = {
        {"PRJDATA.ZDT", true},    {"MYPRJ.ZDT", true},   {"PRJDATA.ZDT.BAK", false}, {".PRJDATA.ZDT", false},
        {".PRJDATA.ZDT.TMP1", false}, {"EFXDATA.ZDT", false}, {"PRJDATA___SONG_NAME.TXT", false},
        {"PRJ.ZDT.ZDT", true},   {".ZDT", false},        {"PRJDATA.ZDT___X_NAME.TXT", false}};
    for (const auto& [name, project] : cases) EXPECT_EQ(IsProjectFileName(name), project) << name;
}

TEST_F(DirectorySearchTest, BadEntriesAreReportedAndTheWalkGoesOn) {
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
    EXPECT_EQ(list.Lines().size(), 2u);
    ASSERT_EQ(counts.entryErrors.size(), 3u);
    std::string errors = EntryErrorsText(counts.entryErrors);
    EXPECT_NE(errors.find(NativePath("LINKS/PRJDATA.ZDT\": file not found")), std::string::npos) << errors;
    EXPECT_NE(errors.find("PRJLOOP.ZDT\": Too many levels of symbolic links"), std::string::npos) << errors;
    EXPECT_NE(errors.find("more than " + std::to_string(MaxWalkDepth) + " folder levels"), std::string::npos);

    // The info-file run takes the same projects, never a backup or a temporary file.
    InfoFileRunCounts infoCounts;
    UpdateInfoFiles(Folder("card"), doc, list, dialogs, {}, &infoCounts);
    EXPECT_EQ(infoCounts.found, 4);  // the two projects and the two broken links
    EXPECT_FALSE(CreateInfoFile(PathText(dir / "card" / "PROJ001" / "PRJDATA.ZDT.BAK"), "BAK", {}));
    EXPECT_EQ(NamesIn(dir / "card" / "PROJ001", true), (Names{".PRJDATA.ZDT.tmp123", "AUDIO",
              "PRJDATA.ZDT", "PRJDATA.ZDT.BAK", "PRJDATA___GOOD_NAME.TXT"}));
}

const std::string Old = "/c/PRJ002/PRJDATA.ZDT     ## 01.02.99 10:00:00 ##  ZDT-Proj.: \"ZULU\"      [t=      2s   max.]";
const std::string New = "/c/PRJ001/PRJDATA.ZDT     ## 03.04.24 09:00:00 ##  ZDT-Proj.: \"ALPHA\"     [t=     10s   max.]";
const std::string Mid = "/c/PRJ003/PRJDATA.ZDT     ## 03.04.24 08:59:59 ##  ZDT-Proj.: \"MIKE\"      [t=      5s   max.]";
const std::string Wav = "/c/PRJ003/AUDIO/B.WAV     ## 05.05.05 05:05:05 # [t=      1s   , 1x44.1KHz, 16-Bit]";
const std::string Text = "/c/A.TXT                  ## 05.05.05 05:05:05 #";
const std::string Batch = "/c/PRJ009/PRJDATA.ZDT    ## (Marke gesetzt.)";

std::vector<std::string> Sorted(ListSortType type, bool reverse) {
    std::vector<std::string> lines = {Old, New, Mid, Wav, Text, Batch};
    SortListLines(lines, type, reverse);
    return lines;
}

TEST(ProjectListSort, EachModeAndItsReversalAndListDates) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Sorted(ListSortType::DirFile, false), (V{Text, New, Old, Wav, Mid, Batch}));
    // Newest first; 99 is 1999; a line without a date counts as the earliest.
    EXPECT_EQ(Sorted(ListSortType::FileDate, false), (V{New, Mid, Text, Wav, Old, Batch}));
    EXPECT_EQ(Sorted(ListSortType::FileDate, true), (V{Batch, Old, Wav, Text, Mid, New}));
    // Lines without a project name first, among themselves by the whole line.
    EXPECT_EQ(Sorted(ListSortType::ProjectName, false), (V{Text, Wav, Batch, New, Mid, Old}));
    // Longest time first; lines without a time last.
    EXPECT_EQ(Sorted(ListSortType::AudioTime, false), (V{New, Mid, Old, Wav, Text, Batch}));

    // List dates parse only in their own format.
    EXPECT_LT(*ParseListDateTime("31.12.99 23:59:59", 2026), *ParseListDateTime("01.01.00 00:00:00", 2026));
    EXPECT_FALSE(ParseListDateTime("(Marke gesetzt.)", 2026));
    EXPECT_FALSE(ParseListDateTime("32.01.24 00:00:00", 2026));
    // A two-digit year lies from 50 years before to 49 years after the reference year.
    const std::tuple<std::string, int, std::int64_t> years[] = {
        {"75", 2026, 2075}, {"76", 2026, 1976}, {"30", 2080, 2030}, {"29", 2080, 2129}};
    for (const auto& [yy, reference, year] : years)
        EXPECT_EQ(*ParseListDateTime("01.01." + yy + " 00:00:00", reference) / 10000000000, year) << yy;
    LocalDateTime t{2024, 3, 7, 9, 5, 4, 12};
    EXPECT_EQ(FormatDateTimeText("dd.mm.yyyy hh:nn:ss", t), "07.03.2024 09:05:04");
    EXPECT_EQ(FormatDateTimeText("d.m.yy h:mm 'Uhr' zzz", t), "7.3.24 9:05 Uhr 012");
}

TEST(ProjectList, OpeningAnEntryLoadsProjectsAndHandsOtherFilesOn) {
    ProjectList list;
    list.AddLine("/c/PRJ001/PRJDATA___SONG_NAME.TXT     ## 01.01.24 00:00:00 #");
    list.AddLine("  /c/PRJ001/AUDIO/A.WAV   ## 01.01.24 00:00:00 # [t=...]");
    list.AddLine("/c/PRJ001/PRJDATA.zdt     ## 01.01.24 00:00:00 #");
    ScriptedDialogs dialogs;
    EXPECT_EQ(list.OpenEntry(0, dialogs), "/c/PRJ001/PRJDATA.ZDT");
    EXPECT_EQ(list.OpenEntry(1, dialogs), "");
    EXPECT_EQ(list.OpenEntry(2, dialogs), "/c/PRJ001/PRJDATA.zdt");
    ASSERT_EQ(dialogs.CountAsked("open"), 1);
    EXPECT_EQ(dialogs.asked[0].text, "/c/PRJ001/AUDIO/A.WAV");
    list.SetDateFormat("");
    EXPECT_EQ(list.lineOptions.dateFormat, "dd.mm.yyyy hh:nn:ss");
}

}  // namespace
}  // namespace spurwerk
