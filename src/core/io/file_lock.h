#pragma once
// An advisory lock that makes read-change-write cycles on one project file take
// turns between programs: two commands that each read, change and write back
// the whole file would otherwise lose one of the changes.
//
// POSIX: flock() on the file itself. A save replaces the file by a new one
// (atomic rename), so a waiter that got the lock on the replaced file takes it
// again on the file now under the name. Windows: the file itself cannot be
// replaced while a handle to it is open on FAT, so LockFileEx locks a lock file
// in the temporary folder named after the file's full path.

#include <chrono>
#include <filesystem>
#include <string>

namespace spurwerk {

class FileLock {
public:
    FileLock() = default;
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    // Waits until no other program holds the lock of `path`, then holds it.
    // Within one program the lock is counted: a step that already holds it
    // (a batch around its load and save) lets the save take it again.
    // A path that is no regular file (missing, a folder, a FIFO) gets no lock:
    // reading it reports the error. Throws FileError when the lock is still
    // held by another program after `timeout`.
    static FileLock Acquire(const std::filesystem::path& path,
                            std::chrono::milliseconds timeout = std::chrono::seconds(60));

    bool Held() const;
    void Release();

private:
    std::string key_;  // the file's identity while held, empty otherwise
};

}  // namespace spurwerk
