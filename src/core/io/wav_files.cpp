#include "io/wav_files.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

#include "io/path_text.h"
#include "text/ascii.h"

namespace spurwerk {

namespace fs = std::filesystem;

#ifdef _WIN32

WavFolder::WavFolder(const std::string& folder, std::error_code& error) : folder_(folder) {
    error.clear();
    fs::directory_iterator it(PathFromText(folder), error), end;
    if (error == std::errc::no_such_file_or_directory) {
        error.clear();
        return;
    }
    for (; !error && it != end; it.increment(error)) {
        std::string name = PathText(it->path().filename());
        std::error_code typeError;
        if (HasFileExt(name, ".WAV") && it->is_regular_file(typeError)) files_.push_back(name);
    }
    // Windows lists a folder sorted; other file systems do not.
    std::sort(files_.begin(), files_.end());
}

WavFolder::~WavFolder() = default;

InputFile WavFolder::Open(const std::string& name, std::error_code& ec) const {
    return InputFile::Open(PathFromText(folder_ + name), ec);
}

#else

// Every project line of a search lists its WAV folder: the type comes from
// the listing (d_type), so only links and untyped entries cost a stat.
WavFolder::WavFolder(const std::string& folder, std::error_code& error) {
    error.clear();
    dir_ = opendir(folder.c_str());
    if (!dir_) {
        if (errno != ENOENT) error = std::error_code(errno, std::generic_category());
        return;
    }
    const int fd = dirfd(dir_);
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir_);
        if (!entry) {
            if (errno != 0) error = std::error_code(errno, std::generic_category());
            break;
        }
        if (!HasFileExt(entry->d_name, ".WAV")) continue;
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info;
            regular = fstatat(fd, entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
        }
        if (regular) files_.emplace_back(entry->d_name);
    }
    std::sort(files_.begin(), files_.end());
}

WavFolder::~WavFolder() {
    if (dir_) closedir(dir_);
}

InputFile WavFolder::Open(const std::string& name, std::error_code& ec) const {
    if (!dir_) {
        ec = std::make_error_code(std::errc::no_such_file_or_directory);
        return InputFile();
    }
    return InputFile::OpenIn(dirfd(dir_), name.c_str(), ec);
}

#endif

std::vector<std::string> WavFilesIn(const std::string& folder, std::error_code& error) {
    return WavFolder(folder, error).TakeFiles();
}

std::vector<std::string> WavFilesIn(const std::string& folder) {
    std::error_code ignored;
    return WavFilesIn(folder, ignored);
}

bool ContainsFileName(const std::vector<std::string>& files, const std::string& name) {
    return std::any_of(files.begin(), files.end(), [&](const std::string& f) { return EqualsIgnoreCase(f, name); });
}

}  // namespace spurwerk
