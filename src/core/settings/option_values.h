#pragma once
// The option values of the windows, as plain data. The options file reads
// into and writes from these; the GUI copies them to and from its controls.
// Member names are the options file's keys.

#include <string>

#include "settings/side_files.h"

namespace spurwerk {

// Start folder of a series before the user chose one.
#ifdef _WIN32
inline constexpr const char* DefaultBaseDir = "C:\\";
#else
inline constexpr const char* DefaultBaseDir = "/";
#endif

// Section "Options": program-wide settings kept by the main window.
struct MainOptions {
    bool DevIsZoomR24 = false;  // load only
    std::string FnVorlageMono16b_WAV = WavTemplateMono16Name;      // load only, resolved
    std::string FnVorlageStereo16b_WAV = WavTemplateStereo16Name;  // load only, resolved
    std::string FnVorlageMono24b_WAV = WavTemplateMono24Name;      // load only, resolved
    std::string FnVorlageStereo24b_WAV = WavTemplateStereo24Name;  // load only, resolved
    int LanguageIndex = 0;  // position in the language box; 0 = not chosen yet
    int MinListFileLength = 64;
    bool ReverseEqualizerToLMH = true;
    int deviceMaxTrackCount = 16;  // derived: 24 for the R24, else 16
    int ActMaxTrackIdx = 16;       // 1 .. deviceMaxTrackCount
    bool SaveOptionsOnExit = true;  // CBSaveOptionsOnExit
    bool ExpertFunctions = false;   // visibility of PanelExpertFunctions
    bool UseInfoFiles = false;      // CBUseInfoFiles
    // Empty until the user chose one: the search then starts at the loaded project's folder.
    std::string BaseDirSearch;
    bool SelectPrjFiles = true;
    bool SelectWavFiles = true;
    bool ShowListSize = false;
};

// The ranges of the spin edits and the radio group; the options file keeps
// values read within them.
inline constexpr int SerieCountMin = 1, SerieCountMax = 99;
inline constexpr int SerieStartMin = 1, SerieStartMax = 999;
inline constexpr int ListSortTypeMin = 0, ListSortTypeMax = 3;
inline constexpr int FontSizeMin = 1, FontSizeMax = 99;

// Section "FormProjSerie".
struct ProjSerieOptions {
    std::string BaseSubDirs = "PROJ";         // EditBaseSubDirs
    std::string BaseDirSerie = DefaultBaseDir;  // EditBaseDirSerie
    int SerieCount = 10;                      // SESerieCount, 1..99
    int SerieStart = 1;                       // SESerieStart, 1..999
};

// Section "FormFileList".
struct FileListOptions {
    int ListSortType = 0;          // RGListSortType, 0..3
    bool SortReverse = false;      // CBSortReverse
    bool ListRecordModi = true;    // CBListRecordModi
    bool TrackInfosCompact = false;  // CBTrackInfosCompact
    bool ListWAVFileDate = true;   // CBListWAVFileDate
    bool ListWAVFileSize = true;   // CBListWAVFileSize
    int FontSize = 8;              // SEFontSize, 1..99
    std::string ListDTFormat = "dd.mm.yyyy hh:nn:ss";  // EditListDTFormat
};

// Section "FormGeneralInfo".
struct GeneralInfoOptions {
    bool ShowGeneralInfoAtProgStart = true;  // CBShowGeneralInfoAtProgStart
};

}  // namespace spurwerk
