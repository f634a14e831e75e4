// copy-track, swap-tracks, files: track operations and the WAV list of the
// mixer window, on one project file.

#include <iostream>
#include <memory>

#include "cli_dialogs.h"
#include "commands.h"
#include "io/path_text.h"
#include "json_output.h"
#include "mixer_session.h"
#include "project/project_info.h"
#include "settings/cli_texts.h"

namespace spurwerk::cli {

namespace {

void AddTrackTransfer(CLI::App& app, const std::string& name, const std::string& description, bool copy) {
    struct Options {
        std::string file;
        int from = 0, to = 0;
    };
    auto options = std::make_shared<Options>();
    auto* sub = app.add_subcommand(name, description);
    sub->add_option("FILE", options->file, "the project file")->required();
    sub->add_option(copy ? "FROM" : "A", options->from, "track number 1..16")->required()->check(CLI::Range(1, 16));
    sub->add_option(copy ? "TO" : "B", options->to, "track number 1..16")->required()->check(CLI::Range(1, 16));
    AddJsonFlag(sub);
    sub->callback([options, copy] {
        SetErrorFile(options->file);
        if (options->from == options->to) throw CommandError(CliTxt(CliText::TracksMustDiffer));
        MixerSession session(options->file);
        std::string source = "LabelTrackNr_" + std::to_string(options->from);
        std::string target = "LabelTrackNr_" + std::to_string(options->to);
        session.RequireEnabled(options->from);
        session.RequireEnabled(options->to);
        if (!session.mixer->Tracks().AcceptsDrop(source, target)) throw CommandError(CliTxt(CliText::DropRefused));
        // The drop asks "copy (Yes) or exchange (No)"; the command gives the answer.
        session.dialogs.answer = copy;
        session.mixer->Tracks().Drop(source, target);
        session.Save();
        if (JsonOutput()) PrintJson(ChangeReport());
    });
}

Json FilesJson(MixerSession& session) {
    const WavList& list = session.mixer->Files().WavFiles();
    std::string audio = AudioFolderOf(session.doc.LoadedZDTFileName);
    Json wavs = Json::array();
    for (std::size_t i = 0; i < list.files.size(); ++i) {
        Json wav = WavJson(PathText(PathFromText(audio) / PathFromText(list.files[i])));
        wav["name"] = CardPath(list.files[i]);
        const std::string& track = i < list.tracks.size() ? list.tracks[i] : "";
        wav["track"] = track.empty() ? Json() : track == "M" ? Json("master") : Json(std::stoi(track));
        wavs.push_back(wav);
    }
    Json missing = Json::array();
    std::vector<std::string> assignments = session.mixer->Files().Assignments();
    for (std::size_t s = 0; s < assignments.size() && s < list.found.size(); ++s)
        if (!list.found[s] && !ContainsFileName(list.files, assignments[s]))
            missing.push_back({{"track", s + 1 == assignments.size() ? Json("master") : Json(s + 1)},
                               {"wav", CardName(assignments[s])}});
    return {{"file", CardPath(session.doc.LoadedZDTFileName)},
            {"audioFolder", CardPath(audio)},
            {"wavCount", list.files.size()},
            {"assignedCount", list.matchedFiles},
            {"recordingEndMs", list.recordingEnd},
            {"wavs", wavs},
            {"missing", missing}};
}

void AddFiles(CLI::App& app) {
    struct Options {
        std::string file;
        bool listSize = false;
    };
    auto options = std::make_shared<Options>();
    auto* sub = app.add_subcommand("files", "The WAV files of the project's AUDIO folder with their tracks, "
                                            "as the mixer's list shows them (header line first)");
    sub->add_option("FILE", options->file, "the project file")->required();
    sub->add_flag("--list-size", options->listSize, "also show the size of each file's LIST chunk");
    AddJsonFlag(sub);
    sub->callback([options] {
        SetErrorFile(options->file);
        MixerSession session(options->file, false);
        if (JsonOutput()) {
            PrintJson(FilesJson(session));
            return;
        }
        if (options->listSize) {
            MixerOptions mixerOptions = session.mixer->Options();
            mixerOptions.showListSize = true;
            MixerViewModel withSizes(session.doc, session.dialogs, mixerOptions);
            withSizes.Controls().ReadAll();
            for (const std::string& line : withSizes.Files().WavFiles().lines) PrintLine(line);
            return;
        }
        for (const std::string& line : session.mixer->Files().WavFiles().lines) PrintLine(line);
    });
}

}  // namespace

void AddMixerCommands(CLI::App& app) {
    AddTrackTransfer(app, "copy-track", "Copy all settings of track FROM onto track TO (drop of a track number, Yes)",
                     true);
    AddTrackTransfer(app, "swap-tracks", "Exchange all settings of tracks A and B (drop of a track number, No)",
                     false);
    AddFiles(app);
}

}  // namespace spurwerk::cli
