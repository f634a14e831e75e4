#include "project/track_record.h"

#include "project/track_values.h"
#include "project/value_format.h"

namespace spurwerk {

std::vector<TrackReading> ReadTrackRecord(const Bytes& buffer, int stripIndex) {
    std::vector<TrackReading> record;
    for (const TrackParameter& parameter : TrackParameters()) {
        const StripElement& element = *parameter.control;
        std::size_t offset = TagOffset(element, stripIndex);
        TrackReading reading;
        reading.parameter = &parameter;
        reading.raw = ReadTrackRaw(buffer, element, stripIndex);
        if (element.kind == ControlKind::FileField) reading.name = ReadWavName(buffer, offset);
        if (element.kind == ControlKind::GainSlider || element.kind == ControlKind::Slider ||
            element.kind == ControlKind::BandBox || element.kind == ControlKind::InvertBox) {
            int position = ClampToStoredRange(element, reading.raw);
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
