#pragma once
// The command line's answers to the program's questions: --yes / --no answer
// them, a question without an answer is an error, messages go to stdout.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/dialogs.h"

namespace spurwerk::cli {

// An error the command reports as "spurwerk-cli: <message>" with exit code 1.
class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// CR LF and lone CR become newlines for the terminal; other control
// characters are shown escaped ("\x1B"), so names read from files cannot
// drive the terminal.
std::string TerminalText(const std::string& text);

// One line of results on stdout, as TerminalText shows it.
void PrintLine(const std::string& text);

class CliDialogs : public Dialogs {
public:
    std::optional<bool> answer;  // --yes: true, --no: false
    // Questions that only confirm the start of what the command was asked to do
    // (recognised by a piece of their text): running the command answers them.
    std::vector<std::string> confirmedByCommand;

    int Message(const std::string& text, MessageButtons buttons) override;
    int TimedInput(TimedInputRequest& request) override;
    HistInputResult InputHist(const HistInputRequest& request) override;
    std::string SelectFolder(const std::string& prompt, const std::string& startFolder) override;
    bool AskAbortOnClick(int) override { return false; }
    void OpenWithAssociatedProgram(const std::string& path) override;
    void StartFurtherInstance(const std::string& argument) override;
};

}  // namespace spurwerk::cli
