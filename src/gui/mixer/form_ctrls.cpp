#include "mixer/form_ctrls.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/app_state.h"

namespace spurwerk::gui {

FormCtrls::FormCtrls(AppState& state, QWidget* parent) : QWidget(parent, Qt::Window), state_(state) {
    setObjectName("FormCtrls");
    setWindowTitle("Projekt - Einstellungen");
    setAcceptDrops(true);
    auto* layout = new QVBoxLayout(this);
    auto* panel = new QLabel(this);
    panel->setObjectName("PanelCtrls");
    layout->addWidget(panel, 1);
    move(370, 0);
    resize(700, 520);
    state.FinishWindowCreation(this);
}

void FormCtrls::ShowAndFill() {
    show();
    raise();
    if (state_.doc.IsProject()) {
        // ReadAllControls comes with the strips.
    }
}

}  // namespace spurwerk::gui
