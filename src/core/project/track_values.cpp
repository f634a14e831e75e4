#include "project/track_values.h"

#include "project/document_ops.h"
#include "project/value_format.h"

namespace spurwerk {

namespace {

std::optional<TrackValue> ParseWavName(const std::string& text) {
    std::string cleaned = CleanWavNameCharacters(text);
    std::size_t wav = cleaned.find(".WAV");
    std::string stem = wav == std::string::npos ? cleaned.substr(0, cleaned.rfind('.')) : cleaned.substr(0, wav);
    if (stem.size() > 8 || (wav != std::string::npos && wav + 4 != cleaned.size())) return std::nullopt;
    TrackValue value;
    value.name = cleaned.empty() ? "" : stem + ".WAV";
    return value;
}

}  // namespace

int ReadTrackRaw(const Bytes& buffer, const StripElement& element, int stripIndex) {
    std::size_t offset = TagOffset(element, stripIndex);
    switch (element.kind) {
        case ControlKind::StatusShape: return static_cast<int>(ReadTrackStatus(buffer, stripIndex, offset));
        case ControlKind::StereoBox: return ReadStereoLink(buffer, stripIndex);
        case ControlKind::SendBox: return ReadMaskBit(buffer, offset, stripIndex);
        case ControlKind::BandBox:
        case ControlKind::InvertBox:
        case ControlKind::GainSlider:
        case ControlKind::Slider: return ReadZDTByte(buffer, offset);
        default: return 0;
    }
}

std::optional<TrackValue> ParseTrackValue(const TrackParameter& parameter, const std::string& text,
                                          std::string& error) {
    const StripElement& element = *parameter.control;
    std::optional<TrackValue> value;
    if (element.format == ValueFormat::WavName) {
        value = ParseWavName(text);
    } else if (auto raw = ParseValueText(element, text)) {
        value = TrackValue{*raw, ""};
    }
    if (!value) error = AcceptedValuesText(element, parameter.name);
    return value;
}

void WriteTrackValue(ZDTDocument& doc, const TrackParameter& parameter, int stripIndex, const TrackValue& value) {
    WriteTrackValue(doc, *parameter.control, stripIndex, value);
}

void WriteTrackValue(ZDTDocument& doc, const StripElement& element, int stripIndex, const TrackValue& value) {
    std::size_t offset = TagOffset(element, stripIndex);
    switch (element.kind) {
        case ControlKind::StatusShape:
            WriteTrackStatus(doc, stripIndex, static_cast<TrackStatus>(value.raw), offset);
            break;
        case ControlKind::StereoBox: WriteStereoLink(doc, stripIndex, value.raw != 0); break;
        case ControlKind::SendBox: WriteMaskBit(doc, offset, stripIndex, value.raw != 0); break;
        case ControlKind::FileField: WriteWavName(doc, offset, value.name); break;
        case ControlKind::BandBox:
        case ControlKind::InvertBox:
        case ControlKind::GainSlider:
        case ControlKind::Slider:
            doc.WriteZDTByte(offset, static_cast<std::uint8_t>(ClampToStoredRange(element, value.raw)));
            break;
        default: break;
    }
}

bool IsStereoLocked(const Bytes& buffer, int stripIndex, int trackCount) {
    return stripIndex % 2 == 1 && stripIndex < trackCount && ReadStereoLink(buffer, stripIndex);
}

TrackLocked::TrackLocked(int strip)
    : std::runtime_error("track " + std::to_string(strip + 1) + " is the second track of a stereo link (tracks " +
                         std::to_string(strip) + "+" + std::to_string(strip + 1) +
                         "); the window keeps its settings locked"),
      stripIndex(strip) {}

std::vector<int> ApplyRecordingGroup(ZDTDocument& doc, int stripIndex, int trackCount) {
    std::vector<int> turned;
    for (int other : RecordingGroupPartners(stripIndex, trackCount)) {
        if (ReadTrackStatus(doc.ZDTData(), other) != TrackStatus::Record) continue;
        WriteTrackStatus(doc, other, TrackStatus::Play);
        turned.push_back(other);
    }
    return turned;
}

std::vector<int> EditTrackValue(ZDTDocument& doc, const StripElement& element, int stripIndex,
                                const TrackValue& value, int trackCount, const Bytes* links) {
    if (IsStereoLocked(links ? *links : doc.ZDTData(), stripIndex, trackCount)) throw TrackLocked(stripIndex);
    std::vector<int> turned;
    if (element.kind == ControlKind::StatusShape && value.raw == static_cast<int>(TrackStatus::Record))
        turned = ApplyRecordingGroup(doc, stripIndex, trackCount);
    WriteTrackValue(doc, element, stripIndex, value);
    return turned;
}

}  // namespace spurwerk
