#pragma once
// The two ways a user command ends early. SilentAbort unwinds to where the
// command began and shows nothing; FileError carries the system's message and
// is shown (GUI) or printed (CLI). Neither is ever turned into success.

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace spurwerk {

class SilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "aborted"; }
};

// What was being done to a file when it failed.
enum class FileStep { Read, Open, Write, Copy, CopyTo, ReadFolder, CreateFolder, Lock, Rename, Search, Remove };

// Why, where the system's error code does not say it.
enum class FileFault {
    System,             // the error code says it
    IsFolder,
    NotFound,
    FolderNotFound,
    ReadOnly,
    TooLarge,           // values: the size, the limit
    Locked,
    OldFileUnreadable,  // values: the read error, if known
    TooDeep,            // values: the number of levels
    Shrank,             // the file became shorter while it was read
    Detail,             // values: the reason in a library's own words
};

// A file error as code and values, so that a front end words it in its language.
struct FileErrorReport {
    FileStep step = FileStep::Read;
    std::string path;
    std::string source;  // CopyTo: the file being copied
    FileFault fault = FileFault::System;
    std::error_code code;
    std::vector<std::string> values;
};

// The wording every FileError gets when it is made; without one, English.
using FileErrorWording = std::string (*)(const FileErrorReport&);
void SetFileErrorWording(FileErrorWording wording);
std::string FileErrorText(const FileErrorReport& report);
std::string EnglishFileErrorText(const FileErrorReport& report);

class FileError : public std::runtime_error {
public:
    explicit FileError(const std::string& message) : std::runtime_error(message) {}
    explicit FileError(FileErrorReport report);

    // "<step> "<path>": <reason>" in the wording's language
    static FileError For(FileStep step, const std::filesystem::path& path, const std::error_code& ec);
    static FileError For(FileStep step, const std::filesystem::path& path, FileFault fault,
                         std::vector<std::string> values = {});
    // Copying source to target failed.
    static FileError CopyTo(const std::filesystem::path& source, const std::filesystem::path& target,
                            const std::error_code& ec);

    const std::optional<FileErrorReport>& Report() const { return report_; }

private:
    std::optional<FileErrorReport> report_;
};

}  // namespace spurwerk
