#pragma once
// Scratch folders and small files for tests.

#include <filesystem>
#include <string>

#include "io/file_io.h"

namespace spurwerk::testing {

// A fresh empty folder below the system's temp folder, removed on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

void WriteBytes(const std::filesystem::path& path, const Bytes& data);
void WriteText(const std::filesystem::path& path, const std::string& text);
Bytes ReadBytes(const std::filesystem::path& path);
std::string ReadText(const std::filesystem::path& path);

// The text of a path written with "/" between its parts, with the platform's
// separator instead ("\\" on Windows), as the program shows paths.
std::string NativePath(std::string text);

}  // namespace spurwerk::testing
