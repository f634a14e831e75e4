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
    KeyState keys;

    std::vector<Asked> asked;
    TimedInputRequest lastTimed;  // as the last timed input was asked

    int Message(const std::string& text, MessageButtons buttons) override;
    int TimedInput(TimedInputRequest& request) override;
    HistInputResult InputHist(const HistInputRequest& request) override;
    std::string SelectFolder(const std::string& prompt, const std::string& startFolder) override;
    bool AskAbortOnClick(int number) override;
    KeyState Keys() override { return keys; }
    void OpenWithAssociatedProgram(const std::string& path) override;
    void StartFurtherInstance(const std::string& argument) override;

    int CountAsked(const std::string& kind) const;
};

}  // namespace spurwerk::testing
