// The timed dialog and the history dialog as real widgets.

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <QFileDialog>
#include <QTreeView>

#include "app/language_window.h"
#include "dialog_driver.h"
#include "settings/text_table.h"
#include "settings/ui_texts.h"
#include "support/hist_input_dialog.h"
#include "support/qt_dialogs.h"
#include "support/timed_input_dialog.h"

using spurwerk::testing::DialogDriver;
namespace gui = spurwerk::gui;

namespace {

QStringList Lines(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QString text = QString::fromUtf8(file.readAll());
    QStringList lines = text.split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

void WriteLines(const QString& path, const QStringList& lines) {
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write((lines.join("\r\n") + "\r\n").toUtf8());
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void TimedDialogCountsDownOnAnInjectedClock();
    void TimedMessageReturnsWhetherTimeWasLeft();
    void HistoryDialogKeepsItsRules();
    void MessageBoxButtonsGiveTheirResults();
    void DialogsHaveNoTitleBarButtons();
    void FolderChooserShowsItsPromptAboveTheFolders();
};

void DialogsTest::TimedDialogCountsDownOnAnInjectedClock() {
    std::int64_t now = 0;
    gui::QtDialogs dialogs;
    dialogs.SetTimedClock([&now] { return now; });
    gui::TimedInputDialog& window = dialogs.TimedInputWindow();

    bool red = false, paused = false;
    QString shownAt3s;
    DialogDriver driver;
    driver.Then("FormTimedInput", [&](QWidget* w) {
        auto* panel = w->findChild<QFrame*>("PanelRemaining");
        auto* seconds = w->findChild<QLabel*>("LabelRemainingTimeMsec");
        now = 5000;  // 3 s left
        window.Tick();
        shownAt3s = seconds->text();
        red = panel->palette().color(QPalette::Window) == QColor(255, 0, 0);
        QTest::mouseClick(seconds, Qt::LeftButton);  // pause
        paused = seconds->text() == "(gestoppt)" && !window.Countdown().Running();
        now = 100000;
        window.Tick();
        QTest::mouseClick(seconds, Qt::LeftButton);  // resume: at least 10 s again
        w->findChild<QAbstractButton*>("ButtonCancel")->setFocus();
        now = 109900;
        window.Tick();
        now = 110000;
        window.Tick();  // time-out with Cancel focused
    });
    spurwerk::TimedInputRequest request;
    request.buttons = spurwerk::TimedOk | spurwerk::TimedCancel;
    request.caption = "Eingabe";
    request.message = "Name?";
    request.showInput = true;
    request.input = "SONG";
    request.timeoutMs = 8000;
    request.defaultResult = spurwerk::ResultOk;
    int result = dialogs.TimedInput(request);
    QVERIFY(driver.Done());
    QCOMPARE(shownAt3s, QString("3"));
    QVERIFY(red);
    QVERIFY(paused);
    QCOMPARE(result, int(spurwerk::ResultCancel));
    QCOMPARE(request.input, std::string("SONG"));  // unchanged after Cancel
    QVERIFY(request.timeoutMs <= 0);

    // A time-out with the input focused gives the default and the edited text.
    // The box opens ready for typing, and a long prompt is readable to its end.
    bool selected = false, fits = false;
    driver.Then("FormTimedInput", [&](QWidget* w) {
        auto* edit = w->findChild<QLineEdit*>("MEInput");
        selected = edit->selectedText() == edit->text();
        auto* label = w->findChild<QLabel*>("LabelMessage");
        fits = label->height() >= label->heightForWidth(label->width());
        edit->setFocus();
        edit->setText("NEW");
        now += 20000;
        window.Tick();
    });
    request.timeoutMs = 3000;
    request.defaultResult = spurwerk::ResultOk;
    request.focusInput = true;
    request.message = "Der WAV-Dateiname ist zu lang:\r\n\r\n\"GITARRE_AKUSTIK.WAV\" in Track 3 hat mehr als 8 Zeichen "
                      "vor der Erweiterung.\r\nWird autom. gekürzt! - Oder: Geben Sie einen neuen WAV-Dateinamen mit "
                      "max. 8 Zeichen ein!";
    QCOMPARE(dialogs.TimedInput(request), int(spurwerk::ResultOk));
    QCOMPARE(request.input, std::string("NEW"));
    QVERIFY(selected);
    QVERIFY(fits);

    // Closed by the window system: Cancel.
    driver.Then("FormTimedInput", [](QWidget* w) { w->close(); });
    request.timeoutMs = 0;
    QCOMPARE(dialogs.TimedInput(request), int(spurwerk::ResultCancel));
    QVERIFY(driver.Unexpected().isEmpty());
}

void DialogsTest::TimedMessageReturnsWhetherTimeWasLeft() {
    std::int64_t now = 0;
    gui::QtDialogs dialogs;
    dialogs.SetTimedClock([&now] { return now; });
    DialogDriver driver;
    driver.Then("FormTimedInput", DialogDriver::ClickNamed("ButtonOk"));
    QVERIFY(dialogs.TimedMessage("saved", 3000));
    driver.Then("FormTimedInput", [&](QWidget*) {
        now += 3000;
        dialogs.TimedInputWindow().Tick();
    });
    QVERIFY(!dialogs.TimedMessage("saved", 3000));
    QVERIFY(driver.Done());
}

void DialogsTest::HistoryDialogKeepsItsRules() {
    QTemporaryDir dir;
    QString his = dir.filePath("Test.HIS");
    QString existing = dir.filePath("exists.ZDT");
    WriteLines(existing, {"x"});
    WriteLines(his, {"first", "second", "Third", existing});
    gui::QtDialogs dialogs;
    DialogDriver driver;

    spurwerk::HistInputRequest request;
    request.histFile = his.toStdString();
    request.caption = "ZDT-Datei:";
    request.prompt = "ZDT-Datei öffnen:";
    request.showNonExistent = true;

    // The dialog shows the list and the count of missing entries.
    QString firstShown, countText;
    bool deleteEnabled = false;
    driver.Then("FormHistInput", [&](QWidget* w) {
        auto* box = w->findChild<QComboBox*>("CBInput");
        firstShown = box->currentText();
        countText = w->findChild<QLabel*>("LabelNonExistentFileItems")->text();
        deleteEnabled = w->findChild<QAbstractButton*>("ButtonDeleteNonExistentFileItems")->isEnabled();
        box->setEditText("THIRD");
        w->findChild<QAbstractButton*>("OKBtn")->click();
    });
    spurwerk::HistInputResult result = dialogs.InputHist(request);
    QVERIFY(driver.Done());
    QCOMPARE(firstShown, QString("first"));
    QCOMPARE(countText, QString("3 nicht-existente Einträge:"));
    QVERIFY(deleteEnabled);
    QCOMPARE(QString::fromStdString(result.text), QString("THIRD"));
    QCOMPARE(Lines(his), QStringList({"THIRD", "first", "second", existing}));

    // Cancel gives nothing and adds nothing.
    driver.Then("FormHistInput", DialogDriver::ClickNamed("CancelBtn"));
    result = dialogs.InputHist(request);
    QVERIFY(result.cancelled);
    QVERIFY(result.text.empty());
    QCOMPARE(Lines(his).size(), 4);

    // The browse button, then Cancel in the file dialog: empty, nothing added.
    request.isFileInput = true;
    request.filter = "ZDT-Dateien (*PRJ*.ZDT)|*PRJ*.ZDT|Alle Dateien (*.*)|*.*";
    driver.Then("FormHistInput", DialogDriver::ClickNamed("ButtonIgnore"))
        .Then("OpenDialog1", DialogDriver::CancelDialog());
    QVERIFY(dialogs.InputHist(request).text.empty());
    QVERIFY(driver.Done());
    QCOMPARE(Lines(his).size(), 4);

    // Deleting the missing entries keeps only the existing file.
    driver.Then("FormHistInput", [](QWidget* w) {
        w->findChild<QAbstractButton*>("ButtonDeleteNonExistentFileItems")->click();
        w->findChild<QAbstractButton*>("CancelBtn")->click();
    });
    dialogs.InputHist(request);
    QCOMPARE(Lines(his), QStringList({existing}));

    // A file that must exist: OK with a missing one is refused with a message.
    request.mustExist = true;
    driver.Then("FormHistInput", [&](QWidget* w) {
        w->findChild<QComboBox*>("CBInput")->setEditText(dir.filePath("nope.ZDT"));
        w->findChild<QAbstractButton*>("OKBtn")->click();
    });
    driver.Then("", DialogDriver::Click("OK"));  // the not-found message
    driver.Then("FormHistInput", DialogDriver::EnterHist(existing));
    QCOMPARE(QString::fromStdString(dialogs.InputHist(request).text), existing);
    QVERIFY(driver.Done());
    QVERIFY(driver.Seen()[driver.Seen().size() - 2].endsWith("nope.ZDT\" wurde nicht gefunden!"));
    QVERIFY(driver.Unexpected().isEmpty());
    QCOMPARE(gui::QtNameFilters(request.filter), QStringList({"ZDT-Dateien (*PRJ*.ZDT)", "Alle Dateien (*.*)"}));
}

void DialogsTest::MessageBoxButtonsGiveTheirResults() {
    gui::QtDialogs dialogs;
    DialogDriver driver;
    driver.Then("MessageBox", DialogDriver::Click("Nein"))
        .Then("MessageBox", DialogDriver::Click("Ja, alle"))
        .Then("MessageBox", DialogDriver::CancelDialog());
    QCOMPARE(dialogs.Message("?", spurwerk::MessageButtons::YesNoCancel), int(spurwerk::ResultNo));
    QCOMPARE(dialogs.Message("?", spurwerk::MessageButtons::YesNoYesToAll), int(spurwerk::ResultYesToAll));
    QCOMPARE(dialogs.Message("?", spurwerk::MessageButtons::YesNoCancel), int(spurwerk::ResultCancel));
    QVERIFY(driver.Done());

    // The captions come from the language in use.
    spurwerk::SetUiTxt(spurwerk::UiText::MessageNoToAll, "N&o to all");
    driver.Then("MessageBox", DialogDriver::Click("No to all"));
    QCOMPARE(dialogs.Message("?", spurwerk::MessageButtons::YesNoNoToAllYesToAll), int(spurwerk::ResultNoToAll));
    QVERIFY(driver.Done());
    spurwerk::InitResStrArr();
}

void DialogsTest::DialogsHaveNoTitleBarButtons() {
    gui::QtDialogs dialogs;
    gui::LanguageWindow language;
    for (QWidget* w : std::initializer_list<QWidget*>{&dialogs.TimedInputWindow(), &language}) {
        Qt::WindowFlags flags = w->windowFlags();
        QCOMPARE(w->windowType(), Qt::Dialog);
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
    }
}

void DialogsTest::FolderChooserShowsItsPromptAboveTheFolders() {
    QTemporaryDir dir;
    gui::QtDialogs dialogs;
    QString prompt, title;
    int promptBottom = -1, treeTop = -1;
    DialogDriver driver;
    driver.Then("FolderChooser", [&](QWidget* w) {
        title = w->windowTitle();
        auto* label = w->findChild<QLabel*>("LabelPrompt");
        auto* tree = w->findChild<QTreeView*>();
        if (label && tree && label->isVisible()) {
            prompt = label->text();
            promptBottom = label->mapTo(w, QPoint(0, label->height())).y();
            treeTop = tree->mapTo(w, QPoint(0, 0)).y();
        }
        qobject_cast<QDialog*>(w)->reject();
    });
    QCOMPARE(dialogs.SelectFolder("Projekt-Serie erstellen!\r\nGeben Sie ein Root-Verzeichnis an:", dir.path().toStdString()),
             std::string());
    QVERIFY(driver.Done());
    QCOMPARE(prompt, QString("Projekt-Serie erstellen!\nGeben Sie ein Root-Verzeichnis an:"));
    QCOMPARE(title, QString("Projekt-Serie erstellen!"));
    QVERIFY2(promptBottom >= 0 && promptBottom <= treeTop, qPrintable(QString("%1 %2").arg(promptBottom).arg(treeTop)));
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
