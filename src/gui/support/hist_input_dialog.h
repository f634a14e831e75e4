#pragma once
// TFormHistInput: the input box with history for file names, folders and
// search texts (InputHist, InputFileHist). The history rules are the core's
// InputHistory; the dialog is created once and keeps its list between calls.

#include <QDialog>

#include "settings/input_history.h"
#include "ui/dialogs.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace spurwerk::gui {

// "ZDT-Dateien (*PRJ*.ZDT)|*PRJ*.ZDT|Alle Dateien (*.*)|*.*" as a Qt name filter list.
QStringList QtNameFilters(const std::string& filter);

class HistInputDialog : public QDialog {
    Q_OBJECT
public:
    explicit HistInputDialog(QWidget* parent = nullptr);

    // InputHist, or InputFileHist when request.isFileInput. Throws FileError
    // when the history cannot be written; the caller then stops.
    HistInputResult Run(const HistInputRequest& request);

    const InputHistory& History() const { return history_; }

public slots:
    void accept() override;

private:
    HistInputResult RunInputHist(const HistInputRequest& request, bool checkFileExists);
    void ShowHistory(bool fileChanged);
    void UpdateNonExistentCount();
    void DeleteNonExistentItems();

    InputHistory history_;
    bool checkFileExists_ = false;
    QLabel* labelInput_;
    QComboBox* cbInput_;
    QPushButton* okBtn_;
    QPushButton* cancelBtn_;
    QPushButton* buttonIgnore_;
    QLabel* labelNonExistent_;
    QPushButton* buttonDeleteNonExistent_;
    QCheckBox* cbOptional_;
    QCheckBox* cbOptional2_;
};

}  // namespace spurwerk::gui
