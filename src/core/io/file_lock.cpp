#include "io/file_lock.h"

#include <map>
#include <utility>
#include <mutex>
#include <thread>

#include "ui/errors.h"

#ifdef _WIN32
#include <windows.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace spurwerk {

namespace {

#ifdef _WIN32
using Native = HANDLE;
#else
using Native = int;
#endif

// The locks this program holds, by file identity, with how often each is taken.
struct HeldLock {
    Native native;
    int count;
};
std::mutex heldMutex;
std::map<std::string, HeldLock>& HeldLocks() {
    static std::map<std::string, HeldLock> held;
    return held;
}

// Takes the lock again when this program holds it already.
bool TakeAgain(const std::string& key) {
    std::lock_guard<std::mutex> guard(heldMutex);
    auto it = HeldLocks().find(key);
    if (it == HeldLocks().end()) return false;
    ++it->second.count;
    return true;
}

void Register(const std::string& key, Native native) {
    std::lock_guard<std::mutex> guard(heldMutex);
    HeldLocks()[key] = {native, 1};
}

// Waits in growing steps: short enough that commands in a row follow closely,
// long enough that many waiters do not keep the machine busy.
class Backoff {
public:
    explicit Backoff(std::chrono::milliseconds timeout) : deadline_(std::chrono::steady_clock::now() + timeout) {}
    // False when the time is up.
    bool Wait() {
        if (std::chrono::steady_clock::now() >= deadline_) return false;
        std::this_thread::sleep_for(step_);
        if (step_ < std::chrono::milliseconds(20)) step_ *= 2;
        return true;
    }

private:
    std::chrono::steady_clock::time_point deadline_;
    std::chrono::milliseconds step_{1};
};

FileError StillLocked(const fs::path& path) {
    return FileError::For(FileStep::Lock, path, FileFault::Locked);
}

#ifdef _WIN32

// The lock file of a path: one name per file, whatever case or separators
// the path was given in.
fs::path LockFileFor(const fs::path& path) {
    std::error_code ec;
    fs::path full = fs::weakly_canonical(fs::absolute(path, ec), ec);
    std::wstring text = full.wstring();
    for (wchar_t& c : text) {
        if (c == L'/') c = L'\\';
        else if (c < 128) c = static_cast<wchar_t>(std::tolower(static_cast<int>(c)));
    }
    std::uint64_t hash = 14695981039346656037ull;
    for (wchar_t c : text) {
        hash ^= static_cast<std::uint64_t>(c);
        hash *= 1099511628211ull;
    }
    char name[40];
    std::snprintf(name, sizeof name, "spurwerk-%016llx.lock", static_cast<unsigned long long>(hash));
    return fs::temp_directory_path(ec) / name;
}

void CloseNative(Native handle) {
    OVERLAPPED at{};
    UnlockFileEx(handle, 0, 1, 0, &at);
    CloseHandle(handle);
}

#else

std::string KeyOf(const struct stat& info) {
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
}

void CloseNative(Native fd) { ::close(fd); }  // closing the descriptor releases the flock

#endif

}  // namespace

FileLock::FileLock(FileLock&& other) noexcept { std::swap(key_, other.key_); }

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        std::swap(key_, other.key_);
    }
    return *this;
}

FileLock::~FileLock() { Release(); }

bool FileLock::Held() const { return !key_.empty(); }

void FileLock::Release() {
    if (key_.empty()) return;
    std::lock_guard<std::mutex> guard(heldMutex);
    auto it = HeldLocks().find(key_);
    if (it != HeldLocks().end() && --it->second.count == 0) {
        CloseNative(it->second.native);
        HeldLocks().erase(it);
    }
    key_.clear();
}

#ifdef _WIN32

FileLock FileLock::Acquire(const fs::path& path, std::chrono::milliseconds timeout) {
    FileLock lock;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return lock;
    fs::path lockFile = LockFileFor(path);
    std::string key = lockFile.filename().string();  // ASCII: a hash of the path
    if (TakeAgain(key)) {
        lock.key_ = key;
        return lock;
    }
    HANDLE handle = CreateFileW(lockFile.wstring().c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        throw FileError::For(FileStep::Lock, path,
                             std::error_code(static_cast<int>(GetLastError()), std::system_category()));
    Backoff backoff(timeout);
    for (;;) {
        OVERLAPPED at{};
        if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) break;
        if (!backoff.Wait()) {
            CloseHandle(handle);
            throw StillLocked(path);
        }
    }
    Register(key, handle);
    lock.key_ = key;
    return lock;
}

#else

FileLock FileLock::Acquire(const fs::path& path, std::chrono::milliseconds timeout) {
    FileLock lock;
    Backoff backoff(timeout);
    for (;;) {
        // O_NONBLOCK: a FIFO in the file's place must not make the open wait.
        int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return lock;
        struct stat locked;
        if (fstat(fd, &locked) != 0 || !S_ISREG(locked.st_mode)) {
            ::close(fd);
            return lock;
        }
        std::string key = KeyOf(locked);
        if (TakeAgain(key)) {
            ::close(fd);
            lock.key_ = key;
            return lock;
        }
        bool got = false;
        for (;;) {
            if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
                got = true;
                break;
            }
            if (errno != EWOULDBLOCK && errno != EINTR) break;  // no locks on this file system
            if (!backoff.Wait()) {
                ::close(fd);
                throw StillLocked(path);
            }
        }
        if (!got) {
            ::close(fd);
            return lock;
        }
        // The holder before us may have replaced the file: the lock counts only
        // on the file that is under the name now.
        struct stat current;
        if (::stat(path.c_str(), &current) == 0 && KeyOf(current) == key) {
            Register(key, fd);
            lock.key_ = key;
            return lock;
        }
        ::close(fd);
    }
}

#endif

}  // namespace spurwerk
