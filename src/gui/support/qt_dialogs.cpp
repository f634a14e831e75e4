#include "support/qt_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QWindow>

#include <algorithm>

#include "settings/message_text.h"
#include "settings/text_table.h"
#include "settings/ui_texts.h"
#include "support/folder_chooser.h"
#include "support/hist_input_dialog.h"
#include "support/qt_text.h"
#include "support/timed_input_dialog.h"

namespace spurwerk::gui {

namespace {
// Title bar, icon, margins and the button row of a message box, in pixels.
constexpr int MessageBoxChrome = 180;
}  // namespace

QtDialogs::QtDialogs(QObject* parent) : QObject(parent), programFile_(QCoreApplication::applicationFilePath()) {
    // Long loops ask to stop after a click anywhere in the program.
    qApp->installEventFilter(this);
}

QtDialogs::~QtDialogs() = default;

void QtDialogs::SetProgramFile(const QString& programFile) { programFile_ = programFile; }

QWidget* QtDialogs::ActiveWindow() const {
    QWidget* w = QApplication::activeModalWidget();
    return w ? w : QApplication::activeWindow();
}

int QtDialogs::Message(const std::string& text, MessageButtons buttons) {
    // The question belongs to the window that asks and stays above it. While a
    // window stays usable (a running series with its stop button), it blocks
    // no window; otherwise it blocks the whole program.
    QMessageBox box(keepUsable_ ? keepUsable_->window() : ActiveWindow());
    box.setObjectName("MessageBox");
    box.setWindowTitle("Spurwerk");
    // A list longer than the screen is cut, so that the buttons stay on it.
    QScreen* screen = box.parentWidget() ? box.parentWidget()->screen() : QGuiApplication::primaryScreen();
    const int lineHeight = std::max(1, box.fontMetrics().lineSpacing());
    const int lines = screen ? (screen->availableGeometry().height() - MessageBoxChrome) / lineHeight : 40;
    box.setText(QLines(CutToLines(text, lines)));
    box.setTextFormat(Qt::PlainText);
    struct Choice {
        QMessageBox::StandardButton button;
        int result;
        UiText caption;
    };
    const Choice ok{QMessageBox::Ok, ResultOk, UiText::MessageOk};
    const Choice cancel{QMessageBox::Cancel, ResultCancel, UiText::MessageCancel};
    const Choice yes{QMessageBox::Yes, ResultYes, UiText::MessageYes};
    const Choice no{QMessageBox::No, ResultNo, UiText::MessageNo};
    const Choice yesToAll{QMessageBox::YesToAll, ResultYesToAll, UiText::MessageYesToAll};
    const Choice noToAll{QMessageBox::NoToAll, ResultNoToAll, UiText::MessageNoToAll};
    std::vector<Choice> choices;
    switch (buttons) {
        case MessageButtons::Ok: choices = {ok}; break;
        case MessageButtons::OkCancel: choices = {ok, cancel}; break;
        case MessageButtons::YesNo: choices = {yes, no}; break;
        case MessageButtons::YesNoCancel: choices = {yes, no, cancel}; break;
        case MessageButtons::YesNoYesToAll: choices = {yes, no, yesToAll}; break;
        case MessageButtons::YesNoNoToAllYesToAll: choices = {yes, no, noToAll, yesToAll}; break;
        case MessageButtons::ReloadOverwriteCancel:
            choices = {{QMessageBox::Yes, ResultYes, UiText::ExternalChangeReload},
                       {QMessageBox::No, ResultNo, UiText::ExternalChangeOverwrite},
                       cancel};
            break;
    }
    box.setIcon(choices.size() > 1 ? QMessageBox::Question : QMessageBox::Information);
    for (const Choice& c : choices) box.addButton(c.button)->setText(Q(UiTxt(c.caption)));
    // Enter must not throw away either side of a file changed on disk.
    box.setDefaultButton(buttons == MessageButtons::ReloadOverwriteCancel ? QMessageBox::Cancel
                                                                           : choices.front().button);
    box.setEscapeButton(choices.size() > 1 ? choices.back().button : choices.front().button);
    if (keepUsable_) {
        box.setWindowModality(Qt::NonModal);
        QEventLoop loop;
        connect(&box, &QDialog::finished, &loop, &QEventLoop::quit);
        box.show();
        loop.exec();
    } else {
        box.exec();
    }
    auto pressed = box.standardButton(box.clickedButton());
    for (const Choice& c : choices)
        if (c.button == pressed) return c.result;
    // Closed without a button: the escape answer.
    return choices.size() > 1 ? (buttons == MessageButtons::YesNo ? ResultNo : ResultCancel) : ResultOk;
}

TimedInputDialog& QtDialogs::TimedInputWindow() {
    if (!timedInput_) timedInput_ = std::make_unique<TimedInputDialog>(timedClock_);
    return *timedInput_;
}

HistInputDialog& QtDialogs::HistInput() {
    if (!histInput_) histInput_ = std::make_unique<HistInputDialog>();
    return *histInput_;
}

int QtDialogs::TimedInput(TimedInputRequest& request) { return TimedInputWindow().Run(request); }

HistInputResult QtDialogs::InputHist(const HistInputRequest& request) {
    // Kept without a parent, it opens over the window that asks.
    HistInputDialog& dialog = HistInput();
    QWidget* owner = ActiveWindow();
    if (owner && owner->window() != &dialog && owner->window()->windowHandle()) {
        dialog.winId();
        dialog.windowHandle()->setTransientParent(owner->window()->windowHandle());
    }
    return dialog.Run(request);
}

std::string QtDialogs::SelectFolder(const std::string& prompt, const std::string& startFolder) {
    return gui::SelectFolder(ActiveWindow(), prompt, startFolder);
}

bool QtDialogs::eventFilter(QObject* watched, QEvent* event) {
    if (!polling_) return QObject::eventFilter(watched, event);
    // While a long loop polls, clicks are taken off the queue, not delivered.
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) clicked_ = true;
            return true;
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return true;
        default:
            return QObject::eventFilter(watched, event);
    }
}

bool QtDialogs::AskAbortOnClick(int number) {
    clicked_ = false;
    polling_ = true;
    QApplication::processEvents();
    polling_ = false;
    if (!clicked_) return false;
    clicked_ = false;
    return Message(Txt(178) + std::to_string(number) + " ?", MessageButtons::YesNo) == ResultYes;
}

KeyState QtDialogs::Keys() {
    Qt::KeyboardModifiers m = QApplication::queryKeyboardModifiers();
    return {m.testFlag(Qt::ControlModifier), m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::AltModifier)};
}

void QtDialogs::OpenWithAssociatedProgram(const std::string& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
}

void QtDialogs::StartFurtherInstance(const std::string& argument) {
    QProcess::startDetached(programFile_, {Q(argument)});
}

}  // namespace spurwerk::gui
