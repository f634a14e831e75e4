#pragma once
// The Dialogs of the core as real Qt dialogs: the only implementation the
// GUI uses.

#include <QObject>

#include <memory>

#include "ui/dialogs.h"
#include "ui/timed_countdown.h"

class QWidget;

namespace spurwerk::gui {

class HistInputDialog;
class TimedInputDialog;

// The modifiers of an input event as the core's explicit key arguments.
KeyState KeysOf(Qt::KeyboardModifiers modifiers);
// The modifiers of the input event being delivered, for a signal that carries
// no event (a slider's value, a box's click); not the keyboard's state now.
KeyState EventKeys();

class QtDialogs : public QObject, public Dialogs {
    Q_OBJECT
public:
    explicit QtDialogs(QObject* parent = nullptr);
    ~QtDialogs() override;

    int Message(const std::string& text, MessageButtons buttons) override;
    int TimedInput(TimedInputRequest& request) override;
    HistInputResult InputHist(const HistInputRequest& request) override;
    std::string SelectFolder(const std::string& prompt, const std::string& startFolder) override;
    bool AskAbortOnClick(int number) override;
    void OpenWithAssociatedProgram(const std::string& path) override;
    void StartFurtherInstance(const std::string& argument) override;

    // The dialogs are made on first use and kept.
    HistInputDialog& HistInput();
    TimedInputDialog& TimedInputWindow();
    // For tests: the clock of the timed dialog (before its first use).
    void SetTimedClock(TimedCountdown::Clock clock) { timedClock_ = std::move(clock); }
    // While set, questions block no window, so `window` (a running series)
    // still takes the click that stops it.
    void KeepUsableDuringQuestions(QWidget* window) { keepUsable_ = window; }
    // The program started for further files (tests replace it).
    void SetProgramFile(const QString& programFile);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* ActiveWindow() const;

    std::unique_ptr<HistInputDialog> histInput_;
    std::unique_ptr<TimedInputDialog> timedInput_;
    TimedCountdown::Clock timedClock_;
    QString programFile_;
    QWidget* keepUsable_ = nullptr;
    bool clicked_ = false;
    bool polling_ = false;
};

}  // namespace spurwerk::gui
