#include "project/track_record.h"

#include <algorithm>

#include "project/value_format.h"

namespace spurwerk {

namespace {

// The stored byte's range; gains are stored 0..24 for -12..12 dB.
std::pair<int, int> StoredRange(const StripElement& element) {
    if (element.kind == ControlKind::GainSlider) return {0, 2 * layout::GainMax};
    if (element.kind == ControlKind::BandBox || element.kind == ControlKind::InvertBox) return {0, 1};
    return {element.minimum, element.maximum};
}

}  // namespace

std::vector<TrackReading> ReadTrackRecord(const Bytes& buffer, int stripIndex) {
    std::vector<TrackReading> record;
    for (const TrackParameter& parameter : TrackParameters()) {
        const StripElement& element = *parameter.control;
        std::size_t offset = TagOffset(element, stripIndex);
        TrackReading reading;
        reading.parameter = &parameter;
        switch (element.kind) {
            case ControlKind::StatusShape: {
                TrackStatus status = ReadTrackStatus(buffer, stripIndex, offset);
                reading.raw = status == TrackStatus::Record ? 2 : status == TrackStatus::Play ? 1 : 0;
                break;
            }
            case ControlKind::StereoBox: reading.raw = ReadStereoLink(buffer, stripIndex) ? 1 : 0; break;
            case ControlKind::SendBox: reading.raw = ReadMaskBit(buffer, offset, stripIndex) ? 1 : 0; break;
            case ControlKind::FileField: reading.name = ReadWavName(buffer, offset); break;
            default: reading.raw = ReadZDTByte(buffer, offset); break;
        }
        if (element.kind == ControlKind::GainSlider || element.kind == ControlKind::Slider ||
            element.kind == ControlKind::BandBox || element.kind == ControlKind::InvertBox) {
            auto [low, high] = StoredRange(element);
            int position = std::clamp(reading.raw, low, high);
            reading.position = position;
            reading.outOfRange = position != reading.raw;
            reading.value = element.kind == ControlKind::BandBox || element.kind == ControlKind::InvertBox
                                ? position
                                : UnitValue(element.format, position);
        } else {
            reading.position = reading.raw;
            reading.value = reading.raw;
        }
        record.push_back(std::move(reading));
    }
    return record;
}

}  // namespace spurwerk
