#include "io/directory_walk.h"

#include <filesystem>

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

namespace {

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
        std::string name = PathText(entry.path().filename());
        std::error_code typeError;
        fs::file_status status = entry.status(typeError);
        if (fs::is_directory(status)) {
            if (entry.is_symlink(typeError) || name.empty() || name[0] == '.') continue;
            if (depth >= MaxWalkDepth) {
                visitor.entryErrors.push_back("Cannot search \"" + dir + name + "\": more than " +
                                              std::to_string(MaxWalkDepth) + " folder levels");
                continue;
            }
            Walk(dir + name + PathSeparator(), visitor, depth + 1);
            continue;
        }
        // FIFOs, devices and sockets are no files to read (a FIFO would block).
        if (!typeError && fs::exists(status) && !fs::is_regular_file(status)) continue;
        try {
            visitor.VisitFile(dir, name);
        } catch (const FileError& error) {
            visitor.entryErrors.push_back(error.what());
        }
    }
    if (ec) throw FileError::For("Cannot read folder", PathFromText(dir), ec);
}

}  // namespace

void WalkDirectory(const std::string& dir, DirectoryVisitor& visitor) { Walk(dir, visitor, 0); }

std::string EntryErrorsText(const std::vector<std::string>& errors, std::size_t most) {
    std::string text;
    for (std::size_t i = 0; i < errors.size() && i < most; ++i) text += errors[i] + "\r\n";
    if (errors.size() > most) text += "... (" + std::to_string(errors.size() - most) + " more)\r\n";
    return text;
}

}  // namespace spurwerk
