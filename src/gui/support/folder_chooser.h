#pragma once
// Folder selection with a prompt, a preselected start folder and the current
// path shown while the user moves through the tree.

#include <string>

class QFileDialog;
class QWidget;

namespace spurwerk::gui {

// The chosen folder without a trailing separator (except for a root), or
// empty when cancelled.
std::string SelectFolder(QWidget* parent, const std::string& prompt, const std::string& startFolder);

// Qt's own file dialog large enough for its columns (name, size, type, date).
void FitFileDialog(QFileDialog& dialog);

// The date column in the program's language: Qt's model writes dates with the
// system's locale, whatever the default locale says.
void ShowDatesInProgramLanguage(QFileDialog& dialog);

}  // namespace spurwerk::gui
