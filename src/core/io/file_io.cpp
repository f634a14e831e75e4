#include "io/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

#include "io/path_text.h"
#include "ui/errors.h"

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace spurwerk {
namespace fs = std::filesystem;

namespace {

WriteFaultHook& FaultHook() {
    static WriteFaultHook hook;
    return hook;
}

std::error_code LastError() { return std::error_code(errno, std::generic_category()); }

class NotARegularFileCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "spurwerk.file"; }
    std::string message(int) const override { return "not a regular file (a FIFO, a device or a socket)"; }
};

bool TargetIsReadOnly(const fs::path& path) {
#ifdef _WIN32
    DWORD attributes = GetFileAttributesW(path.wstring().c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
#else
    // A file without write permission counts as read-only also for root, who
    // could replace it anyway.
    std::error_code ec;
    auto status = fs::status(path, ec);
    if (ec || !fs::is_regular_file(status)) return false;
    const auto writeBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & writeBits) == fs::perms::none || access(path.c_str(), W_OK) != 0;
#endif
}

FileError ReadError(const fs::path& path, const std::error_code& ec) {
    if (ec == std::errc::is_a_directory) return FileError::For(FileStep::Read, path, FileFault::IsFolder);
    if (ec == std::errc::no_such_file_or_directory) return FileError::For(FileStep::Read, path, FileFault::NotFound);
    return FileError::For(FileStep::Read, path, ec);
}

}  // namespace

std::error_code NotARegularFileError() {
    static const NotARegularFileCategory category;
    return std::error_code(1, category);
}

// --- reading --------------------------------------------------------------------

#ifdef _WIN32

InputFile::InputFile(InputFile&& other) noexcept : file_(other.file_), size_(other.size_) { other.file_ = nullptr; }

InputFile& InputFile::operator=(InputFile&& other) noexcept {
    if (this != &other) {
        if (file_) std::fclose(file_);
        file_ = other.file_;
        size_ = other.size_;
        other.file_ = nullptr;
    }
    return *this;
}

InputFile::~InputFile() {
    if (file_) std::fclose(file_);
}

InputFile InputFile::Open(const fs::path& path, std::error_code& ec) {
    ec.clear();
    InputFile in;
    std::error_code statusError;
    fs::file_status status = fs::status(path, statusError);
    if (fs::is_directory(status)) {
        ec = std::make_error_code(std::errc::is_a_directory);
        return in;
    }
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        ec = NotARegularFileError();
        return in;
    }
    in.file_ = _wfopen(path.wstring().c_str(), L"rb");
    struct _stat64 info;
    if (!in.file_ || _fstat64(_fileno(in.file_), &info) != 0) {
        ec = LastError();
        return InputFile();
    }
    in.size_ = static_cast<std::int64_t>(info.st_size);
    return in;
}

std::size_t InputFile::Read(void* data, std::size_t count, std::error_code& ec) {
    ec.clear();
    std::size_t read = count == 0 ? 0 : std::fread(data, 1, count, file_);
    if (read < count && std::ferror(file_)) ec = LastError();
    return read;
}

bool InputFile::ReadAt(std::int64_t offset, void* data, std::size_t count) {
    std::error_code ec;
    return offset >= 0 && _fseeki64(file_, offset, SEEK_SET) == 0 && Read(data, count, ec) == count;
}

#else

InputFile::InputFile(InputFile&& other) noexcept : fd_(other.fd_), size_(other.size_) { other.fd_ = -1; }

InputFile& InputFile::operator=(InputFile&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        size_ = other.size_;
        other.fd_ = -1;
    }
    return *this;
}

InputFile::~InputFile() {
    if (fd_ >= 0) ::close(fd_);
}

namespace {

// O_NONBLOCK: opening a FIFO without a writer returns at once instead of
// waiting for one; the type check then refuses it. A regular file ignores
// the flag, so it stays set: no further call per file.
constexpr int ReadOpenFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;

}  // namespace

InputFile InputFile::Open(const fs::path& path, std::error_code& ec) {
    return OpenIn(AT_FDCWD, path.c_str(), ec);
}

InputFile InputFile::OpenIn(int folderFd, const char* name, std::error_code& ec) {
    ec.clear();
    InputFile in;
    int fd = ::openat(folderFd, name, ReadOpenFlags);
    if (fd < 0) {
        ec = LastError();
        return in;
    }
    struct stat info;
    if (fstat(fd, &info) != 0) {
        ec = LastError();
        ::close(fd);
        return in;
    }
    if (!S_ISREG(info.st_mode)) {
        ec = S_ISDIR(info.st_mode) ? std::make_error_code(std::errc::is_a_directory) : NotARegularFileError();
        ::close(fd);
        return in;
    }
    in.fd_ = fd;
    in.size_ = static_cast<std::int64_t>(info.st_size);
    return in;
}

std::size_t InputFile::Read(void* data, std::size_t count, std::error_code& ec) {
    ec.clear();
    auto* out = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < count) {
        ssize_t n = ::read(fd_, out + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ec = LastError();
            break;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

bool InputFile::ReadAt(std::int64_t offset, void* data, std::size_t count) {
    if (offset < 0) return false;
    auto* out = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < count) {
        ssize_t n = ::pread(fd_, out + done, count - done, static_cast<off_t>(offset) + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

#endif

InputFile InputFile::OpenOrThrow(const fs::path& path) {
    std::error_code ec;
    InputFile in = Open(path, ec);
    if (!in) throw ReadError(path, ec);
    return in;
}

Bytes ReadWholeFile(const fs::path& path, std::uintmax_t maxSize) {
    InputFile in = InputFile::OpenOrThrow(path);
    std::uintmax_t size = static_cast<std::uintmax_t>(in.Size());
    if (size > maxSize)
        throw FileError::For(FileStep::Open, path, FileFault::TooLarge, {std::to_string(size), std::to_string(maxSize)});
    Bytes data(static_cast<std::size_t>(size));
    std::error_code ec;
    data.resize(in.Read(data.data(), data.size(), ec));
    if (ec) throw FileError::For(FileStep::Read, path, ec);
    return data;
}

Bytes ReadFileHead(const fs::path& path, std::size_t count) {
    InputFile in = InputFile::OpenOrThrow(path);
    Bytes data(count);
    std::error_code ec;
    data.resize(in.Read(data.data(), count, ec));
    if (ec) throw FileError::For(FileStep::Read, path, ec);
    return data;
}

// --- writing --------------------------------------------------------------------

fs::path TempNameBeside(const fs::path& target) {
    static std::mt19937 random{std::random_device{}()};
    return target.parent_path() /
           PathFromText("." + PathText(target.filename()) + ".tmp" + std::to_string(random() % 1000000));
}

fs::path ResolveWriteTarget(const fs::path& path) {
    fs::path current = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(current, ec))) return current;
        fs::path target = fs::read_symlink(current, ec);
        if (ec) return current;
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    throw FileError::For(FileStep::Write, path, std::make_error_code(std::errc::too_many_symbolic_link_levels));
}

TempFile::~TempFile() {
#ifdef _WIN32
    if (file_) std::fclose(file_);
#else
    if (fd_ >= 0) ::close(fd_);
#endif
    std::error_code ignored;
    if (!temp_.empty() && !moved_) fs::remove(temp_, ignored);
}

std::error_code TempFile::Create(const fs::path& target) {
    target_ = target;
    fault_ = InjectedWriteFault(target);
#ifdef _WIN32
    for (int attempt = 0; attempt < 100 && !file_; ++attempt) {
        temp_ = TempNameBeside(target);
        file_ = _wfopen(temp_.wstring().c_str(), L"wbx");
        if (!file_ && errno != EEXIST) break;
    }
    if (!file_) {
        std::error_code ec = LastError();
        temp_.clear();
        return ec;
    }
#else
    struct stat old;
    bool replaces = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temp_ = TempNameBeside(target);
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        std::error_code ec = LastError();
        temp_.clear();
        return ec;
    }
    if (replaces) {
        // The new file is the old one's: a save run by root must not give the
        // user's file to root. Owner first, as a change of owner clears set-id bits.
        if ((old.st_uid != geteuid() || old.st_gid != getegid()) && fchown(fd_, old.st_uid, old.st_gid) != 0 &&
            fchown(fd_, static_cast<uid_t>(-1), old.st_gid) != 0) {
            // Not allowed to give it away: it stays ours, as any copy would.
        }
        if (fchmod(fd_, old.st_mode & 07777) != 0) return LastError();
    }
#endif
    return {};
}

std::error_code TempFile::Write(const std::uint8_t* data, std::size_t size) {
    // An injected fault fails half-way, as a card that fills up does.
    std::size_t toWrite = fault_ ? size / 2 : size;
#ifdef _WIN32
    if (toWrite > 0 && std::fwrite(data, 1, toWrite, file_) != toWrite) return LastError();
#else
    while (toWrite > 0) {
        ssize_t written = ::write(fd_, data, toWrite);
        if (written < 0) {
            if (errno == EINTR) continue;
            return LastError();
        }
        data += written;
        toWrite -= static_cast<std::size_t>(written);
    }
#endif
    return fault_;
}

std::error_code TempFile::WriteAt(std::uint64_t offset, const std::uint8_t* data, std::size_t size) {
    if (fault_) return fault_;
#ifdef _WIN32
    const long long end = _ftelli64(file_);
    if (_fseeki64(file_, static_cast<long long>(offset), SEEK_SET) != 0) return LastError();
    if (size > 0 && std::fwrite(data, 1, size, file_) != size) return LastError();
    if (_fseeki64(file_, end, SEEK_SET) != 0) return LastError();
#else
    while (size > 0) {
        ssize_t written = ::pwrite(fd_, data, size, static_cast<off_t>(offset));
        if (written < 0) {
            if (errno == EINTR) continue;
            return LastError();
        }
        data += written;
        offset += static_cast<std::uint64_t>(written);
        size -= static_cast<std::size_t>(written);
    }
#endif
    return {};
}

std::error_code TempFile::Close() {
    if (fault_) return fault_;
    std::error_code ec;
#ifdef _WIN32
    if (std::fflush(file_) != 0 || _commit(_fileno(file_)) != 0) ec = LastError();
    if (std::fclose(file_) != 0 && !ec) ec = LastError();
    file_ = nullptr;
    if (ec) return ec;
    // Keep the read-only state and other attributes the old file had.
    std::error_code ignored;
    auto status = fs::status(target_, ignored);
    if (!ignored && fs::exists(status)) fs::permissions(temp_, status.permissions(), ignored);
#else
    if (fsync(fd_) != 0) ec = LastError();
    if (::close(fd_) != 0 && !ec) ec = LastError();
    fd_ = -1;
#endif
    return ec;
}

bool TempFile::MoveOntoTarget(bool replace, std::error_code& ec) {
    ec.clear();
#ifdef _WIN32
    DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!MoveFileExW(temp_.wstring().c_str(), target_.wstring().c_str(), flags)) {
        DWORD error = GetLastError();
        if (!replace && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)) return false;
        ec = std::error_code(static_cast<int>(error), std::system_category());
        return false;
    }
#else
    // Checked right before the move, so a file that appeared meanwhile survives.
    std::error_code ignored;
    if (!replace && fs::exists(fs::symlink_status(target_, ignored))) return false;
    fs::rename(temp_, target_, ec);
    if (ec) return false;
#endif
    moved_ = true;
    return true;
}

void WriteFileAtomically(const fs::path& requested, const Bytes& data) {
    const fs::path path = ResolveWriteTarget(requested);
    std::error_code ec;
    fs::file_status status = fs::status(path, ec);
    if (fs::is_directory(status)) throw FileError::For(FileStep::Write, path, FileFault::IsFolder);
    // A FIFO or device in the file's place is not replaced by a file.
    if (fs::exists(status) && !fs::is_regular_file(status)) throw FileError::For(FileStep::Write, path, NotARegularFileError());
    if (TargetIsReadOnly(path)) throw FileError::For(FileStep::Write, path, FileFault::ReadOnly);
    fs::path folder = path.parent_path();
    if (!fs::is_directory(folder.empty() ? fs::path(".") : folder, ec))
        throw FileError::For(FileStep::Write, path, FileFault::FolderNotFound);

    TempFile temp;
    if (!(ec = temp.Create(path)) && !(ec = temp.Write(data.data(), data.size())) && !(ec = temp.Close()))
        temp.MoveOntoTarget(true, ec);
    if (ec) throw FileError::For(FileStep::Write, path, ec);
}

void WriteFileAtomically(const fs::path& path, const std::string& data) {
    WriteFileAtomically(path, Bytes(data.begin(), data.end()));
}

void SetWriteFaultHook(WriteFaultHook hook) { FaultHook() = std::move(hook); }

std::error_code InjectedWriteFault(const fs::path& target) {
    return FaultHook() ? FaultHook()(target) : std::error_code();
}

bool PathExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(PathFromText(path), ec);
}

bool IsRegularFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

}  // namespace spurwerk
