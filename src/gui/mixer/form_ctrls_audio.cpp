// The mixer's audio commands: a file from another program imported onto a
// track, and the tracks exported for other programs.

#include <QFileDialog>

#include <filesystem>

#include "audio/audio_import.h"
#include "audio/track_export.h"
#include "io/file_io.h"
#include "io/path_text.h"
#include "mixer/form_ctrls.h"
#include "mixer/imported_file.h"
#include "project/project_name.h"
#include "project/track_layout.h"
#include "project/track_values.h"
#include "settings/cli_texts.h"
#include "settings/ui_texts.h"
#include "support/audio_job.h"
#include "support/qt_text.h"
#include "text/placeholders.h"

namespace spurwerk::gui {

namespace {

int RecordingBits(const ZDTDocument& doc) { return doc.ReadByte(layout::RecordingDepthOffset) == 1 ? 24 : 16; }

void RequireConversion() {
    if (!AudioConversionAvailable()) throw AudioSourceError(UiTxt(UiText::ConversionUnavailable));
}

}  // namespace

void FormCtrls::ImportAudio(int stripIndex, const std::string& source) {
    Run([&] {
        RequireConversion();
        const std::string audio = model_->Files().AudioFolder();
        if (audio.empty()) return;
        const AudioSourceInfo info = ProbeAudioSource(source);
        ChannelMode mode = ChannelMode::Keep;
        if (info.channels == 2) {
            const int first = ImportStrip(stripIndex, 2) + 1;
            const int answer = dialogs_->Message(
                FillPlaceholders(UiTxt(UiText::ImportStereoQuestion),
                                 {source, std::to_string(first), std::to_string(first + 1), std::to_string(stripIndex + 1)}),
                MessageButtons::YesNoCancel);
            if (answer != ResultYes && answer != ResultNo) throw SilentAbort();
            if (answer == ResultNo) mode = ChannelMode::MixToMono;
        }
        MixerControls& controls = model_->Controls();
        if (mode == ChannelMode::MixToMono || info.channels == 1)
            if (controls.IsLocked(controls.At(stripIndex, Element::FileAss))) throw TrackLocked(stripIndex);
        const ImportRequest request{source, audio, "", RecordingBits(model_->Document()), mode};
        ImportResult result;
        RunAudioJob(this, Q(UiTxt(UiText::AudioJobRunning)),
                    [&](const ConversionProgress& progress) { result = ImportAudioFile(request, progress); });
        try {
            AssignImportedFile(*model_, stripIndex, result.fileName, result.conversion.channels);
        } catch (...) {
            std::error_code ec;
            std::filesystem::remove(PathFromText(audio) / PathFromText(result.fileName), ec);
            throw;
        }
        model_->Files().BuildWavList();
    });
}

void FormCtrls::ChooseAndImportAudio(int stripIndex) {
    const QString file = QFileDialog::getOpenFileName(
        this, Q(UiTxt(UiText::MenuImportAudio)), QString(),
        QStringLiteral("Audio (*.wav *.WAV *.aif *.aiff *.flac *.ogg *.oga *.opus *.mp3);;* (*)"));
    if (!file.isEmpty()) ImportAudio(stripIndex, S(file));
}

void FormCtrls::ExportTracksTo(const std::string& folder, const std::string& format) {
    Run([&] {
        if (model_->Files().AudioFolder().empty()) return;
        // What the window holds, saved or not.
        ExportProjectTracks(this, *dialogs_, model_->Document().ZDTData(), model_->Session().LoadedZDTFileName, folder,
                            format);
    });
}

void FormCtrls::ChooseAndExportTracks() {
    Run([&] {
        if (model_->Files().AudioFolder().empty()) return;
        ChooseAndExportProjectTracks(this, *dialogs_, model_->Document().ZDTData(),
                                     model_->Session().LoadedZDTFileName, RecordingBits(model_->Document()));
    });
}

}  // namespace spurwerk::gui
