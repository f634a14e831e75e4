#include "project/project_name.h"

#include "io/path_text.h"
#include "project/track_layout.h"
#include "project/value_texts.h"

namespace spurwerk {

using namespace layout;

namespace {
// Bytes at the start of a project file that hold the name.
constexpr std::size_t NameBytes = ProjectNameOffset + ProjectNameLength;

std::string PadLeft(std::string text, std::size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

std::string SliderText(const StripElement& element, std::uint8_t b) {
    std::string prefix = element.prefix;
    if (element.kind == ControlKind::GainSlider) return std::to_string(static_cast<int>(b) - GainMax);
    if (prefix == "TBPan_") return PanText(b);
    if (prefix == "TBEQHighHz_") return std::to_string(FrequencyAt(HighFrequencyTable(), b));
    if (prefix == "TBEQMidHz_") return std::to_string(FrequencyAt(MidFrequencyTable(), b));
    if (prefix == "TBEQLowHz_") return std::to_string(FrequencyAt(LowFrequencyTable(), b));
    if (prefix == "TBEQMidQual_") return QualityText(b);
    return std::to_string(b);
}
}  // namespace

std::string FormatTrackValue(const Bytes& buffer, const TrackParameter& parameter, int stripIndex, bool compact,
                             const std::string& separator, bool valuesEmpty) {
    const StripElement& element = *parameter.control;
    std::size_t o = TagOffset(element, stripIndex);
    std::uint8_t b = ReadZDTByte(buffer, o);
    std::string single;
    switch (element.kind) {
        case ControlKind::StatusShape: {
            TrackStatus status = ReadTrackStatus(buffer, stripIndex, o);
            single = status == TrackStatus::Record ? "R" : status == TrackStatus::Play ? "+" : "-";
            break;
        }
        case ControlKind::StereoBox: single = (b & TrackBitMask(stripIndex / 2)) ? "X" : "-"; break;
        case ControlKind::BandBox:
        case ControlKind::InvertBox: single = b != 0 ? "X" : "-"; break;
        case ControlKind::SendBox: single = ReadMaskBit(buffer, o, stripIndex) ? "X" : "-"; break;
        case ControlKind::FileField: {
            std::string name = ReadZDTString(buffer, o, WavNameLength);
            if (compact) {
                name = TrimControlChars(name);
            } else {
                for (char& c : name)
                    if (c == '\0') c = '~';
            }
            return (valuesEmpty ? "" : separator) + name;
        }
        case ControlKind::GainSlider:
        case ControlKind::Slider: {
            std::string text = SliderText(element, b);
            if (!compact) text = PadLeft(text, 3);
            return (valuesEmpty ? "" : separator) + text;
        }
        default: return "";
    }
    if (!compact && stripIndex % 8 == 0) return " " + single;
    return single;
}

std::string BuildTrackSummary(const Bytes& buffer, const TrackSummaryOptions& options) {
    std::string summary;
    for (const std::string& group : options.groups) {
        const TrackParameter* parameter = FindTrackParameter(group);
        if (!parameter) continue;
        std::string values;
        std::string unitLabel;
        for (int t = 0; t < options.trackCount; ++t) {
            std::string separator = (t % 4 == 0 && !options.compact) ? ", " : ",";
            // Keyed on the track, not on what was written so far: a leading empty name
            // must not shift the names after it onto the wrong tracks.
            values += FormatTrackValue(buffer, *parameter, t, options.compact, separator, t == 0);
            if (t == 0 && *parameter->control->unit)
                unitLabel = std::string("[") + parameter->control->unit + "]";
        }
        if (values.empty()) continue;
        if (!summary.empty()) summary += " ";
        summary += parameter->name + unitLabel + "=" + values;
    }
    return summary;
}

ProjectNameInfo GetZDTProjectName(ZDTDocument& doc, const std::string& fileName, bool withListValues,
                                  const TrackSummaryOptions* withTrackSummary) {
    struct ScanGuard {
        ZDTDocument& doc;
        ~ScanGuard() { doc.ReplaceScanData({}); }
    } guard{doc};

    bool wantsMore = withListValues || withTrackSummary;
    doc.ReplaceScanData(ReadFileHead(PathFromText(fileName), wantsMore ? MinProjectDataSize : NameBytes));

    ProjectNameInfo info;
    info.name = ReadProjectName(doc.ScanData());
    info.nameRead = doc.ScanData().size() >= NameBytes;
    if (!info.nameRead) return info;
    if (withListValues) {
        info.listValues.recordingBitDepth = ReadZDTByte(doc.ScanData(), RecordingDepthOffset) * 8 + 16;
        info.listValues.insertRecordingWet = (ReadZDTByte(doc.ScanData(), InsertRecordingFlagOffset) & 1) != 0;
        info.listValues.insertPosition = ReadZDTByte(doc.ScanData(), InsertPositionOffset);
    }
    if (withTrackSummary) info.trackSummary = BuildTrackSummary(doc.ScanData(), *withTrackSummary);
    return info;
}

}  // namespace spurwerk
