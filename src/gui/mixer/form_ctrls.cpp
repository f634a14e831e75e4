#include "mixer/form_ctrls.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDrag>
#include <QFrame>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "app/app_state.h"
#include "mixer/file_picker_panel.h"
#include "mixer/mixer_widgets.h"
#include "mixer/strip_layout.h"
#include "settings/assign_suggestions.h"
#include "settings/ui_texts.h"
#include "support/design_font.h"
#include "support/qt_dialogs.h"
#include "support/qt_text.h"

namespace spurwerk::gui {

namespace {

constexpr int TopPanelHeight = 64;
constexpr int BottomPanelHeight = 17;
constexpr int CanvasHeight = TopPanelHeight + strip::Height + BottomPanelHeight;
// The all-strip, one strip and the red hint panel stay reachable.
constexpr int MinimumCanvasWidth = 3 * strip::Width;
constexpr int ScrollMaximum = 100;

MixerOptions OptionsOf(const AppState& state) {
    MixerOptions o;
    o.trackCount = state.mainOptions.ActMaxTrackIdx;
    o.devIsZoomR24 = state.mainOptions.DevIsZoomR24;
    o.reverseEqualizerToLMH = state.mainOptions.ReverseEqualizerToLMH;
    o.showListSize = state.mainOptions.ShowListSize;
    o.suggestionFile = state.files.assignsFile;
    o.wavHistoryFile = state.files.wavHistory;
    o.suggestions = LoadAssignSuggestions(state.files.assignsFile);
    return o;
}

}  // namespace

FormCtrls::FormCtrls(AppState& state, QWidget* parent) : QWidget(parent, Qt::Window), dialogs_(&state.dialogs), state_(&state) {
    MixerOptions options = OptionsOf(state);
    Run([&] { model_ = std::make_unique<MixerViewModel>(state.session, state.dialogs, options); });
    if (!model_) {
        // The R24 message is the only question the creation asks; without it the R16 set-up follows.
        options.devIsZoomR24 = false;
        model_ = std::make_unique<MixerViewModel>(state.session, state.dialogs, options);
    }
    SetUpWindow();
    // The widgets are built before a developer export of every window's texts,
    // otherwise on first use.
    if (state.DoSaveAllGUIs) Build(options);
    state.FinishWindowCreation(this);
}

FormCtrls::FormCtrls(ProjectSession& session, Dialogs& dialogs, const MixerOptions& options, MixerActions* actions,
                     QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(&dialogs) {
    model_ = std::make_unique<MixerViewModel>(session, dialogs, options, actions);
    // Without a main window the mixer itself is filled by a load.
    session.SetHost(model_.get());
    SetUpWindow();
    Build(options);
}

void FormCtrls::SetUpWindow() {
    setObjectName("FormCtrls");
    setWindowTitle(QModifiableTitle(UiTxt(UiText::TitleMixer)));
    setFont(DesignFont());
    setAcceptDrops(true);
    ResizeWithin(FittedClientWidth(model_->Controls().TrackCount()), CanvasHeight);
    move(370, 0);
}

void FormCtrls::EnsureBuilt() {
    if (!IsBuilt()) {
        Build(model_->Options());
        if (isVisible()) LayOut();
        if (built) built();
    }
    if (showWhenBuilt_) {
        showWhenBuilt_ = false;
        show();
        raise();
    }
}

FormCtrls::~FormCtrls() {
    if (model_) model_->SetObserver(nullptr);
}

void FormCtrls::SetActions(std::unique_ptr<MixerActions> actions) {
    ownedActions_ = std::move(actions);
    model_->SetActions(ownedActions_.get());
}

void FormCtrls::Build(const MixerOptions& options) {
    startDrag = [](QWidget* source) {
        auto* drag = new QDrag(source);
        auto* mime = new QMimeData;
        mime->setData(DragMimeType(), source->objectName().toUtf8());
        drag->setMimeData(mime);
        drag->exec(Qt::CopyAction | Qt::MoveAction);
    };

    // The content keeps its pixel layout; a screen smaller than the window scrolls it.
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setObjectName("ScrollBoxCtrls");
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setWidgetResizable(true);
    canvas_ = new QWidget;
    canvas_->setObjectName("PanelCanvas");
    canvas_->setMinimumSize(MinimumCanvasWidth, CanvasHeight);
    canvas_->setMaximumHeight(CanvasHeight);
    canvas_->installEventFilter(this);
    scrollArea_->setWidget(canvas_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollArea_);
    BuildTopPanel();
    panelClient_ = NewPanel("PanelClient", canvas_);
    panelClient_->installEventFilter(this);
    panelCtrls_ = NewPanel("PanelCtrls", panelClient_);
    SetBackground(panelCtrls_, QColor(64, 64, 64));
    panelCtrlAll_ = NewPanel("PanelCtrlAll", panelClient_);
    panelCtrlAll_->resize(strip::Width, strip::Height);
    // Clicks on a strip (track labels, empty areas) change nothing: they must
    // not reach the client panel, whose click marks the document changed.
    panelCtrls_->setAttribute(Qt::WA_NoMousePropagation);
    panelCtrlAll_->setAttribute(Qt::WA_NoMousePropagation);
    panelBottom_ = NewPanel("PanelBottom", canvas_);
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
    const auto& controls = model_->Controls().All();
    for (const MixerControl& c : controls) Render(c, AspectAll);
    for (int k = 0; k <= model_->Controls().MaxStripIndex() && k < static_cast<int>(strips_.size()); ++k) RenderStrip(k);
    LayoutChanged(model_->Controls().TrackCount());
    InfoChanged();
    WavListChanged();

    // A shortcut fires for its own modifiers: they are the keys of the command,
    // whatever the keyboard holds by the time the slot runs.
    for (auto [key, keys] : {std::pair{MixerKey::F1, QKeyCombination(Qt::Key_F1)},
                             std::pair{MixerKey::L, QKeyCombination(Qt::ControlModifier, Qt::Key_L)},
                             std::pair{MixerKey::S, QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_S)}}) {
        auto* shortcut = new QShortcut(QKeySequence(keys), this);
        shortcut->setContext(Qt::WindowShortcut);
        MixerKey mixerKey = key;
        KeyState held = KeysOf(keys.keyboardModifiers());
        connect(shortcut, &QShortcut::activated, this,
                [this, mixerKey, held] { Run([&] { model_->Menu().KeyDown(mixerKey, held); }); });
    }
    for (auto [keys, undo] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Z), true},
                              std::pair{QKeySequence(Qt::CTRL | Qt::Key_Y), false},
                              std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), false}}) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        const char* entry = undo ? "PMUndo" : "PMRedo";
        connect(shortcut, &QShortcut::activated, this, [this, entry] { Run([&] { model_->Menu().Click(entry); }); });
    }
    building_ = false;
}

void FormCtrls::LayoutChanged(int trackCount) {
    if (changesDepth_ > 0) {
        pendingLayout_ = true;
        return;
    }
    panelCtrls_->resize(StripsPanelWidth(trackCount), strip::Height);
    for (int k = 0; k < static_cast<int>(strips_.size()); ++k) RenderStrip(k);
    // A strip panel moved to another parent lies on top; the stereo boxes
    // reach across strip borders and belong in front.
    for (int k = 0; k < static_cast<int>(strips_.size()); ++k)
        if (QWidget* stereo = Widget(model_->Controls().Control(k, Element::Stereo).name)) stereo->raise();
    SetAllStripHints();
    if (picker_) picker_->Hide();
    if (!building_) LayOut();
}

void FormCtrls::FitWindow(int clientWidth) { ResizeWithin(clientWidth, CanvasHeight); }

void FormCtrls::ResizeWithin(int canvasWidth, int canvasHeight) {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    QSize frame = isVisible() ? frameGeometry().size() - size() : QSize();
    ResizeWithin(canvasWidth, canvasHeight, screen ? screen->availableGeometry().size() - frame : QSize(canvasWidth, canvasHeight));
}

void FormCtrls::FitInto(QSize available) {
    ResizeWithin(FittedClientWidth(model_->Controls().TrackCount()), CanvasHeight, available);
}

void FormCtrls::ResizeWithin(int canvasWidth, int canvasHeight, QSize available) {
    int height = std::min(canvasHeight, available.height());
    // A vertical scroll bar takes its width from the strips.
    int bar = height < canvasHeight ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    resize(std::min(canvasWidth + bar, available.width()), height);
}

void FormCtrls::TrackCountChanged(int trackCount) {
    if (state_) state_->mainOptions.ActMaxTrackIdx = trackCount;
}

QWidget* FormCtrls::Widget(const std::string& name) const {
    const auto& controls = model_->Controls().All();
    for (std::size_t i = 0; i < controls.size() && i < widgets_.size(); ++i)
        if (controls[i].name == name) return widgets_[i];
    return findChild<QWidget*>(Q(name));
}

QFrame* FormCtrls::StripPanel(int stripIndex) const { return strips_.at(static_cast<std::size_t>(stripIndex)).panel; }

QWidget* FormCtrls::MoreTracksPanel() const { return panelMoreTracks_; }

void FormCtrls::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void FormCtrls::LayOut() {
    if (!IsBuilt()) return;
    int w = canvas_->width();
    panelTop_->setGeometry(0, 0, w, TopPanelHeight);
    panelClient_->setGeometry(0, TopPanelHeight, w, strip::Height);
    panelBottom_->setGeometry(0, TopPanelHeight + strip::Height, w, BottomPanelHeight);
    panelCtrlAll_->move(w - strip::Width, 0);
    panelCtrlAll_->raise();
    scrollBar_->setGeometry(0, 0, std::max(0, w - strip::Width), BottomPanelHeight);
    buttonPopupMenu_->setGeometry(w - strip::Width - 2, 2, strip::Width, 38);
    panelMaster_->setGeometry(w - strip::Width, 42, strip::Width, 20);
    panelEfx_->setGeometry(692, 2, std::max(0, w - strip::Width - 4 - 692), 42);
    UpdateMoreTracksPanel();
    // A narrow window moves the track count button left of the red panel and
    // the master field and shortens the rows, so that nothing lies on another.
    const int right = w - strip::Width;
    // Below the effect labels, which reach down to y = 43.
    panelMoreTracks_->setGeometry(right - 130, 44, 124, 18);
    const int rowEnd = (panelMoreTracks_->isVisibleTo(this) ? panelMoreTracks_->x() : right) - 6;
    buttonSetTrackCount_->move(std::min(608, std::max(132, rowEnd - buttonSetTrackCount_->width())), 41);
    wavList_->resize(std::clamp(buttonSetTrackCount_->x() - 6 - wavList_->x(), 0, 470), wavList_->height());
    for (QLabel* label : {labelLoadedFile_, labelLoadedFile2_})
        label->resize(std::clamp(right - 8 - label->x(), 0, 686 - label->x()), label->height());
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
    panelMoreTracks_->setVisible(NeedsMoreTracksHint(visible, model_->Controls().TrackCount()));
}

void FormCtrls::ScrollStrips(int position) {
    int visible = panelClient_->width() - panelCtrlAll_->width();
    int left = ScrolledStripsLeft(visible, model_->Controls().TrackCount(), position, scrollBar_->maximum());
    // Strips that fit need no scrolling.
    panelCtrls_->move(std::min(0, left), 0);
}

void FormCtrls::PanelAttentionMoreTracksClick() {
    ResizeWithin(FittedClientWidth(model_->Controls().TrackCount()), CanvasHeight);
}

void FormCtrls::ShowWindow() {
    if (!IsBuilt()) {
        if (!showWhenBuilt_) QTimer::singleShot(0, this, &FormCtrls::EnsureBuilt);
        showWhenBuilt_ = true;
        return;
    }
    show();
    raise();
}

void FormCtrls::ShowAndFill() {
    ShowWindow();
    Run([&] { model_->Controls().ReadAll(); });
}

void FormCtrls::HideFileListPanel() {
    if (picker_) picker_->Hide();
}

void FormCtrls::OpenPicker(const std::string& fieldName) { picker_->Open(fieldName); }

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

}  // namespace spurwerk::gui
