#pragma once
// Name comparisons of the settings files: only the letters A to Z are
// compared without regard to case, as the original platform's INI and history
// functions do for the names this program uses.

#include <string>

namespace spurwerk {

// Letters a-z turned into capitals; every other character unchanged.
std::string UpperAZ(std::string text);

// Equal without regard to the case of the letters A to Z; every other
// character (umlauts included) must match exactly.
bool SameTextAZ(const std::string& a, const std::string& b);

bool StartsWithTextAZ(const std::string& text, const std::string& prefix);

// Without blanks and tabs at either end.
std::string TrimBlanks(const std::string& text);

}  // namespace spurwerk
