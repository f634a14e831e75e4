#include "scripted_dialogs.h"

#include <gtest/gtest.h>

namespace spurwerk::testing {

int ScriptedDialogs::Message(const std::string& text, MessageButtons) {
    asked.push_back({"message", text});
    if (messageAnswers.empty()) {
        ADD_FAILURE() << "unexpected message: " << text;
        return ResultCancel;
    }
    int answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

int ScriptedDialogs::TimedInput(TimedInputRequest& request) {
    asked.push_back({"timed", request.message});
    lastTimed = request;
    int answer = ResultOk;
    if (!timedAnswers.empty()) {
        answer = timedAnswers.front();
        timedAnswers.pop_front();
    } else if (request.showInput) {
        ADD_FAILURE() << "unexpected timed input: " << request.message;
        return ResultCancel;
    }
    if (request.showInput && !timedInputs.empty()) {
        if (answer == ResultOk || answer == ResultNo) request.input = timedInputs.front();
        timedInputs.pop_front();
    }
    // A scripted answer counts as given before any time-out.
    if (request.timeoutMs <= 0) request.timeoutMs = 0;
    else request.timeoutMs = 1;
    return answer;
}

HistInputResult ScriptedDialogs::InputHist(const HistInputRequest& request) {
    asked.push_back({"input", request.prompt});
    if (inputAnswers.empty()) {
        ADD_FAILURE() << "unexpected input: " << request.prompt;
        return {"", true, false, false};
    }
    HistInputResult answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

std::string ScriptedDialogs::SelectFolder(const std::string& prompt, const std::string&) {
    asked.push_back({"folder", prompt});
    if (folderAnswers.empty()) {
        ADD_FAILURE() << "unexpected folder prompt: " << prompt;
        return "";
    }
    std::string answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

bool ScriptedDialogs::AskAbortOnClick(int number) {
    if (abortAnswers.empty()) return false;
    asked.push_back({"abort", std::to_string(number)});
    bool answer = abortAnswers.front();
    abortAnswers.pop_front();
    return answer;
}

void ScriptedDialogs::OpenWithAssociatedProgram(const std::string& path) { asked.push_back({"open", path}); }
void ScriptedDialogs::StartFurtherInstance(const std::string& argument) { asked.push_back({"start", argument}); }

int ScriptedDialogs::CountAsked(const std::string& kind) const {
    int n = 0;
    for (const auto& a : asked) n += a.kind == kind;
    return n;
}

}  // namespace spurwerk::testing
