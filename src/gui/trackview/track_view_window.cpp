#include "trackview/track_view_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>

#include "audio/peak_cache.h"
#include "audio/preview_mixer.h"
#include "io/name_lookup.h"
#include "io/path_text.h"
#include "project/play_mark_edits.h"
#include "project/play_marks.h"
#include "project/project_info.h"
#include "project/value_texts.h"
#include "settings/cli_texts.h"
#include "settings/ui_texts.h"
#include "support/guarded.h"
#include "support/qt_text.h"
#include "trackview/playback.h"
#include "trackview/track_canvas.h"

namespace spurwerk::gui {

namespace {

std::string TrimmedTime(std::int64_t ms) {
    std::string text = MillisecondsText(ms);
    text.erase(0, text.find_first_not_of(' '));
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

}  // namespace

std::function<void()>& TrackViewOpener() {
    static std::function<void()> opener;
    return opener;
}

TrackViewWindow::TrackViewWindow(ProjectSession& session, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), doc_(session.doc), dialogs_(dialogs), playback_(std::make_unique<Playback>()) {
    setObjectName("FormTrackView");
    resize(1000, 640);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    auto button = [&](const char* name, const char* text) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(name);
        b->setFocusPolicy(Qt::NoFocus);
        bar->addWidget(b);
        return b;
    };
    play_ = button("ButtonPlay", "");
    auto* previous = button("ButtonPrevMark", "|<");
    auto* next = button("ButtonNextMark", ">|");
    setMark_ = button("ButtonSetMark", "");
    auto* zoomIn = button("ButtonZoomIn", "+");
    auto* zoomOut = button("ButtonZoomOut", "-");
    fit_ = button("ButtonZoomFit", "");
    status_ = new QLabel(this);
    status_->setObjectName("LabelPlayStatus");
    bar->addWidget(status_, 1);
    note_ = new QLabel(this);
    note_->setObjectName("LabelPreviewNote");
    bar->addWidget(note_);
    layout->addLayout(bar);
    canvas_ = new TrackCanvas(*this);
    layout->addWidget(canvas_, 1);
    scroll_ = new QScrollBar(Qt::Horizontal, this);
    scroll_->setObjectName("SBTime");
    layout->addWidget(scroll_);

    connect(play_, &QPushButton::clicked, this, [this] { Guarded(dialogs_, [&] { PlayOrStop(); }); });
    connect(previous, &QPushButton::clicked, this, [this] { JumpToMark(-1); });
    connect(next, &QPushButton::clicked, this, [this] { JumpToMark(1); });
    connect(setMark_, &QPushButton::clicked, this, [this] { Guarded(dialogs_, [&] { SetMarkAtPlayPosition(); }); });
    connect(zoomIn, &QPushButton::clicked, this, [this] { Zoom(0.5); });
    connect(zoomOut, &QPushButton::clicked, this, [this] { Zoom(2.0); });
    connect(fit_, &QPushButton::clicked, this, &TrackViewWindow::ZoomFit);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int value) {
        scale_.startMs = static_cast<std::int64_t>(value * scale_.msPerPixel);
        canvas_->update();
    });
    connect(playback_.get(), &Playback::positionChanged, this, [this](qint64 ms) {
        playMs_ = ms;
        canvas_->update();
    });
    connect(playback_.get(), &Playback::stateChanged, this, &TrackViewWindow::UpdateStatus);

    documentToken_ = doc_.Subscribe([this](const DocumentChange& change) {
        // Marks (and, after a load or undo, anything) may have moved: repaint;
        // a new file brings new rows.
        if (change.event == DocumentEvent::Replaced && !change.fromHistory && isVisible()) Reload();
        else canvas_->update();
    });
    RetranslateUi();
}

TrackViewWindow::~TrackViewWindow() {
    doc_.Unsubscribe(documentToken_);
    playback_->Stop();
    StopReading();
}

void TrackViewWindow::RetranslateUi() {
    setWindowTitle(Q(UiTxt(UiText::TitleTrackView)));
    play_->setText(Q(UiTxt(playback_->Playing() ? UiText::TrackViewStop : UiText::MenuPlay)));
    fit_->setText(Q(UiTxt(UiText::TrackViewFit)));
    setMark_->setText(Q(UiTxt(UiText::TrackViewSetMark)));
    note_->setText(Q(UiTxt(UiText::TrackViewPreviewNote)));
    UpdateStatus();
}

void TrackViewWindow::StopReading() {
    cancel_ = true;
    if (reader_.joinable()) reader_.join();
    cancel_ = false;
}

void TrackViewWindow::Reload() {
    StopReading();
    playback_->Stop();
    ++generation_;
    rows_.clear();
    const Bytes& data = doc_.ZDTData();
    const std::string folder =
        session_.LoadedZDTFileName.empty() ? std::string() : AddTrailingBackslash(AudioFolderOf(session_.LoadedZDTFileName));
    const int count = std::clamp(trackCount ? trackCount() : layout::TrackCount, 0, layout::TrackCount);
    for (int k = 0; k < count; ++k) {
        Row row;
        row.strip = k;
        row.status = ReadTrackStatus(data, k);
        row.name = ReadWavName(data, layout::WavNameOffset(k));
        if (!row.name.empty() && !folder.empty()) {
            row.path = PathIgnoringCase(folder, row.name);
            row.reading = true;
        } else if (!row.name.empty()) {
            row.reason = WavFaultText(WavFault::CannotOpen);
        }
        rows_.push_back(std::move(row));
    }
    pending_ = static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const Row& r) { return r.reading; }));
    std::vector<std::string> paths;
    for (const Row& r : rows_) paths.push_back(r.reading ? r.path : std::string());
    const int generation = generation_;
    // One worker reads the files in turn: the card is one device, and
    // parallel reads of it would only seek back and forth.
    reader_ = std::thread([this, paths, generation] {
        for (std::size_t i = 0; i < paths.size() && !cancel_; ++i) {
            if (paths[i].empty()) continue;
            PeakResult result = PeakCache::Shared().Compute(paths[i], cancel_);
            if (result.cancelled) return;
            QMetaObject::invokeMethod(
                this, [this, generation, i, result = std::move(result)]() mutable { OverviewRead(generation, i, std::move(result)); },
                Qt::QueuedConnection);
        }
    });
    fitted_ = false;
    BuildListeningButtons();
    UpdateStatus();
    canvas_->update();
}

void TrackViewWindow::BuildListeningButtons() {
    for (QWidget* b : listeningButtons_) delete b;
    listeningButtons_.clear();
    mute_.assign(rows_.size(), false);
    solo_.assign(rows_.size(), false);
    playback_->SetListening(mute_, solo_);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const int top = RulerHeight + static_cast<int>(i) * RowHeight + 4;
        int left = HeaderWidth - 52;
        for (bool solo : {false, true}) {
            auto* b = new QToolButton(canvas_);
            b->setObjectName(QString(solo ? "SBSolo_%1" : "SBMute_%1").arg(i + 1));
            b->setText(solo ? "S" : "M");
            b->setCheckable(true);
            b->setFocusPolicy(Qt::NoFocus);
            b->setGeometry(left, top, 22, 18);
            left += 24;
            connect(b, &QToolButton::toggled, this, [this, i, solo](bool on) {
                (solo ? solo_ : mute_)[i] = on;
                playback_->SetListening(mute_, solo_);
            });
            b->show();
            listeningButtons_.push_back(b);
        }
    }
}

void TrackViewWindow::OverviewRead(int generation, std::size_t index, PeakResult result) {
    if (generation != generation_ || index >= rows_.size()) return;
    Row& row = rows_[index];
    row.reading = false;
    row.peaks = result.peaks;
    row.sampleRate = result.layout.sampleRate;
    if (!result.layout.Ok()) row.reason = WavFaultText(result.layout.fault);
    else if (result.readError) row.reason = CliTxt(CliText::WavReadError);
    --pending_;
    if (!fitted_ && pending_ == 0) {
        ZoomFit();
        fitted_ = true;
    }
    UpdateScrollBar();
    UpdateStatus();
    canvas_->update();
}

bool TrackViewWindow::WaitForOverviews(int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (pending_ > 0 && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (pending_ > 0) QThread::msleep(5);
    }
    return pending_ == 0;
}

std::int64_t TrackViewWindow::DurationMs() const {
    std::int64_t longest = recordingEnd ? recordingEnd() : 0;
    for (const Row& row : rows_)
        if (row.peaks && row.sampleRate > 0)
            longest = std::max<std::int64_t>(longest, static_cast<std::int64_t>(row.peaks->FrameCount() * 1000 / row.sampleRate));
    for (std::int32_t mark : ListMarks(doc_.ZDTData())) longest = std::max<std::int64_t>(longest, mark);
    return longest;
}

int TrackViewWindow::XOfMs(std::int64_t ms) const {
    return HeaderWidth + static_cast<int>(std::clamp<std::int64_t>(scale_.XOf(ms), -100000, 100000));
}

std::int64_t TrackViewWindow::MsOfX(int x) const { return std::max<std::int64_t>(0, scale_.MsAt(x - HeaderWidth)); }

int TrackViewWindow::MarkNear(int x) const {
    const std::vector<std::int32_t> marks = ListMarks(doc_.ZDTData());
    int best = -1, bestDistance = 5;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const int distance = std::abs(XOfMs(marks[i]) - x);
        if (distance < bestDistance) best = static_cast<int>(i), bestDistance = distance;
    }
    return best;
}

void TrackViewWindow::SetPlayPositionMs(std::int64_t ms) {
    playMs_ = std::max<std::int64_t>(ms, 0);
    if (playback_->Playing()) PlayOrStop(), PlayOrStop();  // restart from there
    canvas_->update();
}

void TrackViewWindow::ZoomFit() {
    scale_.msPerPixel = FitMsPerPixel(std::max<std::int64_t>(DurationMs(), 1000), canvas_->width() - HeaderWidth - 10);
    scale_.startMs = 0;
    UpdateScrollBar();
    canvas_->update();
}

void TrackViewWindow::Zoom(double factor, int anchorX) {
    if (anchorX < HeaderWidth) anchorX = HeaderWidth + (canvas_->width() - HeaderWidth) / 2;
    const std::int64_t anchorMs = MsOfX(anchorX);
    scale_.msPerPixel = ZoomedMsPerPixel(scale_.msPerPixel, factor);
    scale_.startMs = std::max<std::int64_t>(0, anchorMs - static_cast<std::int64_t>((anchorX - HeaderWidth) * scale_.msPerPixel));
    UpdateScrollBar();
    canvas_->update();
}

void TrackViewWindow::ScrollToMs(std::int64_t ms) {
    scale_.startMs = std::max<std::int64_t>(0, ms);
    UpdateScrollBar();
    canvas_->update();
}

void TrackViewWindow::UpdateScrollBar() {
    QSignalBlocker block(scroll_);
    const int page = std::max(1, canvas_->width() - HeaderWidth);
    const auto total = static_cast<int>(std::min<double>(DurationMs() / scale_.msPerPixel, 1e9));
    scroll_->setRange(0, std::max(0, total - page / 2));
    scroll_->setPageStep(page);
    scroll_->setValue(static_cast<int>(scale_.startMs / scale_.msPerPixel));
}

void TrackViewWindow::UpdateStatus() {
    QString text;
    if (pending_ > 0) text = Q(UiTxt(UiText::TrackViewReading)) + QString(" (%1)").arg(pending_);
    else if (!playback_->Available()) text = Q(UiTxt(UiText::TrackViewNoOutput));
    else if (!playback_->Problem().isEmpty()) text = playback_->Problem();
    status_->setText(text);
    play_->setEnabled(playback_->Available());
    play_->setText(Q(UiTxt(playback_->Playing() ? UiText::TrackViewStop : UiText::MenuPlay)));
}

bool TrackViewWindow::EditMarks(const std::string& caption, const std::function<bool()>& edit) {
    if (!doc_.IsProject()) return false;
    bool done = false;
    {
        DocumentStep step(doc_, StepName{caption, {}, {}, false});
        done = edit();
    }
    canvas_->update();
    return done;
}

void TrackViewWindow::SetMarkAtPlayPosition() {
    const std::int32_t end = recordingEnd ? recordingEnd() : 0;
    MarkEdit result = MarkEdit::Unchanged;
    EditMarks(UiTxt(UiText::TrackViewSetMark) + " " + TrimmedTime(playMs_), [&] {
        result = InsertMark(doc_, playMs_, end);
        return result == MarkEdit::Done;
    });
    if (result == MarkEdit::TableFull) status_->setText(Q(MarkTableFullMessage()));
}

bool TrackViewWindow::MoveMark(int index, std::int64_t ms) {
    const std::int32_t end = recordingEnd ? recordingEnd() : 0;
    return EditMarks(UiTxt(UiText::TrackViewMoveMark) + " " + std::to_string(index + 1),
                     [&] { return spurwerk::MoveMark(doc_, index, ms, end) == MarkEdit::Done; });
}

bool TrackViewWindow::DeleteMark(int index) {
    return EditMarks(UiTxt(UiText::TrackViewDeleteMark) + " " + std::to_string(index + 1),
                     [&] { return spurwerk::DeleteMark(doc_, index) == MarkEdit::Done; });
}

void TrackViewWindow::JumpToMark(int direction) {
    const std::vector<std::int32_t> marks = ListMarks(doc_.ZDTData());
    if (direction > 0) {
        auto it = std::upper_bound(marks.begin(), marks.end(), playMs_);
        if (it != marks.end()) SetPlayPositionMs(*it);
    } else {
        auto it = std::lower_bound(marks.begin(), marks.end(), playMs_);
        if (it != marks.begin()) SetPlayPositionMs(*std::prev(it));
    }
    if (XOfMs(playMs_) >= canvas_->width() || XOfMs(playMs_) < HeaderWidth)
        ScrollToMs(playMs_ - static_cast<std::int64_t>(50 * scale_.msPerPixel));
}

void TrackViewWindow::PlayOrStop() {
    if (playback_->Playing()) {
        playback_->Stop();
    } else {
        const std::string folder = session_.LoadedZDTFileName.empty() ? std::string() : AudioFolderOf(session_.LoadedZDTFileName);
        const int count = std::clamp(trackCount ? trackCount() : layout::TrackCount, 0, layout::TrackCount);
        auto mixer = std::make_unique<PreviewMixer>(PreviewTracksOf(doc_.ZDTData(), count, folder));
        const auto frame = static_cast<std::uint64_t>(playMs_) * mixer->SampleRate() / 1000;
        playback_->Start(std::move(mixer), frame);
    }
    UpdateStatus();
}

void TrackViewWindow::closeEvent(QCloseEvent* event) {
    playback_->Stop();
    StopReading();
    ++generation_;
    pending_ = 0;
    QWidget::closeEvent(event);
}

void TrackViewWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space: Guarded(dialogs_, [&] { PlayOrStop(); }); return;
    case Qt::Key_Plus: Zoom(0.5); return;
    case Qt::Key_Minus: Zoom(2.0); return;
    case Qt::Key_0: ZoomFit(); return;
    case Qt::Key_M: Guarded(dialogs_, [&] { SetMarkAtPlayPosition(); }); return;
    case Qt::Key_PageUp: JumpToMark(-1); return;
    case Qt::Key_PageDown: JumpToMark(1); return;
    case Qt::Key_Home: SetPlayPositionMs(0), ScrollToMs(0); return;
    default: QWidget::keyPressEvent(event);
    }
}

void TrackViewWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UpdateScrollBar();
}

}  // namespace spurwerk::gui
