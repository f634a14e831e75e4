#pragma once
// The project series window's model (FormProjSerie): numbered folders
// <base><prefix>nnn, each a new project made from the loaded document, the
// first saved as a project, the others written by the copy in write mode.

#include <string>
#include <vector>

#include "files/project_files_context.h"

namespace spurwerk {

class ProjectSeriesObserver {
public:
    virtual ~ProjectSeriesObserver() = default;
    virtual void PreviewChanged() {}   // LabelSubDirsVon/-Bis, hints
    virtual void ProgressChanged() {}  // LabelMessSerie, ButtonOk's caption
};

class ProjectSeries {
public:
    // The window's fields (kept in section "FormProjSerie" of the options).
    std::string baseDirSerie = "C:\\";  // EditBaseDirSerie
    std::string baseSubDirs = "PROJ";   // EditBaseSubDirs
    int serieCount = 10;                // SESerieCount, 1..99
    int serieStart = 1;                 // SESerieStart, 1..999
    std::vector<std::string> projectNames;  // MemoProjNames, one line each
    std::string lastNamesFile;
    // ButtonOk's caption while no run goes on, as the window's language has it.
    std::string okCaption = "Projekte anlegen! ...";

    void SetObserver(ProjectSeriesObserver* observer) { observer_ = observer; }

    // "%3.3d": at least three digits.
    static std::string DirectoryNumber(int n);
    // The folder of number n, with a trailing separator; nothing is inserted
    // after the base folder.
    std::string DirectoryFor(int n) const;

    // FormShow: the base folder defaults to the parent of the loaded project's folder.
    void FormShow(const std::string& loadedZDTFileName);
    // AnySerieChange: previews and the start value's hint.
    void AnySerieChange();
    const std::string& LabelSubDirsVon() const { return labelVon_; }
    const std::string& LabelSubDirsBis() const { return labelBis_; }
    const std::string& SerieStartHint() const { return startHint_; }
    static std::string EditBaseDirHint();

    // ButtonOpenFolderClick.
    std::string OpenFolderPrompt() const;
    void OpenFolder(Dialogs& dialogs);

    // ButtonLoadSaveProjNamesClick; `historyFile` is "_PRJNamesFile.HIS".
    void LoadSaveProjNames(bool save, Dialogs& dialogs, const std::string& historyFile);
    void LoadProjectNames(const std::string& file);
    void SaveProjectNames(const std::string& file) const;

    // The name of project n: its line of the names list, or `defaultPrefix` + nnn.
    std::string NameFor(int n, const std::string& defaultPrefix) const;

    // ButtonOkClick: starts a run when none is going on (returns the number of
    // projects created), otherwise stops the running one before its next project.
    int OkClick(ProjectFilesContext& context);
    bool Running() const { return running_; }
    // Why the last run ended early on an error (which project, what failed);
    // empty when it did not.
    const std::string& Failure() const { return failure_; }
    const std::string& Progress() const { return progress_; }
    std::string OkButtonCaption() const;
    // Whether the folder the numbered folders go into exists.
    bool BaseDirExists() const;

private:
    int Run(ProjectFilesContext& context);
    void SetProgress(const std::string& text);

    std::string seriesBaseDir_;  // kept for the whole program run
    std::string labelVon_, labelBis_, startHint_;
    std::string progress_ = "(-)";
    bool running_ = false;
    std::string failure_;
    ProjectSeriesObserver* observer_ = nullptr;
};

}  // namespace spurwerk
