#pragma once
// TFormTimedInput: a message with up to three buttons and an optional input
// field that closes itself when its countdown runs out. The countdown rules
// live in the core (TimedCountdown); this window renders them.

#include <QDialog>

#include "ui/dialogs.h"
#include "ui/timed_countdown.h"

class QEventLoop;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace spurwerk::gui {

class TimedInputDialog : public QDialog {
    Q_OBJECT
public:
    // `clock` in milliseconds; the steady clock when empty.
    explicit TimedInputDialog(TimedCountdown::Clock clock = {}, QWidget* parent = nullptr);

    // Shows the dialog without blocking the other windows and waits until it
    // is finished. Updates request.input and request.timeoutMs.
    int Run(TimedInputRequest& request);

    const TimedCountdown& Countdown() const { return countdown_; }
    // One timer tick (the timer calls it every 100 ms).
    void Tick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void Press(int result);
    void Finish();
    void InputActivity();
    void ShowCountdown();
    TimedCountdown::Focus FocusedControl() const;

    TimedCountdown countdown_;
    bool guard_ = false;
    bool waiting_ = false;
    bool focusInput_ = false;
    QEventLoop* loop_ = nullptr;
    QFrame* panelMEInput_;
    QFrame* panelRemaining_;
    QLabel* labelMessage_;
    QLabel* labelRemaining_;
    QLabel* labelRemainingTimeMsec_;
    QLineEdit* meInput_;
    QPushButton* buttonOk_;
    QPushButton* buttonNo_;
    QPushButton* buttonCancel_;
    QTimer* timer_;
};

}  // namespace spurwerk::gui
