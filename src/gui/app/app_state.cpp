#include "app/app_state.h"

#include "settings/language_file.h"
#include "support/guarded.h"
#include "support/qt_text.h"
#include "support/widget_components.h"

namespace spurwerk::gui {

AppState::AppState(const std::string& programFile)
    : files(DeriveSideFiles(programFile)),
      options(ini, dialogs, files.programDir),
      positions(files.windowPositionsFile, dialogs) {}

void AppState::FinishWindowCreation(QWidget* window) {
    if (DoSaveAllGUIs) {
        Guarded(dialogs, [&] {
            GuiForm form = ComponentsOf(window);
            LoadSaveGuiTexts(form, true, files.GuiFileName, "", dialogs);
        });
    }
    WindowGeometry geometry = GeometryOf(window);
    positions.LoadSaveWindowPos(S(window->objectName()), geometry, false, true, PrimaryScreenSize());
    ApplyGeometry(window, geometry);
}

}  // namespace spurwerk::gui
