#pragma once
// The options file Spurwerk.INI: one routine reads or writes every key in a
// fixed order, so reading and writing cannot disagree about keys, types or
// defaults. Each key's default is the current value.

#include <string>

#include "settings/commented_ini.h"
#include "settings/option_values.h"
#include "ui/dialogs.h"

namespace spurwerk {

// The windows whose sections are processed; a null pointer is a window that
// does not exist (yet).
struct OptionsWindows {
    MainOptions* main = nullptr;
    ProjSerieOptions* projSerie = nullptr;
    FileListOptions* fileList = nullptr;
    GeneralInfoOptions* generalInfo = nullptr;
};

class OptionsFile {
public:
    // `programDir` (with trailing separator) resolves template names without a folder.
    OptionsFile(CommentedIni& ini, Dialogs& dialogs, std::string programDir);

    // Reads (doSave false) or writes the options file. The section "Options" is
    // processed when writing, or when reading before the main window's first
    // activation. Returns false when a call is already running (nothing done)
    // or when an error was reported; a failed write is reported once, with the
    // file's name and reason, and leaves the file and every value unchanged.
    bool LoadSaveIniFile(const std::string& fileName, bool doSave, const OptionsWindows& windows,
                         bool formActivated);

    bool OptionsBusy() const { return optionsBusy_; }

private:
    void OptionsSection(MainOptions& o, bool doSave);
    void ProjSerieSection(ProjSerieOptions& o);
    void FileListSection(FileListOptions& o);
    void GeneralInfoSection(GeneralInfoOptions& o);

    CommentedIni& ini_;
    Dialogs& dialogs_;
    std::string programDir_;
    bool optionsBusy_ = false;
};

}  // namespace spurwerk
