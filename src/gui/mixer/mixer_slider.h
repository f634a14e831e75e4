#pragma once
// A track bar of the mixer: tick marks like the strips' sliders and the
// change mark, a selection over the whole track that QSlider does not have.
// Alt+click and a double click (knob or groove) and the context entry ask for the default.

#include <QSlider>

namespace spurwerk::gui {

class MixerSlider : public QSlider {
    Q_OBJECT
public:
    MixerSlider(Qt::Orientation orientation, QWidget* parent);

    void SetChangeMark(bool on);
    bool ChangeMark() const { return changeMark_; }

signals:
    void ResetRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool changeMark_ = false;
};

}  // namespace spurwerk::gui
