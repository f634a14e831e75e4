#pragma once
// Small widget helpers of the mixer window: colours from the view-model,
// panels and labels built the way the window's parts need them.

#include <QColor>
#include <QFont>
#include <QRect>

#include "mixer/mixer_control.h"
#include "mixer/strip_layout.h"
#include "support/new_label.h"

class QFrame;
class QLabel;
class QWidget;

namespace spurwerk::gui {

// The colour, or `system` where the view-model asks for the platform's colour.
inline QColor ToQColor(Colour c, const QColor& system) { return c.system ? system : QColor(c.r, c.g, c.b); }
void SetBackground(QWidget* w, const QColor& colour);
void SetTextColour(QWidget* w, const QColor& colour);
QFont FontFor(const FontLook& look, const QFont& parent);
QFrame* NewPanel(const char* name, QWidget* parent);
// A panel with a caption: a label that takes part in language files as a panel.
QLabel* NewCaptionPanel(const char* name, const char* caption, QWidget* parent);

}  // namespace spurwerk::gui
