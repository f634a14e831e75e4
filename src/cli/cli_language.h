#pragma once
// The language the command line speaks: --lang, else the window program's
// stored choice, else the locale. Its texts come from the same language files
// the window loads.

#include <string>
#include <vector>

namespace spurwerk::cli {

// The value of --lang among the arguments ("--lang en", "--lang=en"); empty when not given.
std::string LanguageOption(const std::vector<std::string>& arguments);

// Loads the texts of the chosen language. Throws CommandError when --lang
// names no language; a language file that cannot be read leaves the built-in texts.
void UseCliLanguage(const std::string& option);

// The folder of the running program file, with trailing separator.
std::string ProgramDir();

}  // namespace spurwerk::cli
