#include "project/track_values.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "project/document_ops.h"
#include "project/value_texts.h"
#include "text/ascii.h"

namespace spurwerk {

namespace {

std::optional<int> ParseInt(const std::string& text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size()) return std::nullopt;
    for (std::size_t j = i; j < text.size(); ++j)
        if (!std::isdigit(static_cast<unsigned char>(text[j]))) return std::nullopt;
    return std::stoi(text);
}

std::string JoinTable(const std::vector<int>& table) {
    std::string s;
    for (int v : table) s += (s.empty() ? "" : ", ") + std::to_string(v);
    return s;
}

const std::vector<int>* FrequencyTableFor(const StripElement& element) {
    std::string prefix = element.prefix;
    if (prefix == "TBEQHighHz_") return &HighFrequencyTable();
    if (prefix == "TBEQMidHz_") return &MidFrequencyTable();
    if (prefix == "TBEQLowHz_") return &LowFrequencyTable();
    return nullptr;
}

std::optional<int> ParseRange(const std::string& text, int low, int high, const std::string& what,
                              std::string& error) {
    auto n = ParseInt(text);
    if (!n || *n < low || *n > high) {
        error = what + " takes a whole number from " + std::to_string(low) + " to " + std::to_string(high);
        return std::nullopt;
    }
    return n;
}

}  // namespace

std::optional<TrackValue> ParseTrackValue(const TrackParameter& parameter, const std::string& text,
                                          std::string& error) {
    const StripElement& element = *parameter.control;
    const std::string& name = parameter.name;
    std::string upper = UpperAscii(text);
    TrackValue value;
    switch (element.kind) {
        case ControlKind::StatusShape:
            if (upper == "R") value.raw = 2;
            else if (upper == "+") value.raw = 1;
            else if (upper == "-") value.raw = 0;
            else {
                error = name + " takes R (record), + (play) or - (off)";
                return std::nullopt;
            }
            return value;
        case ControlKind::StereoBox:
        case ControlKind::BandBox:
        case ControlKind::SendBox:
        case ControlKind::InvertBox:
            if (upper == "X") value.raw = 1;
            else if (upper == "-") value.raw = 0;
            else {
                error = name + " takes X (on) or - (off)";
                return std::nullopt;
            }
            return value;
        case ControlKind::FileField: {
            std::string cleaned = CleanWavNameCharacters(text);
            std::size_t wav = cleaned.find(".WAV");
            std::string stem = wav == std::string::npos ? cleaned.substr(0, cleaned.rfind('.')) : cleaned.substr(0, wav);
            if (stem.size() > 8 || (wav != std::string::npos && wav + 4 != cleaned.size())) {
                error = name + " takes a WAV name of at most 8 characters before \".WAV\"";
                return std::nullopt;
            }
            value.name = cleaned.empty() ? "" : stem + ".WAV";
            return value;
        }
        case ControlKind::GainSlider: {
            auto n = ParseRange(text, -12, 12, name + " (dB)", error);
            if (!n) return std::nullopt;
            value.raw = *n + layout::GainMax;
            return value;
        }
        case ControlKind::Slider: break;
        default: error = name + " cannot be set"; return std::nullopt;
    }

    std::string prefix = element.prefix;
    if (prefix == "TBPan_") {
        if (upper == "C") {
            value.raw = 50;
            return value;
        }
        auto n = (upper.size() > 1 && (upper[0] == 'L' || upper[0] == 'R')) ? ParseInt(upper.substr(1)) : std::nullopt;
        if (!n || *n < 0 || *n > 100 || *n % 2 != 0 || (upper[1] == '-' || upper[1] == '+')) {
            error = name + " takes C, or L or R followed by an even number from 0 to 100 (e.g. L20, R100)";
            return std::nullopt;
        }
        value.raw = upper[0] == 'L' ? 50 - *n / 2 : 50 + *n / 2;
        return value;
    }
    if (const auto* table = FrequencyTableFor(element)) {
        auto n = ParseInt(text);
        auto it = n ? std::find(table->begin(), table->end(), *n) : table->end();
        if (it == table->end()) {
            error = name + " takes one of these frequencies in Hz: " + JoinTable(*table);
            return std::nullopt;
        }
        value.raw = static_cast<int>(it - table->begin());
        return value;
    }
    if (prefix == "TBEQMidQual_") {
        for (int raw = element.minimum; raw <= element.maximum; ++raw) {
            // Accept the shown form with either decimal separator.
            std::string shown = std::to_string((raw + 1) / 10) + "." + std::to_string((raw + 1) % 10);
            std::string alternative = shown;
            alternative[alternative.find('.')] = ',';
            if (text == shown || text == alternative) {
                value.raw = raw;
                return value;
            }
        }
        error = name + " takes a quality from 0.1 to 1.0 in steps of 0.1";
        return std::nullopt;
    }
    auto n = ParseRange(text, element.minimum, element.maximum, name, error);
    if (!n) return std::nullopt;
    value.raw = *n;
    return value;
}

void WriteTrackValue(ZDTDocument& doc, const TrackParameter& parameter, int stripIndex, const TrackValue& value) {
    const StripElement& element = *parameter.control;
    std::size_t offset = TagOffset(element, stripIndex);
    switch (element.kind) {
        case ControlKind::StatusShape:
            WriteTrackStatus(doc, stripIndex,
                             value.raw == 2 ? TrackStatus::Record : value.raw == 1 ? TrackStatus::Play : TrackStatus::Off,
                             offset);
            break;
        case ControlKind::StereoBox: WriteStereoLink(doc, stripIndex, value.raw != 0); break;
        case ControlKind::SendBox: WriteMaskBit(doc, offset, stripIndex, value.raw != 0); break;
        case ControlKind::FileField: WriteWavName(doc, offset, value.name); break;
        case ControlKind::BandBox:
        case ControlKind::InvertBox: doc.WriteZDTByte(offset, value.raw ? 1 : 0); break;
        case ControlKind::GainSlider:
        case ControlKind::Slider: doc.WriteZDTByte(offset, static_cast<std::uint8_t>(value.raw)); break;
        default: break;
    }
}

void ApplyRecordingGroup(ZDTDocument& doc, int stripIndex, int trackCount) {
    for (int other = stripIndex % 8; other < trackCount; other += 8)
        if (other != stripIndex && ReadTrackStatus(doc.ZDTData(), other) == TrackStatus::Record)
            WriteTrackStatus(doc, other, TrackStatus::Play);
}

}  // namespace spurwerk
