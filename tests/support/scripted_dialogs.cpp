#include "scripted_dialogs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace spurwerk::testing {

namespace {

// The next scripted answer; none left fails the test and gives `fallback`.
template <typename T>
T Next(std::deque<T>& answers, const T& fallback, const std::string& question) {
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected " << question;
        return fallback;
    }
    T answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace

int ScriptedDialogs::Message(const std::string& text, MessageButtons) {
    asked.push_back({"message", text});
    return Next(messageAnswers, static_cast<int>(ResultCancel), "message: " + text);
}

int ScriptedDialogs::TimedInput(TimedInputRequest& request) {
    asked.push_back({"timed", request.message});
    lastTimed = request;
    // Without input a missing answer is the time-out's OK.
    if (!request.showInput && timedAnswers.empty()) timedAnswers.push_back(ResultOk);
    int answer = Next(timedAnswers, static_cast<int>(ResultCancel), "timed input: " + request.message);
    if (request.showInput && !timedInputs.empty()) {
        if (answer == ResultOk || answer == ResultNo) request.input = timedInputs.front();
        timedInputs.pop_front();
    }
    // A scripted answer counts as given before any time-out.
    request.timeoutMs = request.timeoutMs <= 0 ? 0 : 1;
    return answer;
}

HistInputResult ScriptedDialogs::InputHist(const HistInputRequest& request) {
    asked.push_back({"input", request.prompt});
    return Next(inputAnswers, HistInputResult{"", true, false, false}, "input: " + request.prompt);
}

std::string ScriptedDialogs::SelectFolder(const std::string& prompt, const std::string&) {
    asked.push_back({"folder", prompt});
    return Next(folderAnswers, std::string(), "folder prompt: " + prompt);
}

bool ScriptedDialogs::AskAbortOnClick(int number) {
    if (abortAnswers.empty()) return false;
    asked.push_back({"abort", std::to_string(number)});
    return Next(abortAnswers, false, "abort");
}

void ScriptedDialogs::OpenWithAssociatedProgram(const std::string& path) { asked.push_back({"open", path}); }
void ScriptedDialogs::StartFurtherInstance(const std::string& argument) { asked.push_back({"start", argument}); }

int ScriptedDialogs::CountAsked(const std::string& kind) const {
    return static_cast<int>(std::count_if(asked.begin(), asked.end(), [&](const Asked& a) { return a.kind == kind; }));
}

}  // namespace spurwerk::testing
