// peaks: the waveform overview of a WAV file as numbers, the same the track
// view draws. import, export: audio from other programs onto a track, and
// tracks out as files for other programs.

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "audio/audio_convert.h"
#include "audio/audio_import.h"
#include "audio/peak_pyramid.h"
#include "audio/track_export.h"
#include "cli_dialogs.h"
#include "cli_support.h"
#include "commands.h"
#include "io/file_io.h"
#include "io/path_text.h"
#include "json_output.h"
#include "mixer/imported_file.h"
#include "mixer_session.h"
#include "project/project_info.h"
#include "project/project_name.h"
#include "project/track_values.h"
#include "project/value_texts.h"
#include "settings/cli_texts.h"
#include "settings/ui_texts.h"
#include "ui/errors.h"

namespace spurwerk::cli {

namespace {

std::string Number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", static_cast<double>(value));
    return text;
}

void AddPeaks(CLI::App& app) {
    struct Options {
        std::string file;
        int width = 80;
    };
    auto options = std::make_shared<Options>();
    auto* sub = app.add_subcommand("peaks", CliTxt(CliText::HelpPeaks));
    sub->add_option("FILE", options->file, CliTxt(CliText::HelpPeaksFile))->required();
    sub->add_option("--width", options->width, CliTxt(CliText::HelpPeaksWidth))->check(CLI::Range(1, 1000000));
    AddJsonFlag(sub);
    sub->callback([options] {
        SetErrorFile(options->file);
        const std::atomic<bool> never{false};
        const PeakResult result = ComputePeaks(options->file, never);
        if (!result.layout.Ok())
            throw CommandError(options->file + ": " + WavFaultText(result.layout.fault));
        if (result.readError) throw CommandError(options->file + ": " + CliTxt(CliText::WavReadError));
        const WavLayout& layout = result.layout;
        const PeakPyramid& peaks = *result.peaks;
        std::vector<std::vector<PeakPair>> columns;
        for (std::uint16_t c = 0; c < layout.channels; ++c)
            columns.push_back(peaks.Columns(c, 0, layout.frameCount, options->width));
        if (JsonOutput()) {
            Json channels = Json::array();
            for (const auto& channel : columns) {
                Json pairs = Json::array();
                for (const PeakPair& p : channel) pairs.push_back({p.min, p.max});
                channels.push_back(pairs);
            }
            PrintJson({{"file", CardText(options->file)},
                       {"channels", layout.channels},
                       {"sampleRate", layout.sampleRate},
                       {"bits", layout.bitsPerSample},
                       {"float", layout.isFloat},
                       {"frames", layout.frameCount},
                       {"truncated", layout.Truncated()},
                       {"width", options->width},
                       {"peaks", channels}});
            return;
        }
        std::string head = CliTxt(CliText::PeaksHead, {options->file, std::to_string(layout.frameCount),
                                                       std::to_string(layout.channels), std::to_string(layout.sampleRate)});
        if (layout.Truncated())
            head += " " + CliTxt(CliText::PeaksCutShort,
                                 {std::to_string(layout.dataSize), std::to_string(layout.declaredDataSize)});
        PrintLine(head);
        for (int i = 0; i < options->width; ++i) {
            std::string line = std::to_string(i);
            for (const auto& channel : columns)
                line += " " + Number(channel[static_cast<std::size_t>(i)].min) + " " +
                        Number(channel[static_cast<std::size_t>(i)].max);
            PrintLine(line);
        }
    });
}

std::string Described(const std::string& text) {
    return AudioConversionAvailable() ? text : text + " " + CliTxt(CliText::HelpConversionUnavailable);
}

void RequireConversion() {
    if (!AudioConversionAvailable()) throw CommandError(UiTxt(UiText::ConversionUnavailable));
}

int RecordingBits(const ZDTDocument& doc) { return doc.ReadByte(layout::RecordingDepthOffset) == 1 ? 24 : 16; }

void AddImport(CLI::App& app) {
    struct Options {
        std::string source, file, name, stereo;
        int track = 0;
    };
    auto options = std::make_shared<Options>();
    auto* sub = app.add_subcommand(
        "import", Described(CliTxt(CliText::HelpImport)));
    sub->add_option("SOURCE", options->source, CliTxt(CliText::HelpImportSource))->required();
    sub->add_option("FILE", options->file, CliTxt(CliText::HelpProjectFile))->required();
    sub->add_option("--track", options->track, CliTxt(CliText::HelpTrackNumber))->required()->check(CLI::Range(1, 16));
    sub->add_option("--name", options->name, CliTxt(CliText::HelpImportName));
    sub->add_option("--stereo", options->stereo,
                    CliTxt(CliText::HelpImportStereo))
        ->check(CLI::IsMember({"pair", "mono"}));
    AddJsonFlag(sub);
    sub->callback([options] {
        SetErrorFile(options->file);
        RequireConversion();
        MixerSession session(options->file);
        const AudioSourceInfo source = ProbeAudioSource(options->source);
        const int strip = options->track - 1;
        ChannelMode mode = ChannelMode::Keep;
        if (source.channels == 2) {
            const int first = ImportStrip(strip, 2) + 1;
            if (options->stereo.empty())
                throw CommandError(CliTxt(CliText::ImportStereoChoice,
                                          {options->source, std::to_string(first), std::to_string(first + 1),
                                           std::to_string(options->track)}));
            if (options->stereo == "mono") mode = ChannelMode::MixToMono;
        }
        const int channels = mode == ChannelMode::MixToMono ? 1 : source.channels;
        // Refused before anything is written.
        if (channels == 1) session.RequireEnabled(options->track);
        ImportRequest request{options->source, session.mixer->Files().AudioFolder(), options->name,
                              RecordingBits(session.doc), mode};
        ImportResult result;
        try {
            result = ImportAudioFile(request);
        } catch (const AudioSourceError& e) {
            throw CommandError(e.what());
        }
        const std::string written = PathText(PathFromText(request.audioFolder) / PathFromText(result.fileName));
        try {
            AssignImportedFile(*session.mixer, strip, result.fileName, result.conversion.channels);
            session.Save();
        } catch (...) {
            std::error_code ec;
            std::filesystem::remove(PathFromText(written), ec);
            throw;
        }
        ReportWritten(written);
        const int first = ImportStrip(strip, result.conversion.channels) + 1;
        const std::string tracks = result.conversion.channels == 2
                                       ? std::to_string(first) + "+" + std::to_string(first + 1)
                                       : std::to_string(first);
        const auto ms = static_cast<std::int64_t>(result.conversion.frames * 1000 / 44100);
        if (JsonOutput()) {
            PrintJson(ChangeReport({{"imported",
                                     {{"wav", CardPath(result.fileName)},
                                      {"file", CardPath(written)},
                                      {"track", first},
                                      {"pair", result.conversion.channels == 2},
                                      {"channels", result.conversion.channels},
                                      {"bitsPerSample", request.bits},
                                      {"frames", result.conversion.frames},
                                      {"durationMs", ms},
                                      {"resampled", result.conversion.resampled},
                                      {"dithered", result.conversion.dithered}}}}));
            return;
        }
        PrintLine(CliTxt(CliText::Imported, {written, tracks, std::to_string(request.bits),
                                             std::to_string(result.conversion.channels), MillisecondsText(ms)}));
    });
}

void AddExport(CLI::App& app) {
    struct Options {
        std::string file, folder, format, tracks;
        bool overwrite = false;
    };
    auto options = std::make_shared<Options>();
    auto* sub = app.add_subcommand(
        "export", Described(CliTxt(CliText::HelpExport)));
    sub->add_option("FILE", options->file, CliTxt(CliText::HelpProjectFile))->required();
    sub->add_option("--to", options->folder, CliTxt(CliText::HelpExportTo))->required();
    sub->add_option("--format", options->format,
                    CliTxt(CliText::HelpExportFormat))
        ->check(CLI::IsMember({"wav16", "wav24", "flac"}, CLI::ignore_case));
    sub->add_option("--tracks", options->tracks, CliTxt(CliText::HelpExportTracks));
    sub->add_flag("--overwrite", options->overwrite, CliTxt(CliText::HelpExportOverwrite));
    AddJsonFlag(sub);
    sub->callback([options] {
        SetErrorFile(options->file);
        RequireConversion();
        MixerSession session(options->file, false);
        std::vector<int> chosen;
        if (!options->tracks.empty()) {
            auto parsed = ParseTrackList(options->tracks, layout::TrackCount);
            if (!parsed) throw CommandError(CliTxt(CliText::BadTrackList, {options->tracks}));
            chosen = *parsed;
        }
        ExportFormat format = RecordingBits(session.doc) == 24 ? ExportFormat::Wav24 : ExportFormat::Wav16;
        if (!options->format.empty()) format = *ParseExportFormat(options->format);
        const std::string audio = session.mixer->Files().AudioFolder();
        std::vector<ExportItem> items =
            PlanProjectExport(session.doc.ZDTData(), session.project.LoadedZDTFileName, chosen, options->folder, format);
        if (items.empty()) throw CommandError(CliTxt(CliText::ExportNothing));
        for (const ExportItem& item : items) {
            if (item.source.empty())
                throw CommandError(CliTxt(CliText::ExportMissing,
                                          {std::to_string(item.tracks.front()), item.wavName, audio}));
            if (!options->overwrite && PathExists(item.target))
                throw CommandError(CliTxt(CliText::ExportExists, {item.target}));
        }
        std::error_code ec;
        std::filesystem::create_directories(PathFromText(options->folder), ec);
        if (ec) throw FileError::For(FileStep::CreateFolder, PathFromText(options->folder), ec);
        try {
            ExportTracks(items, format, options->overwrite);
        } catch (const AudioSourceError& e) {
            throw CommandError(e.what());
        }
        Json files = Json::array();
        for (const ExportItem& item : items) {
            ReportWritten(item.target);
            files.push_back({{"tracks", item.tracks}, {"wav", CardPath(item.wavName)}, {"file", CardPath(item.target)}});
            if (!JsonOutput()) PrintLine(CliTxt(CliText::Exported, {item.target}));
        }
        if (JsonOutput()) PrintJson(ChangeReport({{"exported", files}}));
    });
}

}  // namespace

void AddAudioCommands(CLI::App& app) {
    AddPeaks(app);
    AddImport(app);
    AddExport(app);
}

}  // namespace spurwerk::cli
