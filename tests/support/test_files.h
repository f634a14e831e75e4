#pragma once
// Scratch folders and small files for tests.

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "io/file_io.h"

namespace spurwerk::testing {

// A fresh empty folder below the system's temp folder, removed on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

void WriteBytes(const std::filesystem::path& path, const Bytes& data);
void WriteText(const std::filesystem::path& path, const std::string& text);
Bytes ReadBytes(const std::filesystem::path& path);
std::string ReadText(const std::filesystem::path& path);

// The names below a folder (with `recursive`, every entry of the tree as a
// path relative to it, "/" between its parts), sorted: leftovers show in a failure.
std::vector<std::string> NamesIn(const std::filesystem::path& folder, bool recursive = false);
// Every file of a tree with its bytes, keyed by the relative path, sorted.
std::vector<std::pair<std::string, Bytes>> FolderContents(const std::filesystem::path& folder);

// The message of the FileError `action` throws, empty when it throws none.
std::string FileErrorText(const std::function<void()>& action);

// A card that fills up while it lives: every write whose target path contains
// `marker` (any write for "") fails with "No space left on device".
class FullCard {
public:
    explicit FullCard(const std::string& marker = "");
    ~FullCard();
    FullCard(const FullCard&) = delete;
    FullCard& operator=(const FullCard&) = delete;
};

// POSIX only (tests skip elsewhere): makes a FIFO, then runs `read`; a read
// that blocks on the FIFO is released after a few seconds and fails the test,
// so a regression cannot hang the suite.
void MakeFifo(const std::filesystem::path& path);
void ExpectNoBlockOnFifo(const std::filesystem::path& fifo, const std::function<void()>& read);

// A small real tmpfs mounted on a fresh folder, for a card that fills up;
// mounted() is false when that is not allowed (not root), and the test skips.
class SmallTmpfs {
public:
    explicit SmallTmpfs(std::size_t kibibytes);
    ~SmallTmpfs();
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;
    bool mounted() const { return mounted_; }
    const std::filesystem::path& path() const { return dir_.path(); }
    // Fills it up to the last few bytes with one file.
    void Fill();

private:
    TempDir dir_;
    bool mounted_ = false;
};

// The text of a path written with "/" between its parts, with the platform's
// separator instead ("\\" on Windows), as the program shows paths.
std::string NativePath(std::string text);

}  // namespace spurwerk::testing
