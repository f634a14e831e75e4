#pragma once
// Adapters between Qt windows and the core's settings: a window's widgets as
// the component list of the language files (by objectName, in creation
// order), and a window's geometry for the window-position file.

#include <QWidget>

#include "settings/gui_component.h"
#include "settings/window_positions.h"

namespace spurwerk::gui {

// Marks a widget whose class does not tell its kind (a label that stands for
// a panel, a group box that is a radio group).
void SetComponentKind(QObject* object, ComponentKind kind);

// The window's named widgets and menu actions, depth first in creation order.
GuiForm ComponentsOf(QWidget* window);
// Sets the texts and hints of the named widgets from `form`.
void ApplyComponents(QWidget* window, const GuiForm& form);

// Outer position and client size (the pair a window can be restored to).
WindowGeometry GeometryOf(const QWidget* window);
void ApplyGeometry(QWidget* window, const WindowGeometry& geometry);
ScreenSize PrimaryScreenSize();

}  // namespace spurwerk::gui
