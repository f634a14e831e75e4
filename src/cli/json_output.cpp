#include "json_output.h"

#include <cmath>
#include <iostream>

#include "audio/recorder_rules.h"
#include "cli_dialogs.h"
#include "io/path_text.h"
#include "project/track_record.h"
#include "project/value_format.h"
#include "project/value_texts.h"
#include "project/wav_header.h"
#include "settings/cli_texts.h"
#include "text/text_encoding.h"
#include "ui/errors.h"

namespace spurwerk::cli {

namespace {

bool jsonOutput = false;
std::string errorFile;
std::vector<std::string> written, messages;

struct KeyName {
    const char* group;
    const char* key;
};
constexpr KeyName KeyNames[] = {
    {"Status", "status"},       {"FileAss", "wav"},          {"Pan", "pan"},
    {"Stereo[v]", "stereo"},    {"EQxH[v]", "eqHighOn"},     {"EQxH", "eqHighGain"},
    {"EQxM[v]", "eqMidOn"},     {"EQxM", "eqMidGain"},       {"EQxL[v]", "eqLowOn"},
    {"EQxL", "eqLowGain"},      {"Reverb[v]", "reverbOn"},   {"Reverb", "reverb"},
    {"Chorus[v]", "chorusOn"},  {"Chorus", "chorus"},        {"Fader", "fader"},
    {"Invert[v]", "invert"},    {"EQHighHz", "eqHighHz"},    {"EQMidHz", "eqMidHz"},
    {"EQLowHz", "eqLowHz"},     {"EQMidQual", "eqMidQuality"},
};

const char* StatusWord(int raw) { return raw == 2 ? "record" : raw == 1 ? "play" : "off"; }

bool IsBox(ControlKind kind) {
    return kind == ControlKind::StereoBox || kind == ControlKind::BandBox || kind == ControlKind::SendBox ||
           kind == ControlKind::InvertBox;
}

}  // namespace

bool JsonOutput() { return jsonOutput; }

void AddJsonFlag(CLI::App* sub) {
    sub->add_flag("--json", jsonOutput, CliTxt(CliText::HelpJson));
}

void SetErrorFile(const std::string& file) { errorFile = file; }

std::string JsonErrorText(const std::string& message) {
    return Json{{"error", CardText(message)}, {"file", CardPath(errorFile)}}.dump();
}

void PrintJson(const Json& document, bool indented) {
    std::cout << document.dump(indented ? 2 : -1, ' ', false, Json::error_handler_t::replace) << "\n";
    std::cout.flush();
    if (!std::cout) throw FileError(CliTxt(CliText::OutputNotWritten));
}

std::string CardText(const std::string& bytes) { return SanitizeUtf8(bytes); }
std::string CardPath(const std::string& bytes) { return EscapeNonUtf8Bytes(bytes); }
std::string CardName(const std::string& bytes) { return Windows1252ToUtf8(bytes); }

void ReportMessage(const std::string& text) {
    if (jsonOutput)
        messages.push_back(CardText(TerminalText(text)));
    else
        std::cout << TerminalText(text) << "\n";
}

void ReportWritten(const std::string& file) { written.push_back(file); }

Json ChangeReport(Json extra) {
    Json report = Json::object();
    report["written"] = Json::array();
    for (const std::string& file : written) report["written"].push_back(CardPath(file));
    for (auto& [key, value] : extra.items()) report[key] = value;
    report["messages"] = messages;
    return report;
}

FileSnapshot::FileSnapshot(const std::string& root) : root_(PathFromText(root)) {
    std::error_code ec;
    if (!std::filesystem::is_directory(root_, ec)) return;
    for (auto it = std::filesystem::recursive_directory_iterator(
             root_, std::filesystem::directory_options::skip_permission_denied, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code entryError;
        if (!it->is_regular_file(entryError)) continue;
        files_[PathText(it->path())] = {it->file_size(entryError), it->last_write_time(entryError)};
    }
}

Json FileSnapshot::Changes() const {
    FileSnapshot now(PathText(root_));
    Json created = Json::array(), changed = Json::array(), deleted = Json::array();
    for (const auto& [path, state] : now.files_) {
        auto before = files_.find(path);
        if (before == files_.end())
            created.push_back(CardPath(path));
        else if (before->second != state)
            changed.push_back(CardPath(path));
    }
    for (const auto& [path, state] : files_)
        if (!now.files_.count(path)) deleted.push_back(CardPath(path));
    return {{"created", created}, {"changed", changed}, {"deleted", deleted}};
}

Json WavJson(const std::string& file) {
    WavHeader header = ReadWavHeader(file);
    Json wav = {{"file", CardPath(file)}, {"exists", header.fileSize >= 0}, {"valid", header.IsValid()}};
    if (header.fileSize >= 0) wav["fileSize"] = header.fileSize;
    if (header.IsValid()) {
        wav["durationMs"] = WavDurationMs(header);
        wav["channels"] = header.channels;
        wav["sampleRate"] = header.sampleRate;
        wav["bitsPerSample"] = header.bitsPerSample;
        wav["dataSize"] = header.dataSize;
        wav["listSize"] = header.listSize;
    }
    if (header.fileSize >= 0) {
        const std::vector<RecorderRule> refusals = RecorderRefusalsOfFile(file);
        Json reasons = Json::array();
        for (RecorderRule rule : refusals)
            reasons.push_back({{"rule", RecorderRuleOf(rule).code}, {"reason", UiTxt(RecorderRuleOf(rule).reason)}});
        wav["recorderPlays"] = refusals.empty();
        wav["refusals"] = reasons;
    }
    return wav;
}

std::string JsonKey(const TrackParameter& parameter) {
    for (const KeyName& k : KeyNames)
        if (parameter.name == k.group) return k.key;
    return parameter.name;
}

const TrackParameter* ParameterForKey(const std::string& key) {
    for (const KeyName& k : KeyNames)
        if (key == k.key) return FindTrackParameter(k.group);
    return FindTrackParameter(key);
}

Json TrackJson(const Bytes& buffer, int stripIndex) {
    Json track = {{"track", stripIndex + 1}};
    Json raw = Json::object();
    for (const TrackReading& reading : ReadTrackRecord(buffer, stripIndex)) {
        const StripElement& element = *reading.parameter->control;
        std::string key = JsonKey(*reading.parameter);
        if (element.kind == ControlKind::StatusShape)
            track[key] = StatusWord(reading.raw);
        else if (element.kind == ControlKind::FileField)
            track[key] = CardName(reading.name);
        else if (IsBox(element.kind))
            track[key] = reading.value != 0;
        else if (element.format == ValueFormat::Quality)
            track[key] = reading.value;
        else
            track[key] = static_cast<int>(reading.value);
        if (reading.outOfRange) raw[key] = reading.raw;
    }
    if (!raw.empty()) track["raw"] = raw;
    return track;
}

std::string Excerpt(const Json& value) {
    constexpr std::size_t Shown = 40;
    std::string text = value.dump(-1, ' ', false, Json::error_handler_t::replace);
    if (Utf8Length(text) <= Shown) return text;
    return CliTxt(CliText::ExcerptCut, {Utf8Prefix(text, Shown), std::to_string(text.size())});
}

std::string ValueTextFromJson(const TrackParameter& parameter, const Json& value) {
    const StripElement& element = *parameter.control;
    std::string key = JsonKey(parameter);
    auto wrong = [&](CliText expected) {
        return CommandError(CliTxt(CliText::JsonTakes, {key, CliTxt(expected), Excerpt(value)}));
    };
    if (element.kind == ControlKind::StatusShape) {
        std::string word = value.is_string() ? value.get<std::string>() : "";
        if (word == "record") return "R";
        if (word == "play") return "+";
        if (word == "off") return "-";
        throw CommandError(CliTxt(CliText::JsonTakesStatus, {key, Excerpt(value)}));
    }
    if (element.kind == ControlKind::FileField) {
        if (!value.is_string()) throw wrong(CliText::JsonWavName);
        return value.get<std::string>();
    }
    if (IsBox(element.kind)) {
        if (!value.is_boolean()) throw wrong(CliText::JsonTrueFalse);
        return value.get<bool>() ? "X" : "-";
    }
    if (!value.is_number()) throw wrong(CliText::JsonNumber);
    double number = value.get<double>();
    if (element.format == ValueFormat::Quality) {
        double tenths = std::round(number * 10);
        if (std::fabs(number * 10 - tenths) > 1e-6 || tenths < 1 || tenths > 10)
            throw wrong(CliText::JsonQuality);
        return QualityText(static_cast<int>(tenths) - 1);
    }
    if (number != std::floor(number) || std::fabs(number) > 1e6) throw wrong(CliText::JsonWholeNumber);
    int whole = static_cast<int>(number);
    if (element.format == ValueFormat::Pan) {
        if (whole == 0) return "C";
        return (whole < 0 ? "L" : "R") + std::to_string(std::abs(whole));
    }
    return std::to_string(whole);
}

}  // namespace spurwerk::cli
