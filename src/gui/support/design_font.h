#pragma once
// The windows' design font "MS Sans Serif" 8 pt, or where it is missing a
// sans-serif of the same pixel size and about its width, so that every
// caption fits the pixel sizes of the designs.

#include <QFont>

namespace spurwerk::gui {

QFont DesignFont();

}  // namespace spurwerk::gui
