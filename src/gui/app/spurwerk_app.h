#pragma once
// The program: the shared state and the six windows, created in their order
// (main window, mixer, project list, series, information, language).

#include <QStringList>

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

class SpurwerkApp {
public:
    // `programFile` names the side files; `parameters` are the command line's files.
    SpurwerkApp(const std::string& programFile, const QStringList& parameters);
    ~SpurwerkApp();

    // Shows the main window; its first activation follows from the event loop.
    void Show();

    AppState& State() { return *state_; }
    MainWindow& Main() { return *main_; }
    // The mixer, built first if the event loop has not built it yet.
    FormCtrls& Ctrls();
    FormFileList& FileList() { return *fileList_; }
    FormProjSerie& ProjSerie() { return *projSerie_; }
    GeneralInfoWindow& GeneralInfo() { return *generalInfo_; }
    LanguageWindow& Language() { return *language_; }
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
