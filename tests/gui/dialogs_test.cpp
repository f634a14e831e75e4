// The timed dialog, the history dialog and message boxes as real widgets:
// their buttons give their results.

#include "dialog_driver.h"
#include "gui_fixture.h"
#include "support/qt_dialogs.h"
#include "support/timed_input_dialog.h"

using spurwerk::testing::DialogDriver;
namespace gui = spurwerk::gui;

namespace {

QStringList Lines(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void TimedDialogGivesButtonsAndTimeOut();
    void HistoryDialogGivesTheTextAndKeepsTheList();
    void MessageBoxButtonsGiveTheirResults();
};

void DialogsTest::TimedDialogGivesButtonsAndTimeOut() {
    std::int64_t now = 0;
    gui::QtDialogs dialogs;
    dialogs.SetTimedClock([&now] { return now; });
    spurwerk::TimedInputRequest request;
    request.buttons = spurwerk::TimedOk | spurwerk::TimedCancel;
    request.showInput = true;
    request.input = "SONG";
    request.timeoutMs = 8000;
    request.defaultResult = spurwerk::ResultOk;
    DialogDriver driver;
    driver.Then("FormTimedInput", DialogDriver::ClickNamed("ButtonCancel"));
    QCOMPARE(dialogs.TimedInput(request), int(spurwerk::ResultCancel));
    QCOMPARE(request.input, std::string("SONG"));

    // A time-out with the input focused gives the default and the edited text.
    driver.Then("FormTimedInput", [&](QWidget* w) {
        w->findChild<QLineEdit*>("MEInput")->setText("NEW");
        now += 20000;
        dialogs.TimedInputWindow().Tick();
    });
    request.focusInput = true;
    QCOMPARE(dialogs.TimedInput(request), int(spurwerk::ResultOk));
    QCOMPARE(request.input, std::string("NEW"));

    // Closed by the window system: Cancel.
    driver.Then("FormTimedInput", [](QWidget* w) { w->close(); });
    QCOMPARE(dialogs.TimedInput(request), int(spurwerk::ResultCancel));
}

void DialogsTest::HistoryDialogGivesTheTextAndKeepsTheList() {
    QTemporaryDir dir;
    QString his = dir.filePath("Test.HIS");
    QString existing = dir.filePath("exists.ZDT");
    QFile(existing).open(QIODevice::WriteOnly);
    QFile file(his);
    file.open(QIODevice::WriteOnly);
    file.write(("first\r\nsecond\r\n" + existing + "\r\n").toUtf8());
    file.close();
    gui::QtDialogs dialogs;
    spurwerk::HistInputRequest request;
    request.histFile = his.toStdString();
    request.showNonExistent = true;

    QString countText;
    DialogDriver driver;
    driver.Then("FormHistInput", [&](QWidget* w) {
        countText = w->findChild<QLabel*>("LabelNonExistentFileItems")->text();
        DialogDriver::EnterHist("THIRD")(w);
    });
    QCOMPARE(QString::fromStdString(dialogs.InputHist(request).text), QString("THIRD"));
    QCOMPARE(countText, QString("2 nicht-existente Einträge:"));
    QCOMPARE(Lines(his), QStringList({"THIRD", "first", "second", existing}));

    // Deleting the missing entries keeps only the existing file.
    driver.Then("FormHistInput", [](QWidget* w) {
        w->findChild<QAbstractButton*>("ButtonDeleteNonExistentFileItems")->click();
        w->findChild<QAbstractButton*>("CancelBtn")->click();
    });
    dialogs.InputHist(request);
    QCOMPARE(Lines(his), QStringList({existing}));
}

void DialogsTest::MessageBoxButtonsGiveTheirResults() {
    gui::QtDialogs dialogs;
    DialogDriver driver;
    driver.Then("MessageBox", DialogDriver::Answer(QMessageBox::YesToAll))
        .Then("MessageBox", DialogDriver::CancelDialog());
    QCOMPARE(dialogs.Message("?", spurwerk::MessageButtons::YesNoYesToAll), int(spurwerk::ResultYesToAll));
    QCOMPARE(dialogs.Message("?", spurwerk::MessageButtons::YesNoCancel), int(spurwerk::ResultCancel));
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
