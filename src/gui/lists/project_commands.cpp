#include "lists/project_commands.h"

#include <QLabel>

#include "app/app_state.h"
#include "app/main_window.h"
#include "files/copy_project.h"
#include "files/end_mark_batch.h"
#include "files/save_project.h"
#include "lists/form_file_list.h"
#include "lists/form_proj_serie.h"
#include "mixer/form_ctrls.h"
#include "support/qt_dialogs.h"
#include "mixer/main_window_actions.h"
#include "mixer/mixer_view_model.h"
#include "support/elided_path.h"
#include "support/guarded.h"
#include "support/qt_text.h"

namespace spurwerk::gui {

namespace {

// The mixer's fields, and the main window's LabelInfoFile for the info file
// a save or copy creates.
class CommandFieldsHost : public MixerFieldsHost {
public:
    CommandFieldsHost(ZDTDocument& doc, MixerViewModel& mixer, InfoFileLabel label)
        : MixerFieldsHost(doc, mixer), label_(std::move(label)) {}
    void ShowInfoFileName(const std::string& name) override { label_(name); }

private:
    InfoFileLabel label_;
};

}  // namespace

template <class Work>
void ProjectCommands::Run(Work&& work) {
    Guarded(state_.dialogs, std::forward<Work>(work));
}

ProjectCommands::ProjectCommands(AppState& state, MainWindow& main, FormCtrls& ctrls,
                                 std::function<FormFileList&()> fileList)
    : state_(state), main_(main), ctrls_(ctrls), fileList_(std::move(fileList)) {
    main.searchInSubDirs = [this](QObject* sender) { SearchInSubDirs(sender); };
    main.saveProject = [this] { SaveProject(); };
    main.copyProject = [this] { CopyProject(); };
    main.setEndMarksInSubDirs = [this] { SetEndMarksInSubDirs(); };
}

void ProjectCommands::Wire(FormFileList& fileList) {
    fileList.runSearch = [this](DirectoryRunKind kind, bool silentRepeat) { RunDirectoryRun(kind, silentRepeat); };
    fileList.loadProject = [this](const std::string& file) { LoadProject(file); };
    fileList.trackParameters = [this] { return ctrls_.Model().Controls().ListTrackParameters(); };
    fileList.FillTrackInfoGroups();
}

void ProjectCommands::Wire(FormProjSerie& projSerie) {
    projSerie.withProjectFiles = [this](const std::function<void(ProjectFilesContext&)>& work) {
        WithProjectFiles(work);
    };
}

void ProjectCommands::WithProjectFiles(const std::function<void(ProjectFilesContext&)>& work) {
    DocumentContext document = main_.Context();
    CommandFieldsHost fields(state_.doc, ctrls_.Model(), InfoFileLabelOfMain());
    ProjectFilesOptions options;
    const MainOptions& o = state_.mainOptions;
    options.devIsZoomR24 = o.DevIsZoomR24;
    options.useInfoFiles = main_.UseInfoFiles();
    options.templates = TemplateFilesIn(state_.files.programDir);
    options.templates.wavMono16 = o.FnVorlageMono16b_WAV;
    options.templates.wavStereo16 = o.FnVorlageStereo16b_WAV;
    options.templates.wavMono24 = o.FnVorlageMono24b_WAV;
    options.templates.wavStereo24 = o.FnVorlageStereo24b_WAV;
    options.copyToDirHistory = state_.files.copyToDirHistory;
    ProjectFilesContext context{document, fields, options, copyContinueAnswer_};
    try {
        work(context);
    } catch (...) {
        copyContinueAnswer_ = context.CopyContinueAnswer;
        throw;
    }
    copyContinueAnswer_ = context.CopyContinueAnswer;
}

InfoFileLabel ProjectCommands::InfoFileLabelOfMain() {
    auto* label = main_.findChild<QLabel*>("LabelInfoFile");
    return [label](const std::string& file) {
        if (!label) return;
        ShowElidedPath(label, Q(file));
        label->repaint();
    };
}

void ProjectCommands::SearchInSubDirs(QObject* sender) {
    QString name = sender ? sender->objectName() : QString();
    DirectoryRunKind kind = name == "ButtonUpdateInfoFilesInSubDirs"             ? DirectoryRunKind::UpdateInfoFiles
                            : name == "ButtonDeleteUnassignedInfoFilesInSubDirs" ? DirectoryRunKind::DeleteUnassignedInfoFiles
                            : name == "ButtonDeleteAllInfoFilesInSubDirs"        ? DirectoryRunKind::DeleteAllInfoFiles
                                                                                 : DirectoryRunKind::Search;
    RunDirectoryRun(kind, false);
}

void ProjectCommands::RunDirectoryRun(DirectoryRunKind kind, bool silentRepeat) {
    // Nothing before the first activation, no walk inside a walk, and a check
    // box repeats only a search that ran (not a walk of the whole start folder).
    if (!state_.FormActivated || walking_) return;
    if (silentRepeat && !searched_) return;
    bool keepFolderAndFilter = EventKeys().ctrl;
    walking_ = true;
    FormFileList& fileList = fileList_();
    DirectorySearch& search = fileList.Search();
    MainOptions& o = state_.mainOptions;
    search.baseDirSearch = o.BaseDirSearch;
    search.selectPrjFiles = o.SelectPrjFiles;
    search.selectWavFiles = o.SelectWavFiles;
    search.searchFilterHistory = state_.files.searchFilterHistory;
    InfoFileLabel showInfoFile = InfoFileLabelOfMain();
    bool ran = false;
    Run([&] {
        ran = !search.Run(kind, silentRepeat, state_.session, fileList.List(), state_.dialogs, showInfoFile,
                          keepFolderAndFilter)
                   .empty();
    });
    ProjectList& list = fileList.List();
    if (list.MessageBusy()) list.SetMessage(list.Message(), false);  // an aborted walk
    o.BaseDirSearch = search.baseDirSearch;
    o.SelectPrjFiles = search.selectPrjFiles;
    o.SelectWavFiles = search.selectWavFiles;
    if (ran && kind == DirectoryRunKind::Search) searched_ = true;
    walking_ = false;
    // The folder and filter dialogs took the focus; the result comes to the front.
    if (ran && kind == DirectoryRunKind::Search) fileList.ShowWindow();
}

void ProjectCommands::SaveProject() {
    // Ctrl held at the click keeps an unchanged project file.
    bool keepUnchanged = EventKeys().ctrl;
    Run([&] {
        WithProjectFiles([keepUnchanged](ProjectFilesContext& context) {
            spurwerk::SaveProject(context, "", true, "", 3000, keepUnchanged);
        });
    });
}

void ProjectCommands::CopyProject() {
    Run([&] { WithProjectFiles([](ProjectFilesContext& context) { CopyProjectCommand(context); }); });
}

void ProjectCommands::SetEndMarksInSubDirs() {
    if (walking_) return;
    walking_ = true;
    ProjectList& list = fileList_().List();
    Run([&] {
        DocumentContext document = main_.Context();
        spurwerk::SetEndMarksInSubDirs(document, state_.mainOptions.BaseDirSearch, list);
    });
    if (list.MessageBusy()) list.SetMessage(list.Message(), false);
    walking_ = false;
}

void ProjectCommands::LoadProject(const std::string& projectFile) {
    Run([&] {
        state_.session.ZDTFileToLoad = projectFile;
        DocumentContext document = main_.Context();
        LoadZDTFile(document, false);
    });
}

}  // namespace spurwerk::gui
