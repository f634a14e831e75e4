#pragma once
// TFormProjSerie, the project series window. For now a frame with its name,
// caption and options; the series itself comes with its own window.

#include <QWidget>

#include "settings/option_values.h"

namespace spurwerk::gui {

struct AppState;

class FormProjSerie : public QWidget {
    Q_OBJECT
public:
    explicit FormProjSerie(AppState& state, QWidget* parent = nullptr);

    // Section "FormProjSerie" of the options file.
    ProjSerieOptions& Options() { return options_; }
    void OptionsToControls() {}
    void ControlsToOptions() {}
    // The derived fields, recomputed at the first activation.
    void UpdateDerivedFields() {}

private:
    ProjSerieOptions options_;
};

}  // namespace spurwerk::gui
