#pragma once

#include <string>

namespace spurwerk {

// The part of `text` before the first `delimiter`, without surrounding blanks;
// all of it, trimmed, when the delimiter does not occur. Cuts list entries
// ("SONG.WAV [3:12]") down to the file name at their front.
std::string TrimAtDelimiter(const std::string& text, const std::string& delimiter);

}  // namespace spurwerk
