#pragma once
// Small helpers for windows laid out at fixed positions, as designed.

#include <QFont>
#include <QRect>
#include <QWidget>

#include "support/design_font.h"

namespace spurwerk::gui {

// The widget with its object name (the key of language and position files) and place.
template <class Widget>
Widget* Named(Widget* widget, const char* name, QRect geometry) {
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

// The windows' design font, with a substitute where it is missing.
inline void SetDesignFont(QWidget* window) { window->setFont(DesignFont()); }

}  // namespace spurwerk::gui
