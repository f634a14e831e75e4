#pragma once
// The language box of the main window: its entries come from the language
// files beside the program, and choosing one names the files to load.

#include <optional>
#include <string>
#include <vector>

namespace spurwerk {

inline constexpr const char* LanguageBoxTitle = "Sprache / language";

// The entries of the language box: "Sprache / language", then the name of
// each language file (GuiFileName with its extension replaced by "_", then the
// name and ".INI"), in the order the file system lists them.
std::vector<std::string> InitCBLanguage(const std::string& guiFileName);

// Spurwerk_GUI.INI + "English" -> Spurwerk_GUI_English.INI
std::string LanguageFileName(const std::string& guiFileName, const std::string& languageName);
// Spurwerk_README.TXT + "English" -> Spurwerk_README_English.TXT
std::string LanguageReadmeFileName(const std::string& readmeFileName, const std::string& languageName);

// What choosing entry `index` of the box loads.
struct LanguageChoice {
    int LanguageIndex = 0;     // stored in the options file
    std::string languageName;
    std::string languageFile;  // for LoadSaveLanguage (reading)
    std::string readmeFile;    // into the information window
};

// nullopt for entry 0 and for positions beyond the entries (a removed
// language file): then nothing is loaded and the texts stay as they are.
std::optional<LanguageChoice> CBLanguageChange(const std::vector<std::string>& entries, int index,
                                               const std::string& guiFileName, const std::string& readmeFileName);

// What decides the command line's language, strongest first.
struct CliLanguageSources {
    std::string option;        // --lang: "de", "en" or a language box entry's name; empty when not given
    int storedIndex = 0;       // the window's choice (LanguageIndex of the options file); 0 = none
    std::string lcAll, lcMessages, lang;  // the locale variables
};

// The language box entry whose file the command line loads: the option, else
// the window's stored choice, else the first locale variable that is set
// ("de_DE.UTF-8" picks the entry of language code "de"); English for a locale
// without a language file of its own ("C", "fr_FR"). An empty text keeps the
// built-in German texts (German asked for and no file of it). nullopt: the
// option names no language.
std::optional<std::string> CliLanguageEntry(const std::vector<std::string>& entries,
                                            const CliLanguageSources& sources);

}  // namespace spurwerk
