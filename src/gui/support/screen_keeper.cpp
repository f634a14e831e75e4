#include "support/screen_keeper.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace spurwerk::gui {

ScreenKeeper::ScreenKeeper(QObject* parent) : QObject(parent) { qApp->installEventFilter(this); }

void ScreenKeeper::KeepOnScreen(QWidget* window) {
    QScreen* screen = window->screen();
    if (!screen || window->isMaximized() || window->isFullScreen()) return;
    const QRect area = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    QSize margins = frame.size() - window->size();
    if (margins.isNull()) {
        // A window manager puts the frame on only after showing: assume the
        // frame of the program's other windows, sides as wide as the bottom.
        for (QWidget* other : QApplication::topLevelWidgets())
            if (other->isVisible() && other != window) margins = margins.expandedTo(other->frameGeometry().size() - other->size());
        const int side = margins.width() / 2;
        frame = QRect(window->geometry().topLeft() - QPoint(side, margins.height() - side), window->size() + margins);
    }
    if (frame.width() > area.width() || frame.height() > area.height()) {
        window->resize(std::min(frame.width(), area.width()) - margins.width(),
                       std::min(frame.height(), area.height()) - margins.height());
        frame.setSize(window->size() + margins);
    }
    const int x = std::clamp(frame.x(), area.left(), std::max(area.left(), area.right() + 1 - frame.width()));
    const int y = std::clamp(frame.y(), area.top(), std::max(area.top(), area.bottom() + 1 - frame.height()));
    if (x != frame.x() || y != frame.y()) window->move(x, y);
}

bool ScreenKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show || event->type() == QEvent::Resize) {
        auto* w = qobject_cast<QWidget*>(watched);
        const Qt::WindowType type = w ? w->windowType() : Qt::Widget;
        if (w && w->isWindow() && w->isVisible() && type != Qt::Popup && type != Qt::ToolTip)
            KeepOnScreen(w);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace spurwerk::gui
