#include "mixer/main_window_actions.h"

#include <QPushButton>

#include "app/app_state.h"
#include "app/main_window.h"
#include "io/path_text.h"
#include "files/wav_templates.h"
#include "mixer/form_ctrls.h"
#include "mixer/mixer_view_model.h"
#include "trackview/track_view_window.h"
#include "support/instant_hints.h"
#include "support/qt_text.h"

namespace spurwerk::gui {

std::string MixerFieldsHost::ProjectNameText() { return mixer_.Controls().Control("EditProjName").text; }

void MixerFieldsHost::SetProjectNameText(const std::string& name) { mixer_.Controls().SetText("EditProjName", name); }

int MixerFieldsHost::TrackCount() { return mixer_.Controls().TrackCount(); }

void MixerFieldsHost::WavFilesChanged() { mixer_.Files().BuildWavList(); }

void MainWindowMixerActions::OpenProjectFile() { main_.ButtonLoadZDTFileClick(); }

void MainWindowMixerActions::SearchInSubDirs() {
    if (main_.searchInSubDirs) main_.searchInSubDirs(main_.findChild<QObject*>("ButtonSearchInSubDirs"));
}

void MainWindowMixerActions::QuickSave(const std::string& fileName, int) { main_.ButtonQuickSaveClick(fileName.empty()); }

void MainWindowMixerActions::SaveAsProject(int) {
    if (main_.saveProject) main_.saveProject();
}

void MainWindowMixerActions::CopyProject() {
    if (main_.copyProject) main_.copyProject();
}

void MainWindowMixerActions::CreateSeries() { main_.ButtonSaveZDTFileSerieClick(); }

void MainWindowMixerActions::SetEndMarksInSubDirs() {
    if (main_.setEndMarksInSubDirs) main_.setEndMarksInSubDirs();
}

void MainWindowMixerActions::CreateMissingWavFiles(const std::string& audioFolder, bool reportFirst) {
    DocumentContext document = main_.Context();
    MixerFieldsHost fields(state_.doc, mixer_);
    ProjectFilesOptions options;
    options.devIsZoomR24 = state_.mainOptions.DevIsZoomR24;
    options.useInfoFiles = state_.mainOptions.UseInfoFiles;
    options.templates = TemplateFilesIn(state_.files.programDir);
    options.templates.wavMono16 = state_.mainOptions.FnVorlageMono16b_WAV;
    options.templates.wavStereo16 = state_.mainOptions.FnVorlageStereo16b_WAV;
    options.templates.wavMono24 = state_.mainOptions.FnVorlageMono24b_WAV;
    options.templates.wavStereo24 = state_.mainOptions.FnVorlageStereo24b_WAV;
    ProjectFilesContext context{document, fields, options};
    std::string dir = PathText(PathFromText(audioFolder) / "");
    spurwerk::CreateMissingWavFiles(context, dir, reportFirst);
    mixer_.Files().BuildWavList();
}

void MainWindowMixerActions::ShowProjectName(const std::string& name) { main_.ShowProjectName(name); }

void MainWindowMixerActions::ShowInformation() { main_.PanelGeneralInfoClick(); }

void MainWindowMixerActions::ShowTrackView() {
    if (TrackViewOpener()) TrackViewOpener()();
}

void ConnectMixerToMainWindow(FormCtrls& ctrls, AppState& state, MainWindow& main) {
    ctrls.SetActions(std::make_unique<MainWindowMixerActions>(state, main, ctrls.Model()));
    ctrls.filesDropped = [&main](const QStringList& files, bool askForEach) { main.OpenFiles(files, 179, askForEach); };
    ctrls.infoChanged = [&ctrls, &main] {
        const ProjectInfoTexts& info = ctrls.Model().Menu().InfoTexts();
        if (auto* b = main.findChild<QPushButton*>("ButtonQuickSaveLoadedZDTFile"))
            b->setToolTip(InstantHints::PlainHint(QLines(info.quickSaveHint)));
        if (auto* b = main.findChild<QPushButton*>("ButtonQuickSaveLoadedZDTFileAs"))
            b->setToolTip(InstantHints::PlainHint(QLines(info.quickSaveAsHint)));
    };
    ctrls.infoChanged();
}

}  // namespace spurwerk::gui
