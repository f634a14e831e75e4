// The project list and series windows on real widgets: searching a copy of
// the demo card, sorting, opening entries, repeating the search, track-info
// groups and series runs; and a first session through all windows.

#include "dialog_driver.h"
#include "files/project_list.h"
#include "gui_fixture.h"
#include "project/project_name.h"

using namespace spurwerk;
using namespace spurwerk::testing;

namespace {

QStringList Items(QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
}

std::string NameInFile(const QString& file) {
    ZDTDocument doc;
    return GetZDTProjectName(doc, QDir::toNativeSeparators(file).toStdString(), false, nullptr).name;
}

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

}  // namespace

class ListsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void SearchSortOpenAndRepeat();
    void SeriesWindowShowsItsRangeKeepsItsNamesAndStops();
    void FirstSession();
};

void ListsWindowTest::SearchSortOpenAndRepeat() {
    GuiFixture f;
    QVERIFY(f.CopyFolder(SPURWERK_DEMO_CARD, "card"));
    gui::SpurwerkApp& app = f.StartQuiet();
    DialogDriver driver;
    // The filter dialog's boxes: WAV files and project files.
    driver.Then("FolderChooser", DialogDriver::ChooseFolder(f.Path("card")));
    driver.Then("FormHistInput", [](QWidget* w) {
        w->findChild<QCheckBox*>("CBOptional")->setChecked(true);
        w->findChild<QCheckBox*>("CBOptional2")->setChecked(true);
        DialogDriver::EnterHist("")(w);
    });
    Find<QPushButton>(&app.Main(), "ButtonSearchInSubDirs")->click();
    gui::FormFileList& list = app.FileList();
    auto* files = list.Files();
    QVERIFY(list.isVisible());
    const QStringList byPath = Items(files);
    const QStringList projects = byPath.filter("ZDT-Proj.: \"");
    QVERIFY(projects.size() >= 2 && !byPath.filter(".WAV").isEmpty() && projects.front().contains("B.,"));

    // The outer scroll bar moves the list's first line.
    list.resize(list.width(), 220);
    QTest::qWait(20);
    list.FileScrollBar()->setValue(2);
    QCOMPARE(files->indexAt(QPoint(2, 2)).row(), 2);

    // The sort buttons reach the list: by project name, then reversed.
    Find<QWidget>(&list, "RGListSortType")->findChildren<QRadioButton*>().at(2)->click();
    QStringList byName = Items(files);
    QVERIFY(byName != byPath);
    Find<QCheckBox>(&list, "CBSortReverse")->click();
    std::reverse(byName.begin(), byName.end());
    QCOMPARE(Items(files), byName);
    Find<QSpinBox>(&list, "SEFontSize")->setValue(16);
    QCOMPARE(files->font().pointSize(), 16);

    // The record modes box repeats the search silently, without the modes.
    Find<QCheckBox>(&list, "CBListRecordModi")->click();
    QTest::qWait(20);
    QCOMPARE(files->count(), byPath.size());
    QVERIFY(Items(files).filter("B.,").isEmpty());

    // A selected group opens the panel; its button applies it to the lines.
    Find<QListWidget>(&list, "LBTrackInfos")->findItems("Pan", Qt::MatchExactly).value(0)->setSelected(true);
    QVERIFY(Find<QCheckBox>(&list, "CBUseTrackInfos")->isChecked());
    QVERIFY(list.TrackInfoPanel()->height() > 22);
    Find<QPushButton>(&list, "ButtonLBTrackInfosSelect")->click();
    QTest::qWait(20);
    QCOMPARE(list.TrackInfoPanel()->height(), 22);
    QCOMPARE(Items(files).filter("Pan=").size(), projects.size());

    // Double click on a project line loads it without a dialog.
    const int row = Items(files).indexOf(Items(files).filter("ZDT-Proj.: \"").front());
    std::string expected = ProjectList::EntryPath(list.List().Lines()[static_cast<std::size_t>(row)], false);
    list.LBFilesDblClick(row);
    QCOMPARE(app.State().session.LoadedZDTFileName, expected);
}

void ListsWindowTest::SeriesWindowShowsItsRangeKeepsItsNamesAndStops() {
    GuiFixture f;
    QDir().mkpath(f.Path("series"));
    gui::SpurwerkApp& app = f.StartQuiet();
    app.Main().LoadLanguage(QDir::toNativeSeparators(f.Path("Spurwerk_GUI_Deutsch.INI")).toStdString());
    gui::FormProjSerie& serie = app.ProjSerie();
    Find<QPushButton>(&app.Main(), "ButtonSaveZDTFileSerie")->click();
    QVERIFY(serie.isVisible());
    const QString base = QDir::toNativeSeparators(f.Path("series")) + QDir::separator();
    Find<QLineEdit>(&serie, "EditBaseDirSerie")->setText(base);
    Find<QSpinBox>(&serie, "SESerieCount")->setValue(3);
    Find<QSpinBox>(&serie, "SESerieStart")->setValue(7);
    QCOMPARE(Find<QLabel>(&serie, "LabelSubDirsBis")->text(),
             "bis \"" + base + "PROJ009" + QDir::separator() + "\"");

    // The names list survives a save and a load through the history dialog.
    auto* names = Find<QPlainTextEdit>(&serie, "MemoProjNames");
    names->setPlainText("ALPHA\n   \nGAMMA");
    DialogDriver driver;
    driver.Then("FormHistInput", DialogDriver::EnterHist(f.Path("names.txt")));
    Find<QPushButton>(&serie, "ButtonSaveProjNames")->click();
    names->setPlainText("");
    driver.Then("FormHistInput", DialogDriver::EnterHist(f.Path("names.txt")));
    Find<QPushButton>(&serie, "ButtonLoadProjNames")->click();
    QCOMPARE(names->toPlainText(), QString("ALPHA\n   \nGAMMA"));

    // While a run of five waits in "Weiter?" after the second project, the
    // button (now "Abbrechen") stops it before the third.
    Find<QSpinBox>(&serie, "SESerieCount")->setValue(5);
    auto* ok = Find<QPushButton>(&serie, "ButtonOk");
    QString captionDuringRun;
    QWindow* ownerOfQuestion = nullptr;
    driver.Then("MessageBox", DialogDriver::Answer(QMessageBox::Ok))
        .Then("MessageBox", DialogDriver::Answer(QMessageBox::Yes))
        .Then("FormTimedInput", DialogDriver::ClickNamed("ButtonOk"))
        .Then("MessageBox",
              [&](QWidget* box) {
                  captionDuringRun = ok->text();
                  // The question stays above the series window, which stays usable.
                  ownerOfQuestion = box->windowHandle() ? box->windowHandle()->transientParent() : nullptr;
                  // A real click, through the window system that blocks windows behind a modal question.
                  const QPoint center = ok->mapTo(&serie, ok->rect().center());
                  QTest::mouseClick(serie.windowHandle(), Qt::LeftButton, {}, center);
                  DialogDriver::Answer(QMessageBox::Yes)(box);
              })
        .Then("MessageBox", DialogDriver::Answer(QMessageBox::Ok));
    ok->click();
    QCOMPARE(captionDuringRun, QString("Abbrechen"));
    QCOMPARE(ownerOfQuestion, serie.windowHandle());
    QVERIFY(QFile::exists(f.Path("series/PROJ008/PRJDATA.ZDT")));
    QVERIFY(!QFile::exists(f.Path("series/PROJ009")));
    QCOMPARE(ok->text(), QString("Projekte anlegen! ..."));
}

// A newcomer's first session from start to end, through the real windows:
// choose English, open a demo project, mix, save it as a new project, find it
// on the card, open it from the list, make a series, set end marks in every
// project, quit, and find the main window where it was at the next start.
void ListsWindowTest::FirstSession() {
    GuiFixture f;
    for (const char* name : {"EFXDATA_VorlageR24.ZDT", "WAV_Vorlage_1sec44kMONO16b.WAV",
                             "WAV_Vorlage_1sec44kSTEREO16b.WAV", "WAV_Vorlage_1sec44kMONO24b.WAV",
                             "WAV_Vorlage_1sec44kSTEREO24b.WAV"})
        QFile::copy(QString(SPURWERK_BIN_DIR) + "/" + name, f.Path(name));
    QVERIFY(f.CopyFolder(SPURWERK_DEMO_CARD, "card"));
    const QString card = Native(f.Path("card")) + QDir::separator();
    const QString loaded = Native(f.Path("card/PROJ001/PRJDATA.ZDT"));

    // The user says yes to every question and types what the steps give.
    DialogDriver user;
    user.willing = true;
    user.Then("FormLanguage", DialogDriver::ChooseLanguage("English"))
        .Then("FormGeneralInfo", DialogDriver::CancelDialog())
        .Then("FormHistInput", DialogDriver::EnterHist(loaded));
    gui::SpurwerkApp& app = f.Start();
    gui::MainWindow& main = app.Main();
    gui::FormCtrls& mixer = app.Ctrls();
    QCOMPARE(Find<QPushButton>(&main, "ButtonSaveProject")->text(), QString("Save as &project ..."));
    Find<QPushButton>(&main, "ButtonLoadZDTFile")->click();
    QTRY_COMPARE(QString::fromStdString(app.State().session.LoadedZDTFileName), loaded);

    // Pull a fader down, switch the high EQ of track 1, and rename the song.
    auto* fader = qobject_cast<QSlider*>(mixer.Widget("TBFader_1"));
    fader->setFocus();
    for (int i = 0; i < 12; ++i) QTest::keyClick(fader, Qt::Key_Left);
    qobject_cast<QCheckBox*>(mixer.Widget("CBEQxH_1"))->click();
    auto* projectName = qobject_cast<QLineEdit*>(mixer.Widget("EditProjName"));
    projectName->selectAll();
    QTest::keyClicks(projectName, "MYSONG");
    QTest::keyClick(projectName, Qt::Key_Return);

    // Save it as a new project in a folder that does not exist yet.
    const QString saved = Native(f.Path("card/PROJ004/PRJDATA.ZDT"));
    user.Then("FormHistInput", DialogDriver::EnterHist(saved));
    Find<QPushButton>(&main, "ButtonSaveProject")->click();
    QTRY_COMPARE(QString::fromStdString(app.State().session.LoadedZDTFileName), saved);
    QCOMPARE(NameInFile(saved), std::string("MYSONG"));

    // Back to another project, then find the new one by its name.
    user.Then("FormHistInput", DialogDriver::EnterHist(Native(f.Path("card/PROJ002/PRJDATA.ZDT"))));
    Find<QPushButton>(&main, "ButtonLoadZDTFile")->click();
    QTRY_VERIFY(QString::fromStdString(app.State().session.LoadedZDTFileName).contains("PROJ002"));
    user.Then("FolderChooser", DialogDriver::ChooseFolder(card));
    user.Then("FormHistInput", DialogDriver::EnterHist("mysong"));
    Find<QPushButton>(&main, "ButtonSearchInSubDirs")->click();
    gui::FormFileList& list = app.FileList();
    QTRY_VERIFY(list.isVisible() && list.Files()->count() > 0);
    QList<QListWidgetItem*> hits = list.Files()->findItems("\"MYSONG\"", Qt::MatchContains);
    QCOMPARE(hits.size(), 1);

    // Open the hit from the list.
    const QPoint at = list.Files()->visualItemRect(hits.front()).center();
    QTest::mouseClick(list.Files()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list.Files()->viewport(), Qt::LeftButton, {}, at);
    QTRY_COMPARE(QString::fromStdString(app.State().session.LoadedZDTFileName), saved);

    // A series of three projects from it, with names.
    Find<QPushButton>(&main, "ButtonSaveZDTFileSerie")->click();
    gui::FormProjSerie& serie = app.ProjSerie();
    Find<QLineEdit>(&serie, "EditBaseDirSerie")->setText(card);
    Find<QSpinBox>(&serie, "SESerieCount")->setValue(3);
    Find<QSpinBox>(&serie, "SESerieStart")->setValue(5);
    Find<QPlainTextEdit>(&serie, "MemoProjNames")->setPlainText("VERSE\nCHORUS\nBRIDGE");
    Find<QPushButton>(&serie, "ButtonOk")->click();
    QTRY_VERIFY(!serie.Series().Running());
    QCOMPARE(NameInFile(f.Path("card/PROJ007/PRJDATA.ZDT")), std::string("BRIDGE"));
    QVERIFY(user.Seen().last().contains(": 3 "));

    // End marks in every project of the card, from the mixer's menu.
    user.Then("FolderChooser", DialogDriver::ChooseFolder(card));
    mixer.Menu()->findChild<QAction*>("PMSetInSubDirsMarkAtProjEnd")->trigger();
    QTRY_VERIFY(user.Seen().last().contains("project end marks of"));

    // Put the main window somewhere on the screen and quit; the next start asks
    // no language and finds the window where it was.
    main.move(30, 40);
    QTest::qWait(300);
    const QRect placed(main.pos(), main.size());
    main.close();
    QTRY_VERIFY(!main.isVisible());
    f.Stop();
    user.Then("FormGeneralInfo", DialogDriver::CancelDialog());
    gui::SpurwerkApp& again = f.Start();
    QCOMPARE(QRect(again.Main().pos(), again.Main().size()), placed);
}

QTEST_MAIN(ListsWindowTest)
#include "lists_window_test.moc"
