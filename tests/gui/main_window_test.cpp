// The main window driven as a user drives it: start-up, languages, loading,
// comparing, saving, closing and window positions; and the timed dialog, the
// history dialog and message boxes as real widgets.

#include <QComboBox>
#include <QSignalSpy>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#ifdef __linux__
#include <sched.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif
#endif

#include "dialog_driver.h"
#include "gui_fixture.h"
#include "mainwin/hex_view.h"
#include "project/hex_layout.h"
#include "settings/language_choice.h"
#include "settings/ui_texts.h"
#include "support/font_files.h"
#include "support/general_info_window.h"
#include "support/heap_warmup.h"
#include "support/qt_dialogs.h"
#include "support/thread_beside.h"
#include "support/timed_input_dialog.h"
#include "support/widget_components.h"

using namespace spurwerk;
using namespace spurwerk::testing;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void FirstStartAsksLanguageThatReachesEveryWindow();
    void SecondaryWindowsWaitForFirstUseAndKeepTheirSavedValues();
    void LoadCompareAndOpenAnother();
    void QuickSaveButtons();
    void ClosingWithUnsavedChanges();
    void AFileChangedBehindTheWindowIsNeverOverwrittenWithoutTheQuestion();
    void CtrlZAfterAFaderDragPutsFaderAndDifferenceCountBack();
    void TheHexViewPaintsEveryRowOfTheAreaAskedAndNoMore();
    void TimedDialogAndMessageBoxGiveTheirButtons();
    void HistoryDialogGivesTheTextAndKeepsTheList();
    void TheStartLeavesAsideOnlyType1FontFilesWithATwin();
    void TheStartsWorkerBeginsOnAnotherCoreAndIsWaitedFor();
    void TheStartsHeapIsPresentBeforeItIsTouched();
};

void MainWindowTest::FirstStartAsksLanguageThatReachesEveryWindow() {
    GuiFixture f;
    DialogDriver driver;
    driver.Then("FormLanguage", DialogDriver::ChooseLanguage("English"))
        .Then("FormGeneralInfo", DialogDriver::CancelDialog());
    // Saved positions are pulled onto the screen, frames included; a size no screen has is limited.
    f.WriteFile("Spurwerk_WindowPositions.INI",
                "[Window_FormMain]\r\nLeft=-500\r\nTop=-10\r\nWidth=400\r\nHeight=300\r\n"
                "[Window_FormGeneralInfo]\r\nLeft=10\r\nTop=10\r\nWidth=100000\r\nHeight=100000\r\n");
    gui::SpurwerkApp& app = f.Start();
    const ScreenSize area = gui::PrimaryScreenSize();
    QCOMPARE(QRect(app.Main().pos(), app.Main().size()), QRect(area.left, area.top, 400, 300));
    app.GeneralInfo().show();
    QCoreApplication::processEvents();
    const QRect screen(area.left, area.top, area.width, area.height);
    QVERIFY(screen.contains(app.Main().frameGeometry()));
    QVERIFY(screen.contains(app.GeneralInfo().frameGeometry()));
    app.GeneralInfo().hide();
    QVERIFY(app.Main().windowTitle().endsWith("PRJDATA_VorlageR16.ZDT[*]"));
    auto* load = Find<QAbstractButton>(&app.Main(), "ButtonLoadZDTFile");
    QCOMPARE(load->text(), QString("&Open  Zoom project   (ZDT file)"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));

    // The series window's preview is made from the user's values in the language in use.
    gui::FormProjSerie& serie = app.ProjSerie();
    const QString base = QDir::toNativeSeparators(f.Path("card")) + QDir::separator();
    Find<QLineEdit>(&serie, "EditBaseDirSerie")->setText(base);
    Find<QSpinBox>(&serie, "SESerieStart")->setValue(5);
    driver.Then("FormGeneralInfo", DialogDriver::CancelDialog());  // shown after a choice in the box
    DialogDriver::ChooseLanguage("Deutsch")(&app.Main());
    QCOMPARE(load->text(), QString("&Öffne  Zoom-Projekt   (ZDT-Datei)"));
    QCOMPARE(Find<QLabel>(&serie, "LabelSubDirsVon")->text(),
             "Von \"" + base + "PROJ005" + QDir::separator() + "\"");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Abbrechen"));
}

void MainWindowTest::SecondaryWindowsWaitForFirstUseAndKeepTheirSavedValues() {
    GuiFixture f;
    const QByteArray windowOptions =
        "[FormProjSerie]\r\nSerieCount=42\r\nSerieStart=7\r\n"
        "[FormFileList]\r\nSortReverse=1\r\nFontSize=13\r\n";
    // English, wherever the folder listing puts it in the language box.
    const std::vector<std::string> languages = InitCBLanguage(f.Path("Spurwerk_GUI.INI").toStdString());
    const auto english = std::find(languages.begin(), languages.end(), "English") - languages.begin();
    f.WriteFile("Spurwerk.INI", "[Options]\r\nLanguageIndex=" + QByteArray::number(english) +
                                    "\r\nSaveOptionsOnExit=1\r\n[FormGeneralInfo]\r\nShowGeneralInfoAtProgStart=0\r\n" +
                                    windowOptions);
    f.WriteFile("Spurwerk_WindowPositions.INI", "[Window_FormFileList]\r\nLeft=33\r\nTop=44\r\nWidth=500\r\nHeight=300\r\n");
    gui::SpurwerkApp& app = f.Start();
    auto built = [&app] {
        return std::vector<bool>{app.BuiltFileList() != nullptr, app.BuiltProjSerie() != nullptr,
                                 app.BuiltGeneralInfo() != nullptr, app.BuiltLanguage() != nullptr};
    };
    QCOMPARE(built(), std::vector<bool>(4, false));

    // Closing saves what was read for the windows never opened, their positions untouched.
    QVERIFY(app.Main().close());
    QCOMPARE(built(), std::vector<bool>(4, false));
    const QByteArray ini = f.ReadFile("Spurwerk.INI");
    for (const char* value : {"SerieCount=42", "SerieStart=7", "SortReverse=1", "FontSize=13",
                              "ShowGeneralInfoAtProgStart=0"})
        QVERIFY2(ini.contains(value), value);
    QVERIFY(f.ReadFile("Spurwerk_WindowPositions.INI").contains("[Window_FormFileList]\r\nLeft=33\r\nTop=44\r\n"));
    QVERIFY(!f.ReadFile("Spurwerk_WindowPositions.INI").contains("FormProjSerie"));

    // Built late, a window shows those values, its position and the language in use.
    gui::FormFileList& list = app.FileList();
    QCOMPARE(QRect(list.pos(), list.size()), QRect(33, 44, 500, 300));
    QVERIFY(Find<QCheckBox>(&list, "CBSortReverse")->isChecked());
    QCOMPARE(Find<QSpinBox>(&list, "SEFontSize")->value(), 13);
    QCOMPARE(Find<QCheckBox>(&list, "CBSortReverse")->text(), QString("reversed"));
    gui::FormProjSerie& serie = app.ProjSerie();
    QCOMPARE(Find<QSpinBox>(&serie, "SESerieCount")->value(), 42);
    QCOMPARE(Find<QLabel>(&serie, "LabelSerieCount")->text(), QString("Number of projects:"));
    QVERIFY(!Find<QCheckBox>(&app.GeneralInfo(), "CBShowGeneralInfoAtProgStart")->isChecked());
    QVERIFY(!Find<QPlainTextEdit>(&app.GeneralInfo(), "MemoGeneralInfo")->toPlainText().isEmpty());
    QCOMPARE(built(), std::vector<bool>({true, true, true, false}));
}

void MainWindowTest::LoadCompareAndOpenAnother() {
    GuiFixture f;
    f.WriteFile("A.ZDT", GuiFixture::ProjectBytes(3332));
    QByteArray shorter = GuiFixture::ProjectBytes(100);
    shorter[5] = 'x';
    f.WriteFile("B.ZDT", shorter);
    DialogDriver driver;
    gui::SpurwerkApp& app = f.StartQuiet({f.Path("A.ZDT")});
    // The title bars show unsaved changes with the desktop's modified mark.
    auto titles = [&app] { return QStringList{app.Main().windowHandle()->title(), app.Ctrls().windowHandle()->title()}; };
    const QString mixerTitle = QString::fromStdString(UiTxt(UiText::TitleMixer));
    QCOMPARE(titles(), QStringList({f.Path("A.ZDT"), mixerTitle}));
    app.State().doc.WriteZDTByte(7, 0xEE);
    QCOMPARE(titles(), QStringList({f.Path("A.ZDT") + "*", mixerTitle + "*"}));
    driver.Then("FormHistInput", DialogDriver::EnterHist(f.Path("B.ZDT")));
    Find<QPushButton>(&app.Main(), "ButtonCompToZDTFile")->click();
    QCOMPARE(Find<QLabel>(&app.Main(), "LabelDiffBytes")->text(), QString("2 B."));  // bytes 5 and 7
    // Every later write counts, though no paint covers the whole grid.
    app.State().doc.WriteZDTByte(9, 0xEE);
    QCoreApplication::processEvents();
    QCOMPARE(Find<QLabel>(&app.Main(), "LabelDiffBytes")->text(), QString("3 B."));
    app.State().doc.WriteZDTByte(9, 9);
    QCOMPARE(Find<QLabel>(&app.Main(), "LabelDiffBytes")->text(), QString("2 B."));
    QVERIFY(Find<QFrame>(&app.Main(), "PanelTop")->toolTip().contains(f.Path("B.ZDT")));

    // Another file opens at its first line; one that is no project is shown all
    // the same, with a warning in both windows.
    QScrollBar* bar = app.Main().HexScrollArea()->verticalScrollBar();
    bar->setValue(bar->maximum());
    QVERIFY(bar->value() > 0);
    app.State().doc.MarkSaved();
    QVERIFY(!app.Main().isWindowModified() && !app.Ctrls().isWindowModified());
    // Loading fills the mixer once: its WAV list is cleared and filled one time.
    QSignalSpy fills(Find<QComboBox>(&app.Ctrls(), "CBAudioFilesAss")->model(), &QAbstractItemModel::rowsRemoved);
    app.Main().OpenFiles({f.Path("A.ZDT")}, 184);
    QCOMPARE(fills.count(), 1);
    QByteArray wav = GuiFixture::ProjectBytes(4000);
    wav.replace(0, 4, "RIFF");
    f.WriteFile("SONG.WAV", wav);
    app.Main().OpenFiles({f.Path("SONG.WAV")}, 184);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(app.State().doc.ZDTData().size(), std::size_t(4000));
    QLabel* warning = app.Main().NotAProjectLabel();
    QVERIFY(warning->isVisibleTo(&app.Main()));
    QCOMPARE(Find<QLabel>(&app.Ctrls(), "LabelLoadedZDTFile2")->text(), warning->text());
}

void MainWindowTest::QuickSaveButtons() {
    GuiFixture f;
    DialogDriver driver;
    gui::SpurwerkApp& app = f.StartQuiet();  // the template: no name to save under
    app.State().doc.WriteZDTByte(60, 0x42);
    auto* save = Find<QPushButton>(&app.Main(), "ButtonQuickSaveLoadedZDTFile");
    const auto confirm = DialogDriver::ClickNamed("ButtonOk");

    // A name without extension gets ".ZDT"; it is then the quick-save target.
    driver.Then("FormHistInput", DialogDriver::EnterHist(f.Path("New"))).Then("FormTimedInput", confirm);
    save->click();
    QCOMPARE(f.ReadFile("New.ZDT")[60], char(0x42));
    app.State().doc.WriteZDTByte(61, 0x43);
    driver.Then("FormTimedInput", confirm);
    save->click();
    QCOMPARE(f.ReadFile("New.ZDT")[61], char(0x43));

    // "unter ..." asks for a name all the same.
    driver.Then("FormHistInput", DialogDriver::EnterHist(f.Path("Other.ZDT")));
    driver.Then("FormTimedInput", confirm);
    Find<QPushButton>(&app.Main(), "ButtonQuickSaveLoadedZDTFileAs")->click();
    QCOMPARE(f.ReadFile("Other.ZDT"), f.ReadFile("New.ZDT"));
}

void MainWindowTest::ClosingWithUnsavedChanges() {
    GuiFixture f;
    f.WriteFile("A.ZDT", GuiFixture::ProjectBytes(3332));
    f.WriteFile("Spurwerk.INI", "[Options]\r\nLanguageIndex=1\r\n");
    DialogDriver driver;
    driver.Then("FormGeneralInfo", DialogDriver::CancelDialog());
    gui::SpurwerkApp& app = f.Start({f.Path("A.ZDT")});
    app.State().doc.WriteZDTByte(10, 1);
    app.State().doc.MarkChanged();
    driver.Then("MessageBox", DialogDriver::Answer(QMessageBox::Cancel));
    QVERIFY(!app.Main().close());

    // Not saved; with the box on, closing writes the options and the positions
    // (the missing position file is announced).
    driver.Then("MessageBox", DialogDriver::Answer(QMessageBox::No))
        .Then("MessageBox", DialogDriver::Answer(QMessageBox::Ok));
    QVERIFY(app.Main().close());
    QCOMPARE(f.ReadFile("A.ZDT"), GuiFixture::ProjectBytes(3332));
    QVERIFY(f.ReadFile("Spurwerk.INI").contains("SaveOptionsOnExit=1"));
    QVERIFY(f.ReadFile("Spurwerk_WindowPositions.INI").contains("[Window_FormCtrls]"));
}

void MainWindowTest::AFileChangedBehindTheWindowIsNeverOverwrittenWithoutTheQuestion() {
    GuiFixture f;
    f.WriteFile("A.ZDT", GuiFixture::ProjectBytes(3332));
    DialogDriver driver;
    gui::SpurwerkApp& app = f.StartQuiet({f.Path("A.ZDT")});
    // Idle first, as a user's program is: a language change still pending from
    // the start would give the question's buttons Qt's own captions.
    QCoreApplication::processEvents();
    auto* save = Find<QPushButton>(&app.Main(), "ButtonQuickSaveLoadedZDTFile");
    auto* fader = Find<QSlider>(&app.Ctrls(), "TBFader_2");
    app.Ctrls().activateWindow();  // before any change behind its back: coming to the front asks
    QVERIFY(QTest::qWaitForWindowActive(&app.Ctrls()));
    const QString file = QString::fromStdString(app.State().session.LoadedZDTFileName);
    // Another program writes the file; byte 40 tells whose bytes the file holds.
    auto writeBehind = [&](char mark) {
        QByteArray other = GuiFixture::ProjectBytes(3332);
        other[40] = mark;
        f.WriteFile("A.ZDT", other);
    };
    auto moveFader = [&] {
        const int before = fader->value();
        QTest::mouseClick(fader, Qt::LeftButton, {}, QPoint(fader->width() / 2, fader->height() / 2));
        QVERIFY(fader->value() != before);
        QVERIFY(app.State().doc.DataChanged());
    };
    QStringList questions, buttons;
    auto answer = [&](QMessageBox::StandardButton button) {
        return [&, button](QWidget* widget) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            questions << box->text();
            buttons << box->button(QMessageBox::Yes)->text() + "|" + box->button(QMessageBox::No)->text();
            box->button(button)->click();
        };
    };

    // Save: the question; Cancel writes nothing.
    moveFader();
    writeBehind(char(0x11));
    driver.Then("MessageBox", answer(QMessageBox::Cancel));
    save->click();
    QCOMPARE(f.ReadFile("A.ZDT")[40], char(0x11));
    QCOMPARE(questions.size(), 1);
    QVERIFY(questions[0].contains(file));
    // The captions of the language in use, not the box's Yes and No.
    QCOMPARE(buttons[0], QString::fromStdString(UiTxt(UiText::ExternalChangeReload) + "|" +
                                                UiTxt(UiText::ExternalChangeOverwrite)));
    QVERIFY(!buttons[0].contains("Yes") && !buttons[0].contains("Ja"));

    // Coming to the front asks about a new change only; Reload takes the file.
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    QCOMPARE(questions.size(), 1);
    writeBehind(char(0x22));
    driver.Then("MessageBox", answer(QMessageBox::Yes));
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    QCOMPARE(questions.size(), 2);
    QCOMPARE(app.State().doc.ReadByte(40), 0x22);
    QVERIFY(!app.State().doc.DataChanged());

    // Overwrite: the window's bytes, fader included, replace the file.
    moveFader();
    writeBehind(char(0x33));
    driver.Then("MessageBox", answer(QMessageBox::No));
    driver.willing = true;  // confirms the saved message
    save->click();
    QCOMPARE(questions.size(), 3);
    const QByteArray saved = f.ReadFile("A.ZDT");
    QCOMPARE(saved[40], char(0x22));
    QCOMPARE(saved, QByteArray(reinterpret_cast<const char*>(app.State().doc.ZDTData().data()),
                               static_cast<int>(app.State().doc.ZDTData().size())));
    QVERIFY(driver.Done());
    // The three questions and no other (the saved message may show more than once).
    QCOMPARE(driver.Seen().filter(QRegularExpression("^MessageBox")).size(), 3);
}

void MainWindowTest::CtrlZAfterAFaderDragPutsFaderAndDifferenceCountBack() {
    GuiFixture f;
    f.WriteFile("A.ZDT", GuiFixture::ProjectBytes(3332));
    DialogDriver driver;
    gui::SpurwerkApp& app = f.StartQuiet({f.Path("A.ZDT")});
    auto* diff = Find<QLabel>(&app.Main(), "LabelDiffBytes");
    auto* fader = Find<QSlider>(&app.Ctrls(), "TBFader_2");
    const int before = fader->value();
    app.Main().Hex()->RepaintAll();
    const QString loaded = diff->text();  // filling the mixer may already have written clamped values
    app.Ctrls().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&app.Ctrls()));
    QTest::mouseClick(fader, Qt::LeftButton, {}, QPoint(fader->width() / 2, fader->height() / 2));
    QVERIFY(fader->value() != before);
    app.Main().Hex()->RepaintAll();
    QCOMPARE(diff->text(), QString("%1 B.").arg(loaded.split(' ').first().toInt() + 1));
    QVERIFY(Find<QFrame>(&app.Main(), "PanelTop")->toolTip().contains("Track 2: Fader"));

    QTest::keyClick(fader, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(fader->value(), before);
    QCOMPARE(diff->text(), loaded);
}

void MainWindowTest::TheHexViewPaintsEveryRowOfTheAreaAskedAndNoMore() {
    GuiFixture f;
    const std::size_t size = 3332;  // 208 rows and 4 bytes
    f.WriteFile("A.ZDT", GuiFixture::ProjectBytes(static_cast<int>(size)));
    DialogDriver driver;
    gui::SpurwerkApp& app = f.StartQuiet({f.Path("A.ZDT")});
    // Every byte differs from the comparison: each painted cell is yellow.
    Bytes other = app.State().doc.ZDTData();
    for (auto& b : other) b = static_cast<std::uint8_t>(~b);
    app.State().doc.ReplaceCompareData(other);
    gui::HexView* hex = app.Main().Hex();
    const int row = hex->RowHeight();
    auto count = [](const QImage& image, QRect area, auto wanted) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) n += wanted(image.pixelColor(x, y));
        return n;
    };
    auto yellow = [](QColor c) { return c == QColor(255, 255, 0); };
    auto blue = [](QColor c) { return c.blue() > c.red() + 60; };
    // Areas that begin and end inside a row, a single row, the last rows.
    for (QRect area : {QRect(0, row / 2, 360, 3 * row), QRect(0, 10 * row, 360, row), QRect(0, 207 * row + 3, 360, 3 * row)}) {
        const QImage bytes = hex->ByteBox()->grab(area).toImage();
        for (std::size_t i = 0; i < size + 16; ++i) {
            QRect cell = QRect(HexCellX(i, gui::HexView::FontPoints) + 1, HexCellY(i, row), 8, row).intersected(area);
            if (cell.isEmpty()) continue;
            QVERIFY2((count(bytes, cell.translated(-area.topLeft()), yellow) > 0) == (i < size), qPrintable(QString::number(i)));
        }
        const QImage addresses = hex->AddressBox()->grab(QRect(0, area.top(), 48, area.height())).toImage();
        for (int r = area.top() / row; r * row <= area.bottom(); ++r) {
            QRect line = QRect(0, r * row, 48, row).intersected(area).translated(0, -area.top());
            if (line.height() < row) continue;  // glyphs of a row cut off may miss it
            QVERIFY2((count(addresses, line, blue) > 0) == (r * 16 < static_cast<int>(size)), qPrintable(QString::number(r)));
        }
    }
    // The same bytes in the other states: equal green on white, beyond the
    // comparison purple on white.
    const Bytes& data = app.State().doc.ZDTData();
    app.State().doc.ReplaceCompareData(Bytes(data.begin(), data.begin() + size / 2));
    auto green = [](QColor c) { return c.green() > c.red() + 60 && c.green() > c.blue() + 60; };
    auto purple = [](QColor c) { return c.red() > c.green() + 60 && c.blue() > c.green() + 60; };
    for (auto [r, equal] : {std::pair{0, true}, std::pair{150, false}}) {
        const QImage line = hex->ByteBox()->grab(QRect(0, r * row, 360, row)).toImage();
        QCOMPARE(count(line, line.rect(), yellow), 0);
        QVERIFY2((count(line, line.rect(), green) > 0) == equal, qPrintable(QString::number(r)));
        QVERIFY2((count(line, line.rect(), purple) > 0) == !equal, qPrintable(QString::number(r)));
    }
}

void MainWindowTest::TimedDialogAndMessageBoxGiveTheirButtons() {
    std::int64_t now = 0;
    gui::QtDialogs dialogs;
    dialogs.SetTimedClock([&now] { return now; });
    TimedInputRequest request{.buttons = TimedOk | TimedCancel, .caption = {}, .message = {}, .editMask = {},
                              .showInput = true, .input = "SONG", .timeoutMs = 8000};
    DialogDriver driver;
    driver.Then("FormTimedInput", DialogDriver::ClickNamed("ButtonCancel"));
    QCOMPARE(dialogs.TimedInput(request), int(ResultCancel));
    QCOMPARE(request.input, std::string("SONG"));

    // A time-out with the input focused gives the default and the edited text.
    driver.Then("FormTimedInput", [&](QWidget* w) {
        w->findChild<QLineEdit*>("MEInput")->setText("NEW");
        now += 20000;
        dialogs.TimedInputWindow().Tick();
    });
    request.focusInput = true;
    QCOMPARE(dialogs.TimedInput(request), int(ResultOk));
    QCOMPARE(request.input, std::string("NEW"));

    // Closed by the window system: Cancel.
    driver.Then("FormTimedInput", [](QWidget* w) { w->close(); });
    QCOMPARE(dialogs.TimedInput(request), int(ResultCancel));

    driver.Then("MessageBox", DialogDriver::Answer(QMessageBox::YesToAll))
        .Then("MessageBox", DialogDriver::CancelDialog());
    QCOMPARE(dialogs.Message("?", MessageButtons::YesNoYesToAll), int(ResultYesToAll));
    QCOMPARE(dialogs.Message("?", MessageButtons::YesNoCancel), int(ResultCancel));
}

void MainWindowTest::HistoryDialogGivesTheTextAndKeepsTheList() {
    GuiFixture f;
    const QString existing = f.Path("exists.ZDT");
    f.WriteFile("exists.ZDT", "");
    f.WriteFile("Test.HIS", ("first\r\nsecond\r\n" + existing + "\r\n").toUtf8());
    auto lines = [&f] { return QString::fromUtf8(f.ReadFile("Test.HIS")).split("\r\n", Qt::SkipEmptyParts); };
    gui::QtDialogs dialogs;
    HistInputRequest request;
    request.histFile = f.Path("Test.HIS").toStdString();
    request.showNonExistent = true;

    QString countText;
    DialogDriver driver;
    driver.Then("FormHistInput", [&](QWidget* w) {
        countText = w->findChild<QLabel*>("LabelNonExistentFileItems")->text();
        DialogDriver::EnterHist("THIRD")(w);
    });
    QCOMPARE(QString::fromStdString(dialogs.InputHist(request).text), QString("THIRD"));
    QVERIFY(countText.startsWith("2 "));  // the missing first and second
    QCOMPARE(lines(), QStringList({"THIRD", "first", "second", existing}));

    // Deleting the missing entries keeps only the existing file.
    driver.Then("FormHistInput", [](QWidget* w) {
        w->findChild<QAbstractButton*>("ButtonDeleteNonExistentFileItems")->click();
        w->findChild<QAbstractButton*>("CancelBtn")->click();
    });
    dialogs.InputHist(request);
    QCOMPARE(lines(), QStringList({existing}));
}

void MainWindowTest::TheStartLeavesAsideOnlyType1FontFilesWithATwin() {
    using gui::FontFace;
    const std::vector<FontFace> faces = {
        {"/t1/Sans-Regular.t1", "Sans-Regular", "Type 1"},    // twin in CFF below
        {"/X11/Sans-Regular.pfb", "Sans-Regular", "Type 1"},  // a second copy: also aside
        {"/otf/Sans-Regular.otf", "Sans-Regular", "CFF"},
        {"/t1/Sans-Bold.t1", "Sans-Bold", "Type 1"},          // twin in TrueType below
        {"/ttf/Sans-Bold.ttf", "Sans-Bold", "TrueType"},
        {"/t1/Mono-Bold.t1", "Mono-Bold", "Type 1"},          // only as Type 1: kept
        {"/t1/Odd*.t1", "Sans-Regular", "Type 1"},            // a glob character: kept
        {"/t1/Unnamed.t1", "", "Type 1"},                     // no name: no twin known
        {"/otf/Unnamed.otf", "", "CFF"},
    };
    QCOMPARE(gui::Type1FilesWithTwins(faces),
             (std::vector<std::string>{"/t1/Sans-Regular.t1", "/X11/Sans-Regular.pfb", "/t1/Sans-Bold.t1"}));

    // On this machine, through fontconfig: the Type 1 copies go, nothing else.
    const std::vector<FontFace> before = gui::InstalledFontFaces();
    const std::vector<std::string> aside = gui::Type1FilesWithTwins(before);
    if (aside.empty()) QSKIP("no Type 1 font here has an OpenType or TrueType twin (fonts-urw-base35 has both)");
    gui::SkipType1FontsWithTwins();
    const std::vector<FontFace> after = gui::InstalledFontFaces();
    QVERIFY(gui::Type1FilesWithTwins(after).empty());
    for (const FontFace& face : after)
        QVERIFY2(std::find(aside.begin(), aside.end(), face.file) == aside.end(), face.file.c_str());
    QCOMPARE(after.size(), before.size() - aside.size());
}

void MainWindowTest::TheStartsWorkerBeginsOnAnotherCoreAndIsWaitedFor() {
    // Join waits for the work, whatever it takes; a thread joined once joins again at once.
    std::atomic<bool> done = false;
#ifdef __linux__
    cpu_set_t parents, inWork;
    QCOMPARE(sched_getaffinity(0, sizeof parents, &parents), 0);
    CPU_ZERO(&inWork);
#endif
    gui::ThreadBeside worker("spurwerk-test", [&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
#ifdef __linux__
        sched_getaffinity(0, sizeof inWork, &inWork);
#endif
        done = true;
    });
    worker.Join();
    QVERIFY(done);
    worker.Join();
#ifdef __linux__
    // Begun on the other cores, it may go anywhere again once running.
    QVERIFY(CPU_EQUAL(&inWork, &parents));
    if (CPU_COUNT(&parents) < 2) QSKIP("one core only: no other core to begin the worker on");
    QVERIFY(worker.BeganElsewhere());
#endif
}

void MainWindowTest::TheStartsHeapIsPresentBeforeItIsTouched() {
#if defined(__GLIBC__) && defined(__linux__)
    void* probe = mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    const bool canPopulate = probe != MAP_FAILED && madvise(probe, 4096, MADV_POPULATE_WRITE) == 0;
    if (probe != MAP_FAILED) munmap(probe, 4096);
    if (!canPopulate) QSKIP("this kernel cannot make pages present in one call (Linux 5.14 and later can)");
    // What the allocation after a reservation costs in page faults on first
    // touch, the region made present or not. Negative: -1 no region, -2 not
    // made present, -3 the allocation lay elsewhere, -4 a huge region off its
    // boundary. The blocks stay taken until all are measured, so none is
    // another's region again.
    struct Case {
        std::size_t bytes;
        bool present, otherThread;
    };
    const std::vector<Case> cases = {
        {1 << 20, true, false}, {1 << 20, false, false}, {2 << 20, true, false},  // this thread's heap
        {1 << 20, true, true},  {1 << 20, false, true},                           // a new thread's
    };
    auto faultsAfter = [](const Case& c, std::vector<void*>& taken) -> long {
        const gui::HeapRegion region = gui::ReserveHeap(c.bytes);
        if (region.length < c.bytes - 2 * 4096) return -1;
        const auto start = reinterpret_cast<std::uintptr_t>(region.start);
        if (c.bytes >= (2u << 20) && start % (2u << 20) != 0) return -4;
        if (c.present && !gui::MakePagesPresent(region)) return -2;
        auto* block = static_cast<char*>(std::malloc(region.length - 4096));
        taken.push_back(block);
        char* const first = static_cast<char*>(region.start);
        if (!block || block + 4096 < first || block + 4096 >= first + region.length) return -3;
        rusage before{}, after{};
        getrusage(RUSAGE_THREAD, &before);
        for (char* page = first; page + 4096 <= block + region.length - 4096; page += 4096) *page = 1;
        getrusage(RUSAGE_THREAD, &after);
        return after.ru_minflt - before.ru_minflt;
    };
    // In a child process: there every page of the heap is fresh to it or
    // shared with the parent until written, so a first write costs a fault
    // either way, whatever the tests before left in the heap.
    int pipeEnds[2];
    QCOMPARE(pipe(pipeEnds), 0);
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        std::vector<long> results(cases.size());
        std::vector<void*> taken;
        for (std::size_t i = 0; i < cases.size(); ++i)
            if (!cases[i].otherThread) results[i] = faultsAfter(cases[i], taken);
        std::thread([&] {
            std::vector<void*> own;
            for (std::size_t i = 0; i < cases.size(); ++i)
                if (cases[i].otherThread) results[i] = faultsAfter(cases[i], own);
            for (void* block : own) std::free(block);
        }).join();
        for (void* block : taken) std::free(block);
        const auto size = static_cast<ssize_t>(results.size() * sizeof(long));
        _exit(write(pipeEnds[1], results.data(), size) == size ? 0 : 1);
    }
    close(pipeEnds[1]);
    std::vector<long> results(cases.size());
    const auto size = static_cast<ssize_t>(results.size() * sizeof(long));
    const bool read = ::read(pipeEnds[0], results.data(), size) == size;
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    QVERIFY(read && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const QString what = QString("%1 KB on %2, %3: %4 faults")
                                 .arg(c.bytes / 1024)
                                 .arg(c.otherThread ? "a new thread" : "this thread")
                                 .arg(c.present ? "made present" : "touched")
                                 .arg(results[i]);
        QVERIFY2(c.present ? results[i] >= 0 && results[i] < 8 : results[i] > 100, qPrintable(what));
    }
#else
    QSKIP("the heap is made present only with glibc on Linux");
#endif
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
