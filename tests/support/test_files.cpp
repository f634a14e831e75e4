#include "test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <future>
#include <iterator>
#include <random>

#include "io/path_text.h"
#include "scoped_environment.h"
#include "ui/errors.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace spurwerk::testing {
namespace fs = std::filesystem;

TempDir::TempDir() {
    std::random_device random;
    for (;;) {
        path_ = fs::temp_directory_path() / ("spurwerk-test-" + std::to_string(random()));
        if (fs::create_directory(path_)) break;
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto& entry : fs::recursive_directory_iterator(path_, ec))
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

void WriteBytes(const fs::path& path, const Bytes& data) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

void WriteText(const fs::path& path, const std::string& text) { WriteBytes(path, Bytes(text.begin(), text.end())); }

Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ReadText(const fs::path& path) {
    Bytes b = ReadBytes(path);
    return std::string(b.begin(), b.end());
}

std::vector<std::string> NamesIn(const fs::path& folder, bool recursive) {
    std::vector<std::string> names;
    auto add = [&](const fs::path& entry) {
        const auto name = entry.lexically_relative(folder).generic_u8string();
        names.emplace_back(name.begin(), name.end());
    };
    if (recursive)
        for (const auto& e : fs::recursive_directory_iterator(folder)) add(e.path());
    else
        for (const auto& e : fs::directory_iterator(folder)) add(e.path());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::pair<std::string, Bytes>> FolderContents(const fs::path& folder) {
    std::vector<std::pair<std::string, Bytes>> files;
    for (const std::string& name : NamesIn(folder, true)) {
        const fs::path file = folder / PathFromText(name);
        if (fs::is_regular_file(file)) files.emplace_back(name, ReadBytes(file));
    }
    return files;
}

std::string FileErrorText(const std::function<void()>& action) {
    try {
        action();
    } catch (const FileError& e) {
        return e.what();
    }
    return "";
}

FullCard::FullCard(const std::string& marker) {
    SetWriteFaultHook([marker](const fs::path& target) {
        return target.generic_string().find(marker) != std::string::npos ? std::make_error_code(std::errc::no_space_on_device)
                                                                         : std::error_code();
    });
}

FullCard::~FullCard() { SetWriteFaultHook(nullptr); }

#ifndef _WIN32
void MakeFifo(const fs::path& path) { ASSERT_EQ(mkfifo(path.c_str(), 0644), 0) << path; }

void ExpectNoBlockOnFifo(const fs::path& fifo, const std::function<void()>& read) {
    auto done = std::async(std::launch::async, read);
    if (done.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
        ADD_FAILURE() << "blocked on the FIFO " << fifo;
        // A writer that comes and goes ends the reader's wait with end of file.
        int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) close(fd);
    }
    done.get();
}

SmallTmpfs::SmallTmpfs(std::size_t kibibytes) {
    std::string options = "size=" + std::to_string(kibibytes) + "k";
    mounted_ = geteuid() == 0 && mount("tmpfs", dir_.path().c_str(), "tmpfs", 0, options.c_str()) == 0;
}

SmallTmpfs::~SmallTmpfs() {
    if (mounted_) umount2(dir_.path().c_str(), MNT_DETACH);
}

void SmallTmpfs::Fill() {
    std::ofstream out(dir_.path() / "filler", std::ios::binary);
    const std::vector<char> block(4096, 0);
    while (out.write(block.data(), static_cast<std::streamsize>(block.size())).flush()) {
    }
}
#else
void MakeFifo(const fs::path&) {}
void ExpectNoBlockOnFifo(const fs::path&, const std::function<void()>& read) { read(); }
SmallTmpfs::SmallTmpfs(std::size_t) {}
SmallTmpfs::~SmallTmpfs() {}
void SmallTmpfs::Fill() {}
#endif

std::string NativePath(std::string text) {
#ifdef _WIN32
    for (char& c : text)
        if (c == '/') c = '\\';
#endif
    return text;
}

namespace {
void SetEnvironment(const char* name, const std::string* value) {
#ifdef _WIN32
    _putenv_s(name, value ? value->c_str() : "");
#else
    if (value) setenv(name, value->c_str(), 1);
    else unsetenv(name);
#endif
}
}  // namespace

ScopedEnvironment::ScopedEnvironment(const char* name, const std::string& value)
    : name_(name), wasSet_(std::getenv(name) != nullptr), old_(wasSet_ ? std::getenv(name) : "") {
    SetEnvironment(name_, &value);
}

ScopedEnvironment::~ScopedEnvironment() { SetEnvironment(name_, wasSet_ ? &old_ : nullptr); }

}  // namespace spurwerk::testing
