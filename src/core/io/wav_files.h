#pragma once
// The WAV files of a folder, one rule for every list of them: a regular file
// (also behind a symbolic link) whose extension is ".WAV" in any letter case.

#include <string>
#include <system_error>
#include <vector>

#include "io/file_io.h"

#ifndef _WIN32
#include <dirent.h>
#endif

namespace spurwerk {

// A folder's WAV files, listed and then opened while the folder is open: a
// search reads the heads of thousands of them, and each open then looks up
// one name instead of the whole path again.
class WavFolder {
public:
    // A missing folder has no files and no error; `error` receives a failure
    // to list the folder.
    WavFolder(const std::string& folder, std::error_code& error);
    ~WavFolder();
    WavFolder(const WavFolder&) = delete;
    WavFolder& operator=(const WavFolder&) = delete;

    // Sorted by name.
    const std::vector<std::string>& Files() const { return files_; }
    std::vector<std::string> TakeFiles() { return std::move(files_); }
    // `name` in the folder (one of Files()).
    InputFile Open(const std::string& name, std::error_code& ec) const;

private:
    std::vector<std::string> files_;
#ifdef _WIN32
    std::string folder_;
#else
    DIR* dir_ = nullptr;  // kept open: the files are opened relative to it
#endif
};

// The names of the folder's WAV files, sorted by name; empty when the folder
// is missing. `error` receives a failure to list the folder.
std::vector<std::string> WavFilesIn(const std::string& folder, std::error_code& error);
std::vector<std::string> WavFilesIn(const std::string& folder);

// Whether `name` is one of `files`, ignoring letter case.
bool ContainsFileName(const std::vector<std::string>& files, const std::string& name);

}  // namespace spurwerk
