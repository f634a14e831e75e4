// The mixer's audio commands: a file from another program imported onto a
// track, and the tracks exported for other programs.

#include <QFileDialog>
#include <QInputDialog>

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

void FormCtrls::ExportTracksTo(const std::string& folder, const std::string& formatName) {
    Run([&] {
        RequireConversion();
        const ZDTDocument& doc = model_->Document();
        const std::string audio = model_->Files().AudioFolder();
        if (audio.empty()) return;
        const ExportFormat format = ParseExportFormat(formatName).value_or(ExportFormat::Wav16);
        const int trackCount = model_->Controls().TrackCount();
        std::vector<std::string> assignments = model_->Files().Assignments();
        assignments.resize(static_cast<std::size_t>(trackCount));
        std::vector<bool> linked(static_cast<std::size_t>(trackCount), false);
        for (int i = 0; i + 1 < trackCount; i += 2)
            linked[static_cast<std::size_t>(i)] = IsStereoLocked(doc.ZDTData(), i + 1, trackCount);
        const std::vector<ExportItem> items =
            PlanExport(ReadProjectName(doc.ZDTData()), audio, assignments, linked, {}, folder, format);
        if (items.empty()) throw AudioSourceError(CliTxt(CliText::ExportNothing));
        int existing = 0;
        for (const ExportItem& item : items) {
            if (item.source.empty())
                throw AudioSourceError(
                    CliTxt(CliText::ExportMissing, {std::to_string(item.tracks.front()), item.wavName, audio}));
            if (PathExists(item.target)) ++existing;
        }
        const bool replace =
            existing > 0 && dialogs_->Message(FillPlaceholders(UiTxt(UiText::ExportOverwrite), {std::to_string(existing)}),
                                              MessageButtons::YesNo) == ResultYes;
        if (existing > 0 && !replace) throw SilentAbort();
        std::error_code ec;
        std::filesystem::create_directories(PathFromText(folder), ec);
        if (ec) throw FileError::For(UiTxt(UiText::ImportCannotWrite), PathFromText(folder), ec);
        RunAudioJob(this, Q(UiTxt(UiText::AudioJobRunning)),
                    [&](const ConversionProgress& progress) { ExportTracks(items, format, replace, progress); });
        std::string written;
        for (const ExportItem& item : items) written += CliTxt(CliText::Exported, {item.target}) + "\r\n";
        dialogs_->Message(written, MessageButtons::Ok);
    });
}

void FormCtrls::ChooseAndExportTracks() {
    const QString folder = QFileDialog::getExistingDirectory(this, Q(UiTxt(UiText::MenuExportTracks)));
    if (folder.isEmpty()) return;
    const QStringList formats = {QStringLiteral("wav16"), QStringLiteral("wav24"), QStringLiteral("flac")};
    bool ok = false;
    const QString format = QInputDialog::getItem(this, Q(UiTxt(UiText::MenuExportTracks)),
                                                 Q(UiTxt(UiText::ExportFormatPrompt)), formats,
                                                 RecordingBits(model_->Document()) == 24 ? 1 : 0, false, &ok);
    if (ok) ExportTracksTo(S(folder), S(format));
}

}  // namespace spurwerk::gui
