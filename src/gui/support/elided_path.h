#pragma once
// A path in a label of fixed width: cut in the middle, so its start and its
// file name stay readable; the hint holds it whole.

#include <QLabel>
#include <QString>

namespace spurwerk::gui {

inline void ShowElidedPath(QLabel* label, const QString& path) {
    label->setText(label->fontMetrics().elidedText(path, Qt::ElideMiddle, label->contentsRect().width()));
    label->setToolTip(path);
}

}  // namespace spurwerk::gui
