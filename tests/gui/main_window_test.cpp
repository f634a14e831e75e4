// The main window driven as a user drives it: start-up, languages, loading,
// comparing, saving, closing and window positions.

#include "dialog_driver.h"
#include "gui_fixture.h"
#include "mainwin/hex_view.h"
#include "support/general_info_window.h"
#include "support/multi_line_button.h"
#include "support/widget_components.h"

using spurwerk::testing::DialogDriver;
using spurwerk::testing::Find;
using spurwerk::testing::GuiFixture;
using spurwerk::testing::QuietOptions;
namespace gui = spurwerk::gui;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void FirstStartAsksLanguageThatReachesEveryWindow();
    void LoadCompareAndOpenAnother();
    void QuickSaveButtons();
    void ClosingWithUnsavedChanges();
    void CtrlZAfterAFaderDragPutsFaderAndDifferenceCountBack();
    void AFileThatIsNoProjectIsShownWithAWarning();
    void WindowPositionsRestoredOntoTheScreen();
};

void MainWindowTest::FirstStartAsksLanguageThatReachesEveryWindow() {
    GuiFixture f;
    DialogDriver driver;
    driver.Then("FormLanguage", DialogDriver::ChooseLanguage("English"))
        .Then("FormGeneralInfo", DialogDriver::CancelDialog());
    gui::SpurwerkApp& app = f.Start();
    QVERIFY2(driver.Done(), qPrintable(driver.Unexpected().join("; ")));
    QCOMPARE(app.State().doc.ZDTData().size(), f.ReadFile("PRJDATA_VorlageR16.ZDT").size());
    QVERIFY(app.Main().windowTitle().endsWith("PRJDATA_VorlageR16.ZDT"));
    auto* load = Find<QAbstractButton>(&app.Main(), "ButtonLoadZDTFile");
    QCOMPARE(load->text(), QString("&Open  Zoom project   (ZDT file)"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
    QVERIFY(Find<QCheckBox>(&app.Main(), "CBUseInfoFiles")->toolTip().startsWith("Project name files"));
    const std::string allStrip = "LabelTrackNr_" + std::to_string(app.State().mainOptions.ActMaxTrackIdx + 1);
    QCOMPARE(qobject_cast<QLabel*>(app.Ctrls().Widget(allStrip))->text(), QString("All/Bk1/Bk2"));

    // The series window's preview is made from the user's values in the language in use.
    gui::FormProjSerie& serie = app.ProjSerie();
    const QString base = QDir::toNativeSeparators(f.Path("card")) + QDir::separator();
    Find<QLineEdit>(&serie, "EditBaseDirSerie")->setText(base);
    Find<QSpinBox>(&serie, "SESerieStart")->setValue(5);
    driver.Then("FormGeneralInfo", DialogDriver::CancelDialog());  // shown after a choice in the box
    DialogDriver::ChooseLanguage("Deutsch")(&app.Main());
    QVERIFY(driver.Done());
    QCOMPARE(load->text(), QString("&Öffne  Zoom-Projekt   (ZDT-Datei)"));
    QCOMPARE(Find<QLineEdit>(&serie, "EditBaseDirSerie")->text(), base);
    QCOMPARE(Find<QLabel>(&serie, "LabelSubDirsVon")->text(), "Von \"" + base + "PROJ005" + QDir::separator() + "\"");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Abbrechen"));
    QVERIFY2(driver.Unexpected().isEmpty(), qPrintable(driver.Unexpected().join("; ")));
}

void MainWindowTest::LoadCompareAndOpenAnother() {
    GuiFixture f;
    f.WriteFile("A.ZDT", GuiFixture::ProjectBytes(3332));
    QByteArray shorter = GuiFixture::ProjectBytes(100);
    shorter[5] = 'x';
    f.WriteFile("B.ZDT", shorter);
    DialogDriver driver;
    gui::SpurwerkApp& app = f.StartQuiet({f.Path("A.ZDT")});
    auto* diff = Find<QLabel>(&app.Main(), "LabelDiffBytes");
    QCOMPARE(app.Main().windowTitle(), f.Path("A.ZDT"));
    app.State().doc.WriteZDTByte(7, 0xEE);
    driver.Then("FormHistInput", DialogDriver::EnterHist(f.Path("B.ZDT")));
    Find<QPushButton>(&app.Main(), "ButtonCompToZDTFile")->click();
    QVERIFY(driver.Done());
    QCOMPARE(diff->text(), QString("2 B."));  // byte 5 and the written byte 7
    QVERIFY(Find<QFrame>(&app.Main(), "PanelTop")->toolTip().contains(f.Path("B.ZDT")));

    // Another file opens at its first line.
    QScrollBar* bar = app.Main().HexScrollArea()->verticalScrollBar();
    bar->setValue(bar->maximum());
    QVERIFY(bar->value() > 0);
    app.State().doc.MarkSaved();
    app.Main().OpenFiles({f.Path("B.ZDT")}, 184);
    QCOMPARE(bar->value(), 0);
    QVERIFY(driver.Unexpected().isEmpty());
}

void MainWindowTest::QuickSaveButtons() {
    GuiFixture f;
    DialogDriver driver;
    gui::SpurwerkApp& app = f.StartQuiet();  // the template: no name to save under
    app.State().doc.WriteZDTByte(60, 0x42);
    auto* save = Find<QPushButton>(&app.Main(), "ButtonQuickSaveLoadedZDTFile");
    auto* saveAs = Find<QPushButton>(&app.Main(), "ButtonQuickSaveLoadedZDTFileAs");

    // A name without extension gets ".ZDT"; it is then the quick-save target.
    driver.Then("FormHistInput", DialogDriver::EnterHist(f.Path("New")))
        .Then("FormTimedInput", DialogDriver::ClickNamed("ButtonOk"));
    save->click();
    QVERIFY(driver.Done());
    QCOMPARE(f.ReadFile("New.ZDT").size(), qsizetype(app.State().doc.ZDTData().size()));
    QCOMPARE(f.ReadFile("New.ZDT")[60], char(0x42));
    QVERIFY(!app.State().doc.DataChanged());
    app.State().doc.WriteZDTByte(61, 0x43);
    driver.Then("FormTimedInput", DialogDriver::ClickNamed("ButtonOk"));
    save->click();
    QVERIFY(driver.Done());
    QCOMPARE(f.ReadFile("New.ZDT")[61], char(0x43));

    // "unter ..." asks for a name all the same.
    driver.Then("FormHistInput", DialogDriver::EnterHist(f.Path("Other.ZDT")))
        .Then("FormTimedInput", DialogDriver::ClickNamed("ButtonOk"));
    saveAs->click();
    QVERIFY(driver.Done());
    QCOMPARE(f.ReadFile("Other.ZDT"), f.ReadFile("New.ZDT"));
    QVERIFY2(driver.Unexpected().isEmpty(), qPrintable(driver.Unexpected().join("; ")));
}

void MainWindowTest::ClosingWithUnsavedChanges() {
    GuiFixture f;
    f.WriteFile("A.ZDT", GuiFixture::ProjectBytes(3332));
    f.WriteFile("Spurwerk.INI", "[Options]\r\nLanguageIndex=1\r\n");
    DialogDriver driver;
    driver.Then("FormGeneralInfo", DialogDriver::CancelDialog());
    gui::SpurwerkApp& app = f.Start({f.Path("A.ZDT")});
    QVERIFY(driver.Done());
    app.State().doc.WriteZDTByte(10, 1);
    app.State().doc.MarkChanged();

    driver.Then("MessageBox", DialogDriver::Click("Abbrechen"));
    QVERIFY(!app.Main().close());
    QVERIFY(driver.Done());

    // Not saved; with the box on, closing writes the options and the positions
    // (the missing position file is announced).
    driver.Then("MessageBox", DialogDriver::Click("Nein")).Then("MessageBox", DialogDriver::Click("OK"));
    QVERIFY(app.Main().close());
    QVERIFY(driver.Done());
    QCOMPARE(f.ReadFile("A.ZDT"), GuiFixture::ProjectBytes(3332));
    QVERIFY(f.ReadFile("Spurwerk.INI").contains("SaveOptionsOnExit=1"));
    QVERIFY(f.ReadFile("Spurwerk_WindowPositions.INI").contains("[Window_FormCtrls]"));
    QVERIFY(driver.Unexpected().isEmpty());
}

void MainWindowTest::CtrlZAfterAFaderDragPutsFaderAndDifferenceCountBack() {
    GuiFixture f;
    f.WriteFile("A.ZDT", GuiFixture::ProjectBytes(3332));
    DialogDriver driver;
    gui::SpurwerkApp& app = f.StartQuiet({f.Path("A.ZDT")});
    auto* diff = Find<QLabel>(&app.Main(), "LabelDiffBytes");
    auto* fader = Find<QSlider>(&app.Ctrls(), "TBFader_2");
    int before = fader->value();
    app.Main().Hex()->RepaintAll();
    QString loaded = diff->text();  // filling the mixer may already have written clamped values
    app.Ctrls().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&app.Ctrls()));
    QTest::mouseClick(fader, Qt::LeftButton, {}, QPoint(fader->width() / 2, fader->height() / 2));
    QVERIFY(fader->value() != before);
    app.Main().Hex()->RepaintAll();
    QCOMPARE(diff->text(), QString("%1 B.").arg(loaded.split(' ').first().toInt() + 1));
    QVERIFY(Find<QFrame>(&app.Main(), "PanelTop")->toolTip().contains("Fader Track 2"));

    QTest::keyClick(fader, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(fader->value(), before);
    QCOMPARE(diff->text(), loaded);
    QVERIFY(driver.Unexpected().isEmpty());
}

void MainWindowTest::AFileThatIsNoProjectIsShownWithAWarning() {
    GuiFixture f;
    QByteArray wav = GuiFixture::ProjectBytes(4000);
    wav.replace(0, 4, "RIFF");
    f.WriteFile("SONG.WAV", wav);
    DialogDriver driver;
    gui::SpurwerkApp& app = f.StartQuiet({f.Path("SONG.WAV")});
    QCOMPARE(app.State().doc.ZDTData().size(), std::size_t(4000));  // shown all the same
    QVERIFY(app.Main().NotAProjectLabel()->isVisibleTo(&app.Main()));
    QCOMPARE(Find<QLabel>(&app.Ctrls(), "LabelLoadedZDTFile2")->text(), app.Main().NotAProjectLabel()->text());
    QVERIFY(driver.Unexpected().isEmpty());
}

void MainWindowTest::WindowPositionsRestoredOntoTheScreen() {
    GuiFixture f;
    f.WriteFile("Spurwerk.INI", QuietOptions);
    f.WriteFile("Spurwerk_WindowPositions.INI",
                "[Window_FormMain]\r\nLeft=-500\r\nTop=-10\r\nWidth=400\r\nHeight=300\r\n"
                "[Window_FormFileList]\r\nLeft=5000\r\nTop=2000\r\nWidth=300\r\nHeight=200\r\n"
                "[Window_FormGeneralInfo]\r\nLeft=10\r\nTop=10\r\nWidth=100000\r\nHeight=100000\r\n");
    DialogDriver driver;
    gui::SpurwerkApp& app = f.Start();
    spurwerk::ScreenSize area = gui::PrimaryScreenSize();
    QCOMPARE(app.Main().pos(), QPoint(area.left, area.top));
    QCOMPARE(app.Main().size(), QSize(400, 300));
    QCOMPARE(app.FileList().pos(), QPoint(area.left + area.width - 300, area.top + area.height - 200));
    QCOMPARE(app.FileList().size(), QSize(300, 200));
    // A size no screen has is limited to the available area.
    QVERIFY(app.GeneralInfo().width() <= area.width && app.GeneralInfo().height() <= area.height);
    app.GeneralInfo().show();
    app.FileList().show();
    QCoreApplication::processEvents();
    // Frames included: the title bar and the edges stay on the screen too.
    const QRect screen(area.left, area.top, area.width, area.height);
    for (QWidget* window : std::initializer_list<QWidget*>{&app.Main(), &app.FileList(), &app.GeneralInfo()})
        QVERIFY2(screen.contains(window->frameGeometry()), qPrintable(window->objectName()));
    QVERIFY(driver.Unexpected().isEmpty());
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
