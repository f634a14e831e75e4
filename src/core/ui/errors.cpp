#include "ui/errors.h"

#include "io/path_text.h"

namespace spurwerk {

FileError FileError::For(const std::string& what, const std::filesystem::path& path,
                         const std::error_code& ec) {
    return For(what, path, ec.message());
}

FileError FileError::For(const std::string& what, const std::filesystem::path& path,
                         const std::string& reason) {
    return FileError(what + " \"" + PathText(path) + "\": " + reason);
}

}  // namespace spurwerk
