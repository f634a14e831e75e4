// The mixer's commands: each argument reaches the mixer and the file shows it.

#include <gtest/gtest.h>

#include "cli_test.h"

namespace spurwerk::testing {
namespace {

class MixerCli : public CliOnCard {
protected:
    std::string Tracks(const std::string& groups) {
        auto r = Cli({"tracks", Project("PROJ001"), "--compact", "--groups", groups});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return r.out;
    }
};

TEST_F(MixerCli, FilesListsTheAudioFolderWithItsTracks) {
    auto r = Cli({"files", Project("PROJ001")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "5 WAV-Dateien,  5 davon Tracks zugeordnet!");
    EXPECT_TRUE(Has(r.out, "\nMASTR001.WAV [Tr.M] [t=      1s500, 2x44.1KHz, 16-Bit]"));
    auto sizes = Cli({"files", Project("PROJ002"), "--list-size"});
    EXPECT_TRUE(Has(sizes.out, "{LIST: 22 B.}"));
}

TEST_F(MixerCli, SetAllCopyAndSwapReachTheAllStripAndTheTrackTransfer) {
    ASSERT_EQ(Cli({"set", Project("PROJ001"), "--all", "--bank1", "Fader=90"}).exitCode, 0);
    EXPECT_EQ(Tracks("Fader"), "Fader[%]=90,90,90,90,90,90,90,90,100,100,100,100,100,100,100,100\n");
    ASSERT_EQ(Cli({"set", Project("PROJ001"), "--all", "--bank2", "Status=R"}).exitCode, 0);
    EXPECT_EQ(Tracks("Status"), "Status=+++++---RRRRRRRR\n");
    // Copy and swap reach the track transfer.
    ASSERT_EQ(Cli({"swap-tracks", Project("PROJ001"), "1", "2"}).exitCode, 0);
    EXPECT_EQ(Tracks("FileAss"), "FileAss=TRACK02.WAV,TRACK01.WAV,TRACK03.WAV,TRACK04.WAV,,,,,,,,,,,,\n");
    ASSERT_EQ(Cli({"copy-track", Project("PROJ001"), "1", "13"}).exitCode, 0);
    EXPECT_EQ(Tracks("FileAss"), "FileAss=TRACK02.WAV,TRACK01.WAV,TRACK03.WAV,TRACK04.WAV,,,,,,,,,TRACK02.WAV,,,\n");
}

}  // namespace
}  // namespace spurwerk::testing
