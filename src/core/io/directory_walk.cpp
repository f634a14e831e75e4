#include "io/directory_walk.h"

#include <cerrno>
#include <filesystem>

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

#include "io/path_text.h"
#include "ui/errors.h"

namespace spurwerk {

namespace fs = std::filesystem;

bool ContainsText(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

bool IsProjectFileName(const std::string& upperName) {
    const std::string extension = ".ZDT";
    return !upperName.empty() && upperName[0] != '.' && upperName.size() > extension.size() &&
           upperName.compare(upperName.size() - extension.size(), extension.size(), extension) == 0 &&
           ContainsText(upperName, "PRJ");
}

WalkAction ActionFor(EntryType listed, EntryType target) {
    switch (listed) {
        case EntryType::Folder: return WalkAction::Enter;
        case EntryType::Other: return WalkAction::Skip;  // FIFOs, devices, sockets: a FIFO would block
        case EntryType::File: return WalkAction::Visit;
        case EntryType::Missing: return WalkAction::Visit;  // vanished: the visitor's read reports it
        case EntryType::Link: break;
    }
    return target == EntryType::Folder || target == EntryType::Other ? WalkAction::Skip : WalkAction::Visit;
}

namespace {

void TooDeep(const std::string& dir, const std::string& name, DirectoryVisitor& visitor) {
    visitor.ReportEntryError(
        FileError::For(FileStep::Search, PathFromText(dir + name), FileFault::TooDeep, {std::to_string(MaxWalkDepth)})
            .what());
}

void Walk(const std::string& dir, DirectoryVisitor& visitor, int depth);

// Enters, visits or skips one entry; the name is not hidden-checked for files.
void HandleEntry(const std::string& dir, const std::string& name, EntryType listed, EntryType target,
                 DirectoryVisitor& visitor, int depth) {
    switch (ActionFor(listed, target)) {
        case WalkAction::Skip: return;
        case WalkAction::Enter:
            if (name.empty() || name[0] == '.') return;
            if (depth >= MaxWalkDepth) return TooDeep(dir, name, visitor);
            Walk(dir + name + PathSeparator(), visitor, depth + 1);
            return;
        case WalkAction::Visit:
            try {
                visitor.VisitFile(dir, name);
            } catch (const FileError& error) {
                visitor.ReportEntryError(error.what());
            }
            return;
    }
}

#ifdef _WIN32

EntryType TypeOf(const fs::file_status& status) {
    if (fs::is_directory(status)) return EntryType::Folder;
    if (fs::is_regular_file(status)) return EntryType::File;
    if (fs::is_symlink(status)) return EntryType::Link;
    return fs::exists(status) ? EntryType::Other : EntryType::Missing;
}

void Walk(const std::string& dir, DirectoryVisitor& visitor, int depth) {
    visitor.EnterDirectory(dir);
    std::error_code ec;
    fs::directory_iterator it(PathFromText(dir), ec), end;
    // A folder we may not read (a card's system folder) is passed over; one that
    // vanished or broke off while listed means the card is gone: the walk ends
    // with the error instead of reporting a partial result as complete.
    if (ec == std::errc::permission_denied) return;
    for (; !ec && it != end; it.increment(ec)) {
        const fs::directory_entry& entry = *it;
        std::error_code typeError;
        EntryType listed = TypeOf(entry.symlink_status(typeError));
        EntryType target = listed;
        if (listed == EntryType::Link) target = TypeOf(entry.status(typeError));
        if (typeError) target = EntryType::Missing;
        HandleEntry(dir, PathText(entry.path().filename()), listed, target, visitor, depth);
    }
    if (ec) throw FileError::For(FileStep::ReadFolder, PathFromText(dir), ec);
}

#else

EntryType TypeOf(mode_t mode) {
    if (S_ISREG(mode)) return EntryType::File;
    if (S_ISDIR(mode)) return EntryType::Folder;
    if (S_ISLNK(mode)) return EntryType::Link;
    return EntryType::Other;
}

// The type the listing tells (d_type) costs no system call; only links and
// untyped entries (some file systems leave d_type unset) are looked up.
EntryType ListedType(int dirFd, const dirent& entry) {
    switch (entry.d_type) {
        case DT_REG: return EntryType::File;
        case DT_DIR: return EntryType::Folder;
        case DT_LNK: return EntryType::Link;
        case DT_UNKNOWN: {
            struct stat info;
            return fstatat(dirFd, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 ? TypeOf(info.st_mode)
                                                                                  : EntryType::Missing;
        }
        default: return EntryType::Other;
    }
}

struct DirCloser {
    DIR* dir;
    ~DirCloser() { closedir(dir); }
};

void Walk(const std::string& dir, DirectoryVisitor& visitor, int depth) {
    visitor.EnterDirectory(dir);
    DIR* handle = opendir(dir.c_str());
    // A folder we may not read (a card's system folder) is passed over; one that
    // vanished or broke off while listed means the card is gone: the walk ends
    // with the error instead of reporting a partial result as complete.
    if (!handle && errno == EACCES) return;
    if (!handle) throw FileError::For(FileStep::ReadFolder, PathFromText(dir), std::error_code(errno, std::generic_category()));
    DirCloser closer{handle};
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(handle);
        if (!entry) break;
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
        EntryType listed = ListedType(dirfd(handle), *entry);
        EntryType target = listed;
        if (listed == EntryType::Link) {
            struct stat info;
            target = fstatat(dirfd(handle), name, &info, 0) == 0 ? TypeOf(info.st_mode) : EntryType::Missing;
        }
        HandleEntry(dir, name, listed, target, visitor, depth);
    }
    if (errno != 0) throw FileError::For(FileStep::ReadFolder, PathFromText(dir), std::error_code(errno, std::generic_category()));
}

#endif

}  // namespace

void WalkDirectory(const std::string& dir, DirectoryVisitor& visitor) { Walk(dir, visitor, 0); }

std::string EntryErrorsText(const std::vector<std::string>& errors, std::size_t most) {
    std::string text;
    for (std::size_t i = 0; i < errors.size() && i < most; ++i) text += errors[i] + "\r\n";
    if (errors.size() > most) text += "... (" + std::to_string(errors.size() - most) + " more)\r\n";
    return text;
}

}  // namespace spurwerk
