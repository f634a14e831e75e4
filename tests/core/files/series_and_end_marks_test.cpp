// Project series runs and the end-mark batch over a folder tree.

#include "files/end_mark_batch.h"
#include "files/project_list.h"
#include "files/project_series.h"
#include "files_test_fixture.h"
#include "project/play_marks.h"

namespace spurwerk {
namespace {

using namespace testing;

class SeriesTest : public FilesFixture {
protected:
    SeriesTest() {
        doc.ReplaceZDTData(ProjectBytes(ProjectSetup{.name = "SONGTEST"}));
        series.baseDirSerie = Folder("card");
        fs::create_directories(dir / "card");
    }
    ProjectSeries series;
};

TEST_F(SeriesTest, NumbersPastNineHundredNinetyNineAndDefaultNames) {
    series.serieStart = 998;
    series.serieCount = 4;
    series.projectNames = {" EINS ", "", "DREI"};
    series.AnySerieChange();
    EXPECT_EQ(series.LabelSubDirsVon(), "Von \"" + Folder("card") + NativePath("PROJ998/") + "\"");
    EXPECT_EQ(series.LabelSubDirsBis(), "bis \"" + Folder("card") + NativePath("PROJ1001/") + "\"");

    // Start, then "Weiter?" after the second project: Yes to all.
    dialogs.messageAnswers = {ResultOk, ResultYes /* AUDIO */, ResultYesToAll, ResultOk /* created */};
    EXPECT_EQ(series.OkClick(context), 4);
    std::string names;
    for (const char* n : {"998", "999", "1000", "1001"})
        names += ReadProjectName(ReadBytes(dir / "card" / ("PROJ" + std::string(n)) / "PRJDATA.ZDT")) + " ";
    EXPECT_EQ(names, "EINS SONG_999 DREI SONG_100 ");  // the name field holds 8 characters
    EXPECT_EQ(dialogs.asked.back().text, "4 Projekte wurden angelegt!");
    EXPECT_FALSE(series.Running());
}

TEST_F(SeriesTest, ExistingFoldersAreConfirmedOnceAndTheWindowsPrefixIsUsed) {
    series.baseSubDirs = "SONG";
    series.serieCount = 1;
    fs::create_directories(dir / "card/SONG001/AUDIO");
    series.AnySerieChange();
    dialogs.messageAnswers = {ResultCancel};
    EXPECT_EQ(series.OkClick(context), 0);
    EXPECT_NE(AskedText(0).find("existieren schon:\r\n\r\n" + Folder("card") + NativePath("SONG001/")),
              std::string::npos);

    // Count 1: only the saved project, no copy.
    dialogs.messageAnswers = {ResultOk, ResultOk, ResultOk};
    EXPECT_EQ(series.OkClick(context), 1);
    EXPECT_EQ(NamesIn(dir / "card", true), (Names{"SONG001", "SONG001/AUDIO", "SONG001/EFXDATA.ZDT",
                                                                 "SONG001/PRJDATA.ZDT"}));
}

TEST_F(SeriesTest, AClickStopsBeforeTheNextProject) {
    series.serieCount = 5;
    dialogs.messageAnswers = {ResultOk, ResultYes, ResultYesToAll, ResultOk};
    dialogs.abortAnswers = {false, false, true};
    EXPECT_EQ(series.OkClick(context), 2);
    EXPECT_EQ(dialogs.asked.back().text, "2 Projekte wurden angelegt!");
    EXPECT_FALSE(fs::exists(dir / "card/PROJ003"));
}

TEST_F(SeriesTest, AMissingBaseFolderIsRefusedBeforeAnythingIsCreated) {
    std::vector<std::string> bases = {Folder("nocard"), std::string()};
#ifndef _WIN32
    bases.push_back("C:\\");  // a Windows folder name saved in the options means nothing here
#endif
    dialogs.messageAnswers = {ResultOk, ResultOk, ResultOk};
    for (const std::string& base : bases) {
        series.baseDirSerie = base;
        EXPECT_EQ(series.OkClick(context), 0) << base;
        EXPECT_EQ(dialogs.asked.back().text, "Verzeichnis \"" + base + "\" nicht gefunden !!");
    }
    EXPECT_FALSE(fs::exists(dir / "nocard"));
    EXPECT_FALSE(fs::exists("C:\\PROJ001"));
}

class EndMarkBatchTest : public FilesFixture {
protected:
    ProjectList list;
    std::string base;
};

TEST_F(EndMarkBatchTest, SetsTheEndMarkInEveryProjectBelowTheFolder) {
    std::string a = MakeProject("card/PRJ001", ProjectSetup{.marks = {1000}}, {{"A.WAV", 3000}});
    std::string b = MakeProject("card/X/PRJ002", ProjectSetup{.marks = {1000, 9000}}, {{"B.WAV", 7000}});
    // The third has it already.
    std::string c = MakeProject("card/PRJ003", ProjectSetup{.marks = {2000}}, {{"C.WAV", 2000}});
    WriteBytes(dir / "card" / "PRJ_NOTES.ZDT", TextBytes("short"));

    dialogs.messageAnswers = {ResultOk /* start */, ResultNo /* keep 9000 */, ResultOk /* result */};
    std::string message = SetEndMarksInSubDirs(document, base, list, (dir / "card").string());
    EXPECT_EQ(message, "2 Projekt-Ende-Marken von 4  ZDT-Dateien in \"" + Folder("card") +
                           "\" (u.Unterverz.) gesetzt!");
    EXPECT_EQ(base, Folder("card"));
    using Marks = std::vector<std::int32_t>;
    EXPECT_EQ(ListMarks(ReadBytes(a)), (Marks{1000, 3000}));
    EXPECT_EQ(ListMarks(ReadBytes(b)), (Marks{1000, 7000, 9000}));
    EXPECT_EQ(ListMarks(ReadBytes(c)), (Marks{2000}));
    EXPECT_EQ(ReadText(dir / "card" / "PRJ_NOTES.ZDT"), "short");  // no project: not written
    EXPECT_EQ(list.Lines().at(0), a + "    ## (Marke gesetzt.)");

    // A file shorter than a project is left alone even where a WAV gives an end.
    std::string shortFile = MakeProject("card/PRJ005", ProjectSetup{.size = 3000}, {{"E.WAV", 4000}});
    Bytes shortBefore = ReadBytes(shortFile);
    dialogs.messageAnswers = {ResultOk, ResultOk};
    SetEndMarksInSubDirs(document, base, list, (dir / "card").string());
    EXPECT_EQ(ReadBytes(shortFile), shortBefore);

    // Unsaved changes refuse the batch.
    doc.MarkChanged();
    dialogs.messageAnswers = {ResultOk};
    EXPECT_EQ(SetEndMarksInSubDirs(document, base, list, (dir / "card").string()), "");
    EXPECT_EQ(dialogs.asked.back().text, "Daten geändert!  Speichern Sie erst die Änderungen!");
}

}  // namespace
}  // namespace spurwerk
