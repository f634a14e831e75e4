// The walk that reads ahead on worker threads: what its visitor sees on the
// calling thread is what the serial walk shows, in the same order, however
// the reads finish; an abort stops the readers; no reader's state is shared.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "io/directory_walk.h"
#include "io/file_io.h"
#include "io/path_text.h"
#include "io/read_ahead_walk.h"
#include "test_files.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

namespace fs = std::filesystem;
using namespace testing;

// A file's read: its first bytes; "BOOM" files fail as no file error does.
std::string ReadHead(const std::string& path) {
    if (path.find("BOOM") != std::string::npos) throw std::runtime_error("boom");
    Bytes head = ReadFileHead(PathFromText(path), 8);
    return std::string(head.begin(), head.end());
}

// Both visitors write one log: folders entered, files with what their read
// gave, and (from entryErrors) the entries passed over, each in order.
struct SerialLog : DirectoryVisitor {
    std::vector<std::string> log;
    void EnterDirectory(const std::string& dir) override { log.push_back("enter " + dir); }
    void VisitFile(const std::string& dir, const std::string& name) override {
        log.push_back("file " + dir + name);
        log.back() += " = " + ReadHead(dir + name);
    }
};

struct ReadAheadLog : ReadAheadVisitor {
    std::vector<std::string> log;
    std::atomic<int> reads{0}, readsRunning{0};
    std::vector<std::atomic<int>> slotsInUse = std::vector<std::atomic<int>>(8);
    std::atomic<bool> slotShared{false}, slotOutOfRange{false}, workerRead{false};
    int slots = 0;
    int abortAtFolder = -1;  // EnterDirectory throws SilentAbort at this one
    int folders = 0;

    std::atomic<bool> aborted{false};
    std::atomic<int> readsAfterAbort{0};

    void EnterDirectory(const std::string& dir) override {
        if (folders++ == abortAtFolder) {
            aborted = true;
            throw SilentAbort();
        }
        log.push_back("enter " + dir);
    }
    std::any ReadFile(const std::string& dir, const std::string& name, int slot) override {
        if (slot < 0 || slot >= slots) slotOutOfRange = true;
        if (slot != slots - 1) workerRead = true;
        auto& inUse = slotsInUse.at(static_cast<std::size_t>(slot));
        if (inUse++ != 0) slotShared = true;
        ++readsRunning;
        struct Done {
            ReadAheadLog& log;
            std::atomic<int>& inUse;
            ~Done() { --log.readsRunning, --inUse, ++log.reads; }
        } done{*this, inUse};
        if (aborted) {  // slow from now on: a reader that goes on through its batch shows
            ++readsAfterAbort;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        // Early files read slowly: later batches finish first.
        const int number = reads.load();
        if (number < 40 && number % 3 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return ReadHead(dir + name);
    }
    void VisitFile(const std::string& dir, const std::string& name, ReadResult& read) override {
        log.push_back("file " + dir + name);
        log.back() += " = " + read.Get<std::string>();
    }
};

// Several folders of more files than a batch holds, files between folders,
// entries that fail to read and a folder nested too deep.
fs::path MakeTree(const TempDir& dir) {
    fs::path root = dir / "card";
    for (int f = 0; f < 5; ++f) {
        fs::path folder = root / ("P" + std::to_string(f));
        fs::create_directories(folder / "AUDIO");
        for (int n = 0; n < 45; ++n) WriteText(folder / "AUDIO" / ("T" + std::to_string(n) + ".WAV"), std::to_string(f * 100 + n));
        WriteText(folder / "PRJDATA.ZDT", "project" + std::to_string(f));
    }
    WriteText(root / "P2" / "BOOM.TXT", "x");
#ifndef _WIN32  // paths that long, and links, as POSIX has them
    fs::path deep = root / "P3";
    for (int depth = 0; depth <= MaxWalkDepth; ++depth) deep /= "d";
    fs::create_directories(deep);
    fs::create_symlink("nowhere", root / "P1" / "AUDIO" / "LOST.WAV");
    fs::create_symlink("nowhere", root / "P4" / "LOST.WAV");
#endif
    return root;
}

// How a walk ended: "done", or the message of what it threw (FileError too).
template <typename Walk>
std::string Outcome(Walk walk) {
    try {
        walk();
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "done";
}

TEST(ReadAheadWalk, ShowsWhatTheSerialWalkShowsInTheSameOrder) {
    TempDir dir;
    const std::string root = AddTrailingBackslash(PathText(MakeTree(dir)));
    const std::string boom = PathText(dir / "card" / "P2" / "BOOM.TXT");

    const struct {
        const char* what;
        std::string root;
        bool withBoom;
        const char* end;  // part of how the serial walk ends
    } trees[] = {
        {"whole tree, a read fails with no file error", root, true, "boom"},
        {"the same without it", root, false, "done"},
        {"missing root", PathText(dir / "GONE") + PathSeparator(), false, "GONE"},
    };
    for (const auto& tree : trees) {
        if (!tree.withBoom) fs::remove(boom);
        SerialLog serial;
        const std::string serialEnd = Outcome([&] { WalkDirectory(tree.root, serial); });
        const struct {
            int workers;
            std::chrono::microseconds slowRead;
            bool workersRead;
        } runs[] = {
            {0, {}, false},  // read ahead from the start, by the calling thread alone
            {1, {}, true},
            {3, {}, true},
            {2, std::chrono::milliseconds(1), true},  // the early reads are slow: read ahead from there on
            {2, std::chrono::hours(1), false},        // never slow: the serial walk
        };
        for (const auto& run : runs) {
            const int workers = run.workers;
            SCOPED_TRACE(std::string(tree.what) + ", workers " + std::to_string(workers) + ", slow read " +
                         std::to_string(run.slowRead.count()));
            ReadAheadLog ahead;
            ahead.slots = ReadSlots(workers);
            EXPECT_EQ(Outcome([&] { WalkDirectoryReadingAhead(tree.root, ahead, workers, run.slowRead); }), serialEnd);
            if (serialEnd == "done") {
                EXPECT_EQ(ahead.workerRead.load(), run.workersRead);
            }
            EXPECT_EQ(ahead.log, serial.log);
            EXPECT_EQ(ahead.entryErrors, serial.entryErrors);
            EXPECT_EQ(ahead.readsRunning.load(), 0);
            if (serialEnd == "done") {
                // Each file read once.
                EXPECT_EQ(ahead.reads.load(), std::count_if(ahead.log.begin(), ahead.log.end(), [](const std::string& entry) {
                              return entry.rfind("file ", 0) == 0;
                          }));
            }
            EXPECT_FALSE(ahead.slotShared);
            EXPECT_FALSE(ahead.slotOutOfRange);
        }
        // Every kind of ending and event is there to compare.
        EXPECT_NE(serialEnd.find(tree.end), std::string::npos) << serialEnd;
        if (std::string(tree.end) == "done") {
            EXPECT_GT(serial.log.size(), 200u);
#ifndef _WIN32
            EXPECT_EQ(serial.entryErrors.size(), 3u);
#endif
        }
    }
}

TEST(ReadAheadWalk, AnAbortStopsTheReadersAndTheyReadBoundedlyAhead) {
    TempDir dir;
    fs::path root = dir / "card";
    for (int f = 0; f < 60; ++f) {
        fs::create_directories(root / ("F" + std::to_string(f)));
        for (int n = 0; n < 40; ++n) WriteText(root / ("F" + std::to_string(f)) / ("T" + std::to_string(n)), "x");
    }
    for (int workers : {0, 2}) {
        SCOPED_TRACE("workers " + std::to_string(workers));
        ReadAheadLog ahead;
        ahead.slots = ReadSlots(workers);
        ahead.abortAtFolder = 3;  // the root, two folders, then the click
        EXPECT_THROW(WalkDirectoryReadingAhead(AddTrailingBackslash(PathText(root)), ahead, workers, {}), SilentAbort);
        EXPECT_EQ(ahead.readsRunning.load(), 0);
        // The readers stop after the file in hand.
        EXPECT_LE(ahead.readsAfterAbort.load(), workers);
        const int readsAtReturn = ahead.reads.load();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(ahead.reads.load(), readsAtReturn) << "a reader went on after the walk returned";
        EXPECT_EQ(ahead.log.size(), 1u + 2u * 41u);
        // Ahead of the 80 files shown, but far from the 2,400 of the card.
        EXPECT_GE(readsAtReturn, 80);
        EXPECT_LT(readsAtReturn, 600);
    }
}

}  // namespace
}  // namespace spurwerk
