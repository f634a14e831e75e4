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
    auto* sub = app.add_subcommand("info", CliTxt(CliText::HelpInfo));
    sub->add_option("FILE", *file, CliTxt(CliText::HelpInfoFile))->required();
    AddJsonFlag(sub);
    sub->callback([file] {
        SetErrorFile(*file);
        ProjectSession session = OpenSession(*file, true);
        const ZDTDocument& doc = session.doc;
        const std::string& loaded = session.LoadedZDTFileName;
        std::int32_t recordingEnd = RecordingEndOf(loaded);
        if (JsonOutput()) {
            EffectLabels labels = ReadEffectLabels(EffectsFileNameFor(loaded),
                                                   doc.ReadByte(layout::InsertPositionOffset));
            PrintJson({{"file", CardPath(loaded)},
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
        EffectLabels labels = ReadEffectLabels(EffectsFileNameFor(loaded), doc.ReadByte(layout::InsertPositionOffset));
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
    auto* sub = app.add_subcommand("tracks", CliTxt(CliText::HelpTracks));
    sub->add_option("FILE", options->file, CliTxt(CliText::HelpProjectFile))->required();
    auto* summaryFlag = sub->add_flag("--summary", options->summary, CliTxt(CliText::HelpSummary));
    auto* tableFlag = sub->add_flag("--table", options->table, CliTxt(CliText::HelpTable));
    tableFlag->excludes(summaryFlag);
    sub->add_flag("--compact", options->compact, CliTxt(CliText::HelpTracksCompact))->excludes(tableFlag);
    sub->add_option("--groups", options->groups, CliTxt(CliText::HelpTracksGroups))
        ->delimiter(',');
    sub->add_option("--track-count", options->trackCount, CliTxt(CliText::HelpTrackCount))->check(CLI::Range(1, 16));
    AddJsonFlag(sub);
    sub->callback([options] {
        SetErrorFile(options->file);
        if (JsonOutput()) {
            // Every value in its unit, the stored byte beside it where the mixer clamps it.
            ProjectSession session = OpenSession(options->file, true);
            const ZDTDocument& doc = session.doc;
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
            PrintJson({{"file", CardPath(session.LoadedZDTFileName)},
                       {"project", CardName(ReadProjectName(doc.ZDTData()))},
                       {"tracks", tracks}});
            return;
        }
        ProjectSession session = OpenSession(options->file, true);
        const ZDTDocument& doc = session.doc;
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
            throw CommandError(CliTxt(CliText::InputTooLarge, {std::to_string(MaxDocumentFileSize >> 20)}));
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
        throw CommandError(CliTxt(CliText::InputTooDeep, {std::to_string(MaxTrackJsonDepth)}));
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
    if (input.is_discarded()) throw CommandError(CliTxt(CliText::InputNotJson));
    if (duplicate) throw CommandError(CliTxt(CliText::InputKeyTwice, {Excerpt(Json(*duplicate))}));
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
    const std::string where = std::to_string(track);
    if (!raw.is_object()) throw CommandError(CliTxt(CliText::RawNotObject, {where, Excerpt(raw)}));
    for (const auto& [key, value] : raw.items()) {
        const TrackParameter* parameter = ParameterForKey(key);
        if (!parameter) throw CommandError(CliTxt(CliText::RawUnknown, {where, Excerpt(Json(key))}));
        bool given = false;
        for (const auto& [other, ignored] : object.items())
            if (other != "raw" && other != "track" && ParameterForKey(other) == parameter) given = true;
        if (!given) throw CommandError(CliTxt(CliText::RawWithoutValue, {where, Excerpt(Json(key))}));
        if (!value.is_number_integer() || value.get<std::int64_t>() < 0 || value.get<std::int64_t>() > 255 ||
            (value.is_number_unsigned() && value.get<std::uint64_t>() > 255))
            throw CommandError(CliTxt(CliText::RawNotByte, {where, Excerpt(Json(key)), Excerpt(value)}));
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
    if (!list.is_array()) throw CommandError(CliTxt(CliText::TracksNotList));
    std::vector<TrackChange> changes;
    for (const Json& object : list) {
        if (!object.is_object()) throw CommandError(CliTxt(CliText::TrackNotObject, {Excerpt(object)}));
        int track = givenTrack;
        if (object.contains("track")) {
            const Json& number = object["track"];
            if (!IsTrackNumber(number))
                throw CommandError(
                    CliTxt(CliText::TrackNumberRange, {std::to_string(layout::TrackCount), Excerpt(number)}));
            track = number.get<int>();
        }
        if (track == 0) throw CommandError(CliTxt(CliText::TrackNeedsNumber));
        if (object.contains("raw")) CheckRaw(object, track);
        for (const auto& [key, value] : object.items()) {
            // "raw" shows the stored bytes; the values beside it are what is written.
            if (key == "track" || key == "raw") continue;
            const TrackParameter* parameter = ParameterForKey(key);
            if (!parameter)
                throw CommandError(CliTxt(CliText::UnknownTrackParameter, {Excerpt(Json(key)), std::to_string(track)}));
            std::string error;
            auto parsed = ParseTrackValue(*parameter, ValueTextFromJson(*parameter, value), error);
            if (!parsed) throw CommandError(CliTxt(CliText::TrackValueWrong, {std::to_string(track), error}));
            std::optional<int> raw;
            if (object.contains("raw") && object["raw"].is_object() && object["raw"].contains(key) &&
                object["raw"][key].is_number_integer())
                raw = object["raw"][key].get<int>();
            changes.push_back({track - 1, parameter, *parsed, raw});
        }
    }
    return changes;
}

// Writes the values in their order by the track rules (stereo lock,
// recording group); a value that already reads the same is left alone, so the
// bytes stay as they were.
void ApplyJsonChanges(ZDTDocument& doc, const std::vector<TrackChange>& changes) {
    // The links as they stand lock a track, except the pairs the input links
    // itself: a carried mix brings both tracks of its pairs.
    std::uint8_t carried = 0;
    for (const TrackChange& change : changes)
        if (change.parameter->control->kind == ControlKind::StereoBox && change.value.raw != 0)
            carried |= static_cast<std::uint8_t>(TrackBitMask(change.stripIndex / 2));
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
        Bytes links = doc.ZDTData();
        if (links.size() > layout::StereoLinkOffset) links[layout::StereoLinkOffset] &= static_cast<std::uint8_t>(~carried);
        EditTrackValue(doc, *change.parameter->control, change.stripIndex, change.value, layout::TrackCount, &links);
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
        "set", CliTxt(CliText::HelpSet));
    sub->add_option("FILE", options->file, CliTxt(CliText::HelpProjectFile))->required();
    auto* track = sub->add_option("--track", options->track, CliTxt(CliText::HelpTrackNumber))->check(CLI::Range(1, 16));
    auto* all = sub->add_flag("--all", options->all, CliTxt(CliText::HelpAll));
    auto* bank1 = sub->add_flag("--bank1", options->bank1, CliTxt(CliText::HelpBank1));
    auto* bank2 = sub->add_flag("--bank2", options->bank2, CliTxt(CliText::HelpBank2));
    track->excludes(all);
    bank1->needs(all)->excludes(bank2);
    bank2->needs(all);
    auto* assignments = sub->add_option("ASSIGNMENTS", options->assignments, CliTxt(CliText::HelpAssignments));
    auto* fromJson = sub->add_option("--from-json", options->fromJson, CliTxt(CliText::HelpFromJson));
    fromJson->excludes(assignments)->excludes(all);
    AddJsonFlag(sub);
    sub->callback([options] {
        SetErrorFile(options->file);
        if (!options->fromJson.empty()) {
            std::vector<TrackChange> changes = ChangesFromJson(ReadJsonInput(options->fromJson), options->track);
            ProjectSession session = OpenSession(options->file, true, true);
            ApplyJsonChanges(session.doc, changes);
            if (session.doc.ZDTData() != session.doc.CompareData()) SaveSession(session);
            if (JsonOutput()) PrintJson(ChangeReport());
            return;
        }
        if (options->assignments.empty()) throw CLI::ValidationError(CliTxt(CliText::UsageAssignments));
        if (!options->all && options->track == 0) throw CLI::ValidationError(CliTxt(CliText::UsageTrackOrAll));
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
            BankRange bank = options->bank1 ? BankRange::Bank1 : options->bank2 ? BankRange::Bank2 : BankRange::All;
            for (const auto& [parameter, value] : changes)
                session.mixer->Tracks().SetAllStripValue(parameter->control->id,
                                                         SliderPosition(*parameter->control, value.raw), bank);
        } else {
            session.RequireEnabled(options->track);
            for (const auto& [parameter, value] : changes)
                session.mixer->Tracks().SetTrackValue(options->track - 1, parameter->control->id, value.raw, value.name);
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
    auto* sub = app.add_subcommand("marks", CliTxt(CliText::HelpMarks));
    sub->add_option("FILE", options->file, CliTxt(CliText::HelpProjectFile))->required();
    auto* setEnd = sub->add_flag("--set-end", options->setEnd, CliTxt(CliText::HelpSetEnd));
    auto* deleteAfter =
        sub->add_flag("--delete-after-end", options->deleteAfterEnd, CliTxt(CliText::HelpDeleteAfterEnd));
    auto* deleteAll = sub->add_flag("--delete-all", options->deleteAll, CliTxt(CliText::HelpDeleteAll));
    setEnd->excludes(deleteAfter)->excludes(deleteAll);
    deleteAfter->excludes(deleteAll);
    auto* yes = sub->add_flag("--yes", options->yes, CliTxt(CliText::HelpMarksYes));
    auto* no = sub->add_flag("--no", options->no, CliTxt(CliText::HelpMarksNo));
    yes->excludes(no);
    AddJsonFlag(sub);
    sub->callback([options] {
        SetErrorFile(options->file);
        bool action = options->setEnd || options->deleteAfterEnd || options->deleteAll;
        ProjectSession session = OpenSession(options->file, true, action);
        ZDTDocument& doc = session.doc;
        std::int32_t recordingEnd = RecordingEndOf(session.LoadedZDTFileName);
        if (action) {
            CliDialogs dialogs;
            if (options->yes || options->no) dialogs.answer = options->yes;
            if ((options->setEnd || options->deleteAfterEnd) && recordingEnd <= 0)
                throw CommandError(CliTxt(CliText::NoRecordingEnd, {AudioFolderOf(session.LoadedZDTFileName)}));
            if (options->setEnd) {
                if (SetEndMark(doc, recordingEnd, dialogs) == SetEndMarkResult::TableFull)
                    throw CommandError(MarkTableFullMessage());
            } else if (options->deleteAfterEnd) {
                DeleteMarksAfter(doc, recordingEnd);
            } else {
                DeleteAllMarks(doc);
            }
            if (doc.DataChanged()) SaveSession(session);
        }
        if (JsonOutput()) {
            Json report = {{"file", CardPath(session.LoadedZDTFileName)},
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
