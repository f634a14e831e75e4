#pragma once
// TFormProjSerie, the project series window: renders the core's
// ProjectSeries (fields, previews, progress) and forwards the user's input.

#include <QWidget>

#include <functional>

#include "files/project_files_context.h"
#include "files/project_series.h"
#include "settings/option_values.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace spurwerk::gui {

struct AppState;

class FormProjSerie : public QWidget, public ProjectSeriesObserver {
    Q_OBJECT
public:
    explicit FormProjSerie(AppState& state, QWidget* parent = nullptr);

    // Section "FormProjSerie" of the options file (kept in the shared state).
    ProjSerieOptions& Options() { return options_; }
    void OptionsToControls();
    void ControlsToOptions();
    // The derived fields, recomputed at the first activation.
    void UpdateDerivedFields() { AnySerieChange(); }
    // After a language load: ButtonOk's caption and the previews in the new language.
    void LanguageApplied();

    ProjectSeries& Series() { return series_; }

    // Set by the program: runs `work` with the project-file context of the
    // loaded document and the mixer.
    std::function<void(const std::function<void(ProjectFilesContext&)>& work)> withProjectFiles;

    // Event handlers, callable from tests.
    void FormShow();
    void AnySerieChange();
    void ButtonOkClick();
    void ButtonOpenFolderClick();
    void ButtonLoadSaveProjNamesClick(bool save);
    void ButtonCancelClick() { close(); }

    // ProjectSeriesObserver
    void PreviewChanged() override;
    void ProgressChanged() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void PlacePrefixField();
    void FieldsToSeries();
    void SeriesToFields();
    template <class Work>
    void Run(Work&& work);

    AppState& state_;
    ProjSerieOptions& options_;
    ProjectSeries series_;
    bool updating_ = false;

    QLineEdit* editBaseDirSerie_;
    QPushButton* buttonOpenFolder_;
    QLabel* labelNewAs_;
    QLineEdit* editBaseSubDirs_;
    QSpinBox* seSerieCount_;
    QSpinBox* seSerieStart_;
    QLabel* labelSerieCount_;
    QLabel* labelSerieStart_;
    QLabel* labelSubDirsVon_;
    QLabel* labelSubDirsBis_;
    QPlainTextEdit* memoProjNames_;
    QPushButton* buttonLoadProjNames_;
    QPushButton* buttonSaveProjNames_;
    QLabel* labelMessSerie_;
    QPushButton* buttonOk_;
    QPushButton* buttonCancel_;
};

}  // namespace spurwerk::gui
