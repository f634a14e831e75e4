#pragma once
// Paths are std::filesystem::path; texts inside the program are UTF-8. These two
// functions are the only crossing between the two, so Windows paths with
// non-ASCII names survive the round trip.

#include <filesystem>
#include <string>

namespace spurwerk {

std::string PathText(const std::filesystem::path& path);
std::filesystem::path PathFromText(const std::string& utf8);

// The platform's separator as text ("\\" on Windows, "/" elsewhere).
const std::string& PathSeparator();
bool IsPathSeparator(char c);

// Appends the separator unless the text already ends with one.
std::string AddTrailingBackslash(const std::string& path);

}  // namespace spurwerk
