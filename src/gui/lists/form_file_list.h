#pragma once
// TFormFileList, the project list. For now a frame with its name, caption and
// options; the list itself comes with its own window.

#include <QWidget>

#include <string>
#include <vector>

#include "settings/option_values.h"

namespace spurwerk::gui {

struct AppState;

class FormFileList : public QWidget {
    Q_OBJECT
public:
    explicit FormFileList(AppState& state, QWidget* parent = nullptr);

    // Section "FormFileList" of the options file.
    FileListOptions& Options() { return options_; }
    void OptionsToControls() {}
    void ControlsToOptions() {}
    // The sort-order choices after a language load (text 100).
    void SetSortTypeItems(const std::vector<std::string>& items) { sortTypeItems_ = items; }

private:
    FileListOptions options_;
    std::vector<std::string> sortTypeItems_;
};

}  // namespace spurwerk::gui
