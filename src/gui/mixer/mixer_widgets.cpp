#include "mixer/mixer_widgets.h"

#include <QFrame>
#include <QLabel>

#include "support/qt_text.h"
#include "support/widget_components.h"

namespace spurwerk::gui {

void SetBackground(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    if (p.color(QPalette::Window) == colour && w->autoFillBackground()) return;
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::Button, colour);
    w->setPalette(p);
    w->setBackgroundRole(QPalette::Window);
    w->setAutoFillBackground(true);
}

void SetTextColour(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    if (p.color(QPalette::WindowText) == colour) return;
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::Text, colour);
    w->setPalette(p);
}

QFont FontFor(const FontLook& look, const QFont& parent) {
    QFont font = parent;
    if (!look.family.empty()) font.setFamily(Q(look.family));
    if (look.size > 0) font.setPointSize(look.size);
    font.setBold(look.bold);
    font.setUnderline(look.underline);
    return font;
}

QFrame* NewPanel(const char* name, QWidget* parent) {
    auto* panel = new QFrame(parent);
    if (name) panel->setObjectName(name);
    panel->setAutoFillBackground(true);
    return panel;
}

QLabel* NewCaptionPanel(const char* name, const char* caption, QWidget* parent) {
    QLabel* panel = NewLabel(name, caption, parent, QRect());
    panel->setAlignment(Qt::AlignCenter);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAutoFillBackground(true);
    SetComponentKind(panel, ComponentKind::Panel);
    return panel;
}

}  // namespace spurwerk::gui
