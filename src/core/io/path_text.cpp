#include "io/path_text.h"

#include "text/ascii.h"

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

namespace {

bool IsDelimiter(char c) {
#ifdef _WIN32
    if (c == ':') return true;
#endif
    return IsPathSeparator(c);
}

std::size_t LastDelimiter(const std::string& name) {
    for (std::size_t i = name.size(); i > 0; --i)
        if (IsDelimiter(name[i - 1])) return i - 1;
    return std::string::npos;
}

std::size_t ExtensionDot(const std::string& fileName) {
    std::size_t dot = fileName.rfind('.');
    std::size_t delimiter = LastDelimiter(fileName);
    return delimiter != std::string::npos && dot != std::string::npos && dot < delimiter ? std::string::npos : dot;
}

}  // namespace

std::string ChangeFileExt(const std::string& fileName, const std::string& extension) {
    return fileName.substr(0, ExtensionDot(fileName)) + extension;
}

std::string ExtractFileExt(const std::string& fileName) {
    std::size_t dot = ExtensionDot(fileName);
    return dot == std::string::npos ? std::string() : fileName.substr(dot);
}

bool HasFileExt(const std::string& fileName, std::string_view extension) {
    return EqualsIgnoreCase(ExtractFileExt(fileName), extension);
}

std::string ExtractFilePath(const std::string& fileName) {
    std::size_t delimiter = LastDelimiter(fileName);
    return delimiter == std::string::npos ? std::string() : fileName.substr(0, delimiter + 1);
}

std::string ExtractFileName(const std::string& fileName) {
    std::size_t delimiter = LastDelimiter(fileName);
    return delimiter == std::string::npos ? fileName : fileName.substr(delimiter + 1);
}

bool HasDirectoryPart(const std::string& fileName) { return LastDelimiter(fileName) != std::string::npos; }

std::string ResolveInProgramDir(const std::string& fileName, const std::string& programDir) {
    return HasDirectoryPart(fileName) ? fileName : programDir + fileName;
}

}  // namespace spurwerk
