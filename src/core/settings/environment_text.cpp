#include "settings/environment_text.h"

#include <cstdlib>
#include <optional>

#include "io/path_text.h"
#include "text/text_encoding.h"

namespace spurwerk {

namespace {

constexpr std::size_t MaxExpandedLength = 32767;

std::optional<std::string> Lookup(const std::string& name) {
    if (name.empty()) return std::nullopt;
#ifdef _WIN32
    const wchar_t* value = _wgetenv(PathFromText(name).wstring().c_str());
    if (!value) return std::nullopt;
    return PathText(std::filesystem::path(value));
#else
    const char* value = std::getenv(name.c_str());
    if (!value) return std::nullopt;
    return SanitizeUtf8(value);
#endif
}

}  // namespace

std::string EnvironmentText(const std::string& name) { return Lookup(name).value_or(""); }

std::string ExpandEnvStr(const std::string& text) {
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t open = text.find('%', pos);
        if (open == std::string::npos) break;
        std::size_t close = text.find('%', open + 1);
        if (close == std::string::npos) break;
        out.append(text, pos, open - pos);
        if (auto value = Lookup(text.substr(open + 1, close - open - 1))) {
            out += *value;
            pos = close + 1;
        } else {
            // The closing "%" may open the next reference.
            out.append(text, open, close - open);
            pos = close;
        }
    }
    out.append(text, pos, std::string::npos);
    return Utf8Length(out) > MaxExpandedLength ? text : out;
}

}  // namespace spurwerk
