// The project list and series windows on real widgets: searching a copy of
// the demo card, sorting, opening entries, repeating the search, track-info
// groups and series runs.

#include "dialog_driver.h"
#include "files/project_list.h"
#include "gui_fixture.h"

using namespace spurwerk;
using namespace spurwerk::testing;

namespace {

// The filter dialog with its two check boxes (WAV files, project files).
DialogDriver::Action Filter(const QString& text, bool wavFiles, bool projectFiles) {
    return [=](QWidget* dialog) {
        dialog->findChild<QCheckBox*>("CBOptional")->setChecked(wavFiles);
        dialog->findChild<QCheckBox*>("CBOptional2")->setChecked(projectFiles);
        DialogDriver::EnterHist(text)(dialog);
    };
}

QStringList Items(QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
}

// The program on a copy of the demo card, searched for `wavFiles` and projects.
gui::SpurwerkApp& StartAndSearch(GuiFixture& f, DialogDriver& driver, bool wavFiles) {
    if (!f.CopyFolder(SPURWERK_DEMO_CARD, "card")) qFatal("demo card not copied");
    gui::SpurwerkApp& app = f.StartQuiet();
    driver.Then("FolderChooser", DialogDriver::ChooseFolder(f.Path("card")))
        .Then("FormHistInput", Filter("", wavFiles, true));
    Find<QPushButton>(&app.Main(), "ButtonSearchInSubDirs")->click();
    return app;
}

}  // namespace

class ListsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void SearchSortFontAndOpen();
    void CheckBoxesRepeatTheSearchAndTrackInfoGroupsApply();
    void SeriesWindowShowsItsRangeKeepsItsNamesAndStops();
};

void ListsWindowTest::SearchSortFontAndOpen() {
    GuiFixture f;
    DialogDriver driver;
    gui::SpurwerkApp& app = StartAndSearch(f, driver, true);
    gui::FormFileList& list = app.FileList();
    auto* files = list.Files();
    QVERIFY(list.isVisible());
    QStringList byPath = Items(files);
    QVERIFY(byPath.filter("ZDT-Proj.: \"").size() >= 2);
    QVERIFY(!byPath.filter(".WAV").isEmpty());

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

    // A larger font.
    Find<QSpinBox>(&list, "SEFontSize")->setValue(16);
    QCOMPARE(files->font().pointSize(), 16);

    // Double click on a project line loads it without a dialog.
    int row = byName.indexOf(byName.filter("ZDT-Proj.: \"").front());
    std::string expected = ProjectList::EntryPath(list.List().Lines()[static_cast<std::size_t>(row)], false);
    list.LBFilesDblClick(row);
    QCOMPARE(app.State().doc.LoadedZDTFileName, expected);
}

void ListsWindowTest::CheckBoxesRepeatTheSearchAndTrackInfoGroupsApply() {
    GuiFixture f;
    DialogDriver driver;
    gui::SpurwerkApp& app = StartAndSearch(f, driver, false);
    gui::FormFileList& list = app.FileList();
    auto* files = list.Files();
    int count = files->count();
    QVERIFY(count > 0 && files->item(0)->text().contains("B.,"));

    // The record modes box repeats the search silently, without the modes.
    Find<QCheckBox>(&list, "CBListRecordModi")->click();
    QTest::qWait(20);
    QCOMPARE(files->count(), count);
    QVERIFY(Items(files).filter("B.,").isEmpty());

    // A selected group opens the panel; its button applies it to the lines.
    auto* groups = Find<QListWidget>(&list, "LBTrackInfos");
    groups->findItems("Pan", Qt::MatchExactly).value(0)->setSelected(true);
    QVERIFY(Find<QCheckBox>(&list, "CBUseTrackInfos")->isChecked());
    QVERIFY(list.TrackInfoPanel()->height() > 22);
    Find<QPushButton>(&list, "ButtonLBTrackInfosSelect")->click();
    QTest::qWait(20);
    QCOMPARE(list.TrackInfoPanel()->height(), 22);
    QCOMPARE(Items(files).filter("Pan=").size(), count);
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
    QCOMPARE(Find<QLabel>(&serie, "LabelSubDirsBis")->text(), "bis \"" + base + "PROJ009" + QDir::separator() + "\"");

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
    driver.Then("MessageBox", DialogDriver::Answer(QMessageBox::Ok))
        .Then("MessageBox", DialogDriver::Answer(QMessageBox::Yes))
        .Then("FormTimedInput", DialogDriver::ClickNamed("ButtonOk"))
        .Then("MessageBox",
              [&](QWidget* box) {
                  captionDuringRun = ok->text();
                  // A real click, through the window system that blocks windows behind a modal question.
                  QTest::mouseClick(serie.windowHandle(), Qt::LeftButton, {}, ok->mapTo(&serie, ok->rect().center()));
                  DialogDriver::Answer(QMessageBox::Yes)(box);
              })
        .Then("MessageBox", DialogDriver::Answer(QMessageBox::Ok));
    ok->click();
    QCOMPARE(captionDuringRun, QString("Abbrechen"));
    QVERIFY(f.Exists("series/PROJ008/PRJDATA.ZDT"));
    QVERIFY(!f.Exists("series/PROJ009"));
    QCOMPARE(ok->text(), QString("Projekte anlegen! ..."));
}

QTEST_MAIN(ListsWindowTest)
#include "lists_window_test.moc"
