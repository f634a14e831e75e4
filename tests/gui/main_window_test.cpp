// The main window driven as a user drives it: start-up, languages, loading,
// comparing, saving, closing and window positions.

#include "dialog_driver.h"
#include "gui_fixture.h"
#include "mainwin/hex_view.h"
#include "support/general_info_window.h"
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
    QVERIFY(app.Main().windowTitle().endsWith("PRJDATA_VorlageR16.ZDT"));
    auto* load = Find<QAbstractButton>(&app.Main(), "ButtonLoadZDTFile");
    QCOMPARE(load->text(), QString("&Open  Zoom project   (ZDT file)"));

    // The series window's preview is made from the user's values in the language in use.
    gui::FormProjSerie& serie = app.ProjSerie();
    const QString base = QDir::toNativeSeparators(f.Path("card")) + QDir::separator();
    Find<QLineEdit>(&serie, "EditBaseDirSerie")->setText(base);
    Find<QSpinBox>(&serie, "SESerieStart")->setValue(5);
    driver.Then("FormGeneralInfo", DialogDriver::CancelDialog());  // shown after a choice in the box
    DialogDriver::ChooseLanguage("Deutsch")(&app.Main());
    QCOMPARE(load->text(), QString("&Öffne  Zoom-Projekt   (ZDT-Datei)"));
    QCOMPARE(Find<QLabel>(&serie, "LabelSubDirsVon")->text(), "Von \"" + base + "PROJ005" + QDir::separator() + "\"");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Abbrechen"));
}

void MainWindowTest::LoadCompareAndOpenAnother() {
    GuiFixture f;
    f.WriteFile("A.ZDT", GuiFixture::ProjectBytes(3332));
    QByteArray shorter = GuiFixture::ProjectBytes(100);
    shorter[5] = 'x';
    f.WriteFile("B.ZDT", shorter);
    DialogDriver driver;
    gui::SpurwerkApp& app = f.StartQuiet({f.Path("A.ZDT")});
    QCOMPARE(app.Main().windowTitle(), f.Path("A.ZDT"));
    app.State().doc.WriteZDTByte(7, 0xEE);
    driver.Then("FormHistInput", DialogDriver::EnterHist(f.Path("B.ZDT")));
    Find<QPushButton>(&app.Main(), "ButtonCompToZDTFile")->click();
    QCOMPARE(Find<QLabel>(&app.Main(), "LabelDiffBytes")->text(), QString("2 B."));  // byte 5 and the written 7
    QVERIFY(Find<QFrame>(&app.Main(), "PanelTop")->toolTip().contains(f.Path("B.ZDT")));

    // Another file opens at its first line.
    QScrollBar* bar = app.Main().HexScrollArea()->verticalScrollBar();
    bar->setValue(bar->maximum());
    QVERIFY(bar->value() > 0);
    app.State().doc.MarkSaved();
    app.Main().OpenFiles({f.Path("B.ZDT")}, 184);
    QCOMPARE(bar->value(), 0);
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
    driver.Then("FormHistInput", DialogDriver::EnterHist(f.Path("Other.ZDT"))).Then("FormTimedInput", confirm);
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
    auto placeOf = [](QWidget& w) { return QRect(w.pos(), w.size()); };
    QCOMPARE(placeOf(app.Main()), QRect(area.left, area.top, 400, 300));
    QCOMPARE(placeOf(app.FileList()), QRect(area.left + area.width - 300, area.top + area.height - 200, 300, 200));
    app.GeneralInfo().show();
    app.FileList().show();
    QCoreApplication::processEvents();
    // Frames included: the title bar and the edges stay on the screen too; a size
    // no screen has is limited to the available area.
    const QRect screen(area.left, area.top, area.width, area.height);
    for (QWidget* window : std::initializer_list<QWidget*>{&app.Main(), &app.FileList(), &app.GeneralInfo()})
        QVERIFY2(screen.contains(window->frameGeometry()), qPrintable(window->objectName()));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
