#include "text/visible_text.h"

#include <cstdio>

namespace spurwerk {

std::string EscapeControlChars(const std::string& utf8, bool keepLayout) {
    std::string out;
    out.reserve(utf8.size());
    char escape[8];
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (keepLayout && (c == '\n' || c == '\t')) {
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            out += escape;
        } else if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0 &&
                   static_cast<unsigned char>(utf8[i + 1]) >= 0x80) {
            // U+0080..U+009F: C1 controls (CSI is U+009B), encoded in two bytes.
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned char>(utf8[++i]));
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace spurwerk
