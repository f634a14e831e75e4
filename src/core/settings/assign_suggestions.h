#pragma once
// Suggestions for WAV file names in the mixer's file picker: built in, or one
// per line from the suggestion list file (by default <program>_Assigns.INI)
// that the user may edit.

#include <string>
#include <vector>

namespace spurwerk {

const std::vector<std::string>& BuiltInAssignSuggestions();

// The file's lines when it can be read; the built-in suggestions otherwise,
// without a message.
std::vector<std::string> LoadAssignSuggestions(const std::string& fileName);

// Hint of the suggestion box: text 248, the file's name, a double quote and "!)".
std::string AssignSuggestionsHint(const std::string& fileName);

}  // namespace spurwerk
