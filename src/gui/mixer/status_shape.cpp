#include "mixer/status_shape.h"

#include <QMouseEvent>
#include <QPainter>

namespace spurwerk::gui {

StatusShape::StatusShape(QWidget* parent) : QWidget(parent) {}

void StatusShape::SetFill(const QColor& fill) {
    if (fill_ == fill) return;
    fill_ = fill;
    update();
}

void StatusShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(fill_);
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

void StatusShape::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit Pressed();
}

}  // namespace spurwerk::gui
