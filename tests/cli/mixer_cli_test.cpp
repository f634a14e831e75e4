// The mixer's commands run as processes on copies of the generated demo card.

#include <gtest/gtest.h>

#include <filesystem>

#include "process.h"
#include "test_files.h"

namespace spurwerk {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;

const fs::path DemoCard = fs::path(SPURWERK_BIN_DIR) / ".." / "demo-card";

testing::ProcessResult Cli(const std::vector<std::string>& arguments) {
    return testing::RunProcess(SPURWERK_CLI, arguments);
}

class MixerCli : public ::testing::Test {
protected:
    void SetUp() override { fs::copy(DemoCard, card.path(), fs::copy_options::recursive); }
    std::string Project(const std::string& folder) const { return (card / folder / "PRJDATA.ZDT").string(); }
    std::string Tracks(const std::string& file, const std::string& groups) {
        auto r = Cli({"tracks", file, "--compact", "--groups", groups});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return r.out;
    }
    TempDir card;
};

TEST_F(MixerCli, FilesListsTheAudioFolderWithHeaderAndTracks) {
    auto r = Cli({"files", Project("PROJ001")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "5 WAV-Dateien,  5 davon Tracks zugeordnet!");
    EXPECT_NE(r.out.find("\nMASTR001.WAV [Tr.M] [t=      1s500, 2x44.1KHz, 16-Bit]"), std::string::npos);
    EXPECT_NE(r.out.find("\nTRACK02.WAV  [Tr.2] [t=      4s500, "), std::string::npos);

    auto missing = Cli({"files", Project("PROJ002")});
    ASSERT_EQ(missing.exitCode, 0) << missing.err;
    EXPECT_EQ(missing.out.substr(0, missing.out.find('\n')),
              "3 WAV-Dateien,  3 davon Tracks zugeordnet!  !!! Zuordnungen ohne vorhandene Datei: 1 !!!");
    EXPECT_EQ(Cli({"files", (card / "nothing.ZDT").string()}).exitCode, 1);
}

TEST_F(MixerCli, SetAllArmsBankOneAndBankTwoByTheRecordingGroupRule) {
    std::string file = Project("PROJ001");
    auto r = Cli({"set", file, "--all", "--bank2", "Status=R"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // Track 5 was armed; arming 13 (same group) turns it to play.
    EXPECT_EQ(Tracks(file, "Status"), "Status=+++++---RRRRRRRR\n");
    ASSERT_EQ(Cli({"set", file, "--all", "Status=R"}).exitCode, 0);
    EXPECT_EQ(Tracks(file, "Status"), "Status=RRRRRRRR++++++++\n");
    ASSERT_EQ(Cli({"set", file, "--all", "--bank1", "Fader=90", "EQxH=-3"}).exitCode, 0);
    EXPECT_EQ(Tracks(file, "Fader,EQxH"),
              "Fader[%]=90,90,90,90,90,90,90,90,100,100,100,100,100,100,100,100 "
              "EQxH[dB]=-3,-3,-3,-3,-3,-3,-3,-3,0,0,0,0,0,0,0,0\n");
    // Setting the value the all-strip already shows still reaches every track.
    ASSERT_EQ(Cli({"set", file, "--all", "Pan=C"}).exitCode, 0);
    EXPECT_EQ(Tracks(file, "Pan"), "Pan=C,C,C,C,C,C,C,C,C,C,C,C,C,C,C,C\n");

    Bytes before = ReadBytes(file);
    EXPECT_EQ(Cli({"set", file, "--all", "FileAss=X"}).exitCode, 1);
    EXPECT_EQ(Cli({"set", file, "--bank1", "Fader=1"}).exitCode, 2);
    EXPECT_EQ(Cli({"set", file, "--all", "--track", "2", "Fader=1"}).exitCode, 2);
    EXPECT_EQ(Cli({"set", file, "--all", "--bank1", "--bank2", "Fader=1"}).exitCode, 2);
    EXPECT_EQ(ReadBytes(file), before);
}

TEST_F(MixerCli, CopyAndSwapMoveAllTwentyItems) {
    std::string file = Project("PROJ001");
    const std::string groups = "Status,FileAss,Pan,Fader,Reverb[v],Reverb,Chorus[v],EQxM[v],EQMidQual";
    ASSERT_EQ(Cli({"swap-tracks", file, "1", "2"}).exitCode, 0);
    EXPECT_EQ(Tracks(file, groups),
              "Status=++++R----------- FileAss=TRACK02.WAV,TRACK01.WAV,TRACK03.WAV,TRACK04.WAV,,,,,,,,,,,, "
              "Pan=R28,L20,L100,R100,C,C,C,C,C,C,C,C,C,C,C,C "
              "Fader[%]=90,100,105,105,80,100,100,100,100,100,100,100,100,100,100,100 Reverb[v]=XX-------------- "
              "Reverb[%]=25,30,0,0,0,0,0,0,0,0,0,0,0,0,0,0 Chorus[v]=X--------------- "
              "EQxM[v]=X--------------- EQMidQual=0.3,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5\n");
    ASSERT_EQ(Cli({"copy-track", file, "1", "13"}).exitCode, 0);
    EXPECT_EQ(Tracks(file, "Status,FileAss,Fader,Chorus[v]"),
              "Status=++++R-------+--- FileAss=TRACK02.WAV,TRACK01.WAV,TRACK03.WAV,TRACK04.WAV,,,,,,,,,TRACK02.WAV,,, "
              "Fader[%]=90,100,105,105,80,100,100,100,100,100,100,100,90,100,100,100 Chorus[v]=X-----------X---\n");
    // Copying an armed track arms the target and disarms its recording group.
    ASSERT_EQ(Cli({"copy-track", file, "5", "13"}).exitCode, 0);
    EXPECT_EQ(Tracks(file, "Status"), "Status=+++++-------R---\n");

    Bytes before = ReadBytes(file);
    auto locked = Cli({"copy-track", file, "1", "4"});   // 4 is the second track of the 3+4 link
    EXPECT_EQ(locked.exitCode, 1);
    EXPECT_NE(locked.err.find("second track of a stereo link"), std::string::npos) << locked.err;
    EXPECT_EQ(Cli({"swap-tracks", file, "2", "2"}).exitCode, 1);
    EXPECT_EQ(Cli({"swap-tracks", file, "2", "17"}).exitCode, 2);
    EXPECT_EQ(ReadBytes(file), before);
}

TEST_F(MixerCli, SetObeysTheWindowsRules) {
    std::string file = Project("PROJ001");
    Bytes before = ReadBytes(file);
    auto locked = Cli({"set", file, "--track", "4", "Fader=3"});
    EXPECT_EQ(locked.exitCode, 1);
    EXPECT_EQ(ReadBytes(file), before);
    ASSERT_EQ(Cli({"set", file, "--track", "9", "Status=R"}).exitCode, 0);
    ASSERT_EQ(Cli({"set", file, "--track", "1", "Status=R"}).exitCode, 0);
    EXPECT_EQ(Tracks(file, "Status"), "Status=R+++R---+-------\n");
}

}  // namespace
}  // namespace spurwerk
