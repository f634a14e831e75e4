// peaks: the waveform overview of a WAV file as numbers, the same the track
// view draws.

#include <atomic>
#include <cstdio>
#include <memory>

#include "audio/peak_pyramid.h"
#include "cli_dialogs.h"
#include "commands.h"
#include "settings/cli_texts.h"
#include "json_output.h"

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
        if (result.readError) throw CommandError(options->file + ": read error");
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
        std::string head = options->file + ": " + std::to_string(layout.frameCount) + " frames, " +
                           std::to_string(layout.channels) + " channels, " + std::to_string(layout.sampleRate) + " Hz";
        if (layout.Truncated())
            head += " (data chunk cut short: " + std::to_string(layout.dataSize) + " of " +
                    std::to_string(layout.declaredDataSize) + " bytes)";
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

}  // namespace

void AddAudioCommands(CLI::App& app) { AddPeaks(app); }

}  // namespace spurwerk::cli
