// The strips of the mixer window: their panels, one widget per control of
// the view-model, and how a control's state is painted onto its widget.

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include "mixer/form_ctrls.h"
#include "mixer/mixer_slider.h"
#include "mixer/mixer_widgets.h"
#include "mixer/status_shape.h"
#include "mixer/strip_layout.h"
#include "support/instant_hints.h"
#include "support/qt_dialogs.h"
#include "support/qt_text.h"

namespace spurwerk::gui {

void FormCtrls::BuildStripPanels() {
    int count = model_->Controls().MaxStripIndex() + 1;
    // The strips exist up to the highest index the model built (24 with the R24 set-up).
    for (const MixerControl& c : model_->Controls().All()) count = std::max(count, c.strip + 1);
    strips_.resize(static_cast<std::size_t>(count));
    for (StripWidgets& s : strips_) {
        s.panel = NewPanel(nullptr, panelCtrls_);
        s.panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        s.panel->setLineWidth(1);
        s.panel->resize(strip::Width, strip::Height);
        int inner = strip::Width - 2;
        s.top = NewPanel(nullptr, s.panel);
        s.top->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        s.top->setGeometry(1, 1, inner, strip::TopPanelHeight);
        s.eq = NewPanel(nullptr, s.panel);
        s.eq->setGeometry(1, 1 + strip::TopPanelHeight, inner, strip::EqPanelHeight);
        s.separator = NewPanel(nullptr, s.panel);
        s.separator->setGeometry(1, 1 + strip::TopPanelHeight + strip::EqPanelHeight, inner, strip::SeparatorHeight);
        SetBackground(s.separator, Qt::white);
        s.bottom = NewPanel(nullptr, s.panel);
        s.bottom->setGeometry(1, 1 + strip::TopPanelHeight + strip::EqPanelHeight + strip::SeparatorHeight, inner,
                              strip::BottomPanelHeight);
        s.bandOrder = new QLabel(s.eq);
        QFont bold = s.bandOrder->font();
        bold.setBold(true);
        s.bandOrder->setFont(bold);
        SetTextColour(s.bandOrder, Qt::white);
        s.bandOrder->move(9, strip::BandOrderLabelTop);
        s.bandOrder->setAlignment(Qt::AlignCenter);
    }
}

void FormCtrls::CreateControlWidgets() {
    const auto& controls = model_->Controls().All();
    widgets_.assign(controls.size(), nullptr);
    lookAllStrip_.assign(controls.size(), -1);
    hints_.assign(controls.size(), {});
    for (std::size_t i = 0; i < controls.size(); ++i) {
        QWidget* w = CreateControlWidget(controls[i]);
        w->setProperty(ControlIndexProperty, static_cast<int>(i));
        widgets_[i] = w;
    }
}

QWidget* FormCtrls::CreateControlWidget(const MixerControl& c) {
    if (c.isProjectName) {
        editProjName_->setAcceptDrops(true);
        return editProjName_;
    }
    std::string name = c.name;
    QWidget* parent = ParentFor(c);
    QWidget* w = nullptr;
    switch (c.kind) {
        case ControlKind::TrackLabel: {
            auto* label = new QLabel(parent);
            label->setAlignment(Qt::AlignCenter);
            label->setAcceptDrops(true);
            label->installEventFilter(this);
            w = label;
            break;
        }
        case ControlKind::StatusShape: {
            auto* shape = new StatusShape(parent);
            connect(shape, &StatusShape::Pressed, this, [this, name] {
                Run([&] { model_->Tracks().StatusMouseDown(name, EventKeys()); });
            });
            w = shape;
            break;
        }
        case ControlKind::FileField: {
            auto* edit = new QLineEdit(parent);
            edit->setMaxLength(12);
            edit->setFrame(true);
            edit->setTextMargins(0, 0, 0, 0);
            edit->setAcceptDrops(true);
            edit->installEventFilter(this);
            connect(edit, &QLineEdit::textEdited, this, [this, name](const QString& text) {
                Run([&] { model_->Controls().SetText(name, S(text)); });
            });
            w = edit;
            break;
        }
        case ControlKind::GainSlider:
        case ControlKind::Slider: {
            bool vertical = c.kind == ControlKind::GainSlider;
            auto* slider = new MixerSlider(vertical ? Qt::Vertical : Qt::Horizontal, parent);
            slider->setRange(c.minimum, c.maximum);
            slider->setSingleStep(1);
            slider->setPageStep(2);
            if (vertical) {
                // The lowest position (the highest gain) at the top.
                slider->setInvertedAppearance(true);
                slider->setInvertedControls(true);
                slider->setTickPosition(QSlider::TicksBothSides);
                slider->setTickInterval(1);
            } else {
                slider->setTickPosition(QSlider::TicksAbove);
                slider->setTickInterval(10);
            }
            // Double click and context entry reset like Alt+click, also where the desktop takes Alt.
            connect(slider, &MixerSlider::ResetRequested, this, [this, name, slider] {
                Run([&] { model_->Controls().ResetToDefault(name, EventKeys()); });
                // A reset is a step of its own, not part of a drag before or after it.
                model_->Document().SealStep();
                const MixerControl& now = model_->Controls().Control(name);
                if (slider->value() != now.value) Render(now, AspectValue);
            });
            connect(slider, &QSlider::valueChanged, this, [this, name, slider](int value) {
                if (rendering_) return;
                Run([&] { model_->Controls().SetPosition(name, value, EventKeys()); });
                // The model may hold another value (Alt reset, clamping).
                const MixerControl& now = model_->Controls().Control(name);
                if (slider->value() != now.value) Render(now, AspectValue);
            });
            // A drag is one undo step, the next one another.
            connect(slider, &QSlider::sliderReleased, this, [this] { model_->Document().SealStep(); });
            w = slider;
            break;
        }
        default: {
            auto* box = new QCheckBox(parent);
            connect(box, &QCheckBox::clicked, this, [this, name, box] {
                if (rendering_) return;
                Run([&] { model_->Controls().Toggle(name, EventKeys()); });
                const MixerControl& now = model_->Controls().Control(name);
                if (box->isChecked() != now.Checked()) Render(now, AspectValue);
            });
            w = box;
            break;
        }
    }
    w->setObjectName(Q(name));
    return w;
}

QWidget* FormCtrls::ParentFor(const MixerControl& c) const {
    const StripWidgets& s = strips_.at(static_cast<std::size_t>(c.strip));
    switch (c.geometry.parent) {
        case ControlParent::TopSubPanel: return s.top;
        case ControlParent::EqSubPanel: return s.eq;
        case ControlParent::BottomSubPanel: return s.bottom;
        case ControlParent::StripsPanel: return panelCtrls_;
        case ControlParent::AllStripPanel: return panelCtrlAll_;
        case ControlParent::MasterFilePanel: return panelMaster_;
        case ControlParent::TopPanel: return panelTop_;
    }
    return s.top;
}

void FormCtrls::Render(const MixerControl& c, unsigned aspects) {
    const auto& controls = model_->Controls().All();
    std::size_t index = static_cast<std::size_t>(&c - controls.data());
    if (index >= widgets_.size() || !widgets_[index]) return;
    QWidget* w = widgets_[index];
    bool wasRendering = rendering_;
    rendering_ = true;
    QSignalBlocker block(w);
    QColor systemBase = QApplication::palette().color(QPalette::Base);

    if ((aspects & AspectGeometry) && !c.isProjectName) {
        QWidget* parent = ParentFor(c);
        bool moved = w->parentWidget() != parent;
        if (moved) w->setParent(parent);
        w->setGeometry(c.geometry.left, c.geometry.top, c.geometry.width, c.geometry.height);
        // Fonts and stacking change only when a strip becomes or stops being the all-strip.
        signed char allStrip = model_->Controls().IsAllStrip(c) ? 1 : 0;
        if (moved || lookAllStrip_[index] != allStrip) {
            lookAllStrip_[index] = allStrip;
            ElementLook look = StripElementLook(*c.element, c.strip, allStrip, model_->Options().reverseEqualizerToLMH);
            QFont font = FontFor(look.font, parent->font());
            if (w->font() != font) w->setFont(font);
            if (auto* box = qobject_cast<QCheckBox*>(w))
                box->setLayoutDirection(look.captionLeft ? Qt::RightToLeft : Qt::LeftToRight);
            if (c.IsSlider()) w->lower();
            if (c.kind == ControlKind::StereoBox) w->raise();
        }
        if (w->isVisibleTo(parent) != c.visible) w->setVisible(c.visible);
    }
    if (aspects & AspectCaption) {
        if (auto* label = qobject_cast<QLabel*>(w)) label->setText(Q(c.caption));
        if (auto* box = qobject_cast<QCheckBox*>(w)) box->setText(Q(c.caption));
    }
    if (aspects & AspectValue) {
        if (auto* slider = qobject_cast<QSlider*>(w)) {
            if (slider->value() != c.value) slider->setValue(c.value);
        } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
            box->setChecked(c.Checked());
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            if (edit->text() != Q(c.text)) edit->setText(Q(c.text));
        }
    }
    if (aspects & (AspectColour | AspectValue)) {
        if (auto* shape = qobject_cast<StatusShape*>(w)) {
            shape->SetFill(ToQColor(c.colour, Qt::gray));
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            if (!c.isProjectName) {
                QColor base = ToQColor(c.colour, systemBase);
                QPalette p = edit->palette();
                if (p.color(QPalette::Active, QPalette::Base) != base || p.color(QPalette::Disabled, QPalette::Base) != base) {
                    p.setColor(QPalette::All, QPalette::Base, base);
                    p.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
                    edit->setPalette(p);
                }
            }
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            SetBackground(label, ToQColor(c.colour, Qt::blue));
            SetTextColour(label, ToQColor(c.fontColour, Qt::white));
        } else if (qobject_cast<QCheckBox*>(w)) {
            SetBackground(w, ToQColor(c.colour, Qt::gray));
            SetTextColour(w, ToQColor(c.fontColour, Qt::white));
        }
    }
    if (aspects & AspectChangeMark)
        if (auto* slider = qobject_cast<MixerSlider*>(w)) slider->SetChangeMark(c.changeMark);
    if (aspects & AspectHint) {
        // A relayout renders every hint again; most are what the widget shows.
        RenderedHint& shown = hints_[index];
        if (shown.source != c.hint || w->toolTip() != shown.text) {
            shown.source = c.hint;
            shown.text = InstantHints::PlainHint(QLines(c.hint));
            w->setToolTip(shown.text);
        }
    }
    if (aspects & AspectEnabled) w->setEnabled(c.enabled);
    if ((aspects & AspectVisible) && !(aspects & AspectGeometry)) w->setVisible(c.visible);
    rendering_ = wasRendering;
}

void FormCtrls::RenderStrip(int k) {
    if (k < 0 || k >= static_cast<int>(strips_.size())) return;
    const StripState& state = model_->Controls().Strip(k);
    StripWidgets& s = strips_[static_cast<std::size_t>(k)];
    bool allStrip = k == model_->Controls().TrackCount();
    QWidget* parent = allStrip ? panelCtrlAll_ : panelCtrls_;
    if (s.panel->parentWidget() != parent) s.panel->setParent(parent);
    s.panel->move(allStrip ? 0 : state.left, 0);
    QColor colour = ToQColor(state.panelColour, Qt::black);
    for (QWidget* w : {static_cast<QWidget*>(s.panel), static_cast<QWidget*>(s.top), static_cast<QWidget*>(s.eq),
                       static_cast<QWidget*>(s.bottom), static_cast<QWidget*>(s.bandOrder)})
        SetBackground(w, colour);
    s.bandOrder->adjustSize();
    s.panel->setEnabled(state.enabled);
    s.panel->setVisible(state.visible);
}

void FormCtrls::ControlChanged(const MixerControl& control, unsigned aspects) {
    if (changesDepth_ == 0) {
        Render(control, aspects);
        return;
    }
    const auto index = static_cast<std::size_t>(&control - model_->Controls().All().data());
    if (index < pendingAspects_.size()) pendingAspects_[index] |= aspects;
}

void FormCtrls::StripChanged(int stripIndex) {
    if (changesDepth_ == 0) {
        RenderStrip(stripIndex);
        return;
    }
    if (stripIndex >= 0 && stripIndex < static_cast<int>(pendingStrips_.size()))
        pendingStrips_[static_cast<std::size_t>(stripIndex)] = true;
}

void FormCtrls::ChangesBegin() {
    if (changesDepth_++ > 0) return;
    pendingAspects_.assign(widgets_.size(), 0);
    pendingStrips_.assign(strips_.size(), false);
    pendingLayout_ = false;
}

void FormCtrls::ChangesEnd() {
    if (changesDepth_ == 0 || --changesDepth_ > 0) return;
    // Each control once, with every aspect that changed on the way.
    const auto& controls = model_->Controls().All();
    for (std::size_t i = 0; i < pendingAspects_.size() && i < controls.size(); ++i)
        if (pendingAspects_[i]) Render(controls[i], pendingAspects_[i]);
    if (pendingLayout_) {
        LayoutChanged(model_->Controls().TrackCount());
    } else {
        for (std::size_t k = 0; k < pendingStrips_.size(); ++k)
            if (pendingStrips_[k]) RenderStrip(static_cast<int>(k));
    }
}

void FormCtrls::ShowHintNow(const MixerControl& control) {
    QWidget* w = Widget(control.name);
    if (!w || !w->isVisible()) return;
    InstantHints::ShowHint(w->mapToGlobal(QPoint(w->width(), 0)), QLines(control.hint), w);
}

void FormCtrls::SetAllStripHints() {
    QString hint = InstantHints::PlainHint(QLines(AllStripHint()));
    panelCtrlAll_->setToolTip(hint);
    int k = model_->Controls().TrackCount();
    if (k >= static_cast<int>(strips_.size())) return;
    for (int i = 0; i < static_cast<int>(strips_.size()); ++i) {
        const StripWidgets& s = strips_[static_cast<std::size_t>(i)];
        QString text = i == k ? hint : QString();
        for (QWidget* w : {static_cast<QWidget*>(s.panel), static_cast<QWidget*>(s.top), static_cast<QWidget*>(s.eq),
                           static_cast<QWidget*>(s.bottom), static_cast<QWidget*>(s.separator)})
            w->setToolTip(text);
    }
}

}  // namespace spurwerk::gui
