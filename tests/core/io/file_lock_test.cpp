// The lock that makes read-change-write cycles on one file take turns, and the
// stamp that tells a save whether another program changed the file meanwhile.
// Turns between real processes are tested with the command line (tests/cli).

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "io/file_io.h"
#include "io/file_lock.h"
#include "io/file_stamp.h"
#include "test_files.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

namespace fs = std::filesystem;
using namespace testing;

#ifndef _WIN32
// Whether another open file description could take the lock now; it conflicts
// with ours as another program's would.
bool FreeForOthers(const fs::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    bool free = flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}
#endif

TEST(FileLock, IsHeldUntilTheLastHolderOfThisProgramReleasesIt) {
#ifdef _WIN32
    GTEST_SKIP() << "the lock file's lock is checked by the command-line test on this platform";
#else
    TempDir dir;
    fs::path file = dir / "PRJDATA.ZDT";
    WriteBytes(file, Bytes{1, 2, 3});
    {
        FileLock outer = FileLock::Acquire(file);
        ASSERT_TRUE(outer.Held());
        EXPECT_FALSE(FreeForOthers(file));
        {
            // A save inside a batch that holds the lock takes it again at once.
            FileLock inner = FileLock::Acquire(file, std::chrono::milliseconds(0));
            EXPECT_TRUE(inner.Held());
        }
        EXPECT_FALSE(FreeForOthers(file));
        FileLock moved = std::move(outer);
        EXPECT_FALSE(outer.Held());
        EXPECT_FALSE(FreeForOthers(file));
    }
    EXPECT_TRUE(FreeForOthers(file));

    // Held elsewhere: the wait ends with an error that names the file.
    int other = ::open(file.c_str(), O_RDONLY);
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    const std::string error = FileErrorText([&] { FileLock::Acquire(file, std::chrono::milliseconds(50)); });
    EXPECT_NE(error.find("PRJDATA.ZDT"), std::string::npos) << error;
    ::close(other);

    // A file replaced by a save is locked under its name, not the old file.
    FileLock before = FileLock::Acquire(file);
    WriteFileAtomically(file, Bytes{4});
    EXPECT_TRUE(FreeForOthers(file));
    before.Release();
    FileLock after = FileLock::Acquire(file, std::chrono::milliseconds(0));
    EXPECT_TRUE(after.Held());
    EXPECT_FALSE(FreeForOthers(file));
#endif
}

TEST(FileLock, WhatIsNoRegularFileGetsNoLockAndNoWait) {
    TempDir dir;
    fs::create_directories(dir / "folder");
    for (const fs::path& path : {dir / "missing.ZDT", dir / "folder"})
        EXPECT_FALSE(FileLock::Acquire(path, std::chrono::milliseconds(0)).Held()) << path;
#ifndef _WIN32
    ASSERT_EQ(mkfifo((dir / "fifo.ZDT").c_str(), 0600), 0);
    EXPECT_FALSE(FileLock::Acquire(dir / "fifo.ZDT", std::chrono::milliseconds(0)).Held());
#endif
}

TEST(FileStamp, SizeOrContentDecideNotTheTimeAlone) {
    TempDir dir;
    fs::path file = dir / "a.ZDT";
    const Bytes bytes{1, 2, 3, 4};
    WriteBytes(file, bytes);
    const FileStamp loaded = StampOfBytes(bytes);
    EXPECT_EQ(loaded.contentHash, StampFile(file).contentHash);

    struct Case {
        const char* what;
        Bytes now;  // empty: the file deleted
        bool changed;
    };
    const Case cases[] = {
        {"the same bytes written again", bytes, false},
        {"same size, one byte other", Bytes{1, 2, 3, 5}, true},
        {"longer", Bytes{1, 2, 3, 4, 0}, true},
        {"shorter", Bytes{1, 2, 3}, true},
        {"deleted: a save writes it anew", Bytes{}, false},
    };
    for (const Case& c : cases) {
        if (c.now.empty()) fs::remove(file);
        else WriteBytes(file, c.now);
        EXPECT_EQ(ChangedOnDisk(loaded, StampFile(file)), c.changed) << c.what;
    }
    EXPECT_FALSE(ChangedOnDisk(FileStamp{}, StampOfBytes(Bytes{9})));  // nothing loaded: nothing to lose
}

}  // namespace
}  // namespace spurwerk
