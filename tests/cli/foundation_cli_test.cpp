// The inspection and editing commands, run as a user runs them, on copies of
// the generated demo card.

#include <gtest/gtest.h>

#include <filesystem>

#include "io/path_text.h"
#include "process.h"
#include "settings/text_table.h"
#include "test_files.h"

namespace spurwerk {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::RunProcess;
using testing::TempDir;

const fs::path DemoCard = fs::path(SPURWERK_BIN_DIR) / ".." / "demo-card";

testing::ProcessResult Cli(const std::vector<std::string>& arguments) { return RunProcess(SPURWERK_CLI, arguments); }

class CliOnDemoCard : public ::testing::Test {
protected:
    void SetUp() override { fs::copy(DemoCard, card.path(), fs::copy_options::recursive); }
    std::string Project(const std::string& folder) const { return (card / folder / "PRJDATA.ZDT").string(); }
    TempDir card;
};

TEST_F(CliOnDemoCard, InfoShowsNameInfoLineEffectsAndMarks) {
    auto r = Cli({"info", Project("PROJ001")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "Project: \"SONG1\"\n"
              "[Total TIME =       4s500]       (16-bit f. neue WAVs)               EFX-Insert-Recording: DRY\n"
              "Comp; 4(?), (ab) Track1\n"
              "Chorus; 4(?)\n"
              "Hall1; 1(?)\n"
              "\n\n3 Projekt-Marken sind aktuell gesetzt: \n"
              "      1s            2s500         4s500 (REC-END)   \n");

    auto live = Cli({"info", Project("PROJ003")});  // no effects file, no end mark, WET
    ASSERT_EQ(live.exitCode, 0) << live.err;
    EXPECT_NE(live.out.find("EFX-Insert-Recording: WET\n(Keine EFXDATA.ZDT)\n(Keine EFXDATA.ZDT)\n(Keine EFXDATA.ZDT)\n"),
              std::string::npos);
    EXPECT_EQ(live.out.find("REC-END"), std::string::npos);
}

TEST_F(CliOnDemoCard, PathsWithUmlautsReachTheFile) {
    // On Windows the arguments arrive in the ANSI code page unless read as UTF-8.
    const fs::path folder = card.path() / fs::path(u8"Übung Nr. 1");
    fs::rename(card / "PROJ001", folder);
    const std::string project = PathText(folder / "PRJDATA.ZDT");
    auto r = Cli({"info", project});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Project: \"SONG1\"\n", 0), 0u) << r.out;
    auto missing = Cli({"info", PathText(folder / fs::path(u8"FEHLT_ä.ZDT"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("FEHLT_ä.ZDT"), std::string::npos) << missing.err;
}

TEST_F(CliOnDemoCard, TracksPrintsTheChosenGroups) {
    auto r = Cli({"tracks", Project("PROJ001"), "--compact", "--groups", "Status,Pan,Fader,EQMidHz", "--track-count", "5"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Status=++++R Pan=L20,R28,L100,R100,C Fader[%]=100,90,105,105,80 EQMidHz[Hz]=1000,2000,1000,1000,1000\n");

    auto wide = Cli({"tracks", Project("PROJ001"), "--groups", "Status,Stereo", "--track-count", "9"});
    EXPECT_EQ(wide.out, "Status= ++++R--- - Stereo[v]= --XX---- -\n");

    // The bytes as the file holds them, not as the mixer would clamp them.
    Bytes odd = ReadBytes(Project("PROJ001"));
    odd[160] = 150;  // pan of track 1
    odd[96] = 200;   // fader
    odd[428] = 30;   // high band gain
    odd[440] = 99;   // mid quality
    testing::WriteBytes(card / "odd.ZDT", odd);
    auto raw = Cli({"tracks", PathText(card / "odd.ZDT"), "--compact", "--groups", "Pan,Fader,EQxH,EQMidQual",
                    "--track-count", "1"});
    EXPECT_EQ(raw.out, "Pan=R200 Fader[%]=200 EQxH[dB]=18 EQMidQual=10.0\n");

    auto bad = Cli({"tracks", Project("PROJ001"), "--groups", "Volume"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.err.find("spurwerk-cli: unknown group \"Volume\""), std::string::npos);
}

TEST_F(CliOnDemoCard, SetWritesOnlyTheFieldsNamed) {
    std::string file = Project("PROJ001");
    Bytes before = ReadBytes(file);
    auto r = Cli({"set", file, "--track", "3", "Fader=64"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Bytes wurden in Datei"), std::string::npos);
    Bytes after = ReadBytes(file);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (i != 104) {
            EXPECT_EQ(after[i], before[i]) << "byte " << i;
        }
    }
    EXPECT_EQ(after[104], 64);

    auto diff = Cli({"diff", file, Project("PROJ001") + ".missing"});
    EXPECT_EQ(diff.exitCode, 1);
    fs::copy_file(DemoCard / "PROJ001" / "PRJDATA.ZDT", card / "orig.ZDT");
    diff = Cli({"diff", file, (card / "orig.ZDT").string()});
    EXPECT_EQ(diff.out, "1 B.\n$0068: 40 69  (TBFader_3)\n");
}

TEST_F(CliOnDemoCard, SetTakesTheShownForms) {
    std::string file = Project("PROJ001");
    auto r = Cli({"set", file, "--track", "13", "Pan=L20", "EQMidQual=0.8", "FileAss=my song"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto t = Cli({"tracks", file, "--compact", "--groups", "Pan,EQMidQual,FileAss"});
    EXPECT_EQ(t.out,
              "Pan=L20,R28,L100,R100,C,C,C,C,C,C,C,C,L20,C,C,C "
              "EQMidQual=0.5,0.3,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.8,0.5,0.5,0.5 "
              "FileAss=TRACK01.WAV,TRACK02.WAV,TRACK03.WAV,TRACK04.WAV,,,,,,,,,MY_SONG.WAV,,,\n");
}

TEST_F(CliOnDemoCard, SetRefusesBadValuesAndWritesNothing) {
    std::string file = Project("PROJ001");
    Bytes before = ReadBytes(file);
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    } cases[] = {
        {{"Fader=64", "Fader=200"}, 1, "Fader takes a whole number from 0 to 127"},
        {{"Pan=L15"}, 1, "Pan takes C"},
        {{"EQMidHz=1234"}, 1, "1000, 1300"},
        {{"FileAss=Schlagzeug"}, 1, "at most 8 characters"},
        {{"Volume=3"}, 1, "unknown group"},
        {{"Fader"}, 1, "is not GROUP=VALUE"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"set", file, "--track", "2"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        auto r = Cli(args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.back();
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    EXPECT_EQ(Cli({"set", file, "Fader=3"}).exitCode, 2);  // --track missing
    EXPECT_EQ(Cli({"set", file, "--track", "17", "Fader=3"}).exitCode, 2);
    EXPECT_EQ(ReadBytes(file), before);
}

TEST_F(CliOnDemoCard, MarksAskBeforeDroppingMarksAfterTheEnd) {
    std::string file = Project("PROJ002");  // marks 2000 4000 6500 8000, longest WAV 5000 ms
    Bytes before = ReadBytes(file);
    auto unanswered = Cli({"marks", file, "--set-end"});
    EXPECT_EQ(unanswered.exitCode, 1);
    EXPECT_NE(unanswered.err.find("--yes or --no"), std::string::npos);
    EXPECT_EQ(ReadBytes(file), before);

    auto no = Cli({"marks", file, "--set-end", "--no"});
    ASSERT_EQ(no.exitCode, 0) << no.err;
    EXPECT_NE(no.out.find("5 Projekt-Marken"), std::string::npos);
    EXPECT_NE(no.out.find("5s    (REC-END)   "), std::string::npos);

    auto after = Cli({"marks", file, "--delete-after-end"});
    ASSERT_EQ(after.exitCode, 0) << after.err;
    EXPECT_NE(after.out.find("3 Projekt-Marken"), std::string::npos);

    auto all = Cli({"marks", file, "--delete-all"});
    ASSERT_EQ(all.exitCode, 0);
    EXPECT_EQ(Cli({"marks", file}).out, "");
    EXPECT_EQ(Cli({"marks", file, "--set-end", "--delete-all"}).exitCode, 2);
}

TEST_F(CliOnDemoCard, WavHexAndBadFiles) {
    auto wav = Cli({"wav", "--list-size", (card / "PROJ002" / "AUDIO" / "GITARRE.WAV").string()});
    EXPECT_NE(wav.out.find("GITARRE.WAV [t=      3s500, 1x44.1KHz, 16-Bit]   [Data: 308700 B.]"), std::string::npos);
    EXPECT_NE(wav.out.find("{LIST: 22 B.}"), std::string::npos);

    fs::path small = card / "small.ZDT";
    Bytes fifty(50);
    for (std::size_t i = 0; i < fifty.size(); ++i) fifty[i] = static_cast<std::uint8_t>(i);
    testing::WriteBytes(small, fifty);
    auto hex = Cli({"hex", small.string()});
    ASSERT_EQ(hex.exitCode, 0);
    EXPECT_EQ(hex.out.substr(0, 55), "$0000: 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\n");
    EXPECT_NE(hex.out.find("\n$0030: 30 31\n"), std::string::npos);

    auto notProject = Cli({"info", small.string()});
    EXPECT_EQ(notProject.exitCode, 1);
    EXPECT_NE(notProject.err.find("is not a project file (50 bytes"), std::string::npos);
    EXPECT_EQ(Cli({"tracks", (card / "missing.ZDT").string()}).exitCode, 1);
    EXPECT_EQ(Cli({"info", card.path().string()}).exitCode, 1);
    EXPECT_EQ(Cli({"frobnicate"}).exitCode, 2);
}

TEST_F(CliOnDemoCard, AReadOnlyProjectIsLeftAsItWas) {
    std::string file = Project("PROJ003");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    Bytes before = ReadBytes(file);
    auto r = Cli({"set", file, "--track", "1", "Fader=0"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("read-only"), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(file), before);
}

}  // namespace
}  // namespace spurwerk
