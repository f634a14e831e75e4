// The track view on real widgets: its rows, where the marks are painted at a
// zoom, a mark dragged on the ruler and saved, and the undo of it.

#include <filesystem>

#include "dialog_driver.h"
#include "gui_fixture.h"
#include "project/play_marks.h"
#include "project/track_layout.h"
#include "test_bytes.h"
#include "test_files.h"
#include "test_wavs.h"
#include "trackview/track_canvas.h"
#include "trackview/track_view_window.h"

using spurwerk::gui::TrackViewWindow;
using namespace spurwerk::testing;
namespace fs = std::filesystem;
namespace sp = spurwerk;

namespace {

// A project in SONG/ with a stereo and a mono take, a damaged file, a
// missing one, and marks at 1 s and 2 s.
QString WriteSong(const GuiFixture& f) {
    const fs::path song = fs::path(f.Path("SONG").toStdString());
    fs::create_directories(song / "AUDIO");
    WriteSineWav(song / "AUDIO" / "STEREO.WAV", {.channels = 2, .rate = 44100}, 3.0, 0.5, 200);
    WriteSineWav(song / "AUDIO" / "MONO.WAV", {.rate = 44100}, 2.0, 0.25, 200);
    WriteBytes(song / "AUDIO" / "BROKEN.WAV", sp::Bytes(60, 7));
    WriteBytes(song / "PRJDATA.ZDT", ProjectBytes({.name = "SONG",
                                                   .wavNames = {"STEREO.WAV", "MONO.WAV", "BROKEN.WAV", "GONE.WAV"},
                                                   .marks = {1000, 2000},
                                                   .deviceDefaults = true}));
    return QString::fromStdString((song / "PRJDATA.ZDT").string());
}

// Whether the column holds a mark's blue in the ruler.
bool MarkPainted(QWidget* canvas, int x) {
    const QImage image = canvas->grab().toImage();
    for (int y = 14; y < TrackViewWindow::RulerHeight - 2; ++y)
        if (image.pixelColor(x, y) == QColor(0, 90, 220)) return true;
    return false;
}

}  // namespace

class TrackViewWindowTest : public QObject {
    Q_OBJECT
private slots:
    void RowsAndMarks();
    void DraggedMarkIsSavedAndUndone();
};

void TrackViewWindowTest::RowsAndMarks() {
    GuiFixture f;
    sp::gui::SpurwerkApp& app = f.StartQuiet({WriteSong(f)});
    // The mixer's menu entry opens it.
    QAction* entry = app.Ctrls().findChild<QAction*>("PMTrackView");
    QVERIFY(entry);
    QCOMPARE(entry->text(), QStringLiteral("Track view ... (Ctrl+T)"));  // the English language file
    entry->trigger();
    TrackViewWindow* view = app.TrackView();
    QVERIFY(view);
    QVERIFY(view->isVisible());
    QVERIFY(view->WaitForOverviews(20000));
    // A row for each track, with its file's overview or the reason for none (the overviews are core's).
    const auto& rows = view->Rows();
    QCOMPARE(rows.size(), std::size_t(16));
    QCOMPARE(rows[0].name, std::string("STEREO.WAV"));
    QCOMPARE(rows[0].peaks->FrameCount(), std::uint64_t(3 * 44100));
    QCOMPARE(rows[2].reason, std::string("no WAV file"));
    QCOMPARE(rows[3].reason, std::string("cannot be read"));

    // At 10 ms a pixel from 0 the marks stand 100 and 200 pixels right of the headers.
    view->ZoomFit();
    view->Zoom(10.0 / view->Scale().msPerPixel, TrackViewWindow::HeaderWidth);
    QCOMPARE(view->Scale().msPerPixel, 10.0);
    QCOMPARE(view->Scale().startMs, std::int64_t(0));
    const int x1 = TrackViewWindow::HeaderWidth + 100, x2 = TrackViewWindow::HeaderWidth + 200;
    QCOMPARE(view->XOfMs(1000), x1);
    QVERIFY(MarkPainted(view->Canvas(), x1));
    QVERIFY(MarkPainted(view->Canvas(), x2));
    QVERIFY(!MarkPainted(view->Canvas(), x1 + 50));
    // Zoomed in twice around the first mark: it stays, the second moves out by 100.
    view->Zoom(0.5, x1);
    QCOMPARE(view->XOfMs(1000), x1);
    QVERIFY(MarkPainted(view->Canvas(), x1));
    QVERIFY(MarkPainted(view->Canvas(), x1 + 200));
    QCOMPARE(view->MarkNear(x1 + 199), 1);
    QCOMPARE(view->MarkNear(x1 + 100), -1);
}

void TrackViewWindowTest::DraggedMarkIsSavedAndUndone() {
    GuiFixture f;
    DialogDriver driver;
    const QString project = WriteSong(f);
    sp::gui::SpurwerkApp& app = f.StartQuiet({project});
    app.ShowTrackView();
    TrackViewWindow* view = app.TrackView();
    QVERIFY(view->WaitForOverviews(20000));
    view->ZoomFit();
    view->Zoom(10.0 / view->Scale().msPerPixel, TrackViewWindow::HeaderWidth);
    QWidget* canvas = view->Canvas();
    const int from = view->XOfMs(1000);
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(from, 8));
    QTest::mouseMove(canvas, QPoint(from + 30, 8));
    QCOMPARE(view->Canvas()->DraggedMark(), 0);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(from + 50, 8));
    QCOMPARE(sp::ListMarks(app.State().doc.ZDTData()), (std::vector<std::int32_t>{1500, 2000}));
    QVERIFY(app.State().doc.DataChanged());
    QCOMPARE(QString::fromStdString(app.State().doc.UndoText()).contains("Move mark 1"), true);

    // A drag past the second mark reorders the table.
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(view->XOfMs(1500), 8));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(view->XOfMs(2500), 8));
    QCOMPARE(sp::ListMarks(app.State().doc.ZDTData()), (std::vector<std::int32_t>{2000, 2500}));

    // Saved: the bytes of the table and the count.
    driver.Then("FormTimedInput", DialogDriver::ClickNamed("ButtonOk"));
    Find<QPushButton>(&app.Main(), "ButtonQuickSaveLoadedZDTFile")->click();
    const sp::Bytes saved = ReadBytes(project.toStdString());
    QCOMPARE(sp::ListMarks(saved), (std::vector<std::int32_t>{2000, 2500}));
    QCOMPARE(int(saved[sp::layout::MarkTableOffset + 8]), 2500 & 0xFF);
    QCOMPARE(int(saved[sp::layout::MarkTableOffset + 9]), 2500 >> 8);
    QCOMPARE(int(saved[sp::layout::MarkCountOffset]), 2);

    // Each drag was one step.
    app.Main().Undo();
    QCOMPARE(sp::ListMarks(app.State().doc.ZDTData()), (std::vector<std::int32_t>{1500, 2000}));
    app.Main().Undo();
    QCOMPARE(sp::ListMarks(app.State().doc.ZDTData()), (std::vector<std::int32_t>{1000, 2000}));
    QVERIFY(MarkPainted(canvas, view->XOfMs(1000)));

    // Set at the play position (a click on a row), deleted from the menu.
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(view->XOfMs(1700), 80));
    QCOMPARE(view->PlayPositionMs(), std::int64_t(1700));
    Find<QPushButton>(view, "ButtonSetMark")->click();
    QCOMPARE(sp::ListMarks(app.State().doc.ZDTData()), (std::vector<std::int32_t>{1000, 1700, 2000}));
    QVERIFY(view->DeleteMark(0));
    QCOMPARE(sp::ListMarks(app.State().doc.ZDTData()), (std::vector<std::int32_t>{1700, 2000}));
    app.Main().Undo();
    QCOMPARE(sp::ListMarks(app.State().doc.ZDTData()), (std::vector<std::int32_t>{1000, 1700, 2000}));
}

QTEST_MAIN(TrackViewWindowTest)
#include "trackview_window_test.moc"
