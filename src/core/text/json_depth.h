#pragma once
// How deeply a JSON text nests, found by one pass over the text without
// recursion, so that a hostile document is refused before a parser or a copy
// of the parsed tree recurses into it.

#include <cstddef>
#include <string_view>

namespace spurwerk {

// The deepest nesting of arrays and objects (0 for a bare value, 1 for "[]"),
// counting brackets outside strings. Stops counting once `limit` is exceeded
// and returns limit + 1 then. Brackets that do not match are left to the parser.
std::size_t JsonNestingDepth(std::string_view text, std::size_t limit);

}  // namespace spurwerk
