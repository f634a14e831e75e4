#include "io/wav_files.h"

#include <algorithm>
#include <filesystem>

#include "io/path_text.h"
#include "text/ascii.h"

namespace spurwerk {

namespace fs = std::filesystem;

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

std::vector<std::string> WavFilesIn(const std::string& folder) {
    std::error_code ignored;
    return WavFilesIn(folder, ignored);
}

bool ContainsFileName(const std::vector<std::string>& files, const std::string& name) {
    return std::any_of(files.begin(), files.end(), [&](const std::string& f) { return EqualsIgnoreCase(f, name); });
}

}  // namespace spurwerk
