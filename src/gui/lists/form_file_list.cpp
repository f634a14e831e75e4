#include "lists/form_file_list.h"

#include "app/app_state.h"

namespace spurwerk::gui {

FormFileList::FormFileList(AppState& state, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("FormFileList");
    setWindowTitle("Datei-Liste ZDT");
    move(40, 60);
    resize(800, 500);
    state.FinishWindowCreation(this);
}

}  // namespace spurwerk::gui
