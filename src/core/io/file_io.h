#pragma once
// Whole-file reads and writes. A write goes to a temporary file in the target's
// folder and replaces the target only when complete, so a failed save leaves the
// old file exactly as it was.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "text/bytes.h"

namespace spurwerk {


// Largest file taken whole into memory as a project document.
constexpr std::uintmax_t MaxDocumentFileSize = 64u * 1024u * 1024u;

// Reads the whole file; throws FileError when it cannot be read or is larger
// than maxSize bytes.
Bytes ReadWholeFile(const std::filesystem::path& path,
                    std::uintmax_t maxSize = MaxDocumentFileSize);

// Reads at most `count` bytes from the start of the file; fewer when the file is
// shorter. Throws FileError when the file cannot be opened.
Bytes ReadFileHead(const std::filesystem::path& path, std::size_t count);

// Replaces (or creates) the file with `data` through a temporary file; throws
// FileError and leaves any existing file untouched on failure.
void WriteFileAtomically(const std::filesystem::path& path, const Bytes& data);
void WriteFileAtomically(const std::filesystem::path& path, const std::string& data);

bool IsRegularFile(const std::filesystem::path& path);

// Failure injection for tests: when set, every atomic write and file copy asks
// the hook about its target first; an error it returns makes that write fail
// after part of the data went out, as a full disk does. Empty in the program.
using WriteFaultHook = std::function<std::error_code(const std::filesystem::path& target)>;
void SetWriteFaultHook(WriteFaultHook hook);
std::error_code InjectedWriteFault(const std::filesystem::path& target);

}  // namespace spurwerk
