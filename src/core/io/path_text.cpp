#include "io/path_text.h"

namespace spurwerk {

std::string PathText(const std::filesystem::path& path) {
    auto u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

std::filesystem::path PathFromText(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

const std::string& PathSeparator() {
#ifdef _WIN32
    static const std::string sep = "\\";
#else
    static const std::string sep = "/";
#endif
    return sep;
}

bool IsPathSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

std::string AddTrailingBackslash(const std::string& path) {
    if (!path.empty() && IsPathSeparator(path.back())) return path;
    return path + PathSeparator();
}

}  // namespace spurwerk
