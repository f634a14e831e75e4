// The walk every directory run shares: which entries it visits, enters and
// passes over, judged first from the type alone, then on a real tree with
// links, a FIFO, hidden and locked folders and files that vanish mid-walk.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "io/directory_walk.h"
#include "io/file_io.h"
#include "io/path_text.h"
#include "test_files.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

namespace fs = std::filesystem;
using namespace testing;

TEST(DirectoryWalkRule, EachListedTypeAndWhereALinkLeads) {
    using T = EntryType;
    using A = WalkAction;
    const struct {
        EntryType listed, target;
        WalkAction action;
    } cases[] = {
        {T::File, T::File, A::Visit},     {T::Folder, T::Folder, A::Enter},  {T::Other, T::Other, A::Skip},
        {T::Missing, T::Missing, A::Visit},  // vanished after the listing: its read reports it
        {T::Link, T::File, A::Visit},     {T::Link, T::Folder, A::Skip},     // links to folders never followed
        {T::Link, T::Other, A::Skip},     {T::Link, T::Missing, A::Visit},   // leads nowhere: reported
        {T::Link, T::Link, A::Visit},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ActionFor(c.listed, c.target), c.action)
            << static_cast<int>(c.listed) << " -> " << static_cast<int>(c.target);
}

// Records what it is shown; a file it cannot open is an entry error, as in
// the searches.
struct RecordingVisitor : DirectoryVisitor {
    std::string root;
    std::set<std::string> visited, entered;
    std::function<void(const std::string&)> onVisit;

    void EnterDirectory(const std::string& dir) override { entered.insert(dir.substr(root.size())); }
    void VisitFile(const std::string& dir, const std::string& name) override {
        visited.insert(dir.substr(root.size()) + name);
        if (onVisit) onVisit(dir + name);
        ReadFileHead(PathFromText(dir + name), 4);
    }
};

struct DirectoryWalkTest : ::testing::Test {
    TempDir dir;
    RecordingVisitor visitor;
    void SetUp() override { visitor.root = AddTrailingBackslash(PathText(dir.path())); }
    void Walk() { WalkDirectory(visitor.root, visitor); }
};

#ifndef _WIN32

TEST_F(DirectoryWalkTest, VisitsFilesAndLinksToThemButNoFolderLinksFifosOrHiddenFolders) {
    fs::create_directories(dir / "A/B");
    fs::create_directories(dir / ".hidden");
    WriteText(dir / "A/B/PRJDATA.ZDT", "project");
    WriteText(dir / "A/TAKE.WAV", "wav");
    WriteText(dir / ".hidden/PRJDATA.ZDT", "hidden");
    WriteText(dir / ".dotfile", "a hidden file is still a file");
    fs::create_symlink("A/TAKE.WAV", dir / "LINKED.WAV");
    fs::create_symlink("A", dir / "LOOP");  // would walk A twice
    fs::create_symlink("nowhere", dir / "DANGLING.WAV");
    fs::create_symlink("/dev/null", dir / "DEVICE.WAV");
    MakeFifo(dir / "A/PIPE.WAV");

    ExpectNoBlockOnFifo(dir / "A/PIPE.WAV", [&] { Walk(); });
    EXPECT_EQ(visitor.visited, (std::set<std::string>{".dotfile", "A/B/PRJDATA.ZDT", "A/TAKE.WAV", "DANGLING.WAV",
                                                      "LINKED.WAV"}));
    EXPECT_EQ(visitor.entered, (std::set<std::string>{"", "A/", "A/B/"}));
    ASSERT_EQ(visitor.entryErrors.size(), 1u);
    EXPECT_NE(visitor.entryErrors[0].find("DANGLING.WAV\": file not found"), std::string::npos)
        << visitor.entryErrors[0];
}

TEST_F(DirectoryWalkTest, FilesThatVanishWhileListedAreReportedAndTheWalkGoesOn) {
    const std::set<std::string> names = {"1.WAV", "2.WAV", "3.WAV", "4.WAV", "5.WAV"};
    for (const std::string& name : names) WriteText(dir / name, "x");
    // The first file visited removes every other one, after the folder was listed.
    visitor.onVisit = [&](const std::string& path) {
        if (visitor.visited.size() > 1) return;
        for (const std::string& name : names)
            if (PathText(dir / name) != path) fs::remove(dir / name);
    };
    Walk();
    EXPECT_EQ(visitor.visited, names);
    EXPECT_EQ(visitor.entryErrors.size(), names.size() - 1);
    for (const std::string& error : visitor.entryErrors)
        EXPECT_NE(error.find("file not found"), std::string::npos) << error;
}

TEST_F(DirectoryWalkTest, AFolderThatCannotBeListedIsPassedOverAMissingRootIsAnError) {
    fs::create_directories(dir / "LOCKED");
    fs::create_directories(dir / "OPEN");
    WriteText(dir / "LOCKED/PRJDATA.ZDT", "x");
    WriteText(dir / "OPEN/PRJDATA.ZDT", "x");
    ASSERT_EQ(chmod((dir / "LOCKED").c_str(), 0), 0);
    fs::permissions(dir.path(), fs::perms::all);
    // Root lists any folder: the walk runs in a child as an ordinary user.
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(90);
        try {
            Walk();
        } catch (...) {
            _exit(91);
        }
        bool ok = visitor.visited == std::set<std::string>{"OPEN/PRJDATA.ZDT"} && visitor.entryErrors.empty() &&
                  visitor.entered.count("LOCKED/") == 1;
        _exit(ok ? 0 : 92);
    }
    int status = 0;
    waitpid(child, &status, 0);
    chmod((dir / "LOCKED").c_str(), 0755);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "90: could not become an ordinary user, 91: the walk threw, "
                                         "92: wrong entries";

    RecordingVisitor missing;
    EXPECT_THROW(WalkDirectory(PathText(dir / "GONE") + "/", missing), FileError);
}

#endif

}  // namespace
}  // namespace spurwerk
