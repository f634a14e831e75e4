// The one place a project is read and written: what a load and a save leave
// in the session, what its host sees while they run, and the file's lock.
// The questions around them are tested with document_ops.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include "io/path_text.h"
#include "project/project_session.h"
#include "test_bytes.h"
#include "test_files.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

namespace fs = std::filesystem;
using namespace testing;

// Notes whether the session was loading or saving when it called.
struct WatchingHost : DocumentHost {
    ProjectSession* session = nullptr;
    std::vector<std::string> seen;
    bool failFilling = false;
    void DocumentLoaded(const std::string& name, const std::string&) override {
        seen.push_back("loaded " + name + Flags());
        if (failFilling) throw FileError("filling failed");
    }
    void PrepareSave() override { seen.push_back("prepare" + Flags()); }
    std::string Flags() const {
        return std::string(session->IsLoadingZDT() ? " loading" : "") + (session->IsSavingZDT() ? " saving" : "");
    }
};

class ProjectSessionTest : public ::testing::Test {
protected:
    TempDir dir;
    ProjectSession session;
    WatchingHost host;
    void SetUp() override {
        host.session = &session;
        session.SetHost(&host);
        WriteBytes(dir / "PRJDATA.ZDT", ProjectBytes({.name = "SONG"}));
        session.Load(Path("PRJDATA.ZDT"));
        host.seen.clear();
    }
    std::string Path(const std::string& name) const { return PathText(dir / name); }
};

TEST_F(ProjectSessionTest, ASaveLeavesTheSavedFileLoadedStampedAndUnchanged) {
    struct Case {
        const char* what;
        const char* target;
    };
    const Case cases[] = {{"under its own name", "PRJDATA.ZDT"}, {"under another name", "COPY.ZDT"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        session.doc.WriteZDTByte(200, 42);
        session.DeclinedFileStamp = StampFile(dir / "PRJDATA.ZDT");
        session.Save(Path(c.target));
        EXPECT_EQ(ReadBytes(dir / c.target), session.doc.ZDTData());
        EXPECT_FALSE(session.doc.DataChanged());
        for (const std::string* name :
             {&session.LoadedZDTFileName, &session.ZDTFileToLoad, &session.LastSavedZDTFileName})
            EXPECT_EQ(*name, Path(c.target));
        // What was just written is no change by another program.
        EXPECT_FALSE(ChangedOnDisk(session.LoadedFileStamp, session.StampOnDisk()));
        EXPECT_FALSE(session.DeclinedFileStamp.known);
    }
}

TEST_F(ProjectSessionTest, TheHostSeesTheStepItIsCalledFromAndNoFlagOutlivesIt) {
    struct Case {
        const char* what;
        std::function<void()> step;
        bool fails;
        std::vector<std::string> seen;
    };
    const std::string loaded = "loaded SONG loading";
    const Case cases[] = {
        {"load", [&] { session.Load(Path("PRJDATA.ZDT")); }, false, {loaded}},
        {"save", [&] { session.Save(Path("PRJDATA.ZDT")); }, false, {"prepare saving"}},
        {"load of a missing file", [&] { session.Load(Path("NONE.ZDT")); }, true, {}},
        {"load whose filling fails",
         [&] {
             host.failFilling = true;
             session.Load(Path("PRJDATA.ZDT"));
         },
         true,
         {loaded}},
        {"save into a missing folder", [&] { session.Save(Path("none/X.ZDT")); }, true, {"prepare saving"}},
        {"write without preparing", [&] { session.WriteProjectFile(Path("OTHER.ZDT"), false); }, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.seen.clear();
        host.failFilling = false;
        if (c.fails) EXPECT_ANY_THROW(c.step());
        else EXPECT_NO_THROW(c.step());
        EXPECT_EQ(host.seen, c.seen);
        EXPECT_FALSE(session.IsLoadingZDT());
        EXPECT_FALSE(session.IsSavingZDT());
    }
}

TEST_F(ProjectSessionTest, ARefusedOrUnreadableFileLeavesTheSessionAsItWas) {
    WriteBytes(dir / "SHORT.ZDT", Bytes(10, 1));
    session.doc.WriteZDTByte(200, 42);
    const Bytes before = session.doc.ZDTData();
    const FileStamp stamp = session.LoadedFileStamp;
    struct Case {
        const char* what;
        const char* file;
    };
    const Case cases[] = {{"refused by the check", "SHORT.ZDT"}, {"missing", "NONE.ZDT"}};
    LoadOptions refuseShort;
    refuseShort.check = [](const std::string&, const Bytes& data) {
        if (data.size() < MinProjectDataSize) throw FileError("no project");
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_ANY_THROW(session.Load(Path(c.file), refuseShort));
        EXPECT_EQ(session.doc.ZDTData(), before);
        EXPECT_TRUE(session.doc.DataChanged());
        EXPECT_EQ(session.LoadedZDTFileName, Path("PRJDATA.ZDT"));
        EXPECT_EQ(session.LoadedFileStamp.contentHash, stamp.contentHash);
        EXPECT_TRUE(host.seen.empty());
    }
}

#ifndef _WIN32
// Whether another program could take the file's lock now.
bool FreeForOthers(const fs::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    bool free = flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}
#endif

TEST_F(ProjectSessionTest, ASaveWaitsForAnotherProgramsLockAndAHeldLockLastsTheSession) {
#ifdef _WIN32
    GTEST_SKIP() << "the lock file's lock is checked by the command-line test on this platform";
#else
    const fs::path file = dir / "PRJDATA.ZDT";
    const Bytes onDisk = ReadBytes(file);
    session.lockTimeout = std::chrono::milliseconds(50);
    session.doc.WriteZDTByte(200, 42);

    // Another program's read-change-write is under way: nothing is written.
    int other = ::open(file.c_str(), O_RDONLY);
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    for (bool prepare : {true, false}) {
        EXPECT_THROW(prepare ? session.Save(PathText(file)) : session.WriteProjectFile(PathText(file), false),
                     FileError);
        EXPECT_EQ(ReadBytes(file), onDisk);
    }
    EXPECT_TRUE(session.doc.DataChanged());
    ::close(other);

    // A command's lock, taken by the info file's name, holds from before the
    // read until the session ends; its own save goes on.
    WriteBytes(dir / "PRJDATA___SONG_NAME.TXT", Bytes{});
    {
        ProjectSession command;
        command.HoldLock(Path("PRJDATA___SONG_NAME.TXT"));
        EXPECT_FALSE(FreeForOthers(file));
        command.Load(Path("PRJDATA___SONG_NAME.TXT"));
        command.Save(command.LoadedZDTFileName);
        EXPECT_EQ(command.LoadedZDTFileName, PathText(file));
    }
    EXPECT_TRUE(FreeForOthers(file));
#endif
}

}  // namespace
}  // namespace spurwerk
