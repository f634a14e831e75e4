#pragma once
// The shape of a message joined from text parts: punctuation a language puts
// on a line of its own, and lists longer than a screen holds.

#include <string>

namespace spurwerk {

// A line holding only punctuation (".", "!", "?", blanks) ends the last
// non-empty line before it instead; empty lines in between go with it.
std::string JoinLonePunctuation(const std::string& text);

// At most `maxLines` lines (never fewer than 5): a longer text keeps its first
// lines and its last three (the question after a list), with the line
// "… and N more" (UiText MoreLines) in place of the rest.
std::string CutToLines(const std::string& text, int maxLines);

}  // namespace spurwerk
