#pragma once
// The mixer's menu, label and key actions carried out by the main window and
// the project-file functions of the core.

#include "files/project_files_context.h"
#include "mixer/mixer_interfaces.h"

namespace spurwerk {
class MixerViewModel;
}

namespace spurwerk::gui {

struct AppState;
class FormCtrls;
class MainWindow;

// Connects the mixer window to the main window: its actions, files dropped on
// it and the quick-save hints that follow the information line.
void ConnectMixerToMainWindow(FormCtrls& ctrls, AppState& state, MainWindow& main);

// The mixer's side of a project save: its name field and track count.
class MixerFieldsHost : public ProjectFieldsHost {
public:
    MixerFieldsHost(ZDTDocument& doc, MixerViewModel& mixer) : ProjectFieldsHost(doc), mixer_(mixer) {}
    std::string ProjectNameText() override;
    void SetProjectNameText(const std::string& name) override;
    int TrackCount() override;
    void WavFilesChanged() override;

private:
    MixerViewModel& mixer_;
};

class MainWindowMixerActions : public MixerActions {
public:
    MainWindowMixerActions(AppState& state, MainWindow& main, MixerViewModel& mixer)
        : state_(state), main_(main), mixer_(mixer) {}

    void OpenProjectFile() override;
    void SearchInSubDirs() override;
    void QuickSave(const std::string& fileName, int messageTimeMs) override;
    void SaveAsProject(int messageTimeMs) override;
    void CopyProject() override;
    void CreateSeries() override;
    void SetEndMarksInSubDirs() override;
    void CreateMissingWavFiles(const std::string& audioFolder, bool reportFirst) override;
    void ShowProjectName(const std::string& name) override;
    void ShowInformation() override;
    void ShowTrackView() override;

private:
    AppState& state_;
    MainWindow& main_;
    MixerViewModel& mixer_;
};

}  // namespace spurwerk::gui
