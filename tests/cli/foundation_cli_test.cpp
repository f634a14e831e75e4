// The inspection and editing commands of one project file, and the exit codes
// of every command for bad input.

#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <tuple>
#include <utility>

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

// Each reporting command shows its file; the marks flags change the project in turn.
TEST_F(CliOnDemoCard, CommandsShowTheirFilesAndMarksFlagsReachThePlayMarks) {
    // On Windows the arguments arrive in the ANSI code page unless read as UTF-8.
    const fs::path umlauts = card.path() / fs::path(u8"Übung Nr. 1");
    fs::copy(card / "PROJ001", umlauts, fs::copy_options::recursive);
    Bytes fifty(50);
    std::iota(fifty.begin(), fifty.end(), std::uint8_t{0});
    WriteBytes(card / "small.ZDT", fifty);
    const std::string p1 = Project("PROJ001"), p2 = Project("PROJ002");  // PROJ002: marks 2000 4000 6500 8000, WAVs to 5000 ms
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{"info", p1}, {"Projekt: \"SONG1\"\n[Total TIME =       4s500]", "\nComp; 4(?), (ab) Track1\nChorus; 4(?)\nHall1; 1(?)\n",
                        "\n      1s            2s500         4s500 (REC-END)   \n"}},
        {{"info", PathText(umlauts / "PRJDATA.ZDT")}, {"Projekt: \"SONG1\"\n"}},
        {{"files", p1}, {"5 WAV-Dateien,  5 davon Tracks zugeordnet!\n",
                         "\nMASTR001.WAV [Tr.M] [t=      1s500, 2x44.1KHz, 16-Bit]"}},
        {{"files", p2, "--list-size"}, {"{LIST: 22 B.}"}},
        {{"wav", "--list-size", Path("PROJ002/AUDIO/GITARRE.WAV")},
         {"GITARRE.WAV [t=      3s500, 1x44.1KHz, 16-Bit]   [Data: 308700 B.]", "{LIST: 22 B.}"}},
        {{"hex", Path("small.ZDT")}, {"\n$0030: 30 31\n"}},
        {{"marks", p2, "--set-end", "--no"}, {"5 Projekt-Marken"}},
        {{"marks", p2, "--delete-after-end"}, {"3 Projekt-Marken"}},
        {{"marks", p2, "--delete-all"}, {}},
    };
    for (const auto& [args, parts] : cases) {
        auto r = Cli(args);
        EXPECT_EQ(r.exitCode, 0) << args[0] << ": " << r.err;
        for (const std::string& part : parts) EXPECT_TRUE(Has(r.out, part)) << args[0];
    }
    EXPECT_EQ(Cli({"marks", p2}).out, "");
    EXPECT_TRUE(Has(Cli({"info", PathText(umlauts / fs::path(u8"FEHLT_ä.ZDT"))}).err, "FEHLT_ä.ZDT"));
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

// Errors exit 1 with the reason, wrong usage exits 2; nothing on the card changes.
TEST_F(CliOnDemoCard, BadInputExitsWithItsCodeAndChangesNothing) {
    WriteBytes(card / "small.ZDT", Bytes(50, 1));
    const std::string p1 = Project("PROJ001"), p2 = Project("PROJ002"), wav = Path("PROJ001/AUDIO/TRACK01.WAV");
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
        // A WAV file is large enough to pass for a project; no command writes into it.
        {{"set", wav, "--track", "1", "Fader=50"}, 1, "ist keine Projekt-Datei"},
        {{"tracks", wav}, 1, "ist keine Projekt-Datei"},
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
