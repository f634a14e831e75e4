// Playback of the track view through a real sound server (started by
// with_null_sound_server.sh): the output takes every frame of the project and
// the play position follows. Run without a server, the play controls must say
// that there is no output.

#include <filesystem>

#include "gui_fixture.h"
#include "audio/preview_mixer.h"
#include "project/play_marks.h"
#include "settings/ui_texts.h"
#include "scripted_dialogs.h"
#include "test_bytes.h"
#include "test_files.h"
#include "test_wavs.h"
#include "trackview/audio_output_module.h"
#include "trackview/playback.h"
#include "trackview/track_view_window.h"

using spurwerk::gui::TrackViewWindow;
using namespace spurwerk::testing;
namespace fs = std::filesystem;
namespace sp = spurwerk;

namespace {

struct Song {
    TempDir dir;
    sp::ProjectSession session;
    sp::ZDTDocument& doc = session.doc;
    ScriptedDialogs dialogs;
    Song() {
        fs::create_directories(dir / "AUDIO");
        // 0.6 s and 0.8 s: the project is as long as the longer one.
        WriteSineWav(dir / "AUDIO" / "A.WAV", {.rate = 44100}, 0.6, 0.5, 440);
        WriteSineWav(dir / "AUDIO" / "B.WAV", {.rate = 44100}, 0.8, 0.5, 660);
        doc.ReplaceZDTData(ProjectBytes({.wavNames = {"A.WAV", "B.WAV"}, .deviceDefaults = true}));
        session.LoadedZDTFileName = (dir / "PRJDATA.ZDT").string();
    }
};

}  // namespace

class TrackViewPlaybackTest : public QObject {
    Q_OBJECT
private slots:
    void PlaysTheProjectThroughTheOutput();
    void WithoutItsOutputModulePlaybackSaysWhy();
};

void TrackViewPlaybackTest::PlaysTheProjectThroughTheOutput() {
    Song song;
    TrackViewWindow view(song.session, song.dialogs);
    view.show();
    view.Reload();
    QVERIFY(view.WaitForOverviews(10000));
    auto* play = Find<QPushButton>(&view, "ButtonPlay");
    auto* status = Find<QLabel>(&view, "LabelPlayStatus");
    if (qEnvironmentVariable("SPURWERK_EXPECT_AUDIO") != "1") {
        // No server: the controls say so, the rest works.
        QVERIFY(!view.Player()->Available());
        QVERIFY(!play->isEnabled());
        QCOMPARE(status->text(), QStringLiteral("Keine Audio-Ausgabe vorhanden"));
        QVERIFY(view.Rows()[0].peaks);
        return;
    }
    QVERIFY2(view.Player()->Available(), "the sound server offers no output");
    QVERIFY(play->isEnabled());
    view.SetPlayPositionMs(200);
    std::vector<qint64> positions;
    connect(view.Player(), &sp::gui::Playback::positionChanged, this, [&](qint64 ms) { positions.push_back(ms); });
    play->click();
    QVERIFY2(view.Player()->Playing(), qPrintable(view.Player()->Problem()));
    QCOMPARE(play->text(), QStringLiteral("Stopp"));
    QVERIFY(QTest::qWaitFor([&] { return !view.Player()->Playing(); }, 15000));
    // From 0.2 s to the end at 0.8 s: 0.6 s of frames, all taken by the output.
    QCOMPARE(view.Player()->FramesPulled(), std::uint64_t(44100 * 6 / 10));
    QVERIFY(positions.size() >= 3);
    QVERIFY(positions.front() >= 200);
    QVERIFY(std::is_sorted(positions.begin(), positions.end()));
    QVERIFY2(positions.back() >= 700, qPrintable(QString::number(positions.back())));
    QVERIFY(view.PlayPositionMs() >= 700);
    QCOMPARE(play->text(), QStringLiteral("Abspielen"));
}

void TrackViewPlaybackTest::WithoutItsOutputModulePlaybackSaysWhy() {
    const QString name = sp::gui::AudioOutputModuleName();
    QVERIFY(!name.isEmpty());
    QTemporaryDir missing, broken;
    QFile garbage(QDir(broken.path()).filePath(name));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write("no library");
    garbage.close();
    const QString prefix = QString::fromStdString(sp::UiTxt(sp::UiText::TrackViewNoPlaybackModule, ""));
    struct Case {
        QStringList folders;
        bool loads;
        QString problemHas;
    };
    for (const Case& c : {Case{{missing.path()}, false, name}, Case{{broken.path()}, false, broken.path()},
                          Case{{missing.path(), broken.path()}, false, broken.path()},
                          Case{sp::gui::AudioOutputModuleFolders(), true, ""}}) {
        QString problem;
        std::unique_ptr<sp::gui::AudioOutput> output = sp::gui::NewAudioOutput(c.folders, problem);
        QCOMPARE(output != nullptr, c.loads);
        if (c.loads) continue;
        QVERIFY2(problem.startsWith(prefix) && problem.contains(c.problemHas), qPrintable(problem));
        // The player says the same and plays nothing.
        sp::gui::Playback player(c.folders);
        QVERIFY(!player.Available());
        QCOMPARE(player.Problem(), problem);
        QVERIFY(!player.Start(std::make_unique<sp::PreviewMixer>(std::vector<sp::PreviewTrack>{}), 0));
        QVERIFY(!player.Playing());
    }
}

QTEST_MAIN(TrackViewPlaybackTest)
#include "trackview_playback_test.moc"
