#include "scripted_dialogs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace spurwerk::testing {

bool ScriptedDialogs::Ask(const std::string& kind, const std::string& text, bool answered) {
    asked.push_back({kind, text});
    if (!answered) ADD_FAILURE() << "unexpected " << kind << ": " << text;
    return answered;
}

int ScriptedDialogs::TimedInput(TimedInputRequest& request) {
    lastTimed = request;
    // Without input a missing answer is the time-out's OK.
    if (!request.showInput && timedAnswers.empty()) timedAnswers.push_back(ResultOk);
    int answer = Next(timedAnswers, int{ResultCancel}, "timed", request.message);
    if (request.showInput && !timedInputs.empty()) {
        if (answer == ResultOk || answer == ResultNo) request.input = timedInputs.front();
        timedInputs.pop_front();
    }
    // A scripted answer counts as given before any time-out.
    request.timeoutMs = request.timeoutMs <= 0 ? 0 : 1;
    return answer;
}

int ScriptedDialogs::CountAsked(const std::string& kind) const {
    return static_cast<int>(std::count_if(asked.begin(), asked.end(), [&](const Asked& a) { return a.kind == kind; }));
}

}  // namespace spurwerk::testing
