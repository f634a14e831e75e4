#pragma once
// The round status mark of a strip (ShStatus_): a filled circle that reports
// a mouse press.

#include <QColor>
#include <QWidget>

namespace spurwerk::gui {

class StatusShape : public QWidget {
    Q_OBJECT
public:
    explicit StatusShape(QWidget* parent);
    void SetFill(const QColor& fill);
    QColor Fill() const { return fill_; }

signals:
    void Pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QColor fill_ = Qt::green;
};

}  // namespace spurwerk::gui
