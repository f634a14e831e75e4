#pragma once
// The WAV files of a folder, one rule for every list of them: a regular file
// (also behind a symbolic link) whose extension is ".WAV" in any letter case.

#include <string>
#include <system_error>
#include <vector>

namespace spurwerk {

// The names of the folder's WAV files, sorted by name; empty when the folder
// is missing. `error` receives a failure to list the folder.
std::vector<std::string> WavFilesIn(const std::string& folder, std::error_code& error);
std::vector<std::string> WavFilesIn(const std::string& folder);

// Whether `name` is one of `files`, ignoring letter case.
bool ContainsFileName(const std::vector<std::string>& files, const std::string& name);

}  // namespace spurwerk
