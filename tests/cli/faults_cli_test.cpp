// The commands under real faults: FIFOs named like project and WAV files,
// broken links in a card tree, output that cannot be written, a full card,
// names that hold terminal control sequences. Exit codes tell the truth.

#include <gtest/gtest.h>

#include "cli_test.h"

namespace spurwerk::testing {
namespace {

namespace fs = std::filesystem;

class FaultsCli : public CliOnCard {
protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "FIFOs, links and /dev/full as POSIX has them";
#endif
        CliOnCard::SetUp();
    }
};

TEST_F(FaultsCli, FifosAreNotFilesAndNeverHang) {
    fs::create_directories(card / "FIFO");
    MakeFifo(card / "FIFO" / "PRJDATA.ZDT");
    MakeFifo(card / "PROJ001" / "AUDIO" / "PIPE.WAV");
    EXPECT_TRUE(Fails(Cli({"info", Path("FIFO/PRJDATA.ZDT")}), "keine gewöhnliche Datei"));
    for (std::vector<std::string> walk : {std::vector<std::string>{"search", Root(), "--wav", "--wav-size"},
                                          {"endmarks", Root(), "--no"},
                                          {"files", Project("PROJ001")}}) {
        EXPECT_EQ(Cli(walk).exitCode, 0) << walk[0];
    }
}

TEST_F(FaultsCli, ABrokenEntryIsReportedAndTheWalkGoesOn) {
    fs::create_directories(card / "LINKS");
    fs::create_symlink("gone/PRJDATA.ZDT", card / "LINKS" / "PRJDATA.ZDT");
    auto r = Cli({"search", Root()});
    EXPECT_TRUE(Has(r.out, "\"BALLADE\""));  // the others are listed
    const std::string failed = "1 Einträge fehlgeschlagen:\n\"" + Path("LINKS/PRJDATA.ZDT") + "\"";
    EXPECT_TRUE(Fails(r, failed + " kann nicht gelesen werden: Datei nicht gefunden"));
    EXPECT_EQ(Cli({"infofiles", "update", Root()}).exitCode, 1);
    EXPECT_TRUE(fs::exists(card / "PROJ002/PRJDATA___BALLADE_NAME.TXT"));
}

TEST_F(FaultsCli, OutputOrAProjectThatCannotBeWrittenFailsTheCommand) {
    ProcessOptions full;
    full.stdoutPath = "/dev/full";
    EXPECT_TRUE(Fails(Cli({"search", Root()}, full), "die Ausgabe kann nicht geschrieben werden: kein Platz mehr auf dem Datenträger"));

    ProcessOptions closed;
    closed.closeStdout = true;
    Bytes before = ReadBytes(Project("PROJ001"));
    auto r = Cli({"set", Project("PROJ001"), "--track", "1", "Fader=10"}, closed);
    EXPECT_TRUE(Fails(r, "die Standardausgabe ist geschlossen"));
    EXPECT_EQ(ReadBytes(Project("PROJ001")), before);

    // A read-only project is left as it was (a permission root would ignore is checked by its mode bits).
    fs::permissions(Project("PROJ003"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    before = ReadBytes(Project("PROJ003"));
    EXPECT_TRUE(Fails(Cli({"set", Project("PROJ003"), "--track", "1", "Fader=0"}),
                      "\"" + Project("PROJ003") + "\" kann nicht geschrieben werden: die Datei ist schreibgeschützt"));
    EXPECT_EQ(ReadBytes(Project("PROJ003")), before);
}

TEST_F(FaultsCli, ControlCharactersInNamesAreShownEscaped) {
    Bytes project = ReadBytes(Project("PROJ001"));
    const std::string name = "A\x1b[2J\x07" "Bx";
    std::copy(name.begin(), name.end(), project.begin() + 52);
    WriteBytes(card / "ESC\x1b]0;X" / "PRJDATA.ZDT", project);
    const std::string info = Out({"info", Path("ESC\x1b]0;X/PRJDATA.ZDT")});
    EXPECT_TRUE(Has(info, "Projekt: \"A\\x1B[2J\\x07Bx\""));
    auto search = Cli({"search", Root()});
    EXPECT_EQ(search.out.find('\x1b'), std::string::npos);
    EXPECT_TRUE(Has(search.out, "ESC\\x1B]0;X"));
}

TEST_F(FaultsCli, FailedSavesSayWhichFileAndWhy) {
    WriteText(card / "BLOCKED" / "PROJ001", "a file where the project folder should be");
    auto r = Cli({"series", Project("PROJ001"), Path("BLOCKED"), "--start", "1", "--count", "2", "--yes"});
    EXPECT_TRUE(Fails(r, "in \"" + Path("BLOCKED/PROJ001/") + "\" ist fehlgeschlagen: Der Ordner"));

    SmallTmpfs sd(64);  // room for the project files, not for a WAV template
    if (!sd.mounted()) GTEST_SKIP() << "a tmpfs card needs root";
    auto save = Cli({"save-project", Project("PROJ002"), (sd.path() / "PROJ005" / "PRJDATA.ZDT").string(), "--yes"});
    EXPECT_TRUE(Fails(save, "Dateien konnten nicht angelegt werden:"));
    EXPECT_TRUE(Has(save.err, "kein Platz mehr auf dem Datenträger"));
    auto copy = Cli({"copy", Path("PROJ001"), (sd.path() / "PROJ006").string(), "--yes"});
    EXPECT_EQ(copy.exitCode, 1);
    EXPECT_FALSE(fs::exists(sd.path() / "PROJ006"));
}

}  // namespace
}  // namespace spurwerk::testing
