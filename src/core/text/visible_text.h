#pragma once
// Names read from files (project names, file and folder names) may hold
// control characters; shown raw they would drive a terminal (ESC sequences) or
// hide in a window.

#include <string>

namespace spurwerk {

// The text with every control character (C0, DEL and, in UTF-8, C1) shown as
// a visible escape: "\x1B" for the byte 0x1B, "\u009B" for U+009B; a backslash
// stays as it is. With `keepLayout` line feeds and tabs stay as they are.
std::string EscapeControlChars(const std::string& utf8, bool keepLayout = false);

}  // namespace spurwerk
