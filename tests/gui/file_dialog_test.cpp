// Qt's file dialogs as the program opens them: the date column follows the
// program's language, not the system's locale.

#include <QtTest>
#include <QtWidgets>

#include <chrono>
#include <filesystem>

#include "dialog_driver.h"
#include "support/folder_chooser.h"
#include "support/qt_translations.h"

namespace spurwerk::testing {

using gui::SelectFolder;
using gui::UseQtTranslations;

class FileDialogTest : public QObject {
    Q_OBJECT
private slots:
    void DatesFollowTheProgramLanguage();
};

// The date column's text of the row `name` in the dialog's detail view, once
// the model has read the folder.
QString DateShown(QWidget* dialog, const QString& name) {
    auto* view = dialog->findChild<QTreeView*>("treeView");
    if (!view || !view->model()) return "no detail view";
    QAbstractItemModel* model = view->model();
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < model->rowCount(root); ++row)
            if (model->index(row, 0, root).data().toString() == name) {
                QString date = model->index(row, 3, root).data().toString();
                if (!date.isEmpty()) return date;
            }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return "row not shown";
}

void FileDialogTest::DatesFollowTheProgramLanguage() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("PROJ001"));
    const QString folder = dir.filePath("PROJ001");
    const QDateTime modified(QDate(2026, 3, 4), QTime(5, 6));
    const std::chrono::sys_seconds stamp{std::chrono::seconds(modified.toSecsSinceEpoch())};
    std::filesystem::last_write_time(folder.toStdString(), std::chrono::file_clock::from_sys(stamp));
    const struct {
        const char* language;
        QString expected;
    } cases[] = {
        {"de", QLocale(QLocale::German, QLocale::Germany).toString(modified, QLocale::ShortFormat)},
        {"en", QLocale(QLocale::English, QLocale::UnitedStates).toString(modified, QLocale::ShortFormat)},
    };
    // Without the program's own formatting, one of them shows the system's.
    QVERIFY(cases[0].expected != cases[1].expected);
    for (const auto& c : cases) {
        UseQtTranslations(c.language);
        QString shown;
        DialogDriver driver;
        driver.Then("FolderChooser", [&](QWidget* dialog) {
            shown = DateShown(dialog, "PROJ001");
            qobject_cast<QDialog*>(dialog)->reject();
        });
        SelectFolder(nullptr, "Ordner", folder.toStdString());
        QCOMPARE(shown, c.expected);
    }
    UseQtTranslations("");
}

}  // namespace spurwerk::testing

QTEST_MAIN(spurwerk::testing::FileDialogTest)
#include "file_dialog_test.moc"
