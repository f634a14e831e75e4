#pragma once
// "%1", "%2", ... in a text replaced by values, as the language files write them.

#include <string>
#include <vector>

namespace spurwerk {

// One pass, so a value that holds "%2" is never replaced itself; a mark
// without a value ("%3" with two values) stays as it is.
std::string FillPlaceholders(const std::string& pattern, const std::vector<std::string>& values);

}  // namespace spurwerk
