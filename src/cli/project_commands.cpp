// info, tracks, set, marks: the mix and the play marks of one project file.

#include <algorithm>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <set>

#include "cli_dialogs.h"
#include "cli_support.h"
#include "mixer_session.h"
#include "commands.h"
#include "io/file_io.h"
#include "io/path_text.h"
#include "json_output.h"
#include "project/document_ops.h"
#include "project/play_marks.h"
#include "project/project_info.h"
#include "project/project_name.h"
#include "project/track_layout.h"
#include "project/track_record.h"
#include "project/track_table.h"
#include "project/track_values.h"
#include "project/value_format.h"
#include "project/value_texts.h"
#include "settings/cli_texts.h"
#include "text/json_depth.h"

namespace spurwerk::cli {

namespace {

Json MarksJson(const Bytes& buffer, std::int32_t recordingEnd) {
    Json marks = Json::array();
    for (std::int32_t ms : ListMarks(buffer)) marks.push_back({{"ms", ms}, {"recordingEnd", ms == recordingEnd}});
    return marks;
}

void PrintMarks(const ZDTDocument& doc, std::int32_t recordingEnd) {
    std::string listing = MarkListing(doc.ZDTData(), recordingEnd);
    if (!listing.empty()) PrintLine(listing);
}

void AddInfo(CLI::App& app) {
    auto file = std::make_shared<std::string>();
    auto* sub = app.add_subcommand("info", "Project name, information line, effects and play marks of a project");
    sub->add_option("FILE", *file, "the project file (PRJDATA.ZDT)")->required();
    AddJsonFlag(sub);
    sub->callback([file] {
        SetErrorFile(*file);
        ZDTDocument doc = LoadDocument(*file, true);
        std::int32_t recordingEnd = RecordingEndOf(doc.LoadedZDTFileName);
        if (JsonOutput()) {
            EffectLabels labels = ReadEffectLabels(EffectsFileNameFor(doc.LoadedZDTFileName),
                                                   doc.ReadByte(layout::InsertPositionOffset));
            PrintJson({{"file", CardPath(doc.LoadedZDTFileName)},
                       {"project", CardName(ReadProjectName(doc.ZDTData()))},
                       {"recordingEndMs", recordingEnd},
                       {"bitDepth", doc.ReadByte(layout::RecordingDepthOffset) * 8 + 16},
                       {"insertRecording", (doc.ReadByte(layout::InsertRecordingFlagOffset) & 1) ? "wet" : "dry"},
                       {"effects",
                        {{"insert", CardText(labels.insert)},
                         {"chorus", CardText(labels.chorus)},
                         {"reverb", CardText(labels.reverb)}}},
                       {"marks", MarksJson(doc.ZDTData(), recordingEnd)}});
            return;
        }
        PrintLine(CliTxt(CliText::ProjectLabel) + " \"" + ReadProjectName(doc.ZDTData()) + "\"");
        PrintLine(ProjectInfoLine(doc.ZDTData(), recordingEnd));
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
        bool summary = false;
        bool table = false;
        std::vector<std::string> groups;
        int trackCount = layout::TrackCount;
    };
    auto options = std::make_shared<Options>();
    auto* sub = app.add_subcommand("tracks", "The track parameters: a table on a terminal (one row per parameter, "
                                             "one column per track), the one-line summary into a pipe or file");
    sub->add_option("FILE", options->file, "the project file")->required();
    auto* summaryFlag = sub->add_flag("--summary", options->summary, "the one-line summary, also on a terminal");
    auto* tableFlag = sub->add_flag("--table", options->table, "the table, also into a pipe or file");
    tableFlag->excludes(summaryFlag);
    sub->add_flag("--compact", options->compact, "the summary without padding and group blanks")->excludes(tableFlag);
    sub->add_option("--groups", options->groups, "parameter groups separated by commas, e.g. Status,Pan,Fader (default: all)")
        ->delimiter(',');
    sub->add_option("--track-count", options->trackCount, "show tracks 1..N, a number 1..16 (default 16)")->check(CLI::Range(1, 16));
    AddJsonFlag(sub);
    sub->callback([options] {
        SetErrorFile(options->file);
        if (JsonOutput()) {
            // Every value in its unit, the stored byte beside it where the mixer clamps it.
            ZDTDocument doc = LoadDocument(options->file, true);
            std::vector<std::string> keys;
            for (const auto& g : options->groups) keys.push_back(JsonKey(ParameterOrThrow(g)));
            Json tracks = Json::array();
            for (int t = 0; t < options->trackCount; ++t) {
                Json track = TrackJson(doc.ZDTData(), t);
                if (!keys.empty()) {
                    Json chosen = {{"track", t + 1}};
                    for (const std::string& key : keys) chosen[key] = track[key];
                    if (track.contains("raw"))
                        for (const std::string& key : keys)
                            if (track["raw"].contains(key)) chosen["raw"][key] = track["raw"][key];
                    track = chosen;
                }
                tracks.push_back(track);
            }
            PrintJson({{"file", CardPath(doc.LoadedZDTFileName)},
                       {"project", CardName(ReadProjectName(doc.ZDTData()))},
                       {"tracks", tracks}});
            return;
        }
        ZDTDocument doc = LoadDocument(options->file, true);
        std::vector<std::string> groups;
        if (options->groups.empty())
            for (const auto& p : TrackParameters()) groups.push_back(p.name);
        for (const auto& g : options->groups) groups.push_back(ParameterOrThrow(g).name);
        // A person at a terminal reads a table; scripts reading a pipe keep their line.
        const std::size_t terminalWidth = TerminalColumns();
        if (options->table || (!options->summary && !options->compact && terminalWidth > 0)) {
            TrackTableOptions table;
            table.groups = groups;
            table.trackCount = options->trackCount;
            table.trackCaption = CliTxt(CliText::TableTrack);
            table.maxWidth = terminalWidth;
            for (const std::string& line : BuildTrackTable(doc.ZDTData(), table)) PrintLine(line);
            return;
        }
        // The values the mixer shows, the stored byte beside a clamped one.
        TrackSummaryOptions summary;
        summary.compact = options->compact;
        summary.trackCount = options->trackCount;
        summary.groups = groups;
        summary.markOutOfRange = true;
        PrintLine(BuildTrackSummary(doc.ZDTData(), summary));
    });
}

// The deepest a track document nests: {"tracks": [{…, "raw": {…}}]}.
constexpr std::size_t MaxTrackJsonDepth = 4;

// Standard input with the same limit as a file, read until one byte past it.
std::string ReadStandardInput() {
    std::string text;
    char chunk[65536];
    while (std::cin.read(chunk, sizeof chunk) || std::cin.gcount() > 0) {
        text.append(chunk, static_cast<std::size_t>(std::cin.gcount()));
        if (text.size() > MaxDocumentFileSize)
            throw CommandError("the input is larger than " + std::to_string(MaxDocumentFileSize >> 20) +
                               " MiB; nothing changed");
    }
    return text;
}

// The JSON of --from-json: a document of `tracks --json`, a list of track
// objects, or one object (its "track" or --track naming the track). Nesting
// deeper than a track document and a key given twice in one object are
// refused before anything is built from the text.
Json ReadJsonInput(const std::string& source) {
    std::string text;
    if (source == "-") {
        text = ReadStandardInput();
    } else {
        Bytes bytes = ReadWholeFile(PathFromText(source));
        text.assign(bytes.begin(), bytes.end());
    }
    if (JsonNestingDepth(text, MaxTrackJsonDepth) > MaxTrackJsonDepth)
        throw CommandError("the input nests deeper than a track document (" + std::to_string(MaxTrackJsonDepth) +
                           " levels); nothing changed");
    std::vector<std::set<std::string>> keysOfObjects;
    std::optional<std::string> duplicate;
    auto checkKeys = [&](int, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::object_start) keysOfObjects.emplace_back();
        else if (event == Json::parse_event_t::object_end && !keysOfObjects.empty()) keysOfObjects.pop_back();
        else if (event == Json::parse_event_t::key && !keysOfObjects.empty() && parsed.is_string() &&
                 !keysOfObjects.back().insert(parsed.get<std::string>()).second && !duplicate)
            duplicate = parsed.get<std::string>();
        return true;
    };
    Json input = Json::parse(text, checkKeys, false);
    if (input.is_discarded()) throw CommandError("the input is no valid JSON");
    if (duplicate) throw CommandError("the key " + Excerpt(Json(*duplicate)) + " is given twice in one object");
    return input;
}

// A track number of any size: only 1 to the track count is one.
bool IsTrackNumber(const Json& number) {
    const auto count = static_cast<std::int64_t>(layout::TrackCount);
    if (number.is_number_unsigned())
        return number.get<std::uint64_t>() >= 1 && number.get<std::uint64_t>() <= static_cast<std::uint64_t>(count);
    if (number.is_number_integer()) return number.get<std::int64_t>() >= 1 && number.get<std::int64_t>() <= count;
    return false;
}

// "raw" holds stored bytes of keys the same object gives a value for.
void CheckRaw(const Json& object, int track) {
    const Json& raw = object["raw"];
    std::string where = "track " + std::to_string(track) + ": \"raw\" ";
    if (!raw.is_object()) throw CommandError(where + "must be an object of stored bytes, not " + Excerpt(raw));
    for (const auto& [key, value] : raw.items()) {
        const TrackParameter* parameter = ParameterForKey(key);
        if (!parameter) throw CommandError(where + "names the unknown parameter " + Excerpt(Json(key)));
        bool given = false;
        for (const auto& [other, ignored] : object.items())
            if (other != "raw" && other != "track" && ParameterForKey(other) == parameter) given = true;
        if (!given) throw CommandError(where + "holds " + Excerpt(Json(key)) + " but the object gives no value for it");
        if (!value.is_number_integer() || value.get<std::int64_t>() < 0 || value.get<std::int64_t>() > 255 ||
            (value.is_number_unsigned() && value.get<std::uint64_t>() > 255))
            throw CommandError(where + "takes a stored byte 0..255 for " + Excerpt(Json(key)) + ", not " + Excerpt(value));
    }
}

struct TrackChange {
    int stripIndex;
    const TrackParameter* parameter;
    TrackValue value;
    std::optional<int> raw;  // the stored byte the report showed beside the value
};

std::vector<TrackChange> ChangesFromJson(const Json& input, int givenTrack) {
    Json list = input.is_object() && input.contains("tracks") ? input["tracks"]
                : input.is_array()                            ? input
                                                              : Json::array({input});
    if (!list.is_array()) throw CommandError("\"tracks\" must be a list of track objects");
    std::vector<TrackChange> changes;
    for (const Json& object : list) {
        if (!object.is_object()) throw CommandError("a track must be a JSON object, not " + Excerpt(object));
        int track = givenTrack;
        if (object.contains("track")) {
            const Json& number = object["track"];
            if (!IsTrackNumber(number))
                throw CommandError("\"track\" takes a track number from 1 to " + std::to_string(layout::TrackCount) +
                                   ", not " + Excerpt(number));
            track = number.get<int>();
        }
        if (track == 0) throw CommandError("a track object needs \"track\" (or give --track)");
        if (object.contains("raw")) CheckRaw(object, track);
        for (const auto& [key, value] : object.items()) {
            // "raw" shows the stored bytes; the values beside it are what is written.
            if (key == "track" || key == "raw") continue;
            const TrackParameter* parameter = ParameterForKey(key);
            if (!parameter)
                throw CommandError("unknown parameter " + Excerpt(Json(key)) + " for track " + std::to_string(track));
            std::string error;
            auto parsed = ParseTrackValue(*parameter, ValueTextFromJson(*parameter, value), error);
            if (!parsed) throw CommandError("track " + std::to_string(track) + ": " + error);
            std::optional<int> raw;
            if (object.contains("raw") && object["raw"].is_object() && object["raw"].contains(key) &&
                object["raw"][key].is_number_integer())
                raw = object["raw"][key].get<int>();
            changes.push_back({track - 1, parameter, *parsed, raw});
        }
    }
    return changes;
}

// Writes the values as given (the recording group rule still holds); a value
// that already reads the same is left alone, so the bytes stay as they were.
void ApplyJsonChanges(ZDTDocument& doc, const std::vector<TrackChange>& changes) {
    for (const TrackChange& change : changes) {
        std::vector<TrackReading> record = ReadTrackRecord(doc.ZDTData(), change.stripIndex);
        const TrackReading& now = *std::find_if(record.begin(), record.end(), [&](const TrackReading& r) {
            return r.parameter == change.parameter;
        });
        ControlKind kind = change.parameter->control->kind;
        bool same = kind == ControlKind::FileField ? now.name == change.value.name
                    : kind == ControlKind::BandBox || kind == ControlKind::InvertBox
                        ? !now.outOfRange && (now.raw != 0) == (change.value.raw != 0)
                        : now.raw == change.value.raw;
        // An out-of-range byte reported beside its clamped value is kept, not rewritten.
        if (same || (now.outOfRange && change.raw == now.raw && change.value.raw == now.position)) continue;
        WriteTrackValue(doc, *change.parameter, change.stripIndex, change.value);
        if (kind == ControlKind::StatusShape && change.value.raw == 2)
            ApplyRecordingGroup(doc, change.stripIndex, layout::TrackCount);
    }
}

void AddSet(CLI::App& app) {
    struct Options {
        std::string file, fromJson;
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
    auto* assignments =
        sub->add_option("ASSIGNMENTS", options->assignments, "GROUP=VALUE: Status R/+/-; boxes X/-; Pan C, L2..L100, R2..R100; EQ gains -12..12 dB; Reverb, Chorus 0..100; Fader 0..127; EQ frequencies in Hz; EQMidQual 0.1..1.0; FileAss NAME.WAV");
    auto* fromJson = sub->add_option("--from-json", options->fromJson,
                                     "read track values as `tracks --json` prints them from a file, or - for stdin");
    fromJson->excludes(assignments)->excludes(all);
    AddJsonFlag(sub);
    sub->callback([options] {
        SetErrorFile(options->file);
        if (!options->fromJson.empty()) {
            std::vector<TrackChange> changes = ChangesFromJson(ReadJsonInput(options->fromJson), options->track);
            FileLock lock = LockProjectFile(options->file);
            ZDTDocument doc = LoadDocument(options->file, true);
            ApplyJsonChanges(doc, changes);
            if (doc.ZDTData() != doc.CompareData()) SaveDocument(doc, options->file);
            if (JsonOutput()) PrintJson(ChangeReport());
            return;
        }
        if (options->assignments.empty()) throw CLI::ValidationError("give GROUP=VALUE assignments or --from-json");
        if (!options->all && options->track == 0) throw CLI::ValidationError("--track or --all is required");
        // Everything is checked before anything is changed.
        std::vector<std::pair<const TrackParameter*, TrackValue>> changes;
        for (const std::string& assignment : options->assignments) {
            std::size_t eq = assignment.find('=');
            if (eq == std::string::npos) throw CommandError(CliTxt(CliText::NotGroupValue, {assignment}));
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
                throw CommandError(CliTxt(CliText::AllStripDoesNotSet, {parameter->name}));
            changes.emplace_back(parameter, *value);
        }
        MixerSession session(options->file);
        if (options->all) {
            session.dialogs.keys.ctrl = options->bank1;
            session.dialogs.keys.shift = options->bank2;
            for (const auto& [parameter, value] : changes)
                session.mixer->Tracks().SetAllStripValue(parameter->control->prefix,
                                                         SliderPosition(*parameter->control, value.raw));
            session.dialogs.keys = {};
        } else {
            session.RequireEnabled(options->track);
            for (const auto& [parameter, value] : changes)
                session.mixer->Tracks().SetTrackValue(options->track - 1, parameter->control->prefix, value.raw, value.name);
        }
        session.Save();
        if (JsonOutput()) PrintJson(ChangeReport());
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
    AddJsonFlag(sub);
    sub->callback([options] {
        SetErrorFile(options->file);
        bool action = options->setEnd || options->deleteAfterEnd || options->deleteAll;
        FileLock lock = action ? LockProjectFile(options->file) : FileLock();
        ZDTDocument doc = LoadDocument(options->file, true);
        std::int32_t recordingEnd = RecordingEndOf(doc.LoadedZDTFileName);
        if (action) {
            CliDialogs dialogs;
            if (options->yes || options->no) dialogs.answer = options->yes;
            if ((options->setEnd || options->deleteAfterEnd) && recordingEnd <= 0)
                throw CommandError(CliTxt(CliText::NoRecordingEnd, {AudioFolderOf(doc.LoadedZDTFileName)}));
            if (options->setEnd) {
                if (SetEndMark(doc, recordingEnd, dialogs) == SetEndMarkResult::TableFull)
                    throw CommandError(MarkTableFullMessage());
            } else if (options->deleteAfterEnd) {
                DeleteMarksAfter(doc, recordingEnd);
            } else {
                DeleteAllMarks(doc);
            }
            if (doc.DataChanged()) SaveDocument(doc, doc.LoadedZDTFileName);
        }
        if (JsonOutput()) {
            Json report = {{"file", CardPath(doc.LoadedZDTFileName)},
                           {"recordingEndMs", recordingEnd},
                           {"marks", MarksJson(doc.ZDTData(), recordingEnd)}};
            PrintJson(action ? ChangeReport(report) : report);
            return;
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
