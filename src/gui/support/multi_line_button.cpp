#include "support/multi_line_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace spurwerk::gui {

QSize MultiLineButton::sizeHint() const {
    QSize size = QPushButton::sizeHint();
    return {size.width() / 2 + 8, size.height() * 2};
}

void MultiLineButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.drawItemText(rect().adjusted(4, 2, -4, -2), Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic,
                         palette(), isEnabled(), text(), QPalette::ButtonText);
}

}  // namespace spurwerk::gui
