#include "support/qt_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QUrl>

#include "settings/text_table.h"
#include "support/folder_chooser.h"
#include "support/hist_input_dialog.h"
#include "support/qt_text.h"
#include "support/timed_input_dialog.h"

namespace spurwerk::gui {

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
    QMessageBox box(ActiveWindow());
    box.setObjectName("MessageBox");
    box.setWindowTitle("Spurwerk");
    box.setText(QLines(text));
    box.setTextFormat(Qt::PlainText);
    struct Choice {
        QMessageBox::StandardButton button;
        int result;
        const char* caption;
    };
    std::vector<Choice> choices;
    switch (buttons) {
        case MessageButtons::Ok: choices = {{QMessageBox::Ok, ResultOk, "OK"}}; break;
        case MessageButtons::OkCancel:
            choices = {{QMessageBox::Ok, ResultOk, "OK"}, {QMessageBox::Cancel, ResultCancel, "Abbrechen"}};
            break;
        case MessageButtons::YesNo: choices = {{QMessageBox::Yes, ResultYes, "&Ja"}, {QMessageBox::No, ResultNo, "&Nein"}}; break;
        case MessageButtons::YesNoCancel:
            choices = {{QMessageBox::Yes, ResultYes, "&Ja"}, {QMessageBox::No, ResultNo, "&Nein"},
                       {QMessageBox::Cancel, ResultCancel, "Abbrechen"}};
            break;
        case MessageButtons::YesNoYesToAll:
            choices = {{QMessageBox::Yes, ResultYes, "&Ja"}, {QMessageBox::No, ResultNo, "&Nein"},
                       {QMessageBox::YesToAll, ResultYesToAll, "Ja, &alle"}};
            break;
        case MessageButtons::YesNoNoToAllYesToAll:
            choices = {{QMessageBox::Yes, ResultYes, "&Ja"}, {QMessageBox::No, ResultNo, "&Nein"},
                       {QMessageBox::NoToAll, ResultNoToAll, "N&ein, keine"},
                       {QMessageBox::YesToAll, ResultYesToAll, "Ja, &alle"}};
            break;
    }
    box.setIcon(choices.size() > 1 ? QMessageBox::Question : QMessageBox::Information);
    for (const Choice& c : choices) box.addButton(c.button)->setText(QString::fromUtf8(c.caption));
    box.setDefaultButton(choices.front().button);
    box.setEscapeButton(choices.size() > 1 ? choices.back().button : choices.front().button);
    box.exec();
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

HistInputResult QtDialogs::InputHist(const HistInputRequest& request) { return HistInput().Run(request); }

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
