// Failures in the middle of writing: a full card, a card pulled during a search.
// Nothing half-written stays behind, every error is reported, and what was
// complete before stays so.

#include "files/copy_project.h"
#include "files/directory_search.h"
#include "files/project_list.h"
#include "files/project_series.h"
#include "files/save_project.h"
#include "files_test_fixture.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

using namespace testing;

// The names in a folder tree, relative to it, so leftovers show in a failure.
std::vector<std::string> Listing(const fs::path& root) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        names.push_back(entry.path().lexically_relative(root).generic_string());
    std::sort(names.begin(), names.end());
    return names;
}

// A card that fills up: writes whose target path contains `marker` fail.
struct FullCard {
    explicit FullCard(std::string marker) {
        SetWriteFaultHook([marker](const fs::path& target) {
            return target.generic_string().find(marker) != std::string::npos
                       ? std::make_error_code(std::errc::no_space_on_device)
                       : std::error_code();
        });
    }
    ~FullCard() { SetWriteFaultHook(nullptr); }
};

class FailureInjectionTest : public FilesFixture {};

TEST_F(FailureInjectionTest, AnInterruptedCopyReportsAndLeavesNoHalfFiles) {
    MakeProject("S", ProjectSetup{.name = "QUELLE"}, {{"A.WAV", 10}, {"B.WAV", 10}});
    WriteBytes(dir / "S" / "EFXDATA.ZDT", TextBytes("EFX"));
    const std::vector<std::string> source = Listing(dir / "S");
    {
        FullCard full("B.WAV");
        dialogs.messageAnswers = {};
        try {
            CopyProjectCommand(context, Folder("S"), Folder("T"));
            ADD_FAILURE() << "a WAV file that could not be copied must not pass as copied";
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find("B.WAV"), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(Listing(dir / "S"), source);
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
    dialogs.messageAnswers = {ResultOk,        // start
                              ResultYes,       // create AUDIO of the first project
                              ResultYesToAll,  // create its missing WAV from the template
                              ResultOk,        // list of created WAVs
                              ResultYesToAll,  // "Weiter?" after the second project
                              ResultOk,        // the error
                              ResultOk};       // count of projects made
    EXPECT_EQ(series.OkClick(context), 2);
    EXPECT_NE(series.Failure().find(NativePath("PROJ003/\" failed: ")), std::string::npos) << series.Failure();
    EXPECT_NE(series.Failure().find("No space left on device (nothing of it was kept)"), std::string::npos)
        << series.Failure();

    const auto& asked = dialogs.asked;
    ASSERT_GE(asked.size(), 2u);
    EXPECT_EQ(asked[asked.size() - 2].text, series.Failure());
    EXPECT_EQ(asked.back().text, "2 Projekte wurden angelegt!");
    for (const char* project : {"PROJ001", "PROJ002"}) {
        EXPECT_EQ(Listing(dir / "card" / project),
                  (std::vector<std::string>{"AUDIO", "AUDIO/A.WAV", "EFXDATA.ZDT", "PRJDATA.ZDT"}))
            << project;
        EXPECT_EQ(ReadText(dir / "card" / project / "AUDIO" / "A.WAV"), "MONO16");
    }
    // The third, half-made project is taken away, and no fourth one was started.
    EXPECT_FALSE(fs::exists(dir / "card" / "PROJ003"));
    EXPECT_FALSE(fs::exists(dir / "card" / "PROJ004"));
    for (const std::string& name : Listing(dir / "card")) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
}

// Dialogs whose abort check pulls the card out at the second folder of a walk.
class CardPuller : public ScriptedDialogs {
public:
    explicit CardPuller(fs::path card) : card_(std::move(card)) {}
    bool AskAbortOnClick(int number) override {
        // Windows keeps a folder that is being listed; its contents go.
        std::error_code ec;
        if (++folders_ == 2) fs::remove_all(card_, ec);
        return ScriptedDialogs::AskAbortOnClick(number);
    }

private:
    fs::path card_;
    int folders_ = 0;
};

TEST_F(FailureInjectionTest, ACardPulledDuringASearchEndsTheWalkWithAMessage) {
    MakeProject("card/PROJ001", ProjectSetup{.name = "EINS"}, {{"A.WAV", 10}});
    MakeProject("card/PROJ002", ProjectSetup{.name = "ZWEI"});
    ZDTDocument scanDoc;
    ProjectList list;
    CardPuller puller(dir / "card");
    try {
        SearchInSubDirs(Folder("card"), "", true, true, scanDoc, list, puller);
        ADD_FAILURE() << "a vanished card must not end as a complete search";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("card"), std::string::npos) << e.what();
    }

    // A folder that is not there at all is reported the same way.
    EXPECT_THROW(SearchInSubDirs(Folder("nowhere"), "", true, true, scanDoc, list, dialogs), FileError);
}

}  // namespace
}  // namespace spurwerk
