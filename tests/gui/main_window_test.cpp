// The main window driven as a user drives it: start-up, loading, comparing,
// hints, quick save, closing, languages and window positions.

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QTest>

#include "app/app_state.h"
#include "app/main_window.h"
#include "dialog_driver.h"
#include "gui_fixture.h"
#include "lists/form_file_list.h"
#include "lists/form_proj_serie.h"
#include "mainwin/hex_view.h"
#include "mixer/form_ctrls.h"
#include "project/hex_layout.h"
#include "settings/text_table.h"
#include "support/general_info_window.h"
#include "support/instant_hints.h"
#include "support/multi_line_button.h"
#include "support/widget_components.h"
#include "window_tour.h"

using spurwerk::testing::DialogDriver;
using spurwerk::testing::Find;
using spurwerk::testing::GuiFixture;
namespace gui = spurwerk::gui;

namespace {

const char* QuietOptions =
    "[Options]\r\nLanguageIndex=1\r\n[FormGeneralInfo]\r\nShowGeneralInfoAtProgStart=0\r\n";

// Whether the cell of byte i shows `text` colour somewhere and has `back` as background.
bool CellShows(gui::HexView* view, std::size_t i, QColor text, QColor back) {
    QImage image = view->ByteBox()->grab().toImage();
    QRect cell(spurwerk::HexCellX(i, 8), spurwerk::HexCellY(i, view->RowHeight()), 12, view->RowHeight());
    bool hasText = false, hasBack = false;
    for (int y = cell.top(); y < cell.bottom(); ++y)
        for (int x = cell.left(); x < cell.right(); ++x) {
            QColor c = image.pixelColor(x, y);
            hasText |= c == text;
            hasBack |= c == back;
        }
    return hasText && hasBack;
}

const QColor Green(0, 128, 0), Red(255, 0, 0), Yellow(255, 255, 0), Purple(128, 0, 128), White(255, 255, 255);

void Hover(gui::HexView* view, std::size_t index) {
    QPoint pos(spurwerk::HexCellX(index, 8) + 3, spurwerk::HexCellY(index, view->RowHeight()) + 3);
    QMouseEvent move(QEvent::MouseMove, pos, view->ByteBox()->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(view->ByteBox(), &move);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void FirstStartAsksLanguageAndShowsTheTemplate();
    void R24OptionLoadsTheR24Template();
    void LoadCompareAndColours();
    void HintAtFirstAndLastByte();
    void QuickSaveWithAndWithoutName();
    void ClosingWithUnsavedChanges();
    void CtrlZAfterAFaderDragPutsFaderAndDifferenceCountBack();
    void AFileThatIsNoProjectIsShownWithAWarning();
    void WindowPositionsRestoredOntoTheScreen();
    void LanguageKeepsUserDataAndReachesEveryText();
    void HexViewOpensANewFileAtItsFirstLine();
    void CaptionsFitTheirWidgetsInBothLanguages();
};

void MainWindowTest::FirstStartAsksLanguageAndShowsTheTemplate() {
    GuiFixture f;
    DialogDriver driver;
    driver.Then("FormLanguage", DialogDriver::ChooseLanguage("English"))
        .Then("FormGeneralInfo", DialogDriver::CancelDialog());
    gui::SpurwerkApp& app = f.Start();
    QVERIFY2(driver.Done(), qPrintable(driver.Unexpected().join("; ")));
    QVERIFY(driver.Unexpected().isEmpty());

    gui::AppState& state = app.State();
    QVERIFY(state.doc.IsProject());
    QCOMPARE(state.doc.ZDTData().size(), f.ReadFile("PRJDATA_VorlageR16.ZDT").size());
    QVERIFY(state.doc.LoadedZDTFileName.empty());
    QVERIFY(app.Main().windowTitle().endsWith("PRJDATA_VorlageR16.ZDT"));
    auto* languageBox = app.Main().LanguageBox();
    QCOMPARE(languageBox->itemText(0), QString("Sprache / language"));
    QCOMPARE(state.mainOptions.LanguageIndex, languageBox->findText("English"));
    QCOMPARE(languageBox->currentIndex(), 0);
    QCOMPARE(languageBox->parentWidget()->objectName(), QString("PanelTop"));

    // English captions and hints, then back to German by the box itself.
    auto* load = Find<QAbstractButton>(&app.Main(), "ButtonLoadZDTFile");
    auto* copy = Find<QAbstractButton>(&app.Main(), "ButtonCopyAProjectFromTo");
    QCOMPARE(load->text(), QString("&Open  Zoom project   (ZDT file)"));
    QCOMPARE(copy->toolTip(), QString("Copy all files of the project (audio files included) to ..."));
    QVERIFY(Find<QCheckBox>(&app.Main(), "CBUseInfoFiles")->toolTip().startsWith("Project name files"));

    driver.Then("FormGeneralInfo", DialogDriver::CancelDialog());  // shown after a choice in the box
    int german = languageBox->findText("Deutsch");
    languageBox->setCurrentIndex(german);
    emit languageBox->activated(german);
    QVERIFY(driver.Done());
    QCOMPARE(load->text(), QString("&Öffne  Zoom-Projekt   (ZDT-Datei)"));
    QCOMPARE(copy->toolTip(), QString("Alle Dateien des Projektes (incl. Audio-Files) kopieren nach ..."));
    QCOMPARE(state.mainOptions.LanguageIndex, german);
    QCOMPARE(languageBox->currentIndex(), 0);
}

void MainWindowTest::R24OptionLoadsTheR24Template() {
    GuiFixture f;
    QByteArray r24 = GuiFixture::ProjectBytes(3400);
    r24[0] = 0x24;
    f.WriteFile("PRJDATA_VorlageR24.ZDT", r24);
    f.WriteFile("Spurwerk.INI", "[Options]\r\nDevIsZoomR24=1\r\nLanguageIndex=1\r\n"
                                "[FormGeneralInfo]\r\nShowGeneralInfoAtProgStart=0\r\n");
    DialogDriver driver;
    driver.Then("MessageBox", DialogDriver::Click("OK"));  // the mixer's warning: R24 with the R16 layout
    gui::SpurwerkApp& app = f.Start();
    QVERIFY2(driver.Unexpected().isEmpty(), qPrintable(driver.Unexpected().join("; ")));
    QCOMPARE(app.State().doc.ZDTData().size(), std::size_t(3400));
    QCOMPARE(app.State().doc.ZDTData()[0], std::uint8_t(0x24));
    QVERIFY(app.State().doc.LoadedZDTFileName.empty());
}

void MainWindowTest::LoadCompareAndColours() {
    GuiFixture f;
    f.WriteFile("Spurwerk.INI", QuietOptions);
    f.WriteFile("A.ZDT", GuiFixture::ProjectBytes(3332));
    QByteArray shorter = GuiFixture::ProjectBytes(100);
    shorter[5] = 'x';
    f.WriteFile("B.ZDT", shorter);
    DialogDriver driver;
    gui::SpurwerkApp& app = f.Start({f.Path("A.ZDT")});
    gui::HexView* hex = app.Main().Hex();
    auto* diff = Find<QLabel>(&app.Main(), "LabelDiffBytes");
    QCOMPARE(QString::fromStdString(app.State().doc.LoadedZDTFileName), f.Path("A.ZDT"));
    QCOMPARE(diff->text(), QString("0 B."));
    QVERIFY(CellShows(hex, 7, Green, White));
    QCOMPARE(Find<QFrame>(&app.Main(), "PanelTop")->toolTip(),
             QString::fromStdString(spurwerk::Txt(130)) + "   " + f.Path("A.ZDT"));

    // A write turns just its cell red on yellow at once.
    app.State().doc.WriteZDTByte(7, 0xEE);
    QTest::qWait(20);
    QVERIFY(CellShows(hex, 7, Red, Yellow));

    driver.Then("FormHistInput", DialogDriver::EnterHist(f.Path("B.ZDT")));
    app.Main().ButtonCompToZDTFileClick();
    QVERIFY(driver.Done());
    QCOMPARE(QString::fromStdString(app.State().doc.CompareZDTFileName), f.Path("B.ZDT"));
    QCOMPARE(diff->text(), QString("2 B."));  // byte 5 and the written byte 7
    QVERIFY(CellShows(hex, 5, Red, Yellow));
    QVERIFY(CellShows(hex, 100, Purple, White));
    QVERIFY(CellShows(hex, 3331, Purple, White));
    QString hint = Find<QFrame>(&app.Main(), "PanelTop")->toolTip();
    QCOMPARE(hint, QString::fromStdString(spurwerk::Txt(132)) + "   " + f.Path("A.ZDT") + "\n" +
                       QString::fromStdString(spurwerk::Txt(133)) + "   " + f.Path("B.ZDT") + "\n" +
                       QString::fromStdString(spurwerk::Txt(296)));  // the write can be undone

    // An unreadable comparison file keeps the old comparison.
    driver.Then("FormHistInput", DialogDriver::EnterHist(f.Path("missing.ZDT")))
        .Then("MessageBox", DialogDriver::Click("OK"));
    app.Main().ButtonCompToZDTFileClick();
    QVERIFY(driver.Done());
    QCOMPARE(QString::fromStdString(app.State().doc.CompareZDTFileName), f.Path("B.ZDT"));
    QCOMPARE(app.State().doc.CompareData().size(), std::size_t(100));
    QVERIFY(driver.Unexpected().isEmpty());
}

void MainWindowTest::CtrlZAfterAFaderDragPutsFaderAndDifferenceCountBack() {
    GuiFixture f;
    f.WriteFile("Spurwerk.INI", QuietOptions);
    f.WriteFile("A.ZDT", GuiFixture::ProjectBytes(3332));
    DialogDriver driver;
    gui::SpurwerkApp& app = f.Start({f.Path("A.ZDT")});
    auto* diff = Find<QLabel>(&app.Main(), "LabelDiffBytes");
    auto* fader = Find<QSlider>(&app.Ctrls(), "TBFader_2");
    int before = fader->value();
    app.Main().Hex()->RepaintAll();
    QString loaded = diff->text();  // filling the mixer may already have written clamped values
    QString oneMore = QString("%1 B.").arg(loaded.split(' ').first().toInt() + 1);
    app.Ctrls().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&app.Ctrls()));
    QTest::mousePress(fader, Qt::LeftButton, {}, QPoint(fader->width() / 2, fader->height() / 2));
    QTest::mouseRelease(fader, Qt::LeftButton, {}, QPoint(fader->width() / 2, fader->height() / 2));
    QVERIFY(fader->value() != before);
    app.Main().Hex()->RepaintAll();
    QCOMPARE(diff->text(), oneMore);
    QVERIFY(Find<QFrame>(&app.Main(), "PanelTop")->toolTip().contains("Fader Track 2"));

    QTest::keyClick(fader, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(fader->value(), before);
    QCOMPARE(diff->text(), loaded);
    QVERIFY(!app.State().doc.DataChanged());
    QTest::keyClick(fader, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(fader->value() != before);
    QCOMPARE(diff->text(), oneMore);
    QVERIFY(driver.Unexpected().isEmpty());
}

void MainWindowTest::AFileThatIsNoProjectIsShownWithAWarning() {
    GuiFixture f;
    f.WriteFile("Spurwerk.INI", QuietOptions);
    QByteArray wav = GuiFixture::ProjectBytes(4000);
    wav.replace(0, 4, "RIFF");
    f.WriteFile("SONG.WAV", wav);
    DialogDriver driver;
    gui::SpurwerkApp& app = f.Start({f.Path("SONG.WAV")});
    QCOMPARE(app.State().doc.ZDTData().size(), std::size_t(4000));  // shown all the same
    QLabel* warning = app.Main().NotAProjectLabel();
    QVERIFY(warning->isVisibleTo(&app.Main()));
    QCOMPARE(warning->text(), QString::fromStdString(spurwerk::Txt(300)));
    QCOMPARE(warning->palette().color(QPalette::WindowText), Red);
    auto* infoLine = Find<QLabel>(&app.Ctrls(), "LabelLoadedZDTFile2");
    QCOMPARE(infoLine->text(), warning->text());
    QCOMPARE(infoLine->palette().color(QPalette::WindowText), Red);
    QVERIFY(driver.Unexpected().isEmpty());
}

void MainWindowTest::HintAtFirstAndLastByte() {
    GuiFixture f;
    f.WriteFile("Spurwerk.INI", QuietOptions);
    DialogDriver driver;
    gui::SpurwerkApp& app = f.Start();
    gui::HexView* hex = app.Main().Hex();
    Hover(hex, 0);
    QVERIFY(hex->CurrentHint().startsWith("Idx=0 ($0000):      1B. = "));
    QVERIFY(!hex->CurrentHint().contains("(TB"));
    QCOMPARE(hex->ByteBox()->toolTip(), hex->CurrentHint());
    std::size_t last = app.State().doc.ZDTData().size() - 1;
    Hover(hex, last);
    QVERIFY(hex->CurrentHint().startsWith(QString("Idx=%1 ").arg(last)));
    QVERIFY(hex->CurrentHint().contains("2B. = 0 ($0000)      4B. = 0 ($00000000)"));
    QVERIFY(hex->CurrentHint().contains("(8B.-Str. = \"        \")"));
    Hover(hex, 104);  // the fader of track 3
    QVERIFY(hex->CurrentHint().endsWith("\n\n(TBFader_3)"));
    QVERIFY(driver.Unexpected().isEmpty());
}

void MainWindowTest::QuickSaveWithAndWithoutName() {
    GuiFixture f;
    f.WriteFile("Spurwerk.INI", QuietOptions);
    f.WriteFile("Other.ZDT", "other");
    DialogDriver driver;
    gui::SpurwerkApp& app = f.Start();  // the template: no name to save under
    app.State().doc.WriteZDTByte(60, 0x42);
    app.State().doc.MarkChanged();

    // Without a name it asks; an existing other file needs a Yes.
    driver.Then("FormHistInput", DialogDriver::EnterHist(f.Path("Other.ZDT")))
        .Then("MessageBox", DialogDriver::Click("Nein"));
    app.Main().ButtonQuickSaveClick(false);
    QVERIFY(driver.Done());
    QCOMPARE(f.ReadFile("Other.ZDT"), QByteArray("other"));
    QVERIFY(app.State().doc.DataChanged());

    driver.Then("FormHistInput", DialogDriver::EnterHist(f.Path("Other.ZDT")))
        .Then("MessageBox", DialogDriver::Click("Ja"))
        .Then("FormTimedInput", DialogDriver::ClickNamed("ButtonOk"));
    app.Main().ButtonQuickSaveClick(true);
    QVERIFY(driver.Done());
    QCOMPARE(f.ReadFile("Other.ZDT").size(), qsizetype(app.State().doc.ZDTData().size()));
    QCOMPARE(f.ReadFile("Other.ZDT")[60], char(0x42));
    QVERIFY(!app.State().doc.DataChanged());
    QVERIFY(driver.Seen().join("|").contains(QString::fromStdString(spurwerk::Txt(140))));

    // The saved name is now the quick-save target: no question; a name
    // without extension gets ".ZDT".
    app.State().doc.WriteZDTByte(61, 0x43);
    driver.Then("FormTimedInput", DialogDriver::ClickNamed("ButtonOk"));
    app.Main().ButtonQuickSaveClick(false);
    QVERIFY(driver.Done());
    QCOMPARE(f.ReadFile("Other.ZDT")[61], char(0x43));
    driver.Then("FormHistInput", DialogDriver::EnterHist(f.Path("New")))
        .Then("FormTimedInput", DialogDriver::ClickNamed("ButtonOk"));
    app.Main().ButtonQuickSaveClick(true);
    QVERIFY(driver.Done());
    QVERIFY(f.Exists("New.ZDT"));
    QVERIFY2(driver.Unexpected().isEmpty(), qPrintable(driver.Unexpected().join("; ")));
    // The ZDT history remembers what was entered.
    QVERIFY(f.ReadFile("Spurwerk_ZDTFile.HIS").startsWith(f.Path("New").toUtf8()));
}

void MainWindowTest::ClosingWithUnsavedChanges() {
    GuiFixture f;
    f.WriteFile("A.ZDT", GuiFixture::ProjectBytes(3332));
    DialogDriver driver;
    driver.Then("FormLanguage", DialogDriver::ChooseLanguage("Deutsch"))
        .Then("FormGeneralInfo", DialogDriver::CancelDialog());
    gui::SpurwerkApp& app = f.Start({f.Path("A.ZDT")});
    QVERIFY(driver.Done());
    app.State().doc.WriteZDTByte(10, 1);
    app.State().doc.MarkChanged();
    Find<QCheckBox>(&app.Main(), "CBSaveOptionsOnExit")->setChecked(false);

    driver.Then("MessageBox", DialogDriver::Click("Abbrechen"));
    QVERIFY(!app.Main().close());
    QVERIFY(app.Main().isVisible());
    QVERIFY(driver.Done());
    QVERIFY(driver.Seen().last().contains("Daten wurden geändert! - Änderungen in \"" + f.Path("A.ZDT") +
                                          "\" speichern?"));

    driver.Then("MessageBox", DialogDriver::Click("Nein"));
    QVERIFY(app.Main().close());
    QVERIFY(driver.Done());
    QCOMPARE(f.ReadFile("A.ZDT"), GuiFixture::ProjectBytes(3332));  // not saved
    QVERIFY(!f.Exists("Spurwerk.INI"));
    QVERIFY(!f.Exists("Spurwerk_WindowPositions.INI"));
    f.Stop();

    // With the box on, closing writes the options and the positions (the
    // missing position file is announced once).
    DialogDriver& second = driver;
    second.Then("FormGeneralInfo", DialogDriver::CancelDialog());
    f.WriteFile("Spurwerk.INI", "[Options]\r\nLanguageIndex=1\r\n");
    gui::SpurwerkApp& again = f.Start();
    QVERIFY(second.Done());
    second.Then("MessageBox", DialogDriver::Click("OK"));
    QVERIFY(again.Main().close());
    QVERIFY(second.Done());
    QVERIFY(second.Seen().last().contains("nicht gefunden - Wird neu angelegt !!"));
    QVERIFY(f.ReadFile("Spurwerk.INI").contains("SaveOptionsOnExit=1"));
    QByteArray positions = f.ReadFile("Spurwerk_WindowPositions.INI");
    for (const char* section : {"[Window_FormMain]", "[Window_FormCtrls]", "[Window_FormFileList]",
                                "[Window_FormProjSerie]", "[Window_FormGeneralInfo]"})
        QVERIFY2(positions.contains(section), section);
    QVERIFY(second.Unexpected().isEmpty());
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

namespace {

void ChooseInBox(QComboBox* box, const QString& language) {
    int index = box->findText(language);
    box->setCurrentIndex(index);
    emit box->activated(index);
}

}  // namespace

void MainWindowTest::LanguageKeepsUserDataAndReachesEveryText() {
    GuiFixture f;
    QDir().mkpath(f.Path("card"));
    const QString base = QDir::toNativeSeparators(f.Path("card")) + QDir::separator();
    f.WriteFile("Spurwerk.INI", "[Options]\r\nLanguageIndex=1\r\n[FormProjSerie]\r\nBaseDirSerie=" + base.toUtf8() +
                                    "\r\nSerieCount=3\r\nSerieStart=5\r\n"
                                    "[FormGeneralInfo]\r\nShowGeneralInfoAtProgStart=0\r\n");
    DialogDriver driver;
    gui::SpurwerkApp& app = f.Start();
    gui::FormProjSerie& serie = app.ProjSerie();
    for (const char* language : {"English", "Deutsch", "English"}) {
        driver.Then("FormGeneralInfo", DialogDriver::CancelDialog());
        ChooseInBox(app.Main().LanguageBox(), language);
        QVERIFY(driver.Done());
    }
    // The user's folder, prefix and numbers stay; the previews are recomputed in English.
    QCOMPARE(Find<QLineEdit>(&serie, "EditBaseDirSerie")->text(), base);
    QCOMPARE(Find<QLineEdit>(&serie, "EditBaseSubDirs")->text(), QString("PROJ"));
    QCOMPARE(Find<QLineEdit>(&app.FileList(), "EditListDTFormat")->text(), QString("dd.mm.yyyy hh:nn:ss"));
    const QString sep = QDir::separator();
    QCOMPARE(Find<QLabel>(&serie, "LabelSubDirsVon")->text(), "From \"" + base + "PROJ005" + sep + "\"");
    QCOMPARE(Find<QLabel>(&serie, "LabelSubDirsBis")->text(), "to \"" + base + "PROJ007" + sep + "\"");
    app.Main().ButtonSaveZDTFileSerieClick();
    QCOMPARE(Find<QPushButton>(&serie, "ButtonOk")->text(), QString("Create projects! ..."));
    const std::string allStrip = "LabelTrackNr_" + std::to_string(app.State().mainOptions.ActMaxTrackIdx + 1);
    auto* allStripLabel = qobject_cast<QLabel*>(app.Ctrls().Widget(allStrip));
    QVERIFY(allStripLabel);
    QCOMPARE(allStripLabel->text(), QString("All/Bk1/Bk2"));
    QCOMPARE(Find<QLineEdit>(&serie, "EditBaseDirSerie")->text(), base);

    // Message buttons and Qt's own texts follow the language.
    driver.Then("MessageBox", DialogDriver::Click("Yes"));
    QCOMPARE(app.State().dialogs.Message("?", spurwerk::MessageButtons::YesNo), int(spurwerk::ResultYes));
    QVERIFY2(driver.Done(), qPrintable(driver.Unexpected().join("; ")));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
    driver.Then("FormGeneralInfo", DialogDriver::CancelDialog());
    ChooseInBox(app.Main().LanguageBox(), "Deutsch");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Abbrechen"));
    QCOMPARE(Find<QPushButton>(&serie, "ButtonOk")->text(), QString("Projekte anlegen! ..."));
    QVERIFY(driver.Unexpected().isEmpty());
}

void MainWindowTest::HexViewOpensANewFileAtItsFirstLine() {
    GuiFixture f;
    f.WriteFile("Spurwerk.INI", QuietOptions);
    f.WriteFile("A.ZDT", GuiFixture::ProjectBytes(3332));
    f.WriteFile("B.ZDT", GuiFixture::ProjectBytes(4000));
    DialogDriver driver;
    gui::SpurwerkApp& app = f.Start({f.Path("A.ZDT")});
    QScrollBar* bar = app.Main().HexScrollArea()->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    bar->setValue(bar->maximum());
    app.Main().OpenFiles({f.Path("B.ZDT")}, 184);
    QCOMPARE(QString::fromStdString(app.State().doc.LoadedZDTFileName), f.Path("B.ZDT"));
    QCOMPARE(bar->value(), 0);
    QVERIFY(driver.Unexpected().isEmpty());
}

void MainWindowTest::CaptionsFitTheirWidgetsInBothLanguages() {
    GuiFixture f;
    f.WriteFile("Spurwerk.INI", QuietOptions);
    DialogDriver driver;
    gui::SpurwerkApp& app = f.Start();
    app.Main().PanelSwitchExpertFunctionsClick();  // the expert panel's captions too
    QStringList misfits;
    QSet<QString> windows;
    for (const char* language : {"Deutsch", "English"}) {
        driver.Then("FormGeneralInfo", DialogDriver::CancelDialog());
        ChooseInBox(app.Main().LanguageBox(), language);
        QVERIFY(driver.Done());
        spurwerk::testing::VisitEveryWindow(app, driver, [&](QWidget* window) {
            windows << window->objectName();
            misfits << spurwerk::testing::CaptionsThatDoNotFit(window);
        });
        QVERIFY2(driver.Done(), qPrintable(driver.Unexpected().join("; ")));
    }
    QCOMPARE(windows.size(), 9);
    QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join("\n")));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
