#pragma once
// FormTrackView: the project as a recording program shows it. One row per
// track with its number, status colour, WAV name and waveform; a time ruler;
// the play marks and the recording end as numbered lines; zoom and scrolling.
// Play marks are edited on the ruler (set, drag, delete) through the core's
// mark rules, each edit one undo step. Audio is only read, never written.

#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "audio/peak_pyramid.h"
#include "audio/time_scale.h"
#include "project/track_layout.h"
#include "project/project_session.h"
#include "ui/dialogs.h"

class QLabel;
class QPushButton;
class QScrollBar;

namespace spurwerk::gui {

class TrackCanvas;
class Playback;

// How the mixer's menu entry opens the program's track view (set by the program).
std::function<void()>& TrackViewOpener();

class TrackViewWindow : public QWidget {
    Q_OBJECT
public:
    struct Row {
        int strip = 0;
        std::string name;    // as the project names it
        std::string path;    // in the AUDIO folder, any letter case
        std::string reason;  // why no waveform is shown ("" while reading or when shown)
        TrackStatus status = TrackStatus::Off;
        bool reading = false;
        std::shared_ptr<const PeakPyramid> peaks;
        std::uint32_t sampleRate = 0;
    };

    static constexpr int HeaderWidth = 170;
    static constexpr int RulerHeight = 26;
    static constexpr int RowHeight = 52;

    TrackViewWindow(ProjectSession& session, Dialogs& dialogs, QWidget* parent = nullptr);
    ~TrackViewWindow() override;

    // The recording end (the longest WAV) and the track count, as the mixer knows them.
    std::function<std::int32_t()> recordingEnd;
    std::function<int()> trackCount;

    // Reads the project's rows and starts reading the waveforms (cancelling
    // a read still running).
    void Reload();
    // Waits until every waveform is read (tests, screenshots).
    bool WaitForOverviews(int timeoutMs);

    const std::vector<Row>& Rows() const { return rows_; }
    const TimeScale& Scale() const { return scale_; }
    std::int64_t DurationMs() const;
    std::int64_t PlayPositionMs() const { return playMs_; }
    void SetPlayPositionMs(std::int64_t ms);

    // The canvas column of a time, and the mark (index) drawn near a column (-1: none).
    int XOfMs(std::int64_t ms) const;
    std::int64_t MsOfX(int x) const;
    int MarkNear(int x) const;

    // Commands (buttons, keys, the ruler's mouse and menu).
    void ZoomFit();
    void Zoom(double factor, int anchorX = -1);
    void ScrollToMs(std::int64_t ms);
    void SetMarkAtPlayPosition();
    bool MoveMark(int index, std::int64_t ms);
    bool DeleteMark(int index);
    void JumpToMark(int direction);  // -1 previous, +1 next
    void PlayOrStop();

    ZDTDocument& Document() const { return doc_; }
    TrackCanvas* Canvas() const { return canvas_; }
    Playback* Player() const { return playback_.get(); }
    void RetranslateUi();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void StopReading();
    void BuildListeningButtons();
    void OverviewRead(int generation, std::size_t row, PeakResult result);
    void UpdateScrollBar();
    void UpdateStatus();
    bool EditMarks(const std::string& caption, const std::function<bool()>& edit);

    ProjectSession& session_;
    ZDTDocument& doc_;
    Dialogs& dialogs_;
    int documentToken_ = 0;
    std::vector<Row> rows_;
    TimeScale scale_;
    bool fitted_ = false;
    std::int64_t playMs_ = 0;

    TrackCanvas* canvas_ = nullptr;
    QScrollBar* scroll_ = nullptr;
    QPushButton* play_ = nullptr;
    QPushButton* fit_ = nullptr;
    QPushButton* setMark_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* note_ = nullptr;
    std::unique_ptr<Playback> playback_;

    std::vector<bool> mute_, solo_;  // by track, for listening only
    std::vector<QWidget*> listeningButtons_;
    int generation_ = 0;
    std::atomic<bool> cancel_{false};
    std::thread reader_;
    int pending_ = 0;
};

}  // namespace spurwerk::gui
