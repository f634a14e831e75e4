#include "mixer/mixer_slider.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionSlider>

#include "settings/ui_texts.h"
#include "support/qt_text.h"

namespace spurwerk::gui {

MixerSlider::MixerSlider(Qt::Orientation orientation, QWidget* parent) : QSlider(orientation, parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void MixerSlider::SetChangeMark(bool on) {
    if (changeMark_ == on) return;
    changeMark_ = on;
    update();
}

void MixerSlider::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QSlider::mouseDoubleClickEvent(event);
    event->accept();
    emit ResetRequested();
}

void MixerSlider::mousePressEvent(QMouseEvent* event) {
    // Alt+click resets wherever it lands, on the knob as on the groove.
    if (event->button() == Qt::LeftButton && event->modifiers().testFlag(Qt::AltModifier)) {
        event->accept();
        emit ResetRequested();
        return;
    }
    QSlider::mousePressEvent(event);
}

void MixerSlider::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.setObjectName("SliderMenu");
    QAction* reset = menu.addAction(Q(UiTxt(UiText::SliderReset)));
    reset->setObjectName("SliderResetToDefault");
    connect(reset, &QAction::triggered, this, &MixerSlider::ResetRequested);
    menu.exec(event->globalPos());
}

void MixerSlider::paintEvent(QPaintEvent*) {
    QStyleOptionSlider option;
    initStyleOption(&option);
    QPainter painter(this);
    // Ticks from the style; the channel is drawn here, because styles that fill
    // the channel up to the handle would look like a change mark on every slider.
    option.subControls = QStyle::SC_SliderTickmarks;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
    QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    QRect channel = orientation() == Qt::Horizontal
                        ? QRect(groove.left() + 2, groove.center().y() - 2, groove.width() - 4, 5)
                        : QRect(groove.center().x() - 2, groove.top() + 2, 5, groove.height() - 4);
    painter.fillRect(channel, changeMark_ ? QColor(0, 120, 215) : QColor(255, 255, 255));
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(channel.adjusted(0, 0, -1, -1));
    option.subControls = QStyle::SC_SliderHandle;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
}

}  // namespace spurwerk::gui
