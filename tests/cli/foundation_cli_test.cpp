// The inspection and editing commands of one project file, and the exit codes
// of every command for bad input.

#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <tuple>

#include "cli_test.h"
#include "io/path_text.h"

namespace spurwerk::testing {
namespace {

namespace fs = std::filesystem;

class CliOnDemoCard : public CliOnCard {
protected:
    // Every file of the card with its bytes.
    std::map<fs::path, Bytes> CardFiles() const {
        std::map<fs::path, Bytes> files;
        for (const auto& entry : fs::recursive_directory_iterator(card.path()))
            if (entry.is_regular_file()) files[entry.path()] = ReadBytes(entry.path());
        return files;
    }
};

TEST_F(CliOnDemoCard, InfoShowsNameInfoLineEffectsAndMarks) {
    auto r = Cli({"info", Project("PROJ001")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Projekt: \"SONG1\"\n[Total TIME =       4s500]", 0), 0u) << r.out;
    EXPECT_TRUE(Has(r.out, "\nComp; 4(?), (ab) Track1\nChorus; 4(?)\nHall1; 1(?)\n"));
    EXPECT_TRUE(Has(r.out, "\n      1s            2s500         4s500 (REC-END)   \n"));
}

TEST_F(CliOnDemoCard, PathsWithUmlautsReachTheFile) {
    // On Windows the arguments arrive in the ANSI code page unless read as UTF-8.
    const fs::path folder = card.path() / fs::path(u8"Übung Nr. 1");
    fs::rename(card / "PROJ001", folder);
    auto r = Cli({"info", PathText(folder / "PRJDATA.ZDT")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Projekt: \"SONG1\"\n", 0), 0u) << r.out;
    EXPECT_TRUE(Has(Cli({"info", PathText(folder / fs::path(u8"FEHLT_ä.ZDT"))}).err, "FEHLT_ä.ZDT"));
}

TEST_F(CliOnDemoCard, SetWritesOnlyTheNamedFieldAndDiffNamesIt) {
    std::string file = Project("PROJ001");
    Bytes expected = ReadBytes(file);
    expected[104] = 64;
    EXPECT_TRUE(Has(Cli({"set", file, "--track", "3", "Fader=64"}).out, "Bytes wurden in Datei"));
    EXPECT_EQ(ReadBytes(file), expected);
    auto diff = Cli({"diff", file, NativePath((DemoCard / "PROJ001" / "PRJDATA.ZDT").string())});
    EXPECT_EQ(diff.out, "1 B.\n$0068: 40 69  (TBFader_3)\n");
}

// A WAV file is large enough to pass for a project; no command writes into it
// (which files are projects is core's rule).
TEST_F(CliOnDemoCard, AWavGivenAsProjectIsRefusedAndLeftAlone) {
    const std::string wav = Path("PROJ001/AUDIO/TRACK01.WAV");
    const Bytes before = ReadBytes(wav);
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"set", wav, "--track", "1", "Fader=50"},
          {"tracks", wav}}) {
        auto r = Cli(command);
        EXPECT_TRUE(Fails(r, "ist keine Projekt-Datei")) << command[0];
    }
    EXPECT_EQ(ReadBytes(wav), before);
}

TEST_F(CliOnDemoCard, MarksFlagsReachThePlayMarks) {
    std::string file = Project("PROJ002");  // marks 2000 4000 6500 8000, longest WAV 5000 ms
    EXPECT_TRUE(Has(Cli({"marks", file, "--set-end", "--no"}).out, "5 Projekt-Marken"));
    EXPECT_TRUE(Has(Cli({"marks", file, "--delete-after-end"}).out, "3 Projekt-Marken"));
    ASSERT_EQ(Cli({"marks", file, "--delete-all"}).exitCode, 0);
    EXPECT_EQ(Cli({"marks", file}).out, "");
}

TEST_F(CliOnDemoCard, FilesWavAndHexShowTheirFiles) {
    auto files = Cli({"files", Project("PROJ001")});
    ASSERT_EQ(files.exitCode, 0) << files.err;
    EXPECT_EQ(files.out.substr(0, files.out.find('\n')), "5 WAV-Dateien,  5 davon Tracks zugeordnet!");
    EXPECT_TRUE(Has(files.out, "\nMASTR001.WAV [Tr.M] [t=      1s500, 2x44.1KHz, 16-Bit]"));
    EXPECT_TRUE(Has(Cli({"files", Project("PROJ002"), "--list-size"}).out, "{LIST: 22 B.}"));
    auto wav = Cli({"wav", "--list-size", Path("PROJ002/AUDIO/GITARRE.WAV")});
    EXPECT_TRUE(Has(wav.out, "GITARRE.WAV [t=      3s500, 1x44.1KHz, 16-Bit]   [Data: 308700 B.]"));
    EXPECT_TRUE(Has(wav.out, "{LIST: 22 B.}"));
    Bytes fifty(50);
    std::iota(fifty.begin(), fifty.end(), std::uint8_t{0});
    WriteBytes(card / "small.ZDT", fifty);
    EXPECT_TRUE(Has(Cli({"hex", Path("small.ZDT")}).out, "\n$0030: 30 31\n"));
}

// Errors exit 1 with the reason, wrong usage exits 2; nothing on the card changes.
TEST_F(CliOnDemoCard, BadInputExitsWithItsCodeAndChangesNothing) {
    WriteBytes(card / "small.ZDT", Bytes(50, 1));
    const std::string p1 = Project("PROJ001"), p2 = Project("PROJ002");
    const auto before = CardFiles();
    const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
        {{"set", p1, "--track", "2", "Fader=64", "Fader=200"}, 1, "Fader nimmt eine ganze Zahl von 0 bis 127"},
        {{"set", p1, "--track", "2", "Fader"}, 1, "hat nicht die Form GRUPPE=WERT"},
        {{"set", p1, "Fader=3"}, 2, "--track oder --all"},
        {{"set", p1, "--track", "17", "Fader=3"}, 2, ""},
        {{"set", p1, "--all", "FileAss=X"}, 1, "der Alle-Streifen setzt FileAss nicht"},
        {{"set", p1, "--all", "--bank1", "--bank2", "Fader=1"}, 2, ""},
        {{"tracks", p1, "--groups", "Volume"}, 1, "spurwerk-cli: unbekannte Gruppe \"Volume\""},
        {{"copy-track", p1, "1", "4"}, 1, "Spur 4 ist die zweite Spur eines Stereo-Paares"},
        {{"swap-tracks", p1, "2", "17"}, 2, ""},
        {{"marks", p2, "--set-end"}, 1, "--yes oder --no"},
        {{"marks", p2, "--set-end", "--delete-all"}, 2, ""},
        {{"info", Path("small.ZDT")}, 1, "ist keine Projekt-Datei (50 Bytes"},
        {{"files", Path("missing.ZDT")}, 1, ""},
        {{"info", Root()}, 1, ""},
        {{"frobnicate"}, 2, ""},
        {{"endmarks", Root()}, 2, "--yes oder --no"},
        {{"save-project", p2, Project("PROJ005")}, 1, "hier ist eine Antwort nötig"},
        {{"copy", Path("PROJ001"), Path("PROJ001/../PROJ001/")}, 1,
         "sind derselbe Ordner: Kann nicht in dasselbe Verzeichnis kopieren!"},
    };
    for (const auto& [args, exitCode, message] : cases) {
        auto r = Cli(args);
        EXPECT_EQ(r.exitCode, exitCode) << args[0] << " " << args.back();
        EXPECT_TRUE(Has(r.err, message));
    }
    EXPECT_EQ(CardFiles(), before);
}

}  // namespace
}  // namespace spurwerk::testing
