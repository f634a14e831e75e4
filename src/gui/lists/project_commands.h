#pragma once
// The project-level commands shared by the main window's buttons, the mixer's
// menu and the list and series windows: the directory runs, saving as a
// project, copying a project, the series and the end-mark batch. Each builds
// the core's project-file context around the loaded document and the mixer.

#include <QObject>

#include <functional>

#include "files/directory_search.h"
#include "files/project_files_context.h"

namespace spurwerk::gui {

struct AppState;
class FormCtrls;
class FormFileList;
class FormProjSerie;
class MainWindow;

class ProjectCommands {
public:
    // `fileList` builds the list window when a run first needs it.
    ProjectCommands(AppState& state, MainWindow& main, FormCtrls& ctrls, std::function<FormFileList&()> fileList);
    // The commands of a list or series window, once it is built.
    void Wire(FormFileList& fileList);
    void Wire(FormProjSerie& projSerie);

    // ButtonSearchInSubDirsClick: the kind follows from the button pressed.
    void SearchInSubDirs(QObject* sender);
    void RunDirectoryRun(DirectoryRunKind kind, bool silentRepeat);
    void SaveProject();
    void CopyProject();
    // "In Unterverzeichnissen:  Play-Marke am Ende aller Projekte setzen".
    void SetEndMarksInSubDirs();
    void LoadProject(const std::string& projectFile);
    // Runs `work` with the context; the last "Weiter?" answer carries over.
    void WithProjectFiles(const std::function<void(ProjectFilesContext&)>& work);

private:
    template <class Work>
    void Run(Work&& work);
    // Shows a file in the main window's LabelInfoFile.
    InfoFileLabel InfoFileLabelOfMain();

    AppState& state_;
    MainWindow& main_;
    FormCtrls& ctrls_;
    std::function<FormFileList&()> fileList_;
    int copyContinueAnswer_ = 6;
    bool searched_ = false;
    bool walking_ = false;
};

}  // namespace spurwerk::gui
