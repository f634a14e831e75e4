// A newcomer's first session from start to end, through the real windows:
// choose English, open a demo project, mix, save it as a new project, find it
// on the card, open it from the list, make a series, set end marks in every
// project, quit, and find the windows where they were at the next start.
// With SPURWERK_SHOTS=<folder> (under a real X server) it photographs the
// screen at each step; SPURWERK_MIXER_SHOT=<file> keeps a picture of the mixer.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>

#include "app/app_state.h"
#include "app/main_window.h"
#include "card_copy.h"
#include "gui_fixture.h"
#include "lists/form_file_list.h"
#include "lists/form_proj_serie.h"
#include "mixer/form_ctrls.h"
#include "project/project_name.h"

using namespace spurwerk;
using namespace spurwerk::testing;

namespace {

// Answers every dialog as a willing newcomer would: the texts and folders
// queued for the input dialogs, "Yes to all" / "Yes" / "OK" in message boxes.
class Newcomer : public QObject {
public:
    Newcomer() {
        connect(&timer_, &QTimer::timeout, this, &Newcomer::Poll);
        timer_.start(20);
    }
    std::deque<QString> inputs;   // FormHistInput and FolderChooser, in order
    QString language = "English";
    QStringList messages;         // every message box's text
    std::function<void(const QString& dialog)> beforeAnswer;

private:
    void Poll() {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && w->objectName() == "FormTimedInput") dialog = w;
        if (!dialog || dialog == last_) return;
        last_ = dialog;
        QPointer<QWidget> target = dialog;
        QTimer::singleShot(150, this, [this, target] {
            if (target && target->isVisible()) Answer(target);
            last_ = nullptr;
        });
    }

    void Answer(QWidget* dialog) {
        const QString name = dialog->objectName();
        if (beforeAnswer) beforeAnswer(name);
        if (name == "FormLanguage") {
            auto* box = dialog->findChild<QComboBox*>("CBLanguage");
            int index = box->findText(language);
            box->setCurrentIndex(index);
            emit box->activated(index);
        } else if (name == "FormGeneralInfo") {
            qobject_cast<QDialog*>(dialog)->reject();
        } else if (name == "FormHistInput") {
            dialog->findChild<QComboBox*>("CBInput")->setEditText(Next());
            dialog->findChild<QPushButton*>("OKBtn")->click();
        } else if (name == "FolderChooser") {
            auto* chooser = qobject_cast<QFileDialog*>(dialog);
            chooser->setDirectory(Next());
            if (auto* edit = chooser->findChild<QLineEdit*>("fileNameEdit")) edit->clear();
            QMetaObject::invokeMethod(chooser, "accept");
        } else if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            messages << box->text();
            for (auto button : {QMessageBox::YesToAll, QMessageBox::Yes, QMessageBox::Ok})
                if (QAbstractButton* b = box->button(button)) {
                    b->click();
                    return;
                }
        } else if (name == "FormTimedInput") {
            dialog->findChild<QPushButton*>("ButtonOk")->click();
        } else {
            qWarning("unexpected dialog %s", qPrintable(name));
            if (auto* d = qobject_cast<QDialog*>(dialog)) d->reject();
        }
    }

    QString Next() {
        if (inputs.empty()) return {};
        QString text = inputs.front();
        inputs.pop_front();
        return text;
    }

    QTimer timer_;
    QPointer<QWidget> last_;
};

void Shot(const QString& name) {
    QString folder = qEnvironmentVariable("SPURWERK_SHOTS");
    if (folder.isEmpty()) return;
    QTest::qWait(400);
    QProcess::execute("import", {"-window", "root", folder + "/" + name + ".png"});
}

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
    QVERIFY(CopyFolder(SPURWERK_DEMO_CARD, f.Path("card")));
    const QString card = Native(f.Path("card")) + QDir::separator();

    Newcomer user;
    user.beforeAnswer = [](const QString& dialog) {
        if (dialog == "FormLanguage") Shot("01-language");
        if (dialog == "FormGeneralInfo") Shot("02-information");
    };
    gui::SpurwerkApp& app = f.Start();
    QTRY_VERIFY_WITH_TIMEOUT(app.State().FormActivated, 20000);
    QTest::qWait(500);
    QCOMPARE(Find<QPushButton>(&app.Main(), "ButtonSaveProject")->text(), QString("Save as &project ..."));
    gui::MainWindow& main = app.Main();
    gui::FormCtrls& mixer = app.Ctrls();

    // Open a demo project.
    user.inputs = {Native(f.Path("card/PROJ001/PRJDATA.ZDT"))};
    Find<QPushButton>(&main, "ButtonLoadZDTFile")->click();
    QTRY_COMPARE(QString::fromStdString(app.State().doc.LoadedZDTFileName), Native(f.Path("card/PROJ001/PRJDATA.ZDT")));
    QVERIFY(mixer.isVisible());
    Shot("03-demo-project");

    // Pull three faders down, lift the high EQ of track 1, and rename the song.
    for (const char* fader : {"TBFader_1", "TBFader_2", "TBFader_3"}) {
        auto* slider = qobject_cast<QSlider*>(mixer.Widget(fader));
        slider->setFocus();
        for (int i = 0; i < 12; ++i) QTest::keyClick(slider, Qt::Key_Left);
    }
    auto* eqOn = qobject_cast<QCheckBox*>(mixer.Widget("CBEQxH_1"));
    if (!eqOn->isChecked()) eqOn->click();
    auto* eqHigh = qobject_cast<QSlider*>(mixer.Widget("TBEQxH_1"));
    eqHigh->setFocus();
    for (int i = 0; i < 6; ++i) QTest::keyClick(eqHigh, Qt::Key_Right);
    auto* projectName = qobject_cast<QLineEdit*>(mixer.Widget("EditProjName"));
    projectName->selectAll();
    QTest::keyClicks(projectName, "MYSONG");
    QTest::keyClick(projectName, Qt::Key_Return);
    QVERIFY(app.State().doc.DataChanged());
    Shot("04-mixed");
    QString mixerShot = qEnvironmentVariable("SPURWERK_MIXER_SHOT");
    if (!mixerShot.isEmpty()) mixer.grab().save(mixerShot);

    // Save it as a new project in a folder that does not exist yet.
    const QString saved = Native(f.Path("card/PROJ004/PRJDATA.ZDT"));
    user.inputs = {saved};
    Find<QPushButton>(&main, "ButtonSaveProject")->click();
    QTRY_COMPARE(QString::fromStdString(app.State().doc.LoadedZDTFileName), saved);
    QVERIFY(!app.State().doc.DataChanged());
    QCOMPARE(NameInFile(saved), std::string("MYSONG"));
    QVERIFY(QFile::exists(f.Path("card/PROJ004/EFXDATA.ZDT")));
    QVERIFY(!QDir(f.Path("card/PROJ004/AUDIO")).entryList({"*.WAV"}).isEmpty());
    Shot("05-saved");

    // Back to another project, then find the new one by its name.
    user.inputs = {Native(f.Path("card/PROJ002/PRJDATA.ZDT"))};
    Find<QPushButton>(&main, "ButtonLoadZDTFile")->click();
    QTRY_COMPARE(QString::fromStdString(app.State().doc.LoadedZDTFileName), Native(f.Path("card/PROJ002/PRJDATA.ZDT")));
    user.inputs = {card, "mysong"};
    Find<QPushButton>(&main, "ButtonSearchInSubDirs")->click();
    gui::FormFileList& list = app.FileList();
    QTRY_VERIFY(list.isVisible() && list.Files()->count() > 0);
    int hit = -1;
    for (int i = 0; i < list.Files()->count(); ++i)
        if (list.Files()->item(i)->text().contains("\"MYSONG\"")) hit = i;
    QVERIFY(hit >= 0);
    list.raise();
    Shot("06-search");

    // Open the hit from the list.
    list.Files()->setCurrentRow(hit);
    const QPoint at = list.Files()->visualItemRect(list.Files()->item(hit)).center();
    QTest::mouseClick(list.Files()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list.Files()->viewport(), Qt::LeftButton, {}, at);
    QTRY_COMPARE(QString::fromStdString(app.State().doc.LoadedZDTFileName), saved);
    Shot("07-opened-from-list");

    // A series of three projects from it, with names.
    Find<QPushButton>(&main, "ButtonSaveZDTFileSerie")->click();
    gui::FormProjSerie& serie = app.ProjSerie();
    QVERIFY(serie.isVisible());
    Find<QLineEdit>(&serie, "EditBaseDirSerie")->setText(card);
    Find<QSpinBox>(&serie, "SESerieCount")->setValue(3);
    Find<QSpinBox>(&serie, "SESerieStart")->setValue(5);
    Find<QPlainTextEdit>(&serie, "MemoProjNames")->setPlainText("VERSE\nCHORUS\nBRIDGE");
    serie.raise();
    Shot("08-series");
    Find<QPushButton>(&serie, "ButtonOk")->click();
    QTRY_VERIFY(!serie.Series().Running());
    QCOMPARE(NameInFile(f.Path("card/PROJ005/PRJDATA.ZDT")), std::string("VERSE"));
    QCOMPARE(NameInFile(f.Path("card/PROJ006/PRJDATA.ZDT")), std::string("CHORUS"));
    QCOMPARE(NameInFile(f.Path("card/PROJ007/PRJDATA.ZDT")), std::string("BRIDGE"));
    QVERIFY(user.messages.last().startsWith("3 "));
    Shot("09-series-done");

    // End marks in every project of the card, from the mixer's menu.
    user.messages.clear();
    user.inputs = {card};
    QAction* endMarks = mixer.Menu()->findChild<QAction*>("PMSetInSubDirsMarkAtProjEnd");
    QVERIFY(endMarks);
    endMarks->trigger();
    QTRY_VERIFY(!user.messages.isEmpty() && user.messages.last().contains("Project end marks of"));
    QVERIFY(list.Files()->count() >= 7);
    list.raise();
    Shot("10-end-marks");

    // Put the windows somewhere and quit.
    // Places that lie fully on the screen, since a restored window is pulled onto it.
    const QRect screen = main.screen()->availableGeometry();
    auto place = [&](QWidget& w, int x, int y) {
        w.move(std::max(0, std::min(x, screen.right() + 1 - w.frameGeometry().width())),
               std::max(0, std::min(y, screen.bottom() + 1 - w.frameGeometry().height())));
    };
    place(main, 30, 40);
    place(mixer, 400, 120);
    place(list, 60, 560);
    place(serie, 700, 480);
    QTest::qWait(300);
    // Outer positions and client sizes, the pair the position file keeps.
    auto placeOf = [](QWidget& w) { return QRect(w.pos(), w.size()); };
    const QRect mainGeometry = placeOf(main), mixerGeometry = placeOf(mixer), listGeometry = placeOf(list),
                serieGeometry = placeOf(serie);
    main.close();
    QTRY_VERIFY(!main.isVisible());
    f.Stop();

    // The next start: no language question, every window where it was.
    gui::SpurwerkApp& again = f.Start();
    QTRY_VERIFY_WITH_TIMEOUT(again.State().FormActivated, 20000);
    QTest::qWait(500);
    QCOMPARE(placeOf(again.Main()), mainGeometry);
    QCOMPARE(placeOf(again.Ctrls()).topLeft(), mixerGeometry.topLeft());
    QCOMPARE(placeOf(again.FileList()), listGeometry);
    QCOMPARE(placeOf(again.ProjSerie()), serieGeometry);
    Shot("11-next-start");
}

QTEST_MAIN(ListsWalkthroughTest)
#include "lists_walkthrough_test.moc"
