#pragma once
// The program: the shared state and its windows. The main window and the
// mixer are created at the start; the project list, series, information and
// language windows when first needed.

#include <QStringList>

#include "app/late_windows.h"

#include <memory>
#include <string>

namespace spurwerk::gui {

struct AppState;
class FormCtrls;
class FormFileList;
class FormProjSerie;
class GeneralInfoWindow;
class LanguageWindow;
class MainWindow;
class ProjectCommands;
class ScreenKeeper;
class TrackViewWindow;

class SpurwerkApp : public LateWindows {
public:
    // `programFile` names the side files; `parameters` are the command line's files.
    SpurwerkApp(const std::string& programFile, const QStringList& parameters);
    ~SpurwerkApp() override;

    // Shows the main window; its first activation follows from the event loop.
    void Show();

    AppState& State() { return *state_; }
    MainWindow& Main() { return *main_; }
    // The mixer, built first if the event loop has not built it yet.
    FormCtrls& Ctrls();
    // LateWindows: the one way to each of these windows.
    FormFileList& FileList() override;
    FormProjSerie& ProjSerie() override;
    GeneralInfoWindow& GeneralInfo() override;
    LanguageWindow& Language() override;
    FormFileList* BuiltFileList() const override { return fileList_.get(); }
    FormProjSerie* BuiltProjSerie() const override { return projSerie_.get(); }
    GeneralInfoWindow* BuiltGeneralInfo() const override { return generalInfo_.get(); }
    LanguageWindow* BuiltLanguage() const override { return language_.get(); }
    ProjectCommands& Commands() { return *commands_; }
    // Created when first opened.
    TrackViewWindow* TrackView() { return trackView_.get(); }
    void ShowTrackView();

private:
    std::unique_ptr<ScreenKeeper> screenKeeper_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<FormCtrls> ctrls_;
    std::unique_ptr<FormFileList> fileList_;
    std::unique_ptr<FormProjSerie> projSerie_;
    std::unique_ptr<GeneralInfoWindow> generalInfo_;
    std::unique_ptr<LanguageWindow> language_;
    std::unique_ptr<ProjectCommands> commands_;
    std::unique_ptr<TrackViewWindow> trackView_;
};

}  // namespace spurwerk::gui
