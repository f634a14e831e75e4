#include "settings/options_file.h"

#include <algorithm>
#include <functional>
#include <system_error>

#include "io/path_text.h"
#include "settings/text_table.h"

namespace spurwerk {

namespace {

const std::string SectionOptions = "Options";
const std::string SectionProjSerie = "FormProjSerie";
const std::string SectionFileList = "FormFileList";
const std::string SectionGeneralInfo = "FormGeneralInfo";

}  // namespace

OptionsFile::OptionsFile(CommentedIni& ini, Dialogs& dialogs, std::string programDir)
    : ini_(ini), dialogs_(dialogs), programDir_(std::move(programDir)) {}

bool OptionsFile::LoadSaveIniFile(const std::string& fileName, bool doSave, const OptionsWindows& windows,
                                  bool formActivated) {
    if (optionsBusy_) return false;
    optionsBusy_ = true;
    struct ClearBusy {
        bool& flag;
        ~ClearBusy() { flag = false; }
    } clearBusy{optionsBusy_};

    std::error_code ec;
    if (doSave && !std::filesystem::exists(PathFromText(fileName), ec))
        dialogs_.Message(Txt(185) + fileName + Txt(186), MessageButtons::Ok);

    ini_.AddTypeTags = true;
    ini_.IniOpen(fileName, doSave, "", true);
    bool ok = true;
    // Each section on its own: an error skips the rest of that section only.
    auto section = [&](const std::function<void()>& body) {
        try {
            body();
        } catch (const std::exception& e) {
            ok = false;
            dialogs_.Message(e.what(), MessageButtons::Ok);
        }
    };
    if (windows.main && (doSave || !formActivated)) section([&] { OptionsSection(*windows.main, doSave); });
    if (windows.projSerie) section([&] { ProjSerieSection(*windows.projSerie); });
    if (windows.fileList) section([&] { FileListSection(*windows.fileList); });
    if (windows.generalInfo) section([&] { GeneralInfoSection(*windows.generalInfo); });

    try {
        ini_.IniClose();
    } catch (const std::exception& e) {
        dialogs_.Message(e.what(), MessageButtons::Ok);
        return false;
    }
    return ok;
}

void OptionsFile::OptionsSection(MainOptions& o, bool doSave) {
    const std::string& S = SectionOptions;
    if (!doSave) {
        o.DevIsZoomR24 = ini_.IniBool(S, "DevIsZoomR24", o.DevIsZoomR24, "", "# 0 f. Zoom R16, 1 f. Zoom R24!");
        for (auto [key, value] : {std::pair{"FnVorlageMono16b_WAV", &o.FnVorlageMono16b_WAV},
                                  std::pair{"FnVorlageStereo16b_WAV", &o.FnVorlageStereo16b_WAV},
                                  std::pair{"FnVorlageMono24b_WAV", &o.FnVorlageMono24b_WAV},
                                  std::pair{"FnVorlageStereo24b_WAV", &o.FnVorlageStereo24b_WAV}})
            *value = ResolveInProgramDir(ini_.IniString(S, key, *value, "", ""), programDir_);
    }
    o.LanguageIndex = ini_.IniInteger(S, "LanguageIndex", o.LanguageIndex, "", "");
    o.MinListFileLength = ini_.IniInteger(S, "MinListFileLength", o.MinListFileLength, "", Txt(187));
    o.ReverseEqualizerToLMH =
        ini_.IniBool(S, "ReverseEqualizerToLMH", o.ReverseEqualizerToLMH, "", Txt(188) + Txt(187));
    o.deviceMaxTrackCount = o.DevIsZoomR24 ? 24 : 16;
    o.ActMaxTrackIdx = ini_.IniInteger(S, "ActMaxTrackIdx", o.ActMaxTrackIdx, "",
                                       "# Max. 16 f. ZoomR16, max. 24 f. ZoomR24!");
    o.ActMaxTrackIdx = std::clamp(o.ActMaxTrackIdx, 1, o.deviceMaxTrackCount);
    o.SaveOptionsOnExit = ini_.IniBool(S, "SaveOptionsOnExit", o.SaveOptionsOnExit, "", "");
    o.ExpertFunctions = ini_.IniBool(S, "ExpertFunctions", o.ExpertFunctions, "", "");
    o.UseInfoFiles = ini_.IniBool(S, "UseInfoFiles", o.UseInfoFiles, "", "");
    o.BaseDirSearch = ini_.IniString(S, "BaseDirSearch", o.BaseDirSearch, "", "");
    o.SelectPrjFiles = ini_.IniBool(S, "SelectPrjFiles", o.SelectPrjFiles, "", "");
    o.SelectWavFiles = ini_.IniBool(S, "SelectWavFiles", o.SelectWavFiles, "", "");
    o.ShowListSize = ini_.IniBool(S, "ShowListSize", o.ShowListSize, "", Txt(189));
}

// Spin edits and the radio group keep their values within their ranges, as the
// controls themselves do.
void OptionsFile::ProjSerieSection(ProjSerieOptions& o) {
    const std::string& S = SectionProjSerie;
    o.BaseSubDirs = ini_.IniString(S, "BaseSubDirs", o.BaseSubDirs, "", "");
    o.BaseDirSerie = ini_.IniString(S, "BaseDirSerie", o.BaseDirSerie, "", "");
    o.SerieCount = std::clamp(ini_.IniInteger(S, "SerieCount", o.SerieCount, "", ""), SerieCountMin, SerieCountMax);
    o.SerieStart = std::clamp(ini_.IniInteger(S, "SerieStart", o.SerieStart, "", ""), SerieStartMin, SerieStartMax);
}

void OptionsFile::FileListSection(FileListOptions& o) {
    const std::string& S = SectionFileList;
    o.ListSortType = std::clamp(ini_.IniInteger(S, "ListSortType", o.ListSortType, "", ""), ListSortTypeMin, ListSortTypeMax);
    o.SortReverse = ini_.IniBool(S, "SortReverse", o.SortReverse, "", "");
    o.ListRecordModi = ini_.IniBool(S, "ListRecordModi", o.ListRecordModi, "", "");
    o.TrackInfosCompact = ini_.IniBool(S, "TrackInfosCompact", o.TrackInfosCompact, "", "");
    o.ListWAVFileDate = ini_.IniBool(S, "ListWAVFileDate", o.ListWAVFileDate, "", "");
    o.ListWAVFileSize = ini_.IniBool(S, "ListWAVFileSize", o.ListWAVFileSize, "", "");
    o.FontSize = std::clamp(ini_.IniInteger(S, "FontSize", o.FontSize, "", ""), FontSizeMin, FontSizeMax);
    o.ListDTFormat = ini_.IniString(S, "ListDTFormat", o.ListDTFormat, "", "");
}

void OptionsFile::GeneralInfoSection(GeneralInfoOptions& o) {
    o.ShowGeneralInfoAtProgStart =
        ini_.IniBool(SectionGeneralInfo, "ShowGeneralInfoAtProgStart", o.ShowGeneralInfoAtProgStart, "", "");
}

}  // namespace spurwerk
