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
    sub->add_option("FILE", options->file, CliTxt(CliText::HelpProjectFile))->required();
    sub->add_option(copy ? "FROM" : "A", options->from, CliTxt(CliText::HelpTrackNumber))->required()->check(CLI::Range(1, 16));
    sub->add_option(copy ? "TO" : "B", options->to, CliTxt(CliText::HelpTrackNumber))->required()->check(CLI::Range(1, 16));
    AddJsonFlag(sub);
    sub->callback([options, copy] {
        SetErrorFile(options->file);
        if (options->from == options->to) throw CommandError(CliTxt(CliText::TracksMustDiffer));
        MixerSession session(options->file);
        const MixerControls& controls = session.mixer->Controls();
        std::string source = controls.Control(options->from - 1, Element::TrackLabel).name;
        std::string target = controls.Control(options->to - 1, Element::TrackLabel).name;
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
    std::string audio = AudioFolderOf(session.project.LoadedZDTFileName);
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
    return {{"file", CardPath(session.project.LoadedZDTFileName)},
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
    auto* sub = app.add_subcommand("files", CliTxt(CliText::HelpFiles));
    sub->add_option("FILE", options->file, CliTxt(CliText::HelpProjectFile))->required();
    sub->add_flag("--list-size", options->listSize, CliTxt(CliText::HelpFilesListSize));
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
            MixerViewModel withSizes(session.project, session.dialogs, mixerOptions);
            withSizes.Controls().ReadAll();
            for (const std::string& line : withSizes.Files().WavFiles().lines) PrintLine(line);
            return;
        }
        for (const std::string& line : session.mixer->Files().WavFiles().lines) PrintLine(line);
    });
}

}  // namespace

void AddMixerCommands(CLI::App& app) {
    AddTrackTransfer(app, "copy-track", CliTxt(CliText::HelpCopyTrack),
                     true);
    AddTrackTransfer(app, "swap-tracks", CliTxt(CliText::HelpSwapTracks),
                     false);
    AddFiles(app);
}

}  // namespace spurwerk::cli
