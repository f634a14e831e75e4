// info, tracks, set, marks: the mix and the play marks of one project file.

#include <iostream>
#include <memory>

#include "cli_dialogs.h"
#include "cli_support.h"
#include "mixer_session.h"
#include "commands.h"
#include "project/document_ops.h"
#include "project/play_marks.h"
#include "project/project_info.h"
#include "project/project_name.h"
#include "project/track_layout.h"
#include "project/track_values.h"
#include "project/value_texts.h"

namespace spurwerk::cli {

namespace {

void PrintMarks(const ZDTDocument& doc, std::int32_t recordingEnd) {
    std::string listing = MarkListing(doc.ZDTData, recordingEnd);
    if (!listing.empty()) PrintLine(listing);
}

void AddInfo(CLI::App& app) {
    auto file = std::make_shared<std::string>();
    auto* sub = app.add_subcommand("info", "Project name, information line, effects and play marks of a project");
    sub->add_option("FILE", *file, "the project file (PRJDATA.ZDT)")->required();
    sub->callback([file] {
        ZDTDocument doc = LoadDocument(*file, true);
        std::int32_t recordingEnd = RecordingEndOf(doc.LoadedZDTFileName);
        PrintLine("Project: \"" + ReadProjectName(doc.ZDTData) + "\"");
        PrintLine(ProjectInfoLine(doc.ZDTData, recordingEnd));
        EffectLabels labels = ReadEffectLabels(EffectsFileNameFor(doc.LoadedZDTFileName),
                                               doc.ReadByte(layout::InsertPositionOffset));
        PrintLine(labels.insert + "\n" + labels.chorus + "\n" + labels.reverb);
        PrintMarks(doc, recordingEnd);
    });
}

void AddTracks(CLI::App& app) {
    struct Options {
        std::string file;
        bool compact = false;
        std::vector<std::string> groups;
        int trackCount = layout::TrackCount;
    };
    auto options = std::make_shared<Options>();
    auto* sub = app.add_subcommand("tracks", "One-line summary of the track parameters");
    sub->add_option("FILE", options->file, "the project file")->required();
    sub->add_flag("--compact", options->compact, "without padding and group blanks");
    sub->add_option("--groups", options->groups, "parameter groups, e.g. Status,Pan,Fader (default: all)")
        ->delimiter(',');
    sub->add_option("--track-count", options->trackCount, "tracks 1..N (default 16)")->check(CLI::Range(1, 16));
    sub->callback([options] {
        // The values as the mixer shows them (out-of-range values clamped).
        MixerSession session(options->file);
        TrackSummaryOptions summary;
        summary.compact = options->compact;
        summary.trackCount = options->trackCount;
        if (options->groups.empty())
            for (const auto& p : TrackParameters()) summary.groups.push_back(p.name);
        for (const auto& g : options->groups) summary.groups.push_back(ParameterOrThrow(g).name);
        PrintLine(BuildTrackSummary(session.doc.ZDTData, summary));
    });
}

void AddSet(CLI::App& app) {
    struct Options {
        std::string file;
        int track = 0;
        bool all = false, bank1 = false, bank2 = false;
        std::vector<std::string> assignments;
    };
    auto options = std::make_shared<Options>();
    auto* sub = app.add_subcommand(
        "set", "Set track parameters as the mixer window does, e.g. set FILE --track 3 Fader=100 Pan=L20, "
               "or set FILE --all --bank1 Fader=90 for the all-strip");
    sub->add_option("FILE", options->file, "the project file")->required();
    auto* track = sub->add_option("--track", options->track, "track number 1..16")->check(CLI::Range(1, 16));
    auto* all = sub->add_flag("--all", options->all, "set the value on the all-strip: every track of the range");
    auto* bank1 = sub->add_flag("--bank1", options->bank1, "with --all: tracks 1-8 only (as with Ctrl held)");
    auto* bank2 = sub->add_flag("--bank2", options->bank2, "with --all: tracks 9-16 only (as with Shift held)");
    track->excludes(all);
    bank1->needs(all)->excludes(bank2);
    bank2->needs(all);
    sub->add_option("ASSIGNMENTS", options->assignments, "GROUP=VALUE in the form `tracks --compact` prints")
        ->required();
    sub->callback([options] {
        if (!options->all && options->track == 0) throw CLI::ValidationError("--track or --all is required");
        // Everything is checked before anything is changed.
        std::vector<std::pair<const TrackParameter*, TrackValue>> changes;
        for (const std::string& assignment : options->assignments) {
            std::size_t eq = assignment.find('=');
            if (eq == std::string::npos) throw CommandError("\"" + assignment + "\" is not GROUP=VALUE");
            std::string group = assignment.substr(0, eq), text = assignment.substr(eq + 1);
            const TrackParameter* parameter = &ParameterOrThrow(group);
            std::string error;
            auto value = ParseTrackValue(*parameter, text, error);
            // "Reverb=X" means the on/off box, "Reverb=30" the level.
            const TrackParameter* box = FindTrackParameter(group + "[v]");
            std::string ignored;
            if (!value && box && box != parameter && (value = ParseTrackValue(*box, text, ignored))) parameter = box;
            if (!value) throw CommandError(error);
            if (options->all && parameter->control->kind == ControlKind::FileField)
                throw CommandError("the all-strip does not set " + parameter->name + "; give --track");
            changes.emplace_back(parameter, *value);
        }
        MixerSession session(options->file);
        if (options->all) {
            session.dialogs.keys.ctrl = options->bank1;
            session.dialogs.keys.shift = options->bank2;
            for (const auto& [parameter, value] : changes) {
                int position = parameter->control->kind == ControlKind::GainSlider ? layout::GainMax - value.raw
                                                                                   : value.raw;
                session.mixer->SetAllStripValue(parameter->control->prefix, position);
            }
            session.dialogs.keys = {};
        } else {
            session.RequireEnabled(options->track);
            for (const auto& [parameter, value] : changes)
                session.mixer->SetTrackValue(options->track - 1, parameter->control->prefix, value.raw, value.name);
        }
        session.Save();
    });
}

void AddMarks(CLI::App& app) {
    struct Options {
        std::string file;
        bool setEnd = false, deleteAfterEnd = false, deleteAll = false, yes = false, no = false;
    };
    auto options = std::make_shared<Options>();
    auto* sub = app.add_subcommand("marks", "List, set or delete the play marks of a project");
    sub->add_option("FILE", options->file, "the project file")->required();
    auto* setEnd = sub->add_flag("--set-end", options->setEnd, "set a mark at the recording end");
    auto* deleteAfter = sub->add_flag("--delete-after-end", options->deleteAfterEnd,
                                      "delete the marks after the recording end");
    auto* deleteAll = sub->add_flag("--delete-all", options->deleteAll, "delete all marks");
    setEnd->excludes(deleteAfter)->excludes(deleteAll);
    deleteAfter->excludes(deleteAll);
    auto* yes = sub->add_flag("--yes", options->yes, "answer Yes to the question about marks after the end");
    auto* no = sub->add_flag("--no", options->no, "answer No to it");
    yes->excludes(no);
    sub->callback([options] {
        ZDTDocument doc = LoadDocument(options->file, true);
        std::int32_t recordingEnd = RecordingEndOf(doc.LoadedZDTFileName);
        bool action = options->setEnd || options->deleteAfterEnd || options->deleteAll;
        if (action) {
            CliDialogs dialogs;
            if (options->yes || options->no) dialogs.answer = options->yes;
            if ((options->setEnd || options->deleteAfterEnd) && recordingEnd <= 0)
                throw CommandError("the project has no recording end (no WAV file with a duration in \"" +
                                   AudioFolderOf(doc.LoadedZDTFileName) + "\"); nothing changed");
            if (options->setEnd) {
                if (SetEndMark(doc, recordingEnd, dialogs) == SetEndMarkResult::TableFull)
                    throw CommandError(MarkTableFullMessage());
            } else if (options->deleteAfterEnd) {
                DeleteMarksAfter(doc, recordingEnd);
            } else {
                DeleteAllMarks(doc);
            }
            if (doc.DataChanged) SaveDocument(doc, doc.LoadedZDTFileName);
        }
        PrintMarks(doc, recordingEnd);
    });
}

}  // namespace

void AddProjectCommands(CLI::App& app) {
    AddInfo(app);
    AddTracks(app);
    AddSet(app);
    AddMarks(app);
}

}  // namespace spurwerk::cli
