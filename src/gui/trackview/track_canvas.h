#pragma once
// The painted part of the track view: ruler, rows of waveforms, mark lines
// and the play position. Mouse: a click sets the play position, a mark on the
// ruler is dragged (the move is one edit when released), its context menu
// deletes it; the wheel scrolls, with Ctrl it zooms.

#include <QLine>
#include <QWidget>

#include <vector>

namespace spurwerk::gui {

class TrackViewWindow;

class TrackCanvas : public QWidget {
    Q_OBJECT
public:
    explicit TrackCanvas(TrackViewWindow& view);

    // The mark being dragged (-1: none) and where it would land.
    int DraggedMark() const { return dragMark_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void PaintRuler(class QPainter& p);
    void PaintRow(class QPainter& p, std::size_t index, int top, const QRect& exposed);
    void PaintMarks(class QPainter& p);

    TrackViewWindow& view_;
    int dragMark_ = -1;
    int dragX_ = 0;
    std::vector<QLine> lines_;  // a waveform's columns, kept between paints
};

}  // namespace spurwerk::gui
