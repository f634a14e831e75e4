// The commands under real faults: FIFOs named like project and WAV files,
// broken links in a card tree, output that cannot be written, a full card,
// names that hold terminal control sequences. Exit codes tell the truth.

#include <gtest/gtest.h>

#include <filesystem>

#include "io/path_text.h"
#include "process.h"
#include "test_files.h"

namespace spurwerk {
namespace {

namespace fs = std::filesystem;
using namespace testing;

const fs::path DemoCard = fs::path(SPURWERK_BIN_DIR) / ".." / "demo-card";

// A hang fails the test after 20 seconds (exit code -2) instead of blocking.
ProcessResult Cli(const std::vector<std::string>& arguments, ProcessOptions options = {}) {
    options.timeoutSeconds = 20;
    return RunProcess(SPURWERK_CLI, arguments, options);
}

class FaultsCli : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "FIFOs, links and /dev/full as POSIX has them";
#endif
        fs::copy(DemoCard, card.path(), fs::copy_options::recursive);
    }
    std::string Path(const std::string& relative) const { return (card / relative).string(); }
    TempDir card;
};

TEST_F(FaultsCli, FifosAreNotFilesAndNeverHang) {
    fs::create_directories(card / "FIFO" / "AUDIO");
    MakeFifo(card / "FIFO" / "PRJDATA.ZDT");
    MakeFifo(card / "PROJ001" / "AUDIO" / "PIPE.WAV");

    auto info = Cli({"info", Path("FIFO/PRJDATA.ZDT")});
    EXPECT_EQ(info.exitCode, 1);
    EXPECT_NE(info.err.find("not a regular file"), std::string::npos) << info.err;
    auto wav = Cli({"wav", Path("PROJ001/AUDIO/PIPE.WAV")});
    EXPECT_EQ(wav.exitCode, 0) << wav.err;
    EXPECT_NE(wav.out.find("[Keine WAV-D.]"), std::string::npos);
    for (std::vector<std::string> walk : {std::vector<std::string>{"search", Path(""), "--wav", "--wav-size"},
                                          {"infofiles", "update", Path("")},
                                          {"endmarks", Path(""), "--no"},
                                          {"files", Path("PROJ001/PRJDATA.ZDT")}}) {
        auto r = Cli(walk);
        EXPECT_EQ(r.exitCode, 0) << walk[0] << ": " << r.err;
    }
}

TEST_F(FaultsCli, ABrokenEntryIsReportedAndTheWalkGoesOn) {
    fs::create_directories(card / "LINKS");
    fs::create_symlink("gone/PRJDATA.ZDT", card / "LINKS" / "PRJDATA.ZDT");
    auto r = Cli({"search", Path("")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("\"BALLADE\""), std::string::npos) << r.out;  // the others are listed
    EXPECT_NE(r.err.find("1 entries failed:\nCannot read \"" + Path("LINKS/PRJDATA.ZDT") + "\": file not found"),
              std::string::npos)
        << r.err;
    auto info = Cli({"infofiles", "update", Path("")});
    EXPECT_EQ(info.exitCode, 1);
    EXPECT_TRUE(fs::exists(card / "PROJ002/PRJDATA___BALLADE_NAME.TXT"));
}

TEST_F(FaultsCli, OutputThatCannotBeWrittenFailsTheCommand) {
    ProcessOptions full;
    full.stdoutPath = "/dev/full";
    auto r = Cli({"search", Path("")}, full);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("cannot write the output: No space left on device"), std::string::npos) << r.err;

    ProcessOptions closed;
    closed.closeStdout = true;
    Bytes before = ReadBytes(card / "PROJ001" / "PRJDATA.ZDT");
    r = Cli({"set", Path("PROJ001/PRJDATA.ZDT"), "--track", "1", "Fader=10"}, closed);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("standard output is closed"), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(card / "PROJ001" / "PRJDATA.ZDT"), before);
}

TEST_F(FaultsCli, ControlCharactersInNamesAreShownEscaped) {
    Bytes project = ReadBytes(card / "PROJ001" / "PRJDATA.ZDT");
    const std::string name = "A\x1b[2J\x07" "Bx";
    std::copy(name.begin(), name.end(), project.begin() + 52);
    fs::create_directories(card / "ESC\x1b]0;X");
    WriteBytes(card / "ESC\x1b]0;X" / "PRJDATA.ZDT", project);
    auto info = Cli({"info", Path("ESC\x1b]0;X/PRJDATA.ZDT")});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_EQ(info.out.find('\x1b'), std::string::npos);
    EXPECT_NE(info.out.find("Project: \"A\\x1B[2J\\x07Bx\""), std::string::npos) << info.out;
    auto search = Cli({"search", Path("")});
    EXPECT_EQ(search.out.find('\x1b'), std::string::npos);
    EXPECT_NE(search.out.find("ESC\\x1B]0;X"), std::string::npos) << search.out;
}

TEST_F(FaultsCli, AFailedSeriesSaysWhichProjectAndWhy) {
    fs::create_directories(card / "BLOCKED");
    WriteText(card / "BLOCKED" / "PROJ001", "a file where the project folder should be");
    auto r = Cli({"series", Path("PROJ001/PRJDATA.ZDT"), Path("BLOCKED"), "--start", "1", "--count", "2", "--yes"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("in \"" + Path("BLOCKED/PROJ001/") + "\" failed: Cannot create folder"), std::string::npos)
        << r.err;
}

TEST_F(FaultsCli, AFullCardFailsTheSaveWithTheRealReasonAndLeavesNothingHalfMade) {
    SmallTmpfs sd(64);  // room for the project files, not for a WAV template
    if (!sd.mounted()) GTEST_SKIP() << "a tmpfs card needs root";
    const std::string target = (sd.path() / "PROJ005" / "PRJDATA.ZDT").string();
    auto save = Cli({"save-project", Path("PROJ002/PRJDATA.ZDT"), target, "--yes"});
    EXPECT_EQ(save.exitCode, 1);
    EXPECT_NE(save.err.find("files could not be made:"), std::string::npos) << save.err;
    EXPECT_NE(save.err.find("No space left on device"), std::string::npos) << save.err;
    EXPECT_EQ(save.err.find("Input/output error"), std::string::npos) << save.err;

    auto copy = Cli({"copy", Path("PROJ001"), (sd.path() / "PROJ006").string(), "--yes"});
    EXPECT_EQ(copy.exitCode, 1);
    EXPECT_NE(copy.err.find("No space left on device"), std::string::npos) << copy.err;
    EXPECT_FALSE(fs::exists(sd.path() / "PROJ006"));
}

}  // namespace
}  // namespace spurwerk
