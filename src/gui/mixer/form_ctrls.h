#pragma once
// TFormCtrls, the mixer window. For now a frame with its name and caption
// that takes part in positions, options and language files; the strips and
// their view-model come with the mixer window itself. The main window talks to
// it only through the methods below.

#include <QWidget>

#include "project/document_ops.h"

namespace spurwerk::gui {

struct AppState;

class FormCtrls : public QWidget {
    Q_OBJECT
public:
    explicit FormCtrls(AppState& state, QWidget* parent = nullptr);

    // Fills the controls after a load and writes them back before a save.
    DocumentHost& Host() { return host_; }
    // ButtonSetCtrlsClick: show, bring to front, fill from the document.
    void ShowAndFill();
    // After a language change: the hints composed from the text table.
    void UpdateAllHints() {}
    // Closing the program hides the file list panel first.
    void HideFileListPanel() {}
    // Multi-line captions of three buttons, at the first activation.
    void SetMultiLineButtons() {}

private:
    AppState& state_;
    DocumentHost host_;  // fills nothing yet
};

}  // namespace spurwerk::gui
