#pragma once
// What the windows share for the whole run: side-file names, the project
// session with its document, the dialogs, the options and their files.

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "project/project_session.h"
#include "settings/commented_ini.h"
#include "settings/option_values.h"
#include "settings/options_file.h"
#include "settings/side_files.h"
#include "settings/window_positions.h"
#include "support/qt_dialogs.h"

namespace spurwerk::gui {

struct AppState {
    explicit AppState(const std::string& programFile);

    SideFiles files;
    ProjectSession session;
    ZDTDocument& doc = session.doc;
    QtDialogs dialogs;
    CommentedIni ini;
    OptionsFile options;
    WindowPositions positions;
    MainOptions mainOptions;
    // The secondary windows' sections, kept here so a window not built yet
    // keeps its values from reading the options file to writing it.
    ProjSerieOptions projSerieOptions;
    FileListOptions fileListOptions;
    GeneralInfoOptions generalInfoOptions;

    bool DoSaveAllGUIs = false;
    bool FormActivated = false;
    int HexRowHeight = 12;

    // Developer mode: writes a window's captions and hints into the template
    // language file, then restores the window's position and size.
    void FinishWindowCreation(QWidget* window);
};

}  // namespace spurwerk::gui
