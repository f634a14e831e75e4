#pragma once
// TFormLanguage: asks for a language at the very first start. The main
// window lends it its language box.

#include <QDialog>

class QFrame;

namespace spurwerk::gui {

class LanguageWindow : public QDialog {
    Q_OBJECT
public:
    explicit LanguageWindow(QWidget* parent = nullptr);
    QFrame* PanelCBLanguage() const { return panelCBLanguage_; }

protected:
    void reject() override {}  // no way out but choosing

private:
    QFrame* panelCBLanguage_;
};

}  // namespace spurwerk::gui
