#include "ui/errors.h"

#include "io/path_text.h"

namespace spurwerk {

namespace {

FileErrorWording& Wording() {
    static FileErrorWording wording = nullptr;
    return wording;
}

const char* EnglishStep(FileStep step) {
    switch (step) {
        case FileStep::Read: return "Cannot read";
        case FileStep::Open: return "Cannot open";
        case FileStep::Write: return "Cannot write";
        case FileStep::Copy:
        case FileStep::CopyTo: return "Cannot copy";
        case FileStep::ReadFolder: return "Cannot read folder";
        case FileStep::CreateFolder: return "Cannot create folder";
        case FileStep::Lock: return "Cannot lock";
        case FileStep::Rename: return "Cannot rename";
        case FileStep::Search: return "Cannot search";
        case FileStep::Remove: return "Cannot remove";
    }
    return "Cannot use";
}

std::string Value(const FileErrorReport& report, std::size_t index) {
    return index < report.values.size() ? report.values[index] : "?";
}

std::string EnglishReason(const FileErrorReport& report) {
    switch (report.fault) {
        case FileFault::System: return report.code.message();
        case FileFault::IsFolder: return "is a folder, not a file";
        case FileFault::NotFound: return "file not found";
        case FileFault::FolderNotFound: return "folder not found";
        case FileFault::ReadOnly: return "the file is read-only";
        case FileFault::TooLarge:
            return "file is too large (" + Value(report, 0) + " bytes; at most " + Value(report, 1) + " are accepted)";
        case FileFault::Locked: return "another program is still changing the file; try again later";
        case FileFault::OldFileUnreadable:
            return "the existing file could not be read and is left as it is" +
                   (report.values.empty() ? std::string() : " (" + report.values[0] + ")");
        case FileFault::TooDeep: return "more than " + Value(report, 0) + " folder levels";
        case FileFault::Shrank: return "the file became shorter while it was read";
        case FileFault::Detail: return Value(report, 0);
    }
    return report.code.message();
}

}  // namespace

void SetFileErrorWording(FileErrorWording wording) { Wording() = wording; }

std::string EnglishFileErrorText(const FileErrorReport& report) {
    std::string step = EnglishStep(report.step);
    if (report.step == FileStep::CopyTo) step += " \"" + report.source + "\" to";
    return step + " \"" + report.path + "\": " + EnglishReason(report);
}

std::string FileErrorText(const FileErrorReport& report) {
    return Wording() ? Wording()(report) : EnglishFileErrorText(report);
}

FileError::FileError(FileErrorReport report) : std::runtime_error(FileErrorText(report)), report_(std::move(report)) {}

FileError FileError::For(FileStep step, const std::filesystem::path& path, const std::error_code& ec) {
    FileErrorReport report;
    report.step = step;
    report.path = PathText(path);
    report.code = ec;
    return FileError(std::move(report));
}

FileError FileError::For(FileStep step, const std::filesystem::path& path, FileFault fault,
                         std::vector<std::string> values) {
    FileErrorReport report;
    report.step = step;
    report.path = PathText(path);
    report.fault = fault;
    report.values = std::move(values);
    return FileError(std::move(report));
}

FileError FileError::CopyTo(const std::filesystem::path& source, const std::filesystem::path& target,
                            const std::error_code& ec) {
    FileErrorReport report;
    report.step = FileStep::CopyTo;
    report.source = PathText(source);
    report.path = PathText(target);
    report.code = ec;
    return FileError(std::move(report));
}

}  // namespace spurwerk
