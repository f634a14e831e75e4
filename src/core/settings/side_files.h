#pragma once
// Names of the files that live beside the program file, derived from its path.
// The options file is always "Spurwerk.INI"; the others follow the program
// file's own name. When the program's folder is not writable (a system-wide
// install) or holds the marker that an installation puts there, the files the
// program writes go to the user's configuration folder while the read-only
// ones are still found beside the program.

#include <filesystem>
#include <string>

namespace spurwerk {

// Default template names (before resolving).
inline constexpr const char* PrjTemplateR16Name = "PRJDATA_VorlageR16.ZDT";
inline constexpr const char* PrjTemplateR24Name = "PRJDATA_VorlageR24.ZDT";
inline constexpr const char* EfxTemplateR16Name = "EFXDATA_VorlageR16.ZDT";
inline constexpr const char* EfxTemplateR24Name = "EFXDATA_VorlageR24.ZDT";
inline constexpr const char* WavTemplateMono16Name = "WAV_Vorlage_1sec44kMONO16b.WAV";
inline constexpr const char* WavTemplateStereo16Name = "WAV_Vorlage_1sec44kSTEREO16b.WAV";
inline constexpr const char* WavTemplateMono24Name = "WAV_Vorlage_1sec44kMONO24b.WAV";
inline constexpr const char* WavTemplateStereo24Name = "WAV_Vorlage_1sec44kSTEREO24b.WAV";

struct SideFiles {
    std::string programFile;
    std::string programDir;   // with trailing separator
    std::string writableDir;  // where written files go: programDir or the configuration folder

    // Read-only, always beside the program.
    std::string GuiFileName;      // template language file; language files share its prefix
    std::string ReadmeFileName;   // information text; per language beside it
    std::string doSaveAllGUIsMarker;
    std::string assignsFile;      // suggestion list (a copy in the configuration folder wins)
    std::string prjTemplateR16, prjTemplateR24, efxTemplateR16, efxTemplateR24;

    // Written by the program.
    std::string OptionsFileName;
    std::string windowPositionsFile;
    std::string zdtHistory;
    std::string wavHistory;
    std::string searchFilterHistory;
    std::string copyToDirHistory;
    std::string prjNamesHistory;
};

// The names for `programFile`. When `programDirWritable` is false the written
// files are placed in `configDir` instead (which should end with a separator;
// one is added otherwise).
SideFiles DeriveSideFiles(const std::string& programFile, bool programDirWritable,
                          const std::string& configDir);

// Placed beside the programs by `cmake --install` and the package: an
// installed program never writes into its own folder, even when it could (run
// as root), so removing the package leaves nothing behind. A program run from
// its build folder or an unpacked copy has no marker and keeps its side files.
inline constexpr const char* InstalledMarkerName = "Spurwerk_Installed.txt";

// True when the folder holds the installation marker.
bool IsInstalledProgramDir(const std::filesystem::path& programDir);

// DeriveSideFiles with the folder's marker and writability tested and the
// user's configuration folder created when it is needed.
SideFiles DeriveSideFiles(const std::string& programFile);

// True when a file can be created in the folder.
bool IsFolderWritable(const std::filesystem::path& folder);

// The user's configuration folder for Spurwerk, with trailing separator:
// %APPDATA%\Spurwerk on Windows, $XDG_CONFIG_HOME/Spurwerk or ~/.config/Spurwerk elsewhere.
std::string UserConfigDir();

}  // namespace spurwerk
