#pragma once
// A Dialogs implementation for tests: answers come from a script, every
// question asked is recorded, and running out of answers fails the test.

#include <deque>
#include <string>
#include <vector>

#include "ui/dialogs.h"

namespace spurwerk::testing {

class ScriptedDialogs : public Dialogs {
public:
    struct Asked {
        std::string kind;  // "message", "timed", "input", "folder", "abort", "open", "start"
        std::string text;
    };

    // Answers, consumed in order by the kind of question they answer.
    std::deque<int> messageAnswers;
    std::deque<int> timedAnswers;
    std::deque<std::string> timedInputs;  // edited text for a TimedInput with input
    std::deque<HistInputResult> inputAnswers;
    std::deque<std::string> folderAnswers;
    std::deque<bool> abortAnswers;  // missing answers mean "no click"

    std::vector<Asked> asked;
    TimedInputRequest lastTimed;  // as the last timed input was asked

    int Message(const std::string& text, MessageButtons) override {
        return Next(messageAnswers, int{ResultCancel}, "message", text);
    }
    int TimedInput(TimedInputRequest& request) override;
    HistInputResult InputHist(const HistInputRequest& request) override {
        return Next(inputAnswers, HistInputResult{"", true, false, false}, "input", request.prompt);
    }
    std::string SelectFolder(const std::string& prompt, const std::string&) override {
        return Next(folderAnswers, std::string(), "folder", prompt);
    }
    bool AskAbortOnClick(int number) override {
        return !abortAnswers.empty() && Next(abortAnswers, false, "abort", std::to_string(number));
    }
    void OpenWithAssociatedProgram(const std::string& path) override { asked.push_back({"open", path}); }
    void StartFurtherInstance(const std::string& argument) override { asked.push_back({"start", argument}); }

    int CountAsked(const std::string& kind) const;

private:
    // Records the question; false (and a failed test) when no answer is left.
    bool Ask(const std::string& kind, const std::string& text, bool answered);
    // The next scripted answer, or `fallback` when none is left.
    template <typename T>
    T Next(std::deque<T>& answers, T fallback, const std::string& kind, const std::string& text) {
        if (!Ask(kind, text, !answers.empty())) return fallback;
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace spurwerk::testing
