#pragma once
// A track bar of the mixer: tick marks like the strips' sliders and the
// change mark, a selection over the whole track that QSlider does not have.

#include <QSlider>

namespace spurwerk::gui {

class MixerSlider : public QSlider {
    Q_OBJECT
public:
    MixerSlider(Qt::Orientation orientation, QWidget* parent);

    void SetChangeMark(bool on);
    bool ChangeMark() const { return changeMark_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool changeMark_ = false;
};

}  // namespace spurwerk::gui
