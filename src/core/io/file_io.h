#pragma once
// Whole-file reads and writes. A write goes to a temporary file in the target's
// folder and replaces the target only when complete, so a failed save leaves the
// old file exactly as it was.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "text/bytes.h"

namespace spurwerk {


// Largest file taken whole into memory as a project document.
constexpr std::uintmax_t MaxDocumentFileSize = 64u * 1024u * 1024u;

// A regular file opened for reading. Opening never waits: a FIFO or a device
// named like a project or WAV file would otherwise hang the program, so
// anything that is not a regular file after following links is refused.
class InputFile {
public:
    InputFile() = default;
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // An unopened InputFile on failure, with `ec` telling why.
    static InputFile Open(const std::filesystem::path& path, std::error_code& ec);
    // Throws FileError "Cannot read ..." on failure.
    static InputFile OpenOrThrow(const std::filesystem::path& path);
#ifndef _WIN32
    // `name` in the folder open as `folderFd`: the system looks up one name,
    // not the whole path again.
    static InputFile OpenIn(int folderFd, const char* name, std::error_code& ec);
#endif

#ifdef _WIN32
    explicit operator bool() const { return file_ != nullptr; }
#else
    explicit operator bool() const { return fd_ >= 0; }
#endif
    std::int64_t Size() const { return size_; }

    // Reads up to `count` bytes from the current position; fewer only at the
    // end of the file or on an error, which `ec` then holds.
    std::size_t Read(void* data, std::size_t count, std::error_code& ec);
    // Reads exactly `count` bytes at `offset`; false when the file does not
    // hold them or cannot be read.
    bool ReadAt(std::int64_t offset, void* data, std::size_t count);

private:
#ifdef _WIN32
    std::FILE* file_ = nullptr;
#else
    int fd_ = -1;
#endif
    std::int64_t size_ = 0;
};

// The reason given for a path that is neither a regular file nor missing
// (a FIFO, a device, a socket).
std::error_code NotARegularFileError();

// The name of a temporary file beside `target` (".NAME.tmpNNNNNN"): hidden, and
// never taken for a project file by the walks.
std::filesystem::path TempNameBeside(const std::filesystem::path& target);

// The file a write to `path` changes: symbolic links followed to their end, so
// a save through a link reaches the real file.
std::filesystem::path ResolveWriteTarget(const std::filesystem::path& path);

// A new temporary file beside a target, moved onto it when complete. It takes
// the mode, owner and group of the file it replaces; it is removed unless moved.
// Errors carry the system's reason (a full card says "No space left on device").
class TempFile {
public:
    TempFile() = default;
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile();

    std::error_code Create(const std::filesystem::path& target);
    std::error_code Write(const std::uint8_t* data, std::size_t size);
    // Overwrites bytes already written (a header whose sizes are known at the end).
    std::error_code WriteAt(std::uint64_t offset, const std::uint8_t* data, std::size_t size);
    // Flushes to the medium and closes.
    std::error_code Close();
    // Moves the closed file onto the target. Without `replace` an existing
    // target is kept: the result is then false with `ec` clear.
    bool MoveOntoTarget(bool replace, std::error_code& ec);
    // The temporary file itself, to be read back (checked) before the move.
    const std::filesystem::path& TempPath() const { return temp_; }

private:
    std::filesystem::path target_, temp_;
    std::error_code fault_;
    bool moved_ = false;
#ifdef _WIN32
    std::FILE* file_ = nullptr;
#else
    int fd_ = -1;
#endif
};

// Reads the whole file; throws FileError when it cannot be read or is larger
// than maxSize bytes.
Bytes ReadWholeFile(const std::filesystem::path& path,
                    std::uintmax_t maxSize = MaxDocumentFileSize);

// Reads at most `count` bytes from the start of the file; fewer when the file is
// shorter. Throws FileError when the file cannot be opened.
Bytes ReadFileHead(const std::filesystem::path& path, std::size_t count);

// Replaces (or creates) the file with `data` through a temporary file; throws
// FileError and leaves any existing file untouched on failure.
void WriteFileAtomically(const std::filesystem::path& path, const Bytes& data);
void WriteFileAtomically(const std::filesystem::path& path, const std::string& data);

bool IsRegularFile(const std::filesystem::path& path);
// Whether anything exists under the path text; errors count as not existing.
bool PathExists(const std::string& path);

// Failure injection for tests: when set, every atomic write and file copy asks
// the hook about its target first; an error it returns makes that write fail
// after part of the data went out, as a full disk does. Empty in the program.
using WriteFaultHook = std::function<std::error_code(const std::filesystem::path& target)>;
void SetWriteFaultHook(WriteFaultHook hook);
std::error_code InjectedWriteFault(const std::filesystem::path& target);

}  // namespace spurwerk
