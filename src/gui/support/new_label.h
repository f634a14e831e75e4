#pragma once
// A named label at a fixed place: the windows keep the pixel layout they were designed with.

#include <QLabel>
#include <QRect>

namespace spurwerk::gui {

inline QLabel* NewLabel(const char* name, const char* caption, QWidget* parent, QRect geometry) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

}  // namespace spurwerk::gui
