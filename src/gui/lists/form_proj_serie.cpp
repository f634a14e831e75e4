#include "lists/form_proj_serie.h"

#include "app/app_state.h"

namespace spurwerk::gui {

FormProjSerie::FormProjSerie(AppState& state, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("FormProjSerie");
    setWindowTitle("Projekt-Serie");
    move(80, 80);
    resize(520, 420);
    state.FinishWindowCreation(this);
}

}  // namespace spurwerk::gui
