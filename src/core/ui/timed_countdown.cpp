#include "ui/timed_countdown.h"

#include <cmath>

#include "ui/dialogs.h"

namespace spurwerk {

TimedCountdown::TimedCountdown(Clock clock) : clock_(std::move(clock)) {}

void TimedCountdown::Start(int timeoutMs, int defaultResult) {
    result_ = defaultResult;
    remainingMs_ = timeoutMs;
    panelVisible_ = ShowRemaining && remainingMs_ > 0;
    deadline_ = clock_() + remainingMs_;
    running_ = remainingMs_ > 0;
    finished_ = false;
    warning_ = false;
    warningGiven_ = false;
    remainingText_ = SecondsText();
}

std::string TimedCountdown::SecondsText() const {
    return std::to_string(static_cast<long long>(std::llround(static_cast<double>(remainingMs_) / 1000.0)));
}

void TimedCountdown::UpdateWarning() {
    warning_ = remainingMs_ <= WarnTimeMs;
    if (warning_) warningGiven_ = true;
}

void TimedCountdown::Tick(Focus focus) {
    if (!running_ || finished_) return;
    remainingMs_ = deadline_ - clock_();
    remainingText_ = SecondsText();
    UpdateWarning();
    if (remainingMs_ <= 0) {
        running_ = false;
        finished_ = true;
        switch (focus) {
            case Focus::Ok: result_ = ResultOk; break;
            case Focus::No: result_ = ResultNo; break;
            case Focus::Cancel: result_ = ResultCancel; break;
            default: break;  // the current result stays
        }
    }
}

void TimedCountdown::ExtendDeadline() {
    std::int64_t now = clock_();
    if (deadline_ < now + InputExtendMs) deadline_ = now + InputExtendMs;
}

void TimedCountdown::InputActivity() {
    if (finished_) return;
    ExtendDeadline();
    if (running_ && StopOnInput) {
        running_ = false;
        remainingText_ += " (gestoppt)";
    }
    remainingMs_ = deadline_ - clock_();
    UpdateWarning();
}

void TimedCountdown::TogglePause() {
    if (finished_) return;
    running_ = !running_;
    if (!running_) remainingText_ = "(gestoppt)";
    if (!running_ || !StopOnInput)
        InputActivity();
    else
        ExtendDeadline();
}

void TimedCountdown::Press(int result) {
    if (finished_) return;
    if (running_) remainingMs_ = deadline_ - clock_();
    running_ = false;
    finished_ = true;
    result_ = result;
}

void TimedCountdown::Close() { Press(ResultCancel); }

}  // namespace spurwerk
