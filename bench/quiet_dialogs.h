#pragma once
// Dialogs for the GUI benchmarks: every question is answered with OK; the
// benchmarks ask none on their generated projects.

#include <string>

#include "ui/dialogs.h"

class QuietDialogs : public spurwerk::Dialogs {
public:
    int Message(const std::string&, spurwerk::MessageButtons) override { return spurwerk::ResultOk; }
    int TimedInput(spurwerk::TimedInputRequest&) override { return spurwerk::ResultOk; }
    spurwerk::HistInputResult InputHist(const spurwerk::HistInputRequest&) override { return {}; }
    std::string SelectFolder(const std::string&, const std::string&) override { return ""; }
    bool AskAbortOnClick(int) override { return false; }
    void OpenWithAssociatedProgram(const std::string&) override {}
    void StartFurtherInstance(const std::string&) override {}
};
