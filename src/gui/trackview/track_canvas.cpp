#include "trackview/track_canvas.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

#include "project/play_marks.h"
#include "settings/ui_texts.h"
#include "support/qt_text.h"
#include "trackview/track_view_window.h"

namespace spurwerk::gui {

namespace {

QColor StatusColour(TrackStatus status) {
    return status == TrackStatus::Record ? QColor(255, 0, 0) : status == TrackStatus::Play ? QColor(0, 200, 0)
                                                                                           : QColor(128, 128, 128);
}

const QColor MarkColour(0, 90, 220);
const QColor EndColour(200, 0, 0);
const QColor PlayColour(230, 120, 0);

}  // namespace

TrackCanvas::TrackCanvas(TrackViewWindow& view) : QWidget(&view), view_(view) {
    setObjectName("PBTracks");
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TrackCanvas::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect exposed = event->rect();
    p.fillRect(exposed, palette().base());
    if (exposed.top() < TrackViewWindow::RulerHeight) PaintRuler(p);
    for (std::size_t i = 0; i < view_.Rows().size(); ++i) {
        const int top = TrackViewWindow::RulerHeight + static_cast<int>(i) * TrackViewWindow::RowHeight;
        if (top > exposed.bottom()) break;
        if (top + TrackViewWindow::RowHeight > exposed.top()) PaintRow(p, i, top, exposed);
    }
    PaintMarks(p);
    const int playX = view_.XOfMs(view_.PlayPositionMs());
    if (playX >= TrackViewWindow::HeaderWidth) {
        p.setPen(QPen(PlayColour, 2));
        p.drawLine(playX, 0, playX, height());
    }
}

void TrackCanvas::PaintRuler(QPainter& p) {
    const int h = TrackViewWindow::RulerHeight;
    p.fillRect(0, 0, width(), h, palette().window());
    p.setPen(palette().windowText().color());
    const int span = width() - TrackViewWindow::HeaderWidth;
    for (const RulerTick& tick : RulerTicks(view_.Scale(), span)) {
        const int x = TrackViewWindow::HeaderWidth + static_cast<int>(tick.x);
        p.drawLine(x, tick.labelled ? h - 10 : h - 5, x, h);
        if (tick.labelled) p.drawText(x + 3, h - 12, Q(tick.label));
    }
    p.drawLine(0, h - 1, width(), h - 1);
}

void TrackCanvas::PaintRow(QPainter& p, std::size_t index, int top, const QRect& exposed) {
    const TrackViewWindow::Row& row = view_.Rows()[index];
    const int h = TrackViewWindow::RowHeight;
    const int header = TrackViewWindow::HeaderWidth;
    p.fillRect(0, top, header, h, palette().window());
    p.fillRect(4, top + 6, 12, 12, StatusColour(row.status));
    p.setPen(palette().windowText().color());
    p.drawText(22, top + 17, QString::number(row.strip + 1));
    p.drawText(QRect(4, top + 22, header - 8, h - 24), Qt::AlignLeft | Qt::AlignTop,
               row.name.empty() ? Q(UiTxt(UiText::TrackViewNoFile)) : Q(row.name));
    p.setPen(palette().mid().color());
    p.drawLine(0, top + h - 1, width(), top + h - 1);
    if (!row.peaks) {
        const std::string text = row.reading ? UiTxt(UiText::TrackViewReading) : row.reason;
        p.setPen(palette().placeholderText().color());
        p.drawText(QRect(header + 8, top, width() - header - 8, h), Qt::AlignVCenter | Qt::AlignLeft, Q(text));
        return;
    }
    const PeakPyramid& peaks = *row.peaks;
    const int channels = std::min<int>(peaks.Channels(), 2);
    const int laneHeight = (h - 4) / channels;
    // Only the exposed columns, drawn as one batch of lines per channel.
    const int firstColumn = std::max(0, exposed.left() - header);
    const int endColumn = std::min(width(), exposed.right() + 1) - header;
    const std::int64_t firstMs = view_.Scale().startMs;
    const double framesPerMs = row.sampleRate / 1000.0;
    p.setPen(QColor(40, 110, 60));
    for (int c = 0; c < channels; ++c) {
        const int mid = top + 2 + c * laneHeight + laneHeight / 2;
        const double half = laneHeight / 2.0 - 1;
        lines_.clear();
        for (int x = firstColumn; x < endColumn; ++x) {
            const double fromMs = static_cast<double>(firstMs) + x * view_.Scale().msPerPixel;
            const auto from = static_cast<std::uint64_t>(std::max(0.0, fromMs * framesPerMs));
            const auto to = static_cast<std::uint64_t>(std::max(0.0, (fromMs + view_.Scale().msPerPixel) * framesPerMs));
            if (from >= peaks.FrameCount()) break;
            const PeakPair pair = peaks.Range(static_cast<std::uint16_t>(c), from, std::max(to, from + 1));
            const int y1 = mid - static_cast<int>(std::clamp(pair.max, -1.0f, 1.0f) * half);
            const int y2 = mid - static_cast<int>(std::clamp(pair.min, -1.0f, 1.0f) * half);
            lines_.emplace_back(header + x, y1, header + x, y2);
        }
        p.drawLines(lines_.data(), static_cast<int>(lines_.size()));
    }
}

void TrackCanvas::PaintMarks(QPainter& p) {
    const std::vector<std::int32_t> marks = ListMarks(view_.Document().ZDTData());
    p.setClipRect(TrackViewWindow::HeaderWidth, 0, width(), height());
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const int x = static_cast<int>(i) == dragMark_ ? dragX_ : view_.XOfMs(marks[i]);
        p.setPen(QPen(MarkColour, 1, static_cast<int>(i) == dragMark_ ? Qt::DashLine : Qt::SolidLine));
        p.drawLine(x, 2, x, height());
        p.drawText(x + 2, 11, QString::number(i + 1));
    }
    const std::int32_t end = view_.recordingEnd ? view_.recordingEnd() : 0;
    if (end > 0) {
        const int x = view_.XOfMs(end);
        p.setPen(QPen(EndColour, 2));
        p.drawLine(x, 0, x, height());
        p.drawText(x + 3, 11, QStringLiteral("END"));
    }
    p.setClipping(false);
}

void TrackCanvas::mousePressEvent(QMouseEvent* event) {
    const int x = static_cast<int>(event->position().x());
    if (event->button() != Qt::LeftButton || x < TrackViewWindow::HeaderWidth) return;
    if (event->position().y() < TrackViewWindow::RulerHeight) {
        dragMark_ = view_.MarkNear(x);
        dragX_ = x;
        if (dragMark_ >= 0) return;
    }
    view_.SetPlayPositionMs(view_.MsOfX(x));
}

void TrackCanvas::mouseMoveEvent(QMouseEvent* event) {
    const int x = static_cast<int>(event->position().x());
    if (dragMark_ >= 0) {
        dragX_ = std::max(x, TrackViewWindow::HeaderWidth);
        update();
        return;
    }
    const bool overMark = event->position().y() < TrackViewWindow::RulerHeight && view_.MarkNear(x) >= 0;
    setCursor(overMark ? Qt::SizeHorCursor : Qt::ArrowCursor);
}

void TrackCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (dragMark_ < 0 || event->button() != Qt::LeftButton) return;
    const int mark = dragMark_;
    dragMark_ = -1;
    const int x = std::max(static_cast<int>(event->position().x()), TrackViewWindow::HeaderWidth);
    if (x != view_.XOfMs(MarkAt(view_.Document().ZDTData(), mark))) view_.MoveMark(mark, view_.MsOfX(x));
    update();
}

void TrackCanvas::contextMenuEvent(QContextMenuEvent* event) {
    const int mark = view_.MarkNear(event->pos().x());
    if (mark < 0) return;
    QMenu menu(this);
    menu.setObjectName("PMMarkMenu");
    QAction* remove = menu.addAction(Q(UiTxt(UiText::TrackViewDeleteMark)) + " " + QString::number(mark + 1));
    remove->setObjectName("PMDeleteMark");
    if (menu.exec(event->globalPos()) == remove) view_.DeleteMark(mark);
}

void TrackCanvas::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0) return;
    if (event->modifiers() & Qt::ControlModifier) {
        view_.Zoom(steps > 0 ? 0.5 : 2.0, static_cast<int>(event->position().x()));
    } else {
        const auto shift = static_cast<std::int64_t>(-steps * 80 * view_.Scale().msPerPixel);
        view_.ScrollToMs(view_.Scale().startMs + shift);
    }
    event->accept();
}

}  // namespace spurwerk::gui
