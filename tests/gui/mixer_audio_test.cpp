// Audio in and out of the mixer window on real widgets: a file dropped on a
// track's file field and the stereo question lead to the bytes a save writes
// and one undo step; the export writes the files a DAW loads.

#include <filesystem>
#include <memory>

#include "audio/audio_convert.h"
#include "audio/sample_reader.h"
#include "gui_fixture.h"
#include "project/document_ops.h"
#include "mixer_fixture.h"
#include "scripted_dialogs.h"
#include "test_wavs.h"

using spurwerk::gui::FormCtrls;
using spurwerk::testing::Mixer;
using spurwerk::testing::ScriptedDialogs;
namespace fs = std::filesystem;
namespace sp = spurwerk;

class MixerAudioTest : public QObject {
    Q_OBJECT
private slots:
    void DroppedFileAndStereoQuestionReachTheBytes();
    void ExportWritesTheTracks();
};

void MixerAudioTest::DroppedFileAndStereoQuestionReachTheBytes() {
    if (!sp::AudioConversionAvailable()) QSKIP("built without libsndfile and libsoxr");
    Mixer m;
    const fs::path mono = fs::path(m.dir.path().toStdString()) / "Click Track.wav";
    const fs::path stereo = fs::path(m.dir.path().toStdString()) / "backing.wav";
    sp::testing::WriteSineWav(mono, {.rate = 48000}, 0.3, 0.5, 1000);
    sp::testing::WriteSineWav(stereo, {.channels = 2, .rate = 44100}, 0.3, 0.5, 440);

    // A drop from the file manager on track 7's field.
    const sp::Bytes before = m.doc.ZDTData();
    QWidget* field = m.form->Widget("EDFileAss_7");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(mono.string()))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(field, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(field, &drop);
    QTRY_COMPARE(m.Field(7), std::string("CLICK TR.WAV"));
    QVERIFY(fs::exists(m.project / "AUDIO" / "CLICK TR.WAV"));
    QCOMPARE(qobject_cast<QLineEdit*>(field)->text(), QStringLiteral("CLICK TR.WAV"));
    QVERIFY(m.doc.Undo());  // one step takes it all back
    QVERIFY(m.doc.ZDTData() == before);

    // Stereo onto track 6: Yes puts it on the pair 5+6 and links it.
    m.dialogs.messageAnswers = {sp::ResultYes};
    m.form->ImportAudio(5, stereo.string());
    QCOMPARE(m.Field(5), std::string("BACKING.WAV"));
    QVERIFY(qobject_cast<QCheckBox*>(m.form->Widget("CBStereo_5"))->isChecked());
    QVERIFY(!m.form->Widget("EDFileAss_6")->isEnabled());
    // Cancel imports nothing.
    m.dialogs.messageAnswers = {sp::ResultCancel};
    const sp::Bytes linked = m.doc.ZDTData();
    m.form->ImportAudio(8, stereo.string());
    QVERIFY(m.doc.ZDTData() == linked);
    QVERIFY(!fs::exists(m.project / "AUDIO" / "BACKIN_2.WAV"));
}

void MixerAudioTest::ExportWritesTheTracks() {
    if (!sp::AudioConversionAvailable()) QSKIP("built without libsndfile and libsoxr");
    Mixer m;
    const fs::path out = fs::path(m.dir.path().toStdString()) / "stems";
    m.dialogs.messageAnswers = {sp::ResultOk};
    m.form->ExportTracksTo(out.string(), "wav24");
    QVERIFY(fs::exists(out / "SONG1_T01_TRACK01.wav"));
    QVERIFY(fs::exists(out / "SONG1_T03-04_TRACK03.wav"));
    QCOMPARE(sp::ReadWavLayout((out / "SONG1_T02_TRACK02.wav").string()).bitsPerSample, std::uint16_t{24});
    // A second export asks before it replaces; No writes nothing.
    const auto stamp = fs::last_write_time(out / "SONG1_T01_TRACK01.wav");
    m.dialogs.messageAnswers = {sp::ResultNo};
    m.form->ExportTracksTo(out.string(), "wav24");
    QVERIFY(fs::last_write_time(out / "SONG1_T01_TRACK01.wav") == stamp);
}

QTEST_MAIN(MixerAudioTest)
#include "mixer_audio_test.moc"
