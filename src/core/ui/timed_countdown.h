#pragma once
// The countdown of the self-closing dialog: a deadline on an injected clock,
// more time when the user types, a warning at 5 seconds, a pause on a click,
// and on time-out the result of the button that has the focus. The window only
// shows what this says.

#include <cstdint>
#include <functional>
#include <string>

namespace spurwerk {

class TimedCountdown {
public:
    using Clock = std::function<std::int64_t()>;  // milliseconds, monotonic

    static constexpr int WarnTimeMs = 5000;
    static constexpr int InputExtendMs = 10000;
    static constexpr bool StopOnInput = false;
    static constexpr bool ShowRemaining = true;

    enum class Focus { None, Ok, No, Cancel, Input };

    explicit TimedCountdown(Clock clock);

    // A new call: `timeoutMs` <= 0 runs no countdown.
    void Start(int timeoutMs, int defaultResult);

    // Every 100 ms while running; `focus` is the control that has the focus.
    void Tick(Focus focus);
    // Typing, a click into the input field or its getting the focus.
    void InputActivity();
    // A click on the countdown display.
    void TogglePause();
    // A button pressed (1, 7 or 2).
    void Press(int result);
    // Closed by the window system: counts as Cancel.
    void Close();

    bool Running() const { return running_; }
    bool PanelVisible() const { return panelVisible_; }
    bool Finished() const { return finished_; }
    int Result() const { return result_; }
    // Deadline minus now, as last computed (what the caller gets back).
    std::int64_t RemainingMs() const { return remainingMs_; }
    bool Warning() const { return warning_; }          // panel red
    bool WarningGiven() const { return warningGiven_; }  // once per call
    // The seconds shown: whole seconds, rounded, or "(gestoppt)" while paused.
    const std::string& RemainingText() const { return remainingText_; }

private:
    void UpdateWarning();
    void ExtendDeadline();
    std::string SecondsText() const;

    Clock clock_;
    std::int64_t deadline_ = 0;
    std::int64_t remainingMs_ = 0;
    int result_ = 0;
    bool running_ = false;
    bool panelVisible_ = false;
    bool finished_ = false;
    bool warning_ = false;
    bool warningGiven_ = false;
    std::string remainingText_;
};

}  // namespace spurwerk
