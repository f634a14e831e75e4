#include "cli_dialogs.h"

#include <iostream>

#include "json_output.h"
#include "text/visible_text.h"
#include "settings/cli_texts.h"

namespace spurwerk::cli {

std::string TerminalText(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return EscapeControlChars(out, true);
}

void PrintLine(const std::string& text) { std::cout << TerminalText(text) << "\n"; }

int CliDialogs::Message(const std::string& text, MessageButtons buttons) {
    if (buttons == MessageButtons::Ok) {
        ReportMessage(text);
        return ResultOk;
    }
    // The command line holds the file's lock from reading to writing, so this
    // is never asked; should it be, another program's change is kept.
    if (buttons == MessageButtons::ReloadOverwriteCancel) return ResultCancel;
    for (const std::string& piece : confirmedByCommand)
        if (!piece.empty() && text.find(piece) != std::string::npos)
            return buttons == MessageButtons::OkCancel ? ResultOk : ResultYes;
    if (!answer)
        throw CommandError(CliTxt(CliText::NeedsAnswer, {TerminalText(text)}));
    switch (buttons) {
        case MessageButtons::OkCancel: return *answer ? ResultOk : ResultCancel;
        case MessageButtons::YesNoYesToAll:
        case MessageButtons::YesNoNoToAllYesToAll: return *answer ? ResultYesToAll : ResultNo;
        default: return *answer ? ResultYes : ResultNo;
    }
}

int CliDialogs::TimedInput(TimedInputRequest& request) {
    if (request.showInput)
        throw CommandError(CliTxt(CliText::NeedsOtherAnswer, {TerminalText(request.message)}));
    ReportMessage(request.message);
    request.timeoutMs = request.timeoutMs > 0 ? 1 : 0;
    return ResultOk;
}

HistInputResult CliDialogs::InputHist(const HistInputRequest& request) {
    throw CommandError(CliTxt(CliText::NeedsInput, {TerminalText(request.prompt)}));
}

std::string CliDialogs::SelectFolder(const std::string& prompt, const std::string&) {
    throw CommandError(CliTxt(CliText::NeedsFolder, {TerminalText(prompt)}));
}

void CliDialogs::OpenWithAssociatedProgram(const std::string& path) { PrintLine(path); }
void CliDialogs::StartFurtherInstance(const std::string& argument) { PrintLine(argument); }

}  // namespace spurwerk::cli
