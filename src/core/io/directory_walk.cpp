#include "io/directory_walk.h"

#include <filesystem>

#include "io/path_text.h"
#include "ui/errors.h"

namespace spurwerk {

namespace fs = std::filesystem;

bool ContainsText(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

bool IsProjectFileName(const std::string& upperName) {
    return ContainsText(upperName, "PRJ") && ContainsText(upperName, ".ZDT");
}

void WalkDirectory(const std::string& dir, DirectoryVisitor& visitor) {
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
        bool isLink = entry.is_symlink(typeError);
        if (entry.is_directory(typeError)) {
            if (!isLink && !name.empty() && name[0] != '.') WalkDirectory(dir + name + PathSeparator(), visitor);
            continue;
        }
        visitor.VisitFile(dir, name);
    }
    if (ec) throw FileError::For("Cannot read folder", PathFromText(dir), ec);
}

}  // namespace spurwerk
