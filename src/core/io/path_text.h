#pragma once
// Paths are std::filesystem::path; texts inside the program are UTF-8. These two
// functions are the only crossing between the two, so Windows paths with
// non-ASCII names survive the round trip.

#include <filesystem>
#include <string>
#include <string_view>

namespace spurwerk {

std::string PathText(const std::filesystem::path& path);
std::filesystem::path PathFromText(const std::string& utf8);

// The platform's separator as text ("\\" on Windows, "/" elsewhere).
const std::string& PathSeparator();
bool IsPathSeparator(char c);

// Appends the separator unless the text already ends with one.
std::string AddTrailingBackslash(const std::string& path);

// Replaces the extension (from the last "." after the last separator) by
// `extension`, or appends it when the name has none.
std::string ChangeFileExt(const std::string& fileName, const std::string& extension);
// The folder part with its trailing separator; empty for a bare name.
std::string ExtractFilePath(const std::string& fileName);
// The name without its folder part.
std::string ExtractFileName(const std::string& fileName);
// The extension with its "." (from the last "." after the last separator);
// empty when the name has none.
std::string ExtractFileExt(const std::string& fileName);
// Whether the name's extension is `extension` (with its ".") in any letter case.
bool HasFileExt(const std::string& fileName, std::string_view extension);
// True when the name contains a separator (or, on Windows, a drive colon).
bool HasDirectoryPart(const std::string& fileName);

// A name without a folder part is put into `programDir` (which ends with a
// separator); any other name stays as it is.
std::string ResolveInProgramDir(const std::string& fileName, const std::string& programDir);

}  // namespace spurwerk
