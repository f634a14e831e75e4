#pragma once
// The hex view: the panel PanelPB with the address column PBAddrs and the
// byte grid PBMSOut. Geometry, colours and the hint text come from the core
// (hex_layout.h); this widget paints them.

#include <QPixmap>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <utility>

#include "project/hex_layout.h"
#include "project/zdt_document.h"

class QLabel;

namespace spurwerk::gui {

class HexView : public QWidget {
    Q_OBJECT
public:
    static constexpr int FontPoints = 8;

    HexView(const ZDTDocument& doc, int rowHeight, QLabel* labelDiffBytes, QWidget* parent = nullptr);

    // Repaints every cell and refreshes the difference count.
    void RepaintAll();
    // Repaints the cells of bytes offset .. offset+length-1 only (and the count).
    void RepaintCells(std::size_t offset, std::size_t length);
    // The track count whose bound controls the hint names.
    std::function<int()> trackCount;

    QWidget* AddressBox() const { return pbAddrs_; }
    QWidget* ByteBox() const { return pbMSOut_; }
    int RowHeight() const { return rowHeight_; }
    // The last hint built by the mouse (for the hint window and tests).
    const QString& CurrentHint() const { return hint_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PaintBytes(QPaintEvent* event);
    void PaintAddresses(QPaintEvent* event);
    void ShowDiffCount();
    void MouseMoved(const QPoint& pos, const QPoint& globalPos);
    QRect CellRect(std::size_t index) const;
    // A cell's look, drawn once per byte value and state: a grid repeats few
    // values, and drawing the glyphs was most of what painting a cell cost.
    const QPixmap& CellLook(std::uint8_t byte, HexCellState state) const;
    // The bytes [first, end) whose rows reach into `area`.
    std::pair<std::size_t, std::size_t> RowsWithin(const QRect& area) const;

    const ZDTDocument& doc_;
    int rowHeight_;
    QLabel* labelDiffBytes_;
    QWidget* pbAddrs_;
    QWidget* pbMSOut_;
    QString hint_;
    mutable int cellWidth_ = 0;
    mutable std::array<QPixmap, 3 * 256> cellLooks_;
    mutable qreal cellLooksRatio_ = 0;  // the device pixel ratio they were drawn for
};

}  // namespace spurwerk::gui
