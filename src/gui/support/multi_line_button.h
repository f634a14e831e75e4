#pragma once
// A push button whose caption wraps onto several lines (the Windows button
// style BS_MULTILINE), mnemonic included.

#include <QPushButton>

namespace spurwerk::gui {

class MultiLineButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace spurwerk::gui
