#pragma once
// Plain text side files (INI, language, history, suggestion lists): decoded on
// reading, written whole through a temporary file with CR LF line ends.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace spurwerk {

// Largest side file taken into memory.
constexpr std::uintmax_t MaxTextFileSize = 16u * 1024u * 1024u;

// The file's text as UTF-8; throws FileError when it cannot be read.
std::string ReadTextFile(const std::filesystem::path& path);

// Replaces the file with the text (encoded by EncodeTextBytes); throws
// FileError and leaves the old file untouched on failure.
void WriteTextFile(const std::filesystem::path& path, const std::string& text);

// Lines ended by CR LF or LF (or by CR alone in a file that has no LF). A line
// break at the very end does not start another line.
std::vector<std::string> SplitTextLines(const std::string& text);

// Every line followed by CR LF.
std::string JoinTextLines(const std::vector<std::string>& lines);

}  // namespace spurwerk
