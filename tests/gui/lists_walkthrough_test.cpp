// A newcomer's first session from start to end, through the real windows:
// choose English, open a demo project, mix, save it as a new project, find it
// on the card, open it from the list, make a series, set end marks in every
// project, quit, and find the windows where they were at the next start.

#include "dialog_driver.h"
#include "gui_fixture.h"
#include "project/project_name.h"

using namespace spurwerk;
using namespace spurwerk::testing;

namespace {

std::string NameInFile(const QString& file) {
    ZDTDocument doc;
    return GetZDTProjectName(doc, QDir::toNativeSeparators(file).toStdString(), false, nullptr).name;
}

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

}  // namespace

class ListsWalkthroughTest : public QObject {
    Q_OBJECT
private slots:
    void FirstSession();
};

void ListsWalkthroughTest::FirstSession() {
    GuiFixture f;
    for (const char* name : {"EFXDATA_VorlageR24.ZDT", "WAV_Vorlage_1sec44kMONO16b.WAV", "WAV_Vorlage_1sec44kSTEREO16b.WAV",
                             "WAV_Vorlage_1sec44kMONO24b.WAV", "WAV_Vorlage_1sec44kSTEREO24b.WAV"})
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
    QTRY_COMPARE(QString::fromStdString(app.State().doc.LoadedZDTFileName), loaded);
    QVERIFY(mixer.isVisible());

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
    QTRY_COMPARE(QString::fromStdString(app.State().doc.LoadedZDTFileName), saved);
    QVERIFY(!app.State().doc.DataChanged());
    QCOMPARE(NameInFile(saved), std::string("MYSONG"));

    // Back to another project, then find the new one by its name.
    user.Then("FormHistInput", DialogDriver::EnterHist(Native(f.Path("card/PROJ002/PRJDATA.ZDT"))));
    Find<QPushButton>(&main, "ButtonLoadZDTFile")->click();
    QTRY_VERIFY(QString::fromStdString(app.State().doc.LoadedZDTFileName).contains("PROJ002"));
    user.Then("FolderChooser", DialogDriver::ChooseFolder(card)).Then("FormHistInput", DialogDriver::EnterHist("mysong"));
    Find<QPushButton>(&main, "ButtonSearchInSubDirs")->click();
    gui::FormFileList& list = app.FileList();
    QTRY_VERIFY(list.isVisible() && list.Files()->count() > 0);
    QList<QListWidgetItem*> hits = list.Files()->findItems("\"MYSONG\"", Qt::MatchContains);
    QCOMPARE(hits.size(), 1);

    // Open the hit from the list.
    const QPoint at = list.Files()->visualItemRect(hits.front()).center();
    QTest::mouseClick(list.Files()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list.Files()->viewport(), Qt::LeftButton, {}, at);
    QTRY_COMPARE(QString::fromStdString(app.State().doc.LoadedZDTFileName), saved);

    // A series of three projects from it, with names.
    Find<QPushButton>(&main, "ButtonSaveZDTFileSerie")->click();
    gui::FormProjSerie& serie = app.ProjSerie();
    QVERIFY(serie.isVisible());
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
    QTRY_VERIFY(user.Seen().last().contains("Project end marks of"));

    // Put the windows somewhere on the screen and quit.
    const QRect screen = main.screen()->availableGeometry();
    auto place = [&](QWidget& w, int x, int y) {
        w.move(std::max(0, std::min(x, screen.right() + 1 - w.frameGeometry().width())),
               std::max(0, std::min(y, screen.bottom() + 1 - w.frameGeometry().height())));
    };
    place(main, 30, 40);
    place(list, 60, 560);
    QTest::qWait(300);
    // Outer positions and client sizes, the pair the position file keeps.
    auto placeOf = [](QWidget& w) { return QRect(w.pos(), w.size()); };
    const QRect mainGeometry = placeOf(main), listGeometry = placeOf(list);
    main.close();
    QTRY_VERIFY(!main.isVisible());
    f.Stop();

    // The next start: no language question, the windows where they were.
    user.Then("FormGeneralInfo", DialogDriver::CancelDialog());
    gui::SpurwerkApp& again = f.Start();
    QCOMPARE(placeOf(again.Main()), mainGeometry);
    QCOMPARE(placeOf(again.FileList()), listGeometry);
}

QTEST_MAIN(ListsWalkthroughTest)
#include "lists_walkthrough_test.moc"
