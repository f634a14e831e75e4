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

std::vector<std::string> WavFilesIn(const std::string& folder, std::error_code& error) {
    std::vector<std::string> files;
    error.clear();
    fs::directory_iterator it(PathFromText(folder), error), end;
    if (error == std::errc::no_such_file_or_directory) {
        error.clear();
        return files;
    }
    for (; !error && it != end; it.increment(error)) {
        std::string name = PathText(it->path().filename());
        std::error_code typeError;
        if (HasFileExt(name, ".WAV") && it->is_regular_file(typeError)) files.push_back(name);
    }
    // Windows lists a folder sorted; other file systems do not.
    std::sort(files.begin(), files.end());
    return files;
}

#else

// Every project line of a search lists its WAV folder: the type comes from
// the listing (d_type), so only links and untyped entries cost a stat.
std::vector<std::string> WavFilesIn(const std::string& folder, std::error_code& error) {
    std::vector<std::string> files;
    error.clear();
    DIR* dir = opendir(folder.c_str());
    if (!dir) {
        if (errno != ENOENT) error = std::error_code(errno, std::generic_category());
        return files;
    }
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir);
        if (!entry) {
            if (errno != 0) error = std::error_code(errno, std::generic_category());
            break;
        }
        if (!HasFileExt(entry->d_name, ".WAV")) continue;
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info;
            regular = fstatat(dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
        }
        if (regular) files.emplace_back(entry->d_name);
    }
    closedir(dir);
    std::sort(files.begin(), files.end());
    return files;
}

#endif

std::vector<std::string> WavFilesIn(const std::string& folder) {
    std::error_code ignored;
    return WavFilesIn(folder, ignored);
}

bool ContainsFileName(const std::vector<std::string>& files, const std::string& name) {
    return std::any_of(files.begin(), files.end(), [&](const std::string& f) { return EqualsIgnoreCase(f, name); });
}

}  // namespace spurwerk
