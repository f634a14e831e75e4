#include "mainwin/hex_view.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

#include "project/hex_layout.h"
#include "support/instant_hints.h"
#include "support/qt_text.h"

namespace spurwerk::gui {

namespace {

QFont HexFont(bool italic) {
    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(11);  // 8 pt at 96 dpi
    font.setBold(true);
    font.setItalic(italic);
    return font;
}

}  // namespace

HexView::HexView(const ZDTDocument& doc, int rowHeight, QLabel* labelDiffBytes, QWidget* parent)
    : QWidget(parent), doc_(doc), rowHeight_(rowHeight), labelDiffBytes_(labelDiffBytes) {
    setObjectName("PanelPB");
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    pbAddrs_ = new QWidget(this);
    pbAddrs_->setObjectName("PBAddrs");
    pbAddrs_->setFont(HexFont(true));
    pbMSOut_ = new QWidget(this);
    pbMSOut_->setObjectName("PBMSOut");
    pbMSOut_->setFont(HexFont(false));
    pbMSOut_->setMouseTracking(true);
    pbAddrs_->installEventFilter(this);
    pbMSOut_->installEventFilter(this);
    setFixedHeight(300);
}

bool HexView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        if (watched == pbMSOut_) PaintBytes(static_cast<QPaintEvent*>(event));
        if (watched == pbAddrs_) PaintAddresses(static_cast<QPaintEvent*>(event));
        return true;
    }
    if (watched == pbMSOut_ && event->type() == QEvent::MouseMove) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        MouseMoved(mouse->position().toPoint(), mouse->globalPosition().toPoint());
        return true;
    }
    if (watched == pbMSOut_ && event->type() == QEvent::ToolTip) return true;  // shown by the mouse move
    return QWidget::eventFilter(watched, event);
}

QRect HexView::CellRect(std::size_t index) const {
    // Measured once: text measuring is the dearest part of a paint.
    if (cellWidth_ == 0) cellWidth_ = QFontMetrics(pbMSOut_->font()).horizontalAdvance("00") + 1;
    return QRect(HexCellX(index, FontPoints), HexCellY(index, rowHeight_), cellWidth_, rowHeight_);
}

std::pair<std::size_t, std::size_t> HexView::RowsWithin(const QRect& area) const {
    const std::size_t size = doc_.ZDTData().size();
    const auto row = [&](int y) { return static_cast<std::size_t>(std::max(0, y) / rowHeight_); };
    return {std::min(size, row(area.top()) * HexBytesPerRow), std::min(size, (row(area.bottom()) + 1) * HexBytesPerRow)};
}

const QPixmap& HexView::CellLook(std::uint8_t byte, HexCellState state) const {
    const qreal ratio = pbMSOut_->devicePixelRatioF();
    if (ratio != cellLooksRatio_) {
        // Another screen: drawn anew for its pixels.
        cellLooks_.fill(QPixmap());
        cellLooksRatio_ = ratio;
    }
    QPixmap& look = cellLooks_[static_cast<std::size_t>(state) * 256 + byte];
    if (look.isNull()) {
        QColor text, back = Qt::white;
        switch (state) {
            case HexCellState::NoCompare: text = QColor(128, 0, 128); break;
            case HexCellState::Different: text = QColor(255, 0, 0), back = QColor(255, 255, 0); break;
            case HexCellState::Equal: text = QColor(0, 128, 0); break;
        }
        const QSize size = CellRect(0).size();
        look = QPixmap(size * ratio);
        look.setDevicePixelRatio(ratio);
        look.fill(back);
        QPainter painter(&look);
        painter.setFont(pbMSOut_->font());
        painter.setPen(text);
        painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignLeft | Qt::AlignTop, Q(HexByteText(byte)));
    }
    return look;
}

void HexView::PaintBytes(QPaintEvent* event) {
    QPainter painter(pbMSOut_);
    const Bytes& data = doc_.ZDTData();
    const Bytes& compare = doc_.CompareData();
    QRect dirty = event->rect();
    const auto [first, end] = RowsWithin(dirty);
    for (std::size_t i = first; i < end; ++i) {
        QRect cell = CellRect(i);
        if (dirty.intersects(cell)) painter.drawPixmap(cell.topLeft(), CellLook(data[i], HexCellStateAt(data, compare, i)));
    }
}

void HexView::ShowDiffCount() {
    labelDiffBytes_->setText(Q(DiffBytesText(CountDifferences(doc_.ZDTData(), doc_.CompareData()))));
}

void HexView::PaintAddresses(QPaintEvent* event) {
    QPainter painter(pbAddrs_);
    painter.setFont(pbAddrs_->font());
    painter.setPen(QColor(0, 0, 255));
    QFontMetrics metrics(pbAddrs_->font());
    const auto [first, end] = RowsWithin(event->rect());
    for (std::size_t i = first; i < end; i += HexBytesPerRow)
        painter.drawText(2, HexCellY(i, rowHeight_) + metrics.ascent(), Q(HexAddressText(i)));
}

void HexView::resizeEvent(QResizeEvent*) {
    pbAddrs_->setGeometry(0, 0, 48, height());
    pbMSOut_->setGeometry(48, 0, std::max(width() - 48, 2 * FontPoints * HexBytesPerRow + 8), height());
}

void HexView::RepaintAll() {
    // The panel is as high as the document needs; the window scrolls it.
    setFixedHeight(HexPanelHeight(doc_.ZDTData().size(), rowHeight_));
    resizeEvent(nullptr);
    ShowDiffCount();
    pbAddrs_->update();
    pbMSOut_->update();
}

void HexView::RepaintCells(std::size_t offset, std::size_t length) {
    for (std::size_t i = offset; i < offset + length && i < doc_.ZDTData().size(); ++i) pbMSOut_->update(CellRect(i));
    // The count follows every write, whatever part of the grid is on the screen.
    if (length > 0) ShowDiffCount();
}

void HexView::MouseMoved(const QPoint& pos, const QPoint& globalPos) {
    std::size_t index = HexIndexAt(pos.x(), pos.y(), FontPoints, rowHeight_);
    hint_ = Q(HexHintText(doc_.ZDTData(), doc_.CompareData(), index, trackCount ? trackCount() : 16));
    pbMSOut_->setToolTip(hint_);
    InstantHints::ShowHint(globalPos + QPoint(12, 16), hint_, pbMSOut_);
}

}  // namespace spurwerk::gui
