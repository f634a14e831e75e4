#include "io/name_lookup.h"

#include <filesystem>

#include "io/path_text.h"
#include "text/ascii.h"

namespace spurwerk {

namespace fs = std::filesystem;

std::optional<std::string> FindNameIgnoringCase(const std::string& folder, const std::string& name) {
    const fs::path dir = PathFromText(folder.empty() ? std::string(".") : folder);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(dir / PathFromText(name), ec))) return name;
    std::optional<std::string> found;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = PathText(it->path().filename());
        if (EqualsIgnoreCase(entry, name) && (!found || entry < *found)) found = entry;
    }
    return found;
}

std::string PathIgnoringCase(const std::string& folder, const std::string& name) {
    return folder + FindNameIgnoringCase(folder, name).value_or(name);
}

FolderNames::FolderNames(const std::string& folder) : folder_(folder) {
    const fs::path dir = PathFromText(folder.empty() ? std::string(".") : folder);
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        Add(PathText(it->path().filename()));
}

void FolderNames::Add(const std::string& name) {
    exact_.insert(name);
    auto [it, added] = byUpperCase_.emplace(UpperAscii(name), name);
    if (!added && name < it->second) it->second = name;
}

std::optional<std::string> FolderNames::Find(const std::string& name) const {
    if (exact_.count(name)) return name;
    auto it = byUpperCase_.find(UpperAscii(name));
    if (it == byUpperCase_.end()) return std::nullopt;
    return it->second;
}

std::string FolderNames::PathOf(const std::string& name) const { return folder_ + Find(name).value_or(name); }

}  // namespace spurwerk
