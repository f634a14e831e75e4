#pragma once
// --json: one JSON document on stdout instead of the text, errors on stderr as
// {"error": ..., "file": ...}. Commands that change files report what changed.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "project/track_layout.h"

namespace spurwerk::cli {

using Json = nlohmann::ordered_json;

bool JsonOutput();
void AddJsonFlag(CLI::App* sub);

// The file an error is about, named in the JSON error.
void SetErrorFile(const std::string& file);
std::string JsonErrorText(const std::string& message);

// Prints the document; a failed write is an error, not a silent loss.
void PrintJson(const Json& document, bool indented = true);

// Texts that may hold bytes of the card (paths, messages) as valid UTF-8.
std::string CardText(const std::string& bytes);
// A path (or file name) as text that the commands take back: UTF-8 as it is;
// bytes that are not UTF-8 as "\xHH" escapes (see EscapeNonUtf8Bytes).
std::string CardPath(const std::string& bytes);
// A name stored on the card (Windows-1252) as UTF-8.
std::string CardName(const std::string& bytes);

// A message of the program: printed, or with --json kept for the report.
void ReportMessage(const std::string& text);
// A file the command wrote (printed by the caller in text mode).
void ReportWritten(const std::string& file);
// The report of a changing command: "written" and "messages" plus `extra`.
Json ChangeReport(Json extra = Json::object());

// The files below a folder with size and time, to tell afterwards what a run
// created, changed or deleted.
class FileSnapshot {
public:
    explicit FileSnapshot(const std::string& root);
    // {"created": [...], "changed": [...], "deleted": [...]} since the snapshot.
    Json Changes() const;

private:
    std::filesystem::path root_;
    std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> files_;
};

// A value as an error quotes it: its JSON text, cut to a short excerpt.
std::string Excerpt(const Json& value);

// A WAV file's header: size in bytes, duration in ms, format.
Json WavJson(const std::string& file);

// One track as an object: "track" and every parameter by its JSON key, "raw"
// holding the stored bytes that lie outside their control's range.
Json TrackJson(const Bytes& buffer, int stripIndex);
// The JSON key of a parameter ("fader", "eqMidOn", ...).
std::string JsonKey(const TrackParameter& parameter);
// The parameter a key names (JSON key or track-summary group), or nullptr.
const TrackParameter* ParameterForKey(const std::string& key);
// The value as `set` takes it in text ("R", "X", "L20", "0.5"); throws
// CommandError for a value of the wrong type or outside the parameter's form.
std::string ValueTextFromJson(const TrackParameter& parameter, const Json& value);

}  // namespace spurwerk::cli
