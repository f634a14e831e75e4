// The project list and series windows on real widgets: searching a copy of
// the demo card, sorting, opening entries, repeating the search, track-info
// groups and series runs; saving as a project, end marks and the window's
// place across a restart.

#include "dialog_driver.h"
#include "files/project_list.h"
#include "gui_fixture.h"
#include "project/play_marks.h"
#include "project/project_name.h"
#include "test_files.h"

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
    void SaveAsProjectEndMarksAndThePlaceAtTheNextStart();
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

// What only a whole session shows: the load button opens the named project,
// the name typed in the mixer reaches the project saved with "Save as
// project", the mixer's menu sets the end marks of every project below a
// folder, and the next start finds the main window where it was left.
void ListsWindowTest::SaveAsProjectEndMarksAndThePlaceAtTheNextStart() {
    GuiFixture f;
    for (const char* name : {"EFXDATA_VorlageR24.ZDT", "WAV_Vorlage_1sec44kMONO16b.WAV",
                             "WAV_Vorlage_1sec44kSTEREO16b.WAV", "WAV_Vorlage_1sec44kMONO24b.WAV",
                             "WAV_Vorlage_1sec44kSTEREO24b.WAV"})
        QFile::copy(QString(SPURWERK_BIN_DIR) + "/" + name, f.Path(name));
    QVERIFY(f.CopyFolder(SPURWERK_DEMO_CARD, "card"));
    DialogDriver user;
    user.willing = true;  // yes to every question
    gui::SpurwerkApp& app = f.StartQuiet();
    gui::MainWindow& main = app.Main();
    const QString loaded = Native(f.Path("card/PROJ001/PRJDATA.ZDT"));
    user.Then("FormHistInput", DialogDriver::EnterHist(loaded));
    Find<QPushButton>(&main, "ButtonLoadZDTFile")->click();
    QTRY_COMPARE(QString::fromStdString(app.State().session.LoadedZDTFileName), loaded);
    auto* projectName = qobject_cast<QLineEdit*>(app.Ctrls().Widget("EditProjName"));
    projectName->selectAll();
    QTest::keyClicks(projectName, "MYSONG");
    QTest::keyClick(projectName, Qt::Key_Return);
    const QString saved = Native(f.Path("card/PROJ004/PRJDATA.ZDT"));  // a folder that does not exist yet
    user.Then("FormHistInput", DialogDriver::EnterHist(saved));
    Find<QPushButton>(&main, "ButtonSaveProject")->click();
    QTRY_COMPARE(QString::fromStdString(app.State().session.LoadedZDTFileName), saved);
    QCOMPARE(NameInFile(saved), std::string("MYSONG"));

    // PROJ002's marks at 2, 4, 6.5 and 8 s, its longest file 5 s long.
    auto marksOf2 = [&f] { return ListMarks(ReadBytes(f.Path("card/PROJ002/PRJDATA.ZDT").toStdString())).size(); };
    QCOMPARE(marksOf2(), std::size_t(4));
    user.Then("FolderChooser", DialogDriver::ChooseFolder(Native(f.Path("card"))));
    app.Ctrls().Menu()->findChild<QAction*>("PMSetInSubDirsMarkAtProjEnd")->trigger();
    QTRY_COMPARE(marksOf2(), std::size_t(3));

    main.move(30, 40);
    QTest::qWait(300);
    const QRect placed(main.pos(), main.size());
    main.close();
    QTRY_VERIFY(!main.isVisible());
    f.Stop();
    gui::SpurwerkApp& again = f.Start();
    QCOMPARE(QRect(again.Main().pos(), again.Main().size()), placed);
}

QTEST_MAIN(ListsWindowTest)
#include "lists_window_test.moc"
