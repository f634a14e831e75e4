#pragma once
// TFormGeneralInfo: the information text of the chosen language, with the
// program file, version and link time in the caption.

#include <QDialog>

#include <functional>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace spurwerk::gui {

struct AppState;

// "<path>,   Build:  <version>,  Comp.Time: <date time>"
QString GeneralInfoCaption(const QString& programFile);

class GeneralInfoWindow : public QDialog {
    Q_OBJECT
public:
    explicit GeneralInfoWindow(AppState& state, QWidget* parent = nullptr);

    // The information text file of a language; a missing file leaves the text.
    void LoadInfoText(const std::string& fileName);
    bool ShowAtProgStart() const;
    void SetShowAtProgStart(bool show);
    // Writes the options file at once (the check box's click).
    std::function<void()> saveOptions;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPlainTextEdit* memo_;
    QCheckBox* cbShowAtStart_;
    QPushButton* buttonClose_;
};

}  // namespace spurwerk::gui
