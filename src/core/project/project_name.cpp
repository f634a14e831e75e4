#include "project/project_name.h"

#include "io/path_text.h"
#include "project/track_layout.h"
#include "project/track_values.h"
#include "project/value_format.h"

namespace spurwerk {

using namespace layout;

namespace {
// Bytes at the start of a project file that hold the name.
constexpr std::size_t NameBytes = ProjectNameOffset + ProjectNameLength;

std::string PadLeft(std::string text, std::size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

// The 12 bytes with NULs shown as "~"; compact: the name before the first NUL.
std::string WavNameText(const Bytes& buffer, std::size_t offset, bool compact) {
    if (compact) return TrimControlChars(ReadWavName(buffer, offset));
    std::string name = ReadZDTString(buffer, offset, WavNameLength);
    for (char& c : name)
        if (c == '\0') c = '~';
    return name;
}
}  // namespace

std::string FormatTrackValue(const Bytes& buffer, const TrackParameter& parameter, int stripIndex, bool compact,
                             const std::string& separator, bool valuesEmpty, bool markOutOfRange) {
    const StripElement& element = *parameter.control;
    auto text = [&] {
        int raw = ReadTrackRaw(buffer, element, stripIndex);
        return markOutOfRange ? ShownValueText(element, raw) : ValueText(element.format, raw);
    };
    switch (element.format) {
        case ValueFormat::None: return "";
        case ValueFormat::WavName:
            return (valuesEmpty ? "" : separator) + WavNameText(buffer, TagOffset(element, stripIndex), compact);
        case ValueFormat::Status:
        case ValueFormat::Box: {
            // One letter a track, in groups of eight.
            return (!compact && stripIndex % 8 == 0 ? " " : "") + text();
        }
        default: return (valuesEmpty ? "" : separator) + (compact ? text() : PadLeft(text(), 3));
    }
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
            values += FormatTrackValue(buffer, *parameter, t, options.compact, separator, t == 0,
                                       options.markOutOfRange);
            if (t == 0 && *UnitText(parameter->control->format))
                unitLabel = std::string("[") + UnitText(parameter->control->format) + "]";
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
