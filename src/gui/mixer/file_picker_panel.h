#pragma once
// The file picker panel PanelFileListBoxEDAss of the mixer window: the WAV
// files of the AUDIO folder, the name edit, the suggestions and the buttons.
// It shows the core's FilePicker and forwards every input to it; it never
// blocks the rest of the window.

#include <QFrame>

#include <memory>
#include <string>

#include "mixer/file_picker.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace spurwerk {
class Dialogs;
class MixerViewModel;
}

namespace spurwerk::gui {

class FilePickerPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int PanelWidth = 232;
    static constexpr int ButtonAreaHeight = 128;

    FilePickerPanel(MixerViewModel& mixer, Dialogs& dialogs, QWidget* parent);

    // EDFileAssDblClick: opens for a file field, in front of its strip.
    void Open(const std::string& fieldName);
    void Hide();
    void UpdateHints();
    FilePicker& Picker() { return picker_; }

    QListWidget* FileList() const { return fileList_; }
    QLineEdit* NameEdit() const { return nameEdit_; }
    QComboBox* Templates() const { return templates_; }
    QPushButton* DoChangeButton() const { return doChange_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* AutoButton() const { return auto_; }
    QLabel* CountLine() const { return countLine_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <class Work>
    void Run(Work&& work);
    void Render();
    void ShowName();
    void LayOut(int height);
    void NameEdited(const QString& text);

    MixerViewModel& mixer_;
    Dialogs& dialogs_;
    FilePicker picker_;
    QLabel* countLine_;
    QListWidget* fileList_;
    QLineEdit* nameEdit_;
    QComboBox* templates_;
    QPushButton* doChange_;
    QPushButton* cancel_;
    QPushButton* auto_;
};

}  // namespace spurwerk::gui
