#pragma once
// What core needs from a front end: every question the program asks goes through
// this interface. The GUI shows real dialogs, the CLI answers from its flags and
// tests answer from a script that also records what was asked.

#include <string>
#include <vector>

namespace spurwerk {

// Message box results, numbered as the platform's message boxes number them.
enum DialogResult : int {
    ResultOk = 1,
    ResultCancel = 2,
    ResultYes = 6,
    ResultNo = 7,
    ResultNoToAll = 9,
    ResultYesToAll = 10,
};

enum class MessageButtons {
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel,
    YesNoYesToAll,          // "Weiter?" of a project copy
    YesNoNoToAllYesToAll,   // creating missing WAV files
    ReloadOverwriteCancel,  // a file changed on disk: Yes reloads, No overwrites
};

// Modifier keys at the moment of an event.
struct KeyState {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

// Buttons of the timed dialog, as bits.
enum TimedButtons : unsigned {
    TimedOk = 1,
    TimedNo = 2,
    TimedCancel = 4,
};

struct TimedInputRequest {
    unsigned buttons = TimedOk;
    std::string caption;
    std::string message;
    std::string editMask;
    bool showInput = false;
    std::string input;      // in: initial text; out: edited text on OK or No
    int timeoutMs = 0;      // in: time-out (<= 0: none); out: time left at closing
    int defaultResult = ResultOk;
    bool focusInput = false;
};

struct HistInputRequest {
    std::string caption;
    std::string prompt;
    std::string histFile;
    std::string initialText;
    bool addToHist = true;
    std::string browseCaption;   // empty hides the browse button (InputHist)
    bool showNonExistent = false;
    std::string optCaption;
    bool optChecked = false;
    std::string opt2Caption;
    bool opt2Checked = false;
    // InputFileHist only:
    bool isFileInput = false;
    std::string filter;
    bool mustExist = false;
};

struct HistInputResult {
    std::string text;            // empty after Cancel
    bool cancelled = false;
    bool optChecked = false;
    bool opt2Checked = false;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A plain message box; returns one of DialogResult.
    virtual int Message(const std::string& text, MessageButtons buttons) = 0;
    // The self-closing dialog. Returns the result code; request.input and
    // request.timeoutMs are updated as the dialog leaves them.
    virtual int TimedInput(TimedInputRequest& request) = 0;
    virtual HistInputResult InputHist(const HistInputRequest& request) = 0;
    // Returns the chosen folder, empty when cancelled.
    virtual std::string SelectFolder(const std::string& prompt, const std::string& startFolder) = 0;
    // True when the user clicked into the program since the last call and then
    // confirmed that the running loop (at step `number`) should stop.
    virtual bool AskAbortOnClick(int number) = 0;
    virtual KeyState Keys() = 0;
    virtual void OpenWithAssociatedProgram(const std::string& path) = 0;
    virtual void StartFurtherInstance(const std::string& argument) = 0;

    // Convenience built on the above.
    bool TimedMessage(const std::string& message, int timeoutMs);
    // Yes without asking unless Ctrl is held; with Ctrl held the question is asked.
    int AskIfCtrlHeld(const std::string& question);
};

}  // namespace spurwerk
