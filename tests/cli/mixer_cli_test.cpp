// The mixer's commands: each argument reaches the mixer and the file shows it.

#include <gtest/gtest.h>

#include "cli_test.h"

namespace spurwerk::testing {
namespace {

class MixerCli : public CliOnCard {};

TEST_F(MixerCli, FilesListsTheAudioFolderWithItsTracks) {
    auto r = Cli({"files", Project("PROJ001")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "5 WAV-Dateien,  5 davon Tracks zugeordnet!");
    EXPECT_TRUE(Has(r.out, "\nMASTR001.WAV [Tr.M] [t=      1s500, 2x44.1KHz, 16-Bit]"));
    auto sizes = Cli({"files", Project("PROJ002"), "--list-size"});
    EXPECT_TRUE(Has(sizes.out, "{LIST: 22 B.}"));
}

}  // namespace
}  // namespace spurwerk::testing
