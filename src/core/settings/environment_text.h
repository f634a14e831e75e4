#pragma once
// Environment variables as UTF-8 text, and the expansion of %NAME% references
// in entered file names and history file names.

#include <string>

namespace spurwerk {

// The variable's value; empty when it is not set.
std::string EnvironmentText(const std::string& name);

// Replaces every %NAME% whose variable is set by its value; references to
// unset variables (and a lone "%") stay as they are. A result longer than
// 32767 characters is refused and the text returned unchanged.
std::string ExpandEnvStr(const std::string& text);

}  // namespace spurwerk
