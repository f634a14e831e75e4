// The project list and series windows on real widgets: searching a copy of
// the demo card, sorting, opening entries, repeating the search, track-info
// groups, series runs and the end-mark batch's refusal.

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>

#include "app/app_state.h"
#include "app/main_window.h"
#include "card_copy.h"
#include "dialog_driver.h"
#include "files/project_list.h"
#include "gui_fixture.h"
#include "lists/form_file_list.h"
#include "lists/form_proj_serie.h"
#include "lists/project_commands.h"
#include "mixer/form_ctrls.h"
#include "project/project_name.h"
#include "project/zdt_document.h"

using namespace spurwerk;
using namespace spurwerk::testing;

namespace {

// The folder dialog: choose `folder` and accept.
DialogDriver::Action ChooseFolder(const QString& folder) {
    return [folder](QWidget* dialog) {
        auto* chooser = qobject_cast<QFileDialog*>(dialog);
        // Nothing selected inside: the dialog answers with the folder it shows.
        chooser->setDirectory(folder);
        if (auto* edit = chooser->findChild<QLineEdit*>("fileNameEdit")) edit->clear();
        QMetaObject::invokeMethod(chooser, "accept");
    };
}

// The filter dialog with its two check boxes (WAV files, project files).
DialogDriver::Action Filter(const QString& text, bool wavFiles, bool projectFiles) {
    return [=](QWidget* dialog) {
        dialog->findChild<QCheckBox*>("CBOptional")->setChecked(wavFiles);
        dialog->findChild<QCheckBox*>("CBOptional2")->setChecked(projectFiles);
        dialog->findChild<QComboBox*>("CBInput")->setEditText(text);
        dialog->findChild<QAbstractButton*>("OKBtn")->click();
    };
}

QStringList Items(QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
}

QString ProjectNameOf(const QString& line) {
    int at = line.indexOf("ZDT-Proj.: \"");
    return at < 0 ? QString() : line.mid(at + 12, line.indexOf('"', at + 12) - at - 12);
}

int RowContaining(QListWidget* list, const QString& text) {
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().contains(text)) return i;
    return -1;
}

// The program on a scratch folder, in German whatever the language box lists first.
gui::SpurwerkApp& StartGerman(GuiFixture& f, const QStringList& parameters = {}) {
    f.WriteFile("Spurwerk.INI", "[Options]\r\nLanguageIndex=1\r\n[FormGeneralInfo]\r\nShowGeneralInfoAtProgStart=0\r\n");
    gui::SpurwerkApp& app = f.Start(parameters);
    app.Main().LoadLanguage(QDir::toNativeSeparators(f.Path("Spurwerk_GUI_Deutsch.INI")).toStdString());
    return app;
}

int TotalLength(QListWidget* list) {
    int total = 0;
    for (int i = 0; i < list->count(); ++i) total += list->item(i)->text().size();
    return total;
}

}  // namespace

class ListsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void SearchSortFontAndOpen();
    void RepeatByCheckBoxesAndTrackInfoGroups();
    void SeriesWindowShowsItsRangeAndKeepsItsNames();
    void StoppingASeries();
    void FirstSearchStartsAtTheProjectAndWindowsComeToTheFront();
    void EndMarkBatchRefusesUnsavedData();
};

void ListsWindowTest::SearchSortFontAndOpen() {
    GuiFixture f;
    QVERIFY(CopyFolder(SPURWERK_DEMO_CARD, f.Path("card")));
    gui::SpurwerkApp& app = StartGerman(f);
    gui::FormFileList& list = app.FileList();
    auto* files = list.Files();
    const QString card = f.Path("card");

    // The whole card: projects and WAV files.
    DialogDriver driver;
    driver.Then("FolderChooser", ChooseFolder(card)).Then("FormHistInput", Filter("", true, true));
    Find<QPushButton>(&app.Main(), "ButtonSearchInSubDirs")->click();
    QVERIFY2(driver.Done(), qPrintable(driver.Unexpected().join("; ")));
    QVERIFY(list.isVisible());
    QStringList lines = Items(files);
    QCOMPARE(lines.size(), static_cast<int>(list.List().Lines().size()));
    QVERIFY(lines.size() >= 4);
    QStringList projectLines = lines.filter("ZDT-Proj.: \"");
    QVERIFY(projectLines.size() >= 2);
    QVERIFY(!lines.filter(".WAV").isEmpty());
    QVERIFY(list.MessageLabel()->text().endsWith("(u. Unterverz.) gefunden!"));
    QCOMPARE(QDir::cleanPath(QString::fromStdString(app.State().mainOptions.BaseDirSearch)), QDir::cleanPath(card));
    QStringList byPath = lines;
    byPath.sort();
    QCOMPARE(lines, byPath);

    // The outer scroll bar pages through the list and moves its first line.
    list.resize(list.width(), 220);
    QTest::qWait(20);
    QScrollBar* bar = list.FileScrollBar();
    QVERIFY(bar->pageStep() >= 1 && bar->pageStep() < files->count());
    QCOMPARE(bar->maximum(), files->count() - bar->pageStep());
    bar->setValue(2);
    QCOMPARE(files->indexAt(QPoint(2, 2)).row(), 2);
    list.resize(list.width(), 500);

    // The sort buttons reach the list: by project name, then reversed.
    auto* byName = Find<QWidget>(&list, "RGListSortType")->findChildren<QRadioButton*>().at(2);
    byName->click();
    lines = Items(files);
    QVERIFY(lines != byPath);
    QStringList ascending = lines;
    Find<QCheckBox>(&list, "CBSortReverse")->click();
    lines = Items(files);
    std::reverse(ascending.begin(), ascending.end());
    QCOMPARE(lines, ascending);

    // A larger font widens the list to its widest line.
    int narrow = files->width();
    Find<QSpinBox>(&list, "SEFontSize")->setValue(16);
    QCOMPARE(files->font().pointSize(), 16);
    QVERIFY(files->width() > narrow);
    QVERIFY(files->font().fixedPitch());

    // A filter by one project's name, typed in lower case with asterisks.
    const QString name = ProjectNameOf(projectLines.front());
    driver.Then("FolderChooser", ChooseFolder(card)).Then("FormHistInput", Filter("*" + name.toLower() + "*", false, true));
    Find<QPushButton>(&app.Main(), "ButtonSearchInSubDirs")->click();
    QVERIFY2(driver.Done(), qPrintable(driver.Unexpected().join("; ")));
    lines = Items(files);
    QVERIFY(!lines.isEmpty());
    for (const QString& line : lines) QVERIFY(line.toUpper().contains(name.toUpper()));

    // Double click on the project line loads it without a dialog.
    int row = RowContaining(files, "\"" + name + "\"");
    QVERIFY(row >= 0);
    std::string expected = ProjectList::EntryPath(list.List().Lines()[static_cast<std::size_t>(row)], false);
    list.LBFilesDblClick(row);
    QCOMPARE(app.State().doc.LoadedZDTFileName, expected);
    QVERIFY(driver.Unexpected().isEmpty());

    // Info files for every project, then a line of one of them opens its project.
    driver.Then("FolderChooser", ChooseFolder(card)).Then("MessageBox", DialogDriver::Click("OK"));
    Find<QPushButton>(&app.Main(), "ButtonUpdateInfoFilesInSubDirs")->click();
    QVERIFY2(driver.Done(), qPrintable(driver.Unexpected().join("; ")));
    QVERIFY(driver.Seen().last().contains("erstellt/ge"));
    QVERIFY(Find<QLabel>(&app.Main(), "LabelInfoFile")->text().endsWith("_NAME.TXT"));

    driver.Then("FolderChooser", ChooseFolder(card)).Then("FormHistInput", Filter("___" + name + "_NAME.TXT", false, false));
    Find<QPushButton>(&app.Main(), "ButtonSearchInSubDirs")->click();
    QVERIFY2(driver.Done(), qPrintable(driver.Unexpected().join("; ")));
    QCOMPARE(files->count(), 1);
    QVERIFY(files->item(0)->text().contains("___" + name + "_NAME.TXT"));
    app.State().doc.LoadedZDTFileName.clear();
    list.LBFilesDblClick(0);
    QCOMPARE(app.State().doc.LoadedZDTFileName, expected);

    // No line, nothing happens.
    list.LBFilesDblClick(-1);
    list.LBFilesRightClick(-1, QPoint());
    QVERIFY(driver.Unexpected().isEmpty());
}

void ListsWindowTest::RepeatByCheckBoxesAndTrackInfoGroups() {
    GuiFixture f;
    QVERIFY(CopyFolder(SPURWERK_DEMO_CARD, f.Path("card")));
    gui::SpurwerkApp& app = StartGerman(f);
    gui::FormFileList& list = app.FileList();
    auto* files = list.Files();

    // Before any search a check box repeats nothing (no walk of the start folder).
    DialogDriver driver;
    Find<QCheckBox>(&list, "CBListRecordModi")->click();
    QTest::qWait(20);
    QVERIFY(driver.Seen().isEmpty() && driver.Unexpected().isEmpty());
    QCOMPARE(files->count(), 0);
    Find<QCheckBox>(&list, "CBListRecordModi")->click();

    driver.Then("FolderChooser", ChooseFolder(f.Path("card"))).Then("FormHistInput", Filter("", false, true));
    Find<QPushButton>(&list, "ButtonSearch")->click();
    QVERIFY2(driver.Done(), qPrintable(driver.Unexpected().join("; ")));
    QStringList lines = Items(files);
    QVERIFY(!lines.isEmpty());
    for (const QString& line : lines) QVERIFY(line.contains("B.,"));

    // The record modes box repeats the search silently, without the modes.
    Find<QCheckBox>(&list, "CBListRecordModi")->click();
    QTest::qWait(20);
    QVERIFY(driver.Unexpected().isEmpty());
    QCOMPARE(files->count(), lines.size());
    for (int i = 0; i < files->count(); ++i) QVERIFY(!files->item(i)->text().contains("B.,"));
    // Without dates the WAV items lose their "(dd.mm.yyyy ...)" part: shorter lines.
    int withDates = TotalLength(files);
    Find<QCheckBox>(&list, "CBListWAVFileDate")->click();
    QTest::qWait(20);
    QVERIFY(TotalLength(files) < withDates);

    // An emptied date format comes back as the default.
    auto* format = Find<QLineEdit>(&list, "EditListDTFormat");
    format->setText("");
    QCOMPARE(format->text(), QString("dd.mm.yyyy hh:nn:ss"));

    // Two groups selected: the panel opens with its hint; closing it applies them.
    auto* groups = Find<QListWidget>(&list, "LBTrackInfos");
    QVERIFY(groups->count() > 5);
    QCOMPARE(list.TrackInfoPanel()->height(), 22);
    QList<QListWidgetItem*> pan = groups->findItems("Pan", Qt::MatchExactly);
    QCOMPARE(pan.size(), 1);
    pan.front()->setSelected(true);
    groups->item(0)->setSelected(true);
    QString other = groups->item(0)->text();
    QVERIFY(Find<QCheckBox>(&list, "CBUseTrackInfos")->isChecked());
    QVERIFY(list.TrackInfoPanel()->height() > 22);
    QVERIFY(list.TrackInfoPanel()->toolTip().startsWith("2 "));
    QVERIFY(list.TrackInfoPanel()->toolTip().contains("Pan\n"));
    Find<QPushButton>(&list, "ButtonLBTrackInfosSelect")->click();
    QTest::qWait(20);
    QVERIFY(driver.Unexpected().isEmpty());
    QCOMPARE(list.TrackInfoPanel()->height(), 22);
    for (int i = 0; i < files->count(); ++i) {
        QVERIFY(files->item(i)->text().contains("Pan="));
        QVERIFY(files->item(i)->text().contains(other + "="));
    }

    // "Keine": no group, the box goes off, the panel stays closed.
    Find<QPushButton>(&list, "ButtonLBTrackInfosClear")->click();
    QVERIFY(!Find<QCheckBox>(&list, "CBUseTrackInfos")->isChecked());
    QVERIFY(groups->selectedItems().isEmpty());
    QCOMPARE(list.TrackInfoPanel()->height(), 22);
}

void ListsWindowTest::SeriesWindowShowsItsRangeAndKeepsItsNames() {
    GuiFixture f;
    QDir().mkpath(f.Path("series"));
    gui::SpurwerkApp& app = StartGerman(f);
    gui::FormProjSerie& serie = app.ProjSerie();

    Find<QPushButton>(&app.Main(), "ButtonSaveZDTFileSerie")->click();
    QVERIFY(serie.isVisible());
    const QString base = QDir::toNativeSeparators(f.Path("series")) + QDir::separator();
    Find<QLineEdit>(&serie, "EditBaseDirSerie")->setText(base);
    Find<QSpinBox>(&serie, "SESerieCount")->setValue(3);
    Find<QSpinBox>(&serie, "SESerieStart")->setValue(7);
    QCOMPARE(Find<QLabel>(&serie, "LabelSubDirsBis")->text(), "bis \"" + base + "PROJ009" + QDir::separator() + "\"");

    // The names list survives a save and a load through the history dialog.
    Find<QPlainTextEdit>(&serie, "MemoProjNames")->setPlainText("ALPHA\n   \nGAMMA");
    DialogDriver driver;
    driver.Then("FormHistInput", DialogDriver::EnterHist(f.Path("names.txt")));
    Find<QPushButton>(&serie, "ButtonSaveProjNames")->click();
    QVERIFY(driver.Done());
    Find<QPlainTextEdit>(&serie, "MemoProjNames")->setPlainText("");
    driver.Then("FormHistInput", DialogDriver::EnterHist(f.Path("names.txt")));
    Find<QPushButton>(&serie, "ButtonLoadProjNames")->click();
    QVERIFY(driver.Done());
    QCOMPARE(Find<QPlainTextEdit>(&serie, "MemoProjNames")->toPlainText(), QString("ALPHA\n   \nGAMMA"));
}

void ListsWindowTest::StoppingASeries() {
    GuiFixture f;
    QDir().mkpath(f.Path("series"));
    gui::SpurwerkApp& app = StartGerman(f);
    gui::FormProjSerie& serie = app.ProjSerie();
    app.Main().ButtonSaveZDTFileSerieClick();
    Find<QLineEdit>(&serie, "EditBaseDirSerie")->setText(QDir::toNativeSeparators(f.Path("series")) + QDir::separator());
    Find<QSpinBox>(&serie, "SESerieCount")->setValue(5);
    auto* ok = Find<QPushButton>(&serie, "ButtonOk");

    // While the run waits in "Weiter?" after the second project, the button
    // (now "Abbrechen") stops it before the third.
    QString captionDuringRun;
    DialogDriver driver;
    driver.Then("MessageBox", DialogDriver::Click("OK"))
        .Then("MessageBox", DialogDriver::Click("Ja"))
        .Then("FormTimedInput", DialogDriver::ClickNamed("ButtonOk"))
        .Then("MessageBox",
              [&](QWidget* box) {
                  captionDuringRun = ok->text();
                  // A real click, through the window system that blocks windows behind a modal question.
                  QTest::mouseClick(serie.windowHandle(), Qt::LeftButton, {}, ok->mapTo(&serie, ok->rect().center()));
                  DialogDriver::Click("Ja")(box);
              })
        .Then("MessageBox", DialogDriver::Click("OK"));
    ok->click();
    QVERIFY2(driver.Done(), qPrintable(driver.Unexpected().join("; ") + " / " + driver.Seen().join("; ")));
    QCOMPARE(captionDuringRun, QString("Abbrechen"));
    QVERIFY(driver.Seen().last().contains("2 Projekte wurden angelegt!"));
    QVERIFY(f.Exists("series/PROJ002/PRJDATA.ZDT"));
    QVERIFY(!f.Exists("series/PROJ003"));
    QCOMPARE(ok->text(), QString("Projekte anlegen! ..."));
    QVERIFY(!serie.Series().Running());
}

void ListsWindowTest::FirstSearchStartsAtTheProjectAndWindowsComeToTheFront() {
    GuiFixture f;
    QVERIFY(CopyFolder(SPURWERK_DEMO_CARD, f.Path("card")));
    const QString project = QDir::toNativeSeparators(f.Path("card/PROJ001/PRJDATA.ZDT"));
    QVERIFY(QFile::exists(project));
    gui::SpurwerkApp& app = StartGerman(f, {project});
    QVERIFY(app.State().mainOptions.BaseDirSearch.empty());

    QString startFolder;
    DialogDriver driver;
    driver.Then("FolderChooser",
                [&](QWidget* dialog) {
                    auto* chooser = qobject_cast<QFileDialog*>(dialog);
                    if (!chooser->selectedFiles().isEmpty()) startFolder = chooser->selectedFiles().front();
                    ChooseFolder(f.Path("card"))(dialog);
                })
        .Then("FormHistInput", Filter("", false, true));
    app.Main().activateWindow();
    Find<QPushButton>(&app.Main(), "ButtonSearchInSubDirs")->click();
    QVERIFY2(driver.Done(), qPrintable(driver.Unexpected().join("; ")));
    QCOMPARE(QDir::cleanPath(startFolder), QDir::cleanPath(f.Path("card/PROJ001")));
    QVERIFY(app.FileList().Files()->count() > 0);
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&app.FileList()));

    app.Main().activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&app.Main()));
    app.Main().ButtonSaveZDTFileSerieClick();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&app.ProjSerie()));
    QVERIFY(driver.Unexpected().isEmpty());
}

void ListsWindowTest::EndMarkBatchRefusesUnsavedData() {
    GuiFixture f;
    QVERIFY(CopyFolder(SPURWERK_DEMO_CARD, f.Path("card")));
    QDir card(f.Path("card"));
    QStringList projects;
    for (const QString& sub : card.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (QFile::exists(card.filePath(sub + "/PRJDATA.ZDT"))) projects << card.filePath(sub + "/PRJDATA.ZDT");
    QVERIFY(!projects.isEmpty());
    gui::SpurwerkApp& app = StartGerman(f, {QDir::toNativeSeparators(projects.front())});
    QVERIFY(app.State().doc.IsProject());
    app.State().doc.MarkChanged();
    QByteArray before = f.ReadFile("card/" + card.relativeFilePath(projects.front()));

    DialogDriver driver;
    driver.Then("MessageBox", DialogDriver::Click("OK"));
    // Started from the mixer's menu, which hands it to the main window.
    QAction* entry = app.Ctrls().Menu()->findChild<QAction*>("PMSetInSubDirsMarkAtProjEnd");
    QVERIFY(entry);
    entry->trigger();
    QVERIFY2(driver.Done(), qPrintable(driver.Unexpected().join("; ")));
    QVERIFY(driver.Seen().front().contains("Daten ge"));
    QVERIFY(driver.Unexpected().isEmpty());
    QCOMPARE(f.ReadFile("card/" + card.relativeFilePath(projects.front())), before);
    app.State().doc.MarkSaved();
}

QTEST_MAIN(ListsWindowTest)
#include "lists_window_test.moc"
