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

}  // namespace spurwerk
