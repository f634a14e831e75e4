// Failures in the middle of writing: a full card, a card pulled during a search.
// Nothing half-written stays behind, every error is reported, and what was
// complete before stays so.

#include "files/copy_project.h"
#include "files/project_series.h"
#include "files/save_project.h"
#include "files_test_fixture.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

using namespace testing;

class FailureInjectionTest : public FilesFixture {};

TEST_F(FailureInjectionTest, AnInterruptedCopyReportsAndLeavesNoHalfFiles) {
    MakeProject("S", ProjectSetup{.name = "QUELLE"}, {{"A.WAV", 10}, {"B.WAV", 10}});
    WriteBytes(dir / "S" / "EFXDATA.ZDT", TextBytes("EFX"));
    const std::vector<std::string> source = NamesIn(dir / "S", true);
    {
        FullCard full("B.WAV");
        EXPECT_THROW(CopyProjectCommand(context, Folder("S"), Folder("T")), FileError);
    }
    EXPECT_EQ(NamesIn(dir / "S", true), source);
    // The target folder the copy made is taken away again: nothing half-made stays.
    EXPECT_FALSE(fs::exists(dir / "T"));

    // An effects file that cannot be copied is an error too, not a project without one.
    FullCard full("U/EFXDATA.ZDT");
    fs::create_directories(dir / "U");
    dialogs.messageAnswers = {ResultYes};  // copy into the existing folder
    EXPECT_THROW(CopyProjectCommand(context, Folder("S"), Folder("U")), FileError);
    EXPECT_TRUE(fs::is_directory(dir / "U"));  // it was there before
    EXPECT_FALSE(fs::exists(dir / "U" / "EFXDATA.ZDT"));
}

TEST_F(FailureInjectionTest, ASaveAsProjectReportsEveryFileItCouldNotMake) {
    doc.ReplaceZDTData(ProjectBytes(ProjectSetup{.name = "NEU", .wavNames = {"A.WAV", "B.WAV"}}));
    doc.MarkChanged();
    {
        FullCard full("B.WAV");
        dialogs.messageAnswers = {ResultYes, ResultYesToAll, ResultOk, ResultOk};
        ASSERT_TRUE(SaveProject(context, (dir / "P" / "PRJDATA.ZDT").string(), true, "NEU", 0));
    }
    ASSERT_EQ(context.fileErrors.size(), 1u);
    EXPECT_NE(context.fileErrors[0].find("B.WAV\": No space left on device"), std::string::npos)
        << context.fileErrors[0];
    EXPECT_TRUE(fs::exists(dir / "P" / "AUDIO" / "A.WAV"));

    // A save into a new folder that fails takes the folder away again.
    context.fileErrors.clear();
    FullCard full("Q/PRJDATA.ZDT");
    dialogs.messageAnswers = {ResultYes};
    EXPECT_THROW(SaveProject(context, (dir / "Q" / "PRJDATA.ZDT").string(), true, "NEU", 0), FileError);
    EXPECT_FALSE(fs::exists(dir / "Q"));
}

TEST_F(FailureInjectionTest, ASeriesStoppedByAFullCardKeepsEveryEarlierProjectComplete) {
    doc.ReplaceZDTData(ProjectBytes(ProjectSetup{.name = "SERIE", .wavNames = {"A.WAV"}}));
    ProjectSeries series;
    series.baseDirSerie = Folder("card");
    fs::create_directories(dir / "card");
    series.serieCount = 4;
    FullCard full("PROJ003/AUDIO/A.WAV");
    // Start, AUDIO of the first project, its WAV, the list of them, "Weiter?", the error, the count.
    dialogs.messageAnswers = {ResultOk, ResultYes, ResultYesToAll, ResultOk,
                              ResultYesToAll, ResultOk, ResultOk};
    EXPECT_EQ(series.OkClick(context), 2);
    EXPECT_NE(series.Failure().find(NativePath("PROJ003/\" ist fehlgeschlagen: ")), std::string::npos);
    EXPECT_NE(series.Failure().find("No space left on device (nichts davon wurde behalten)"), std::string::npos);
    ASSERT_GE(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[dialogs.asked.size() - 2].text, series.Failure());
    // The third, half-made project is taken away, and no fourth one was started.
    const std::vector<std::string> project = {"AUDIO", "AUDIO/A.WAV", "EFXDATA.ZDT", "PRJDATA.ZDT"};
    std::vector<std::string> card;
    for (const char* name : {"PROJ001", "PROJ002"}) {
        card.push_back(name);
        for (const std::string& entry : project) card.push_back(name + ("/" + entry));
    }
    EXPECT_EQ(NamesIn(dir / "card", true), card);
    EXPECT_EQ(ReadText(dir / "card" / "PROJ002" / "AUDIO" / "A.WAV"), "MONO16");
}

}  // namespace
}  // namespace spurwerk
