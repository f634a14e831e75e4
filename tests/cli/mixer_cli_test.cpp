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

TEST_F(MixerCli, SetAllReachesTheAllStripAndItsBanks) {
    std::string file = Project("PROJ001");
    ASSERT_EQ(Cli({"set", file, "--all", "--bank1", "Fader=90"}).exitCode, 0);
    EXPECT_EQ(Tracks(file, "Fader"), "Fader[%]=90,90,90,90,90,90,90,90,100,100,100,100,100,100,100,100\n");
    ASSERT_EQ(Cli({"set", file, "--all", "--bank2", "Status=R"}).exitCode, 0);
    EXPECT_EQ(Tracks(file, "Status"), "Status=+++++---RRRRRRRR\n");

    Bytes before = ReadBytes(file);
    EXPECT_EQ(Cli({"set", file, "--all", "FileAss=X"}).exitCode, 1);
    for (const auto& args : std::vector<std::vector<std::string>>{{"--bank1"}, {"--all", "--track", "2"},
                                                                  {"--all", "--bank1", "--bank2"}}) {
        std::vector<std::string> call = {"set", file};
        call.insert(call.end(), args.begin(), args.end());
        call.push_back("Fader=1");
        EXPECT_EQ(Cli(call).exitCode, 2) << args.back();
    }
    EXPECT_EQ(ReadBytes(file), before);
}

TEST_F(MixerCli, CopyAndSwapReachTheTrackTransfer) {
    std::string file = Project("PROJ001");
    ASSERT_EQ(Cli({"swap-tracks", file, "1", "2"}).exitCode, 0);
    EXPECT_EQ(Tracks(file, "FileAss,Pan"),
              "FileAss=TRACK02.WAV,TRACK01.WAV,TRACK03.WAV,TRACK04.WAV,,,,,,,,,,,, Pan=R28,L20,L100,R100,C,C,C,C,C,C,C,C,C,C,C,C\n");
    ASSERT_EQ(Cli({"copy-track", file, "1", "13"}).exitCode, 0);
    EXPECT_EQ(Tracks(file, "Fader"), "Fader[%]=90,100,105,105,80,100,100,100,100,100,100,100,90,100,100,100\n");

    Bytes before = ReadBytes(file);
    auto locked = Cli({"copy-track", file, "1", "4"});   // 4 is the second track of the 3+4 link
    EXPECT_EQ(locked.exitCode, 1);
    EXPECT_NE(locked.err.find("second track of a stereo link"), std::string::npos) << locked.err;
    EXPECT_EQ(Cli({"swap-tracks", file, "2", "17"}).exitCode, 2);
    EXPECT_EQ(ReadBytes(file), before);
}

}  // namespace
}  // namespace spurwerk
