#include "files/trim_at_delimiter.h"

#include "text/ascii.h"

namespace spurwerk {

std::string TrimAtDelimiter(const std::string& text, const std::string& delimiter) {
    std::size_t at = delimiter.empty() ? std::string::npos : text.find(delimiter);
    return TrimWhitespace(at == std::string::npos ? text : text.substr(0, at));
}

}  // namespace spurwerk
