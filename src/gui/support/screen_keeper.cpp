#include "support/screen_keeper.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>

#include "settings/window_positions.h"

namespace spurwerk::gui {

ScreenKeeper::ScreenKeeper(QObject* parent) : QObject(parent) { qApp->installEventFilter(this); }

void ScreenKeeper::KeepOnScreen(QWidget* window) {
    QScreen* screen = window->screen();
    if (!screen || window->isMaximized() || window->isFullScreen()) return;
    const QRect area = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    QSize margins = frame.size() - window->size();
    const bool frameKnown = !margins.isNull();
    if (!frameKnown) {
        // A window manager puts the frame on only after showing: assume the
        // frame of the program's other windows, sides as wide as the bottom.
        for (QWidget* other : QApplication::topLevelWidgets())
            if (other->isVisible() && other != window) margins = margins.expandedTo(other->frameGeometry().size() - other->size());
        const int side = margins.width() / 2;
        frame = QRect(window->geometry().topLeft() - QPoint(side, margins.height() - side), window->size() + margins);
    }
    WindowGeometry pulled{frame.x(), frame.y(), frame.width(), frame.height()};
    PullOntoScreen(pulled, ScreenSize{area.width(), area.height(), area.left(), area.top()});
    // Only ever shrinks: a dialog smaller than a restored window's minimum keeps its size.
    const QSize size(std::min(pulled.width, frame.width()), std::min(pulled.height, frame.height()));
    if (size != frame.size()) window->resize(size - margins);
    if (pulled.left != frame.x() || pulled.top != frame.y()) {
        // A dialog that nobody placed is still centred by Qt over the window
        // it belongs to when it shows; this move must not count as a place.
        const bool placed = window->testAttribute(Qt::WA_Moved);
        // Qt places a shown window whose frame it does not know yet by its
        // client area: move that, or the title bar ends above the screen.
        const bool byClient = !frameKnown && window->testAttribute(Qt::WA_WState_Created);
        const QPoint client = byClient ? window->geometry().topLeft() - frame.topLeft() : QPoint();
        window->move(QPoint(pulled.left, pulled.top) + client);
        if (!placed) window->setAttribute(Qt::WA_Moved, false);
    }
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
