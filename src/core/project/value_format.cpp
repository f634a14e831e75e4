#include "project/value_format.h"

#include <algorithm>
#include <cctype>

#include "project/value_texts.h"
#include "settings/cli_texts.h"
#include "text/ascii.h"
#include "text/number_text.h"

namespace spurwerk {

namespace {

const char LF = '\n';

std::optional<int> InRange(std::optional<int> n, int low, int high) {
    if (!n || *n < low || *n > high) return std::nullopt;
    return n;
}

// A frequency index past its table is held at the table's end.
int FrequencyOf(ValueFormat format, int raw) {
    const std::vector<int>& table = *FrequencyTable(format);
    return table[static_cast<std::size_t>(std::clamp(raw, 0, static_cast<int>(table.size()) - 1))];
}

// Gain in dB runs the other way round from the slider.
int GainDb(int raw) { return raw - layout::GainMax; }

std::optional<int> ParseStatus(const std::string& upper) {
    if (upper == "R") return static_cast<int>(TrackStatus::Record);
    if (upper == "+") return static_cast<int>(TrackStatus::Play);
    if (upper == "-") return static_cast<int>(TrackStatus::Off);
    return std::nullopt;
}

std::optional<int> ParseBox(const std::string& upper) {
    if (upper == "X") return 1;
    if (upper == "-") return 0;
    return std::nullopt;
}

std::optional<int> ParsePan(const std::string& upper) {
    if (upper == "C") return 50;
    if (upper.size() < 2 || (upper[0] != 'L' && upper[0] != 'R') || upper[1] == '-' || upper[1] == '+')
        return std::nullopt;
    auto n = InRange(ParseInt(upper.substr(1)), 0, 100);
    if (!n || *n % 2 != 0) return std::nullopt;
    return upper[0] == 'L' ? 50 - *n / 2 : 50 + *n / 2;
}

std::optional<int> ParseFrequency(ValueFormat format, const std::string& text) {
    const std::vector<int>& table = *FrequencyTable(format);
    auto n = ParseInt(text);
    auto it = n ? std::find(table.begin(), table.end(), *n) : table.end();
    if (it == table.end()) return std::nullopt;
    return static_cast<int>(it - table.begin());
}

std::string WithPoint(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

std::optional<int> ParseQuality(const StripElement& element, const std::string& text) {
    for (int raw = element.minimum; raw <= element.maximum; ++raw)
        if (WithPoint(text) == WithPoint(QualityText(raw))) return raw;
    return std::nullopt;
}

std::string JoinTable(const std::vector<int>& table) {
    std::string s;
    for (int v : table) s += (s.empty() ? "" : ", ") + std::to_string(v);
    return s;
}

}  // namespace

const char* UnitText(ValueFormat format) {
    switch (format) {
        case ValueFormat::Gain: return "dB";
        case ValueFormat::Level: return "%";
        case ValueFormat::HighFrequency:
        case ValueFormat::MidFrequency:
        case ValueFormat::LowFrequency: return "Hz";
        default: return "";
    }
}

const std::vector<int>* FrequencyTable(ValueFormat format) {
    switch (format) {
        case ValueFormat::HighFrequency: return &HighFrequencyTable();
        case ValueFormat::MidFrequency: return &MidFrequencyTable();
        case ValueFormat::LowFrequency: return &LowFrequencyTable();
        default: return nullptr;
    }
}

std::string ValueText(ValueFormat format, int raw) {
    switch (format) {
        case ValueFormat::Status:
            return raw == static_cast<int>(TrackStatus::Record) ? "R"
                   : raw == static_cast<int>(TrackStatus::Play) ? "+"
                                                                 : "-";
        case ValueFormat::Box: return raw != 0 ? "X" : "-";
        case ValueFormat::Pan: return PanText(raw);
        case ValueFormat::Gain: return std::to_string(GainDb(raw));
        case ValueFormat::Level: return std::to_string(raw);
        case ValueFormat::HighFrequency:
        case ValueFormat::MidFrequency:
        case ValueFormat::LowFrequency: return std::to_string(FrequencyOf(format, raw));
        case ValueFormat::Quality: return QualityText(raw);
        default: return "";
    }
}

double UnitValue(ValueFormat format, int raw) {
    switch (format) {
        case ValueFormat::Pan: return 2.0 * (raw - 50);
        case ValueFormat::Gain: return GainDb(raw);
        case ValueFormat::HighFrequency:
        case ValueFormat::MidFrequency:
        case ValueFormat::LowFrequency: return FrequencyOf(format, raw);
        case ValueFormat::Quality: return (raw + 1) / 10.0;
        default: return raw;
    }
}

std::optional<int> ParseValueText(const StripElement& element, const std::string& text) {
    std::string upper = UpperAscii(text);
    switch (element.format) {
        case ValueFormat::Status: return ParseStatus(upper);
        case ValueFormat::Box: return ParseBox(upper);
        case ValueFormat::Pan: return ParsePan(upper);
        case ValueFormat::Gain: {
            auto db = InRange(ParseInt(text), -element.maximum, -element.minimum);
            if (!db) return std::nullopt;
            return *db + layout::GainMax;
        }
        case ValueFormat::Level: return InRange(ParseInt(text), element.minimum, element.maximum);
        case ValueFormat::HighFrequency:
        case ValueFormat::MidFrequency:
        case ValueFormat::LowFrequency: return ParseFrequency(element.format, text);
        case ValueFormat::Quality: return ParseQuality(element, text);
        default: return std::nullopt;
    }
}

std::string AcceptedValuesText(const StripElement& element, const std::string& name) {
    switch (element.format) {
        case ValueFormat::Status: return CliTxt(CliText::ValueStatus, {name});
        case ValueFormat::Box: return CliTxt(CliText::ValueBox, {name});
        case ValueFormat::WavName: return CliTxt(CliText::ValueWavName, {name});
        case ValueFormat::Pan: return CliTxt(CliText::ValuePan, {name});
        case ValueFormat::Gain:
            return CliTxt(CliText::ValueGain, {name, std::to_string(-element.maximum), std::to_string(-element.minimum)});
        case ValueFormat::Level:
            return CliTxt(CliText::ValueLevel, {name, std::to_string(element.minimum), std::to_string(element.maximum)});
        case ValueFormat::HighFrequency:
        case ValueFormat::MidFrequency:
        case ValueFormat::LowFrequency:
            return CliTxt(CliText::ValueFrequency, {name, JoinTable(*FrequencyTable(element.format))});
        case ValueFormat::Quality: return CliTxt(CliText::ValueQuality, {name});
        default: return CliTxt(CliText::ValueFixed, {name});
    }
}

int SliderPosition(const StripElement& element, int raw) {
    if (element.kind != ControlKind::Slider && element.kind != ControlKind::GainSlider) return raw;
    int position = element.format == ValueFormat::Gain ? layout::GainMax - raw : raw;
    return std::clamp(position, element.minimum, element.maximum);
}

int SliderRaw(const StripElement& element, int position) {
    return element.format == ValueFormat::Gain ? layout::GainMax - position : position;
}

int ClampToStoredRange(const StripElement& element, int raw) {
    if (element.kind == ControlKind::BandBox || element.kind == ControlKind::InvertBox) return std::clamp(raw, 0, 1);
    return SliderRaw(element, SliderPosition(element, raw));
}

std::string ShownValueText(const StripElement& element, int raw) {
    int shown = ClampToStoredRange(element, raw);
    std::string text = ValueText(element.format, shown);
    if (shown != raw) text += "(raw " + std::to_string(raw) + ")";
    return text;
}

std::string SliderValueHint(const StripElement& element, int position) {
    int raw = SliderRaw(element, position);
    switch (element.format) {
        case ValueFormat::Pan: return "Pan:  " + PanText(raw);
        case ValueFormat::Gain: return std::to_string(GainDb(raw)) + "db ";
        case ValueFormat::Quality:
            return "Qual.: " + QualityText(raw) + LF + "(Default: " + QualityText(element.defaultValue) + ") ";
        case ValueFormat::HighFrequency:
        case ValueFormat::MidFrequency:
        case ValueFormat::LowFrequency:
            return "Freq.: " + ValueText(element.format, raw) + " Hz " + LF + "(Default: " +
                   ValueText(element.format, element.defaultValue) + " Hz) ";
        default: return std::to_string(raw) + "% ";
    }
}

}  // namespace spurwerk
