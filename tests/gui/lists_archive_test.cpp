// Archiving and restoring from the windows: the selected lines of the project
// list go into archives behind a progress bar, the main window's button brings
// one back onto the card. What lands on the disk proves the wiring.

#include <QFileDialog>
#include <QInputDialog>
#include <QProgressDialog>

#include "dialog_driver.h"
#include "gui_fixture.h"
#include "test_files.h"
#include "test_wavs.h"

using namespace spurwerk;
using namespace spurwerk::testing;

namespace {

QStringList TarsIn(const QString& folder) { return QDir(folder).entryList({"*.tar"}, QDir::Files, QDir::Name); }

}  // namespace

class ListsArchiveTest : public QObject {
    Q_OBJECT
private slots:
    void ArchiveSelectedLinesThenRestore();
};

void ListsArchiveTest::ArchiveSelectedLinesThenRestore() {
#ifndef SPURWERK_HAVE_ARCHIVE
    QSKIP("this build has no archiving (made without libFLAC and libarchive)");
#else
    GuiFixture f;
    QVERIFY(f.CopyFolder(SPURWERK_DEMO_CARD, "card"));
    QVERIFY(QDir().mkpath(f.Path("store")));
    QVERIFY(QDir().mkpath(f.Path("other")));
    // A long recording, so that a run lasts long enough to be cancelled.
    WriteBytes(f.Path("card/PROJ001/AUDIO/LONG.WAV").toStdString(),
               BuildWav({.channels = 2, .rate = 44100}, NoiseBytes(16'000'000)));
    gui::SpurwerkApp& app = f.StartQuiet();
    DialogDriver driver;
    driver.Then("FolderChooser", DialogDriver::ChooseFolder(f.Path("card")));
    driver.Then("FormHistInput", [](QWidget* w) {
        w->findChild<QCheckBox*>("CBOptional")->setChecked(false);
        w->findChild<QCheckBox*>("CBOptional2")->setChecked(true);
        DialogDriver::EnterHist("")(w);
    });
    Find<QPushButton>(&app.Main(), "ButtonSearchInSubDirs")->click();
    gui::FormFileList& list = app.FileList();
    QListWidget* files = list.Files();
    // Select the lines of PROJ001 and PROJ002.
    int selected = 0;
    for (int row = 0; row < files->count(); ++row) {
        QString line = files->item(row)->text();
        bool wanted = line.contains(QDir::toNativeSeparators("card/PROJ001/")) ||
                      line.contains(QDir::toNativeSeparators("card/PROJ002/"));
        files->item(row)->setSelected(wanted);
        selected += wanted;
    }
    QCOMPARE(selected, 2);

    // Cancel in the progress dialog: no archive, no leftovers, the card as it was.
    driver.Then("FolderChooser", DialogDriver::ChooseFolder(f.Path("store")));
    driver.Then("MessageBox", DialogDriver::Answer(QMessageBox::No));  // keep the folders
    driver.Then("ArchiveProgressDialog", [](QWidget* w) { w->findChild<QPushButton*>()->click(); });
    Find<QPushButton>(&list, "ButtonArchive")->click();
    QTRY_VERIFY(driver.Done());
    QVERIFY(QDir(f.Path("store")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
    QVERIFY(QFile::exists(f.Path("card/PROJ001/PRJDATA.ZDT")));

    driver.Then("FolderChooser", DialogDriver::ChooseFolder(f.Path("store")));
    driver.Then("MessageBox", DialogDriver::Answer(QMessageBox::Yes));  // delete from the card once verified
    driver.Then("ArchiveProgressDialog", [](QWidget*) {});                // the bar shows while it runs
    driver.Then("MessageBox", [&](QWidget* box) {
        QVERIFY(qobject_cast<QMessageBox*>(box)->text().contains(".tar"));
        DialogDriver::Answer(QMessageBox::Ok)(box);
    });
    Find<QPushButton>(&list, "ButtonArchive")->click();
    QTRY_VERIFY(driver.Done());
    const QStringList tars = TarsIn(f.Path("store"));
    QCOMPARE(tars.size(), 2);
    QVERIFY(tars.front().startsWith("PROJ001_SONG1_"));
    QVERIFY(!QDir(f.Path("card/PROJ001")).exists());  // removed after the verified archive
    QVERIFY(!QDir(f.Path("card/PROJ002")).exists());
    QVERIFY(QDir(f.Path("card/PROJ003")).exists());

    // Back through the main window onto another card: the archive chosen, the
    // card, the number (the lowest free one offered), then the message.
    auto restore = [&](const QString& tar, const DialogDriver::Action& number, const QString& said) {
        driver.Then("RestoreArchiveDialog", [&f, tar](QWidget* w) {
            auto* chooser = qobject_cast<QFileDialog*>(w);
            chooser->setDirectory(f.Path("store"));
            chooser->findChild<QLineEdit*>("fileNameEdit")->setText(tar);
            QMetaObject::invokeMethod(chooser, "accept", Qt::QueuedConnection);
        });
        driver.Then("FolderChooser", DialogDriver::ChooseFolder(f.Path("other")));
        driver.Then("RestoreNumberDialog", number);
        driver.Then("ArchiveProgressDialog", [](QWidget*) {});
        driver.Then("MessageBox", [said](QWidget* box) {
            QVERIFY2(qobject_cast<QMessageBox*>(box)->text().contains(said), qPrintable(said));
            DialogDriver::Answer(QMessageBox::Ok)(box);
        });
        Find<QPushButton>(&app.Main(), "ButtonRestoreArchive")->click();
        QTRY_VERIFY(driver.Done());
    };
    restore(tars.front(), [](QWidget* w) {
        auto* number = qobject_cast<QInputDialog*>(w);
        QCOMPARE(number->intValue(), 1);
        number->setIntValue(7);
        QMetaObject::invokeMethod(number, "accept", Qt::QueuedConnection);
    }, "PROJ007");
    QVERIFY(QFile::remove(f.Path("other/PROJ007/AUDIO/LONG.WAV")));  // the rest as the demo card has it
    QVERIFY(FolderContents(f.Path("other/PROJ007").toStdString()) ==
            FolderContents(std::filesystem::path(SPURWERK_DEMO_CARD) / "PROJ001"));

    // A damaged archive (cut in half): the error in the window's language
    // (English), nothing restored.
    const QByteArray whole = f.ReadFile("store/" + tars.front());
    f.WriteFile("store/BAD.tar", whole.left(whole.size() / 2));
    restore("BAD.tar", [](QWidget* w) { QMetaObject::invokeMethod(w, "accept", Qt::QueuedConnection); }, "damaged");
    QCOMPARE(QDir(f.Path("other")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"PROJ007"});
#endif
}

QTEST_MAIN(ListsArchiveTest)
#include "lists_archive_test.moc"
