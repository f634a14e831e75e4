#include "settings/file_error_text.h"

#include <utility>

#include "io/file_io.h"
#include "settings/cli_texts.h"

namespace spurwerk {

namespace {

CliText StepText(FileStep step) {
    switch (step) {
        case FileStep::Read: return CliText::FileCannotRead;
        case FileStep::Open: return CliText::FileCannotOpen;
        case FileStep::Write: return CliText::FileCannotWrite;
        case FileStep::Copy: return CliText::FileCannotCopy;
        case FileStep::CopyTo: return CliText::FileCannotCopyTo;
        case FileStep::ReadFolder: return CliText::FileCannotReadFolder;
        case FileStep::CreateFolder: return CliText::FileCannotCreateFolder;
        case FileStep::Lock: return CliText::FileCannotLock;
        case FileStep::Rename: return CliText::FileCannotRename;
        case FileStep::Search: return CliText::FileCannotSearch;
        case FileStep::Remove: return CliText::FileCannotRemove;
    }
    return CliText::FileCannotRead;
}

}  // namespace

std::string SystemErrorInLanguage(const std::error_code& code) {
    if (code == NotARegularFileError()) return CliTxt(CliText::ReasonNotRegular);
    const std::pair<std::errc, CliText> known[] = {
        {std::errc::no_such_file_or_directory, CliText::SystemNoEntry},
        {std::errc::permission_denied, CliText::SystemAccess},
        {std::errc::operation_not_permitted, CliText::SystemAccess},
        {std::errc::is_a_directory, CliText::SystemIsFolder},
        {std::errc::not_a_directory, CliText::SystemNotFolder},
        {std::errc::no_space_on_device, CliText::SystemNoSpace},
        {std::errc::read_only_file_system, CliText::SystemReadOnlyFs},
        {std::errc::file_exists, CliText::SystemExists},
        {std::errc::too_many_symbolic_link_levels, CliText::SystemLinkLoop},
        {std::errc::filename_too_long, CliText::SystemNameTooLong},
        {std::errc::io_error, CliText::SystemIo},
        {std::errc::device_or_resource_busy, CliText::SystemBusy},
        {std::errc::directory_not_empty, CliText::SystemNotEmpty},
    };
    for (const auto& [condition, text] : known)
        if (code == condition) return CliTxt(text);
    return code.message();
}

namespace {

std::string Value(const FileErrorReport& report, std::size_t index) {
    return index < report.values.size() ? report.values[index] : "?";
}

std::string Reason(const FileErrorReport& report) {
    switch (report.fault) {
        case FileFault::System: return SystemErrorInLanguage(report.code);
        case FileFault::IsFolder: return CliTxt(CliText::ReasonIsFolder);
        case FileFault::NotFound: return CliTxt(CliText::ReasonNotFound);
        case FileFault::FolderNotFound: return CliTxt(CliText::ReasonFolderNotFound);
        case FileFault::ReadOnly: return CliTxt(CliText::ReasonReadOnly);
        case FileFault::TooLarge: return CliTxt(CliText::ReasonTooLarge, {Value(report, 0), Value(report, 1)});
        case FileFault::Locked: return CliTxt(CliText::ReasonLocked);
        case FileFault::OldFileUnreadable:
            return CliTxt(CliText::ReasonOldFileUnreadable) +
                   (report.values.empty() ? std::string() : " (" + report.values[0] + ")");
        case FileFault::TooDeep: return CliTxt(CliText::ReasonTooDeep, {Value(report, 0)});
        case FileFault::Shrank: return CliTxt(CliText::ReasonShrank);
        case FileFault::Detail: return Value(report, 0);
    }
    return SystemErrorInLanguage(report.code);
}

}  // namespace

std::string FileErrorInLanguage(const FileErrorReport& report) {
    if (report.step == FileStep::CopyTo)
        return CliTxt(CliText::FileCannotCopyTo, {report.source, report.path, Reason(report)});
    return CliTxt(StepText(report.step), {report.path, Reason(report)});
}

}  // namespace spurwerk
