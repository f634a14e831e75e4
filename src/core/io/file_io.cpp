#include "io/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

#include "io/path_text.h"
#include "ui/errors.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace spurwerk {
namespace fs = std::filesystem;

namespace {

WriteFaultHook& FaultHook() {
    static WriteFaultHook hook;
    return hook;
}

std::string LastSystemError() { return std::generic_category().message(errno); }

void OpenForReading(std::ifstream& in, const fs::path& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) throw FileError::For("Cannot read", path, "is a folder, not a file");
    in.open(path, std::ios::binary);
    if (!in) {
        std::error_code exists;
        if (!fs::exists(path, exists)) throw FileError::For("Cannot read", path, "file not found");
        throw FileError::For("Cannot read", path, LastSystemError());
    }
}

#ifdef _WIN32
bool SyncAndClose(std::FILE* f) {
    bool ok = std::fflush(f) == 0 && _commit(_fileno(f)) == 0;
    return std::fclose(f) == 0 && ok;
}
#else
bool SyncAndClose(std::FILE* f) {
    bool ok = std::fflush(f) == 0 && fsync(fileno(f)) == 0;
    return std::fclose(f) == 0 && ok;
}
#endif

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

void ReplaceFile(const fs::path& from, const fs::path& to) {
#ifdef _WIN32
    if (!MoveFileExW(from.wstring().c_str(), to.wstring().c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category());
#else
    fs::rename(from, to);
#endif
}

}  // namespace

Bytes ReadWholeFile(const fs::path& path, std::uintmax_t maxSize) {
    std::ifstream in;
    OpenForReading(in, path);
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0) throw FileError::For("Cannot read", path, LastSystemError());
    if (static_cast<std::uintmax_t>(size) > maxSize)
        throw FileError::For("Cannot open", path,
                             "file is too large (" + std::to_string(size) + " bytes; at most " +
                                 std::to_string(maxSize) + " are accepted)");
    in.seekg(0);
    Bytes data(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(data.data()), size))
        throw FileError::For("Cannot read", path, LastSystemError());
    return data;
}

Bytes ReadFileHead(const fs::path& path, std::size_t count) {
    std::ifstream in;
    OpenForReading(in, path);
    Bytes data(count);
    in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(count));
    data.resize(static_cast<std::size_t>(in.gcount()));
    return data;
}

void WriteFileAtomically(const fs::path& path, const Bytes& data) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) throw FileError::For("Cannot write", path, "is a folder, not a file");
    if (TargetIsReadOnly(path)) throw FileError::For("Cannot write", path, "the file is read-only");
    fs::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    if (!fs::is_directory(folder, ec)) throw FileError::For("Cannot write", path, "folder not found");

    static std::mt19937 random{std::random_device{}()};
    fs::path temp = folder / PathFromText("." + PathText(path.filename()) + ".tmp" +
                                          std::to_string(random() % 1000000));
#ifdef _WIN32
    std::FILE* f = _wfopen(temp.wstring().c_str(), L"wbx");
#else
    std::FILE* f = std::fopen(temp.c_str(), "wbx");
#endif
    if (!f) throw FileError::For("Cannot write", path, LastSystemError());
    std::error_code fault = InjectedWriteFault(path);
    std::size_t toWrite = fault ? data.size() / 2 : data.size();
    bool written = toWrite == 0 || std::fwrite(data.data(), 1, toWrite, f) == toWrite;
    written = written && !fault;
    std::string reason = fault ? fault.message() : written ? std::string() : LastSystemError();
    bool closed = SyncAndClose(f);
    if (!written || !closed) {
        if (reason.empty()) reason = LastSystemError();
        fs::remove(temp, ec);
        throw FileError::For("Cannot write", path, reason);
    }
    // Keep the permissions the old file had.
    auto status = fs::status(path, ec);
    if (!ec && fs::exists(status)) fs::permissions(temp, status.permissions(), ec);
    try {
        ReplaceFile(temp, path);
    } catch (const std::system_error& e) {
        fs::remove(temp, ec);
        throw FileError::For("Cannot write", path, e.code().message());
    }
}

void WriteFileAtomically(const fs::path& path, const std::string& data) {
    WriteFileAtomically(path, Bytes(data.begin(), data.end()));
}

void SetWriteFaultHook(WriteFaultHook hook) { FaultHook() = std::move(hook); }

std::error_code InjectedWriteFault(const fs::path& target) {
    return FaultHook() ? FaultHook()(target) : std::error_code();
}

bool IsRegularFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

}  // namespace spurwerk
