#pragma once
// Letter case and blanks the way the recorder's names and the settings files
// need them: only a-z/A-Z change case, so umlauts and other UTF-8 bytes stay
// as they are.

#include <string>
#include <string_view>

namespace spurwerk {

std::string UpperAscii(std::string text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);

// Without blanks (only ' ') at both ends.
std::string TrimBlanks(std::string_view text);
// Without blanks, tabs, CR and LF at both ends.
std::string TrimWhitespace(std::string_view text);
// The same, as a view into `text`.
std::string_view TrimmedWhitespace(std::string_view text);
// Line feeds (and carriage returns unless kept) turned into blanks, so that a
// value stays on its line of a text file and cannot inject keys or sections.
std::string OneLine(std::string text, bool keepCarriageReturn);

}  // namespace spurwerk
