#include "mixer/form_ctrls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDrag>
#include <QFile>
#include <QDropEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>

#include "app/app_state.h"
#include "io/path_text.h"
#include "mixer/file_picker_panel.h"
#include "mixer/mixer_slider.h"
#include "mixer/status_shape.h"
#include "project/project_check.h"
#include "mixer/strip_layout.h"
#include "support/design_font.h"
#include "support/file_action_menu.h"
#include "support/guarded.h"
#include "support/instant_hints.h"
#include "support/multi_line_button.h"
#include "support/qt_text.h"
#include "support/widget_components.h"

namespace spurwerk::gui {

namespace {

constexpr int TopPanelHeight = 64;
constexpr int BottomPanelHeight = 17;
constexpr int ScrollMaximum = 100;
constexpr int DragDistance = 20;
const char* const ControlIndexProperty = "mixerControl";

QColor ToQColor(Colour c, const QColor& system) { return c.system ? system : QColor(c.r, c.g, c.b); }

MixerOptions OptionsOf(const AppState& state) {
    MixerOptions o;
    o.trackCount = state.mainOptions.ActMaxTrackIdx;
    o.devIsZoomR24 = state.mainOptions.DevIsZoomR24;
    o.reverseEqualizerToLMH = state.mainOptions.ReverseEqualizerToLMH;
    o.showListSize = state.mainOptions.ShowListSize;
    o.suggestionFile = state.files.assignsFile;
    o.wavHistoryFile = state.files.wavHistory;
    // One suggestion a line; a file that cannot be read keeps the built-in list.
    QFile file(Q(state.files.assignsFile));
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QByteArray& line : file.readAll().split('\n')) {
            QString text = QString::fromUtf8(line).trimmed();
            if (!text.isEmpty()) o.suggestions.push_back(S(text));
        }
    }
    return o;
}

void SetBackground(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    if (p.color(QPalette::Window) == colour && w->autoFillBackground()) return;
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::Button, colour);
    w->setPalette(p);
    w->setBackgroundRole(QPalette::Window);
    w->setAutoFillBackground(true);
}

void SetTextColour(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    if (p.color(QPalette::WindowText) == colour) return;
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::Text, colour);
    w->setPalette(p);
}

QFont FontFor(const FontLook& look, const QFont& parent) {
    QFont font = parent;
    if (!look.family.empty()) font.setFamily(Q(look.family));
    if (look.size > 0) font.setPointSize(look.size);
    font.setBold(look.bold);
    font.setUnderline(look.underline);
    return font;
}

QFrame* NewPanel(const char* name, QWidget* parent) {
    auto* panel = new QFrame(parent);
    if (name) panel->setObjectName(name);
    panel->setAutoFillBackground(true);
    return panel;
}

QLabel* NewLabel(const char* name, const char* caption, QWidget* parent, QRect geometry) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

// A panel with a caption: a label that takes part in language files as a panel.
QLabel* NewCaptionPanel(const char* name, const char* caption, QWidget* parent) {
    QLabel* panel = NewLabel(name, caption, parent, QRect());
    panel->setAlignment(Qt::AlignCenter);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAutoFillBackground(true);
    SetComponentKind(panel, ComponentKind::Panel);
    return panel;
}

MixerKey KeyOf(int key) {
    if (key == Qt::Key_F1) return MixerKey::F1;
    if (key == Qt::Key_L) return MixerKey::L;
    if (key == Qt::Key_S) return MixerKey::S;
    return MixerKey::Other;
}

}  // namespace

template <class Work>
void FormCtrls::Run(Work&& work) {
    Guarded(*dialogs_, std::forward<Work>(work));
}

FormCtrls::FormCtrls(AppState& state, QWidget* parent) : QWidget(parent, Qt::Window), dialogs_(&state.dialogs), state_(&state) {
    MixerOptions options = OptionsOf(state);
    Run([&] { model_ = std::make_unique<MixerViewModel>(state.doc, state.dialogs, options); });
    if (!model_) {
        // The R24 message is the only question the creation asks; without it the R16 set-up follows.
        options.devIsZoomR24 = false;
        model_ = std::make_unique<MixerViewModel>(state.doc, state.dialogs, options);
    }
    Build(options);
    state.FinishWindowCreation(this);
}

FormCtrls::FormCtrls(ZDTDocument& doc, Dialogs& dialogs, const MixerOptions& options, MixerActions* actions,
                     QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(&dialogs) {
    model_ = std::make_unique<MixerViewModel>(doc, dialogs, options, actions);
    Build(options);
}

FormCtrls::~FormCtrls() {
    if (model_) model_->SetObserver(nullptr);
}

void FormCtrls::SetActions(std::unique_ptr<MixerActions> actions) {
    ownedActions_ = std::move(actions);
    model_->SetActions(ownedActions_.get());
}

// --- building -------------------------------------------------------------------------

void FormCtrls::Build(const MixerOptions& options) {
    setObjectName("FormCtrls");
    setWindowTitle(QStringLiteral("Projekt - Einstellungen"));
    setFont(DesignFont());
    setAcceptDrops(true);
    startDrag = [](QWidget* source) {
        auto* drag = new QDrag(source);
        auto* mime = new QMimeData;
        mime->setData(DragMimeType(), source->objectName().toUtf8());
        drag->setMimeData(mime);
        drag->exec(Qt::CopyAction | Qt::MoveAction);
    };

    BuildTopPanel();
    panelClient_ = NewPanel("PanelClient", this);
    panelClient_->installEventFilter(this);
    panelCtrls_ = NewPanel("PanelCtrls", panelClient_);
    SetBackground(panelCtrls_, QColor(64, 64, 64));
    panelCtrlAll_ = NewPanel("PanelCtrlAll", panelClient_);
    panelCtrlAll_->resize(strip::Width, strip::Height);
    panelBottom_ = NewPanel("PanelBottom", this);
    panelBottom_->installEventFilter(this);
    scrollBar_ = new QScrollBar(Qt::Horizontal, panelBottom_);
    scrollBar_->setObjectName("SBPanelCtrls");
    scrollBar_->setRange(0, ScrollMaximum);
    scrollBar_->setPageStep(10);
    connect(scrollBar_, &QScrollBar::valueChanged, this, &FormCtrls::ScrollStrips);
    BuildStripPanels();
    CreateControlWidgets();
    for (StripWidgets& s : strips_) s.bandOrder->setText(Q(BandOrderCaption(options.reverseEqualizerToLMH)));
    picker_ = new FilePickerPanel(*model_, *dialogs_, panelCtrls_);
    BuildPopupMenu();

    // Everything the model built before the window existed is shown once.
    model_->SetObserver(this);
    const auto& controls = model_->Controls();
    for (const MixerControl& c : controls) Render(c, AspectAll);
    for (int k = 0; k <= model_->MaxStripIndex() && k < static_cast<int>(strips_.size()); ++k) RenderStrip(k);
    LayoutChanged(model_->TrackCount());
    InfoChanged();
    WavListChanged();

    for (auto [key, sequence] : {std::pair{MixerKey::F1, QKeySequence(Qt::Key_F1)},
                                 std::pair{MixerKey::L, QKeySequence(Qt::CTRL | Qt::Key_L)},
                                 std::pair{MixerKey::S, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}}) {
        auto* shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::WindowShortcut);
        MixerKey mixerKey = key;
        connect(shortcut, &QShortcut::activated, this, [this, mixerKey] { Run([&] { model_->KeyDown(mixerKey); }); });
    }
    for (auto [keys, undo] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Z), true},
                              std::pair{QKeySequence(Qt::CTRL | Qt::Key_Y), false},
                              std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), false}}) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        const char* entry = undo ? "PMUndo" : "PMRedo";
        connect(shortcut, &QShortcut::activated, this, [this, entry] { Run([&] { model_->PopupMenuClick(entry); }); });
    }
    resize(FittedClientWidth(model_->TrackCount()), TopPanelHeight + strip::Height + BottomPanelHeight);
    move(370, 0);
    building_ = false;
}

void FormCtrls::BuildTopPanel() {
    panelTop_ = NewPanel("PanelTop", this);
    panelTop_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    labelForEditProjName_ = NewLabel("LabelForEditProjName", "Projekt-Name:", panelTop_, QRect(6, 6, 70, 14));
    editProjName_ = new QLineEdit(panelTop_);
    editProjName_->setObjectName("EditProjName");
    editProjName_->setGeometry(78, 3, 76, 20);
    editProjName_->setMaxLength(8);
    labelForLoadedFile_ = NewLabel("LabelForLoadedZDTFile", "Geladene Datei:", panelTop_, QRect(164, 6, 80, 14));
    labelLoadedFile_ = NewLabel("LabelLoadedZDTFile", "", panelTop_, QRect(246, 6, 440, 14));
    SetTextColour(labelLoadedFile_, Qt::blue);
    labelModi_ = NewLabel("Label6", "Modi:", panelTop_, QRect(6, 26, 34, 14));
    labelLoadedFile2_ = NewLabel("LabelLoadedZDTFile2", "", panelTop_, QRect(42, 26, 644, 14));
    SetTextColour(labelLoadedFile2_, Qt::magenta);
    labelAudioFiles_ = NewLabel("LabelAudioFiles", "Im Unterverz. \"/AUDIO\":", panelTop_, QRect(6, 46, 124, 14));
    wavList_ = new QComboBox(panelTop_);
    wavList_->setObjectName("CBAudioFilesAss");
    wavList_->setGeometry(132, 42, 470, 20);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::Monospace);
    mono.setPointSize(8);
    wavList_->view()->setFont(mono);
    buttonSetTrackCount_ = new QPushButton(QStringLiteral("&Trackzahl ..."), panelTop_);
    buttonSetTrackCount_->setObjectName("ButtonSetTrackCount");
    buttonSetTrackCount_->setGeometry(608, 41, 78, 22);

    panelEfx_ = NewPanel("Panel2", panelTop_);
    panelEfx_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panelEfx_->installEventFilter(this);
    labelEfxInserts_ = NewLabel("LabelEFXInserts", "", panelEfx_, QRect(4, 2, 300, 13));
    labelEfxSendCho_ = NewLabel("LabelEFXSendCho", "", panelEfx_, QRect(4, 15, 300, 13));
    labelEfxSendRev_ = NewLabel("LabelEFXSendRev", "", panelEfx_, QRect(4, 28, 300, 13));
    buttonPopupMenu_ = new MultiLineButton(QStringLiteral("Projekt - Aktion ..."), panelTop_);
    buttonPopupMenu_->setObjectName("ButtonPopupMenu");
    panelMoreTracks_ = NewCaptionPanel("PanelAttentionMoreTracks", "Zeige alle Tracks!", panelTop_);
    SetBackground(panelMoreTracks_, Qt::red);
    SetTextColour(panelMoreTracks_, Qt::white);
    panelMoreTracks_->installEventFilter(this);
    panelMoreTracks_->hide();
    panelMaster_ = NewPanel("PanelMasterTrackFileAss", panelTop_);

    for (QWidget* w : std::initializer_list<QWidget*>{labelForEditProjName_, labelForLoadedFile_, labelLoadedFile_, labelModi_,
                                                      labelLoadedFile2_, labelEfxInserts_, labelEfxSendCho_,
                                                      labelEfxSendRev_, editProjName_, labelAudioFiles_})
        w->installEventFilter(this);
    wavList_->installEventFilter(this);

    connect(editProjName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        Run([&] { model_->SetText("EditProjName", S(text)); });
    });
    connect(wavList_, &QComboBox::activated, this, &FormCtrls::ShowWavListMenu);
    connect(buttonSetTrackCount_, &QPushButton::clicked, this, &FormCtrls::ButtonSetTrackCountClick);
    connect(buttonPopupMenu_, &QPushButton::clicked, this, &FormCtrls::ButtonPopupMenuClick);
}

void FormCtrls::BuildPopupMenu() {
    menu_ = new QMenu(this);
    menu_->setObjectName("PopupMenu1");
    for (const PopupEntry& entry : model_->PopupMenu()) {
        if (entry.IsSeparator()) {
            menu_->addSeparator();
            continue;
        }
        QAction* action = menu_->addAction(Q(entry.caption));
        action->setObjectName(Q(entry.name));
        std::string name = entry.name;
        connect(action, &QAction::triggered, this, [this, name] { Run([&] { model_->PopupMenuClick(name); }); });
    }
    // PopupMenu1Popup: captions and enabling as they stand when the menu opens.
    connect(menu_, &QMenu::aboutToShow, this, [this] {
        Run([&] {
            for (const PopupEntry& entry : model_->PopupMenu()) {
                if (entry.IsSeparator()) continue;
                if (auto* action = menu_->findChild<QAction*>(Q(entry.name))) {
                    // Only the quick-save captions name the file; the others keep their language's text.
                    if (entry.name == "PMQuickSaveZDTFile" || entry.name == "PMQuickSaveZDTFileAs" ||
                        entry.name == "PMUndo" || entry.name == "PMRedo")
                        action->setText(Q(entry.caption));
                    action->setEnabled(entry.enabled);
                }
            }
        });
    });
}

void FormCtrls::BuildStripPanels() {
    int count = model_->MaxStripIndex() + 1;
    // The strips exist up to the highest index the model built (24 with the R24 set-up).
    for (const MixerControl& c : model_->Controls()) count = std::max(count, c.strip + 1);
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
    const auto& controls = model_->Controls();
    widgets_.assign(controls.size(), nullptr);
    lookAllStrip_.assign(controls.size(), -1);
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
                Run([&] { model_->StatusMouseDown(name); });
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
                Run([&] { model_->SetText(name, S(text)); });
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
            connect(slider, &QSlider::valueChanged, this, [this, name, slider](int value) {
                if (rendering_) return;
                Run([&] { model_->SetPosition(name, value); });
                // The model may hold another value (Alt reset, clamping).
                const MixerControl& now = model_->Control(name);
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
                Run([&] { model_->ToggleCheckBox(name); });
                const MixerControl& now = model_->Control(name);
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

// --- rendering ------------------------------------------------------------------------

void FormCtrls::Render(const MixerControl& c, unsigned aspects) {
    const auto& controls = model_->Controls();
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
        signed char allStrip = model_->IsAllStrip(c) ? 1 : 0;
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
            // Caption-only boxes take the colour of their strip.
            Colour colour = c.kind == ControlKind::RowBox ? model_->Strip(c.strip).panelColour : c.colour;
            SetBackground(w, ToQColor(colour, Qt::gray));
            SetTextColour(w, ToQColor(c.fontColour, Qt::white));
        }
    }
    if (aspects & AspectChangeMark)
        if (auto* slider = qobject_cast<MixerSlider*>(w)) slider->SetChangeMark(c.changeMark);
    if (aspects & AspectHint) w->setToolTip(InstantHints::PlainHint(QLines(c.hint)));
    if (aspects & AspectEnabled) w->setEnabled(c.enabled);
    if ((aspects & AspectVisible) && !(aspects & AspectGeometry)) w->setVisible(c.visible);
    rendering_ = wasRendering;
}

void FormCtrls::RenderStrip(int k) {
    if (k < 0 || k >= static_cast<int>(strips_.size())) return;
    const StripState& state = model_->Strip(k);
    StripWidgets& s = strips_[static_cast<std::size_t>(k)];
    bool allStrip = k == model_->TrackCount();
    QWidget* parent = allStrip ? panelCtrlAll_ : panelCtrls_;
    if (s.panel->parentWidget() != parent) s.panel->setParent(parent);
    s.panel->move(allStrip ? 0 : state.left, 0);
    QColor colour = ToQColor(state.panelColour, Qt::black);
    for (QWidget* w : {static_cast<QWidget*>(s.panel), static_cast<QWidget*>(s.top), static_cast<QWidget*>(s.eq),
                       static_cast<QWidget*>(s.bottom), static_cast<QWidget*>(s.bandOrder)})
        SetBackground(w, colour);
    for (const char* prefix : {"CBPan_", "CBEQTitle_", "CBFader_", "CBEQHighHz_", "CBEQMidHz_", "CBEQLowHz_", "CBEQMidQual_"})
        Render(model_->At(k, prefix), AspectColour);
    s.bandOrder->adjustSize();
    s.panel->setEnabled(state.enabled);
    s.panel->setVisible(state.visible);
}

void FormCtrls::ControlChanged(const MixerControl& control, unsigned aspects) { Render(control, aspects); }

void FormCtrls::StripChanged(int stripIndex) { RenderStrip(stripIndex); }

void FormCtrls::LayoutChanged(int trackCount) {
    panelCtrls_->resize(StripsPanelWidth(trackCount), strip::Height);
    for (int k = 0; k < static_cast<int>(strips_.size()); ++k) RenderStrip(k);
    SetAllStripHints();
    if (picker_) picker_->Hide();
    if (!building_) resizeEvent(nullptr);
}

void FormCtrls::ShowHintNow(const MixerControl& control) {
    QWidget* w = Widget(control.name);
    if (!w || !w->isVisible()) return;
    InstantHints::ShowHint(w->mapToGlobal(QPoint(w->width(), 0)), QLines(control.hint), w);
}

void FormCtrls::WavListChanged() {
    QSignalBlocker block(wavList_);
    const WavList& list = model_->WavFiles();
    wavList_->clear();
    for (const std::string& line : list.lines) wavList_->addItem(Q(line));
    if (wavList_->count() == 0) wavList_->addItem(QString());
    wavList_->setCurrentIndex(0);
    std::string folder = model_->AudioFolder();
    if (!folder.empty()) labelAudioFiles_->setToolTip(Q(folder));
}

void FormCtrls::InfoChanged() {
    const ProjectInfoTexts& info = model_->InfoTexts();
    labelLoadedFile_->setText(Q(info.loadedFile));
    // A file that is no project says so instead of its modes.
    std::string warning = NotAProjectWarning(model_->Document().ZDTData());
    labelLoadedFile2_->setText(Q(warning.empty() ? info.infoLine : warning));
    SetTextColour(labelLoadedFile2_, warning.empty() ? Qt::magenta : Qt::red);
    QString fileHint = InstantHints::PlainHint(QLines(info.fileLabelHint));
    QString nameHint = InstantHints::PlainHint(QLines(info.nameLabelHint));
    labelLoadedFile_->setToolTip(fileHint);
    labelLoadedFile2_->setToolTip(fileHint);
    labelForEditProjName_->setToolTip(nameHint);
    labelForLoadedFile_->setToolTip(nameHint);
    const EffectLabels& efx = model_->Effects();
    QColor windowText = QApplication::palette().color(QPalette::WindowText);
    for (auto [label, text] : {std::pair{labelEfxInserts_, &efx.insert}, std::pair{labelEfxSendCho_, &efx.chorus},
                               std::pair{labelEfxSendRev_, &efx.reverb}}) {
        label->setText(Q(*text));
        SetTextColour(label, ToQColor(MixerViewModel::EffectLabelColour(*text), windowText));
    }
    if (infoChanged) infoChanged();
}

void FormCtrls::FitWindow(int clientWidth) { resize(clientWidth, height()); }

void FormCtrls::TrackCountChanged(int trackCount) {
    if (state_) state_->mainOptions.ActMaxTrackIdx = trackCount;
}

void FormCtrls::SetAllStripHints() {
    QString hint = InstantHints::PlainHint(QLines(model_->AllStripHint()));
    panelCtrlAll_->setToolTip(hint);
    int k = model_->TrackCount();
    if (k >= static_cast<int>(strips_.size())) return;
    for (int i = 0; i < static_cast<int>(strips_.size()); ++i) {
        const StripWidgets& s = strips_[static_cast<std::size_t>(i)];
        QString text = i == k ? hint : QString();
        for (QWidget* w : {static_cast<QWidget*>(s.panel), static_cast<QWidget*>(s.top), static_cast<QWidget*>(s.eq),
                           static_cast<QWidget*>(s.bottom), static_cast<QWidget*>(s.separator)})
            w->setToolTip(text);
    }
}

void FormCtrls::UpdateAllHints() {
    Run([&] { model_->UpdateAllHints(); });
    SetAllStripHints();
    picker_->UpdateHints();
}

// --- window ---------------------------------------------------------------------------

QWidget* FormCtrls::Widget(const std::string& name) const {
    const auto& controls = model_->Controls();
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (controls[i].name == name) return widgets_[i];
    return findChild<QWidget*>(Q(name));
}

QFrame* FormCtrls::StripPanel(int stripIndex) const { return strips_.at(static_cast<std::size_t>(stripIndex)).panel; }

QWidget* FormCtrls::MoreTracksPanel() const { return panelMoreTracks_; }

void FormCtrls::resizeEvent(QResizeEvent* event) {
    if (event) QWidget::resizeEvent(event);
    int w = width();
    panelTop_->setGeometry(0, 0, w, TopPanelHeight);
    panelClient_->setGeometry(0, TopPanelHeight, w, strip::Height);
    panelBottom_->setGeometry(0, TopPanelHeight + strip::Height, w, BottomPanelHeight);
    panelCtrlAll_->move(w - strip::Width, 0);
    panelCtrlAll_->raise();
    scrollBar_->setGeometry(0, 0, std::max(0, w - strip::Width), BottomPanelHeight);
    buttonPopupMenu_->setGeometry(w - strip::Width - 2, 2, strip::Width, 38);
    panelMaster_->setGeometry(w - strip::Width, 42, strip::Width, 20);
    panelMoreTracks_->setGeometry(w - strip::Width - 130, 42, 124, 20);
    panelEfx_->setGeometry(692, 2, std::max(0, w - strip::Width - 4 - 692), 42);
    // A resize starts the strips from the left again.
    {
        QSignalBlocker block(scrollBar_);
        scrollBar_->setValue(0);
    }
    ScrollStrips(0);
    UpdateMoreTracksPanel();
}

void FormCtrls::UpdateMoreTracksPanel() {
    int visible = panelClient_->width() - panelCtrlAll_->width();
    panelMoreTracks_->setVisible(NeedsMoreTracksHint(visible, model_->TrackCount()));
}

void FormCtrls::ScrollStrips(int position) {
    int visible = panelClient_->width() - panelCtrlAll_->width();
    int left = ScrolledStripsLeft(visible, model_->TrackCount(), position, scrollBar_->maximum());
    // Strips that fit need no scrolling.
    panelCtrls_->move(std::min(0, left), 0);
}

void FormCtrls::PanelAttentionMoreTracksClick() {
    resize(FittedClientWidth(model_->TrackCount()), height());
}

void FormCtrls::ButtonSetTrackCountClick() {
    Run([&] { model_->SetTrackCountClick(); });
}

void FormCtrls::ButtonPopupMenuClick() {
    menu_->popup(buttonPopupMenu_->mapToGlobal(QPoint(0, buttonPopupMenu_->height())));
}

void FormCtrls::ShowAndFill() {
    show();
    raise();
    Run([&] { model_->ReadAllControls(); });
}

void FormCtrls::HideFileListPanel() {
    if (picker_) picker_->Hide();
}

void FormCtrls::OpenPicker(const std::string& fieldName) { picker_->Open(fieldName); }

void FormCtrls::ShowWavListMenu(int index) {
    if (index <= 0) return;
    std::string line = S(wavList_->itemText(index));
    std::string file = line.substr(0, line.find('['));
    while (!file.empty() && file.back() == ' ') file.pop_back();
    while (!file.empty() && file.front() == ' ') file.erase(0, 1);
    std::string path = PathText(PathFromText(model_->AudioFolder()) / PathFromText(file));
    ShowShellContextMenu(this, path, wavList_->mapToGlobal(QPoint(0, wavList_->height())));
    QSignalBlocker block(wavList_);
    wavList_->setCurrentIndex(0);
}

void FormCtrls::closeEvent(QCloseEvent* event) {
    HideFileListPanel();
    event->accept();
    // Closing the mixer ends the program through the main window.
    if (state_)
        QTimer::singleShot(0, this, [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("FormMain") && w->isVisible()) w->close();
        });
}

void FormCtrls::keyPressEvent(QKeyEvent* event) {
    bool consumed = false;
    Run([&] { consumed = model_->KeyDown(KeyOf(event->key())); });
    if (consumed) event->accept();
    else QWidget::keyPressEvent(event);
}

void FormCtrls::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void FormCtrls::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) files << QDir::toNativeSeparators(url.toLocalFile());
    event->acceptProposedAction();
    if (filesDropped && !files.isEmpty())
        QTimer::singleShot(0, this, [this, files] { filesDropped(files); });
}

// --- drag and drop --------------------------------------------------------------------

QString FormCtrls::DragMimeType() { return QStringLiteral("application/x-spurwerk-mixer-control"); }

bool FormCtrls::DragOver(QWidget* source, QWidget* target) {
    if (!source || !target) return false;
    bool accepted = false;
    Run([&] { accepted = model_->AcceptsDrop(S(source->objectName()), S(target->objectName())); });
    return accepted;
}

void FormCtrls::DragDrop(QWidget* source, QWidget* target) {
    if (!DragOver(source, target)) return;
    Run([&] { model_->Drop(S(source->objectName()), S(target->objectName())); });
}

bool FormCtrls::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    QVariant index = watched->property(ControlIndexProperty);
    bool control = index.isValid();
    std::string name = S(watched->objectName());
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (control && mouse->button() == Qt::LeftButton && mouse->modifiers() == Qt::NoModifier) {
                pressed_ = w;
                pressedAt_ = mouse->globalPosition().toPoint();
            }
            if (mouse->button() == Qt::RightButton &&
                (qobject_cast<QLabel*>(w) && !control && w != labelAudioFiles_)) {
                menu_->popup(mouse->globalPosition().toPoint());
                return true;
            }
            if (watched == panelClient_ || watched == panelBottom_) Run([&] { model_->PanelClick(); });
            if (watched == panelMoreTracks_ || watched == panelEfx_) PanelAttentionMoreTracksClick();
            break;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (pressed_ == w && (mouse->buttons() & Qt::LeftButton) &&
                (mouse->globalPosition().toPoint() - pressedAt_).manhattanLength() >= DragDistance) {
                pressed_ = nullptr;
                if (startDrag) startDrag(w);
                return true;
            }
            break;
        }
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            bool click = mouse->button() == Qt::LeftButton && w && w->rect().contains(mouse->position().toPoint());
            pressed_ = nullptr;
            if (!click) break;
            if (control && qobject_cast<QLabel*>(w)) Run([&] { model_->TrackLabelClick(name); });
            if (w == labelForEditProjName_ || w == labelForLoadedFile_ || w == labelLoadedFile_ || w == labelModi_ ||
                w == labelLoadedFile2_ || w == editProjName_)
                Run([&] { model_->LoadedFileLabelClick(); });
            if (w == labelAudioFiles_) {
                Run([&] { model_->BuildWavList(); });
                wavList_->showPopup();
            }
            break;
        }
        case QEvent::MouseButtonDblClick: {
            if (w == labelForEditProjName_ || w == labelForLoadedFile_ || w == labelLoadedFile_ || w == labelModi_ ||
                w == labelLoadedFile2_ || w == editProjName_)
                Run([&] { model_->LoadedFileLabelDoubleClick(); });
            if (control && qobject_cast<QLineEdit*>(w) && w != editProjName_) {
                OpenPicker(name);
                return true;
            }
            break;
        }
        case QEvent::FocusIn: {
            if ((control && qobject_cast<QLineEdit*>(w) && w != editProjName_) || watched == wavList_) {
                Run([&] { model_->BuildWavList(); });
                if (watched == wavList_ && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
                    QTimer::singleShot(0, wavList_, [this] { wavList_->showPopup(); });
            }
            break;
        }
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            auto* source = qobject_cast<QWidget*>(drag->source());
            if (control && drag->mimeData()->hasFormat(DragMimeType()) && DragOver(source, w)) {
                drag->acceptProposedAction();
            } else {
                drag->ignore();
            }
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            QPointer<QWidget> source = qobject_cast<QWidget*>(drop->source());
            QPointer<QWidget> target = w;
            if (!control || !drop->mimeData()->hasFormat(DragMimeType())) return true;
            drop->acceptProposedAction();
            // The question of a track drop is asked after the drag has ended.
            QTimer::singleShot(0, this, [this, source, target] {
                if (source && target) DragDrop(source, target);
            });
            return true;
        }
        default: break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace spurwerk::gui
