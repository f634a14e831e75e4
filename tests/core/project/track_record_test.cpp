#include <gtest/gtest.h>

#include "project/track_record.h"

namespace spurwerk {
namespace {

TEST(TrackRecord, ValuesInUnitsAndClampedBytesFlagged) {
    Bytes bytes(MinProjectDataSize, 0);
    const int k = 2;
    struct Case {
        const char* group;
        int stored;
        int raw;
        double value;
        bool outOfRange;
    };
    const Case cases[] = {
        {"Pan", 60, 60, 20, false},        {"Pan", 0, 0, -100, false},
        {"Pan", 130, 130, 100, true},      {"EQxH", 9, 9, -3, false},
        {"EQxM", 40, 40, 12, true},        {"EQHighHz", 200, 200, 18000, true},
        {"EQMidQual", 4, 4, 0.5, false},   {"Fader", 127, 127, 127, false},
        {"Fader", 200, 200, 127, true},    {"Invert[v]", 5, 5, 1, true},
    };
    for (const Case& c : cases) {
        const TrackParameter& parameter = *FindTrackParameter(c.group);
        bytes[TagOffset(*parameter.control, k)] = static_cast<std::uint8_t>(c.stored);
        std::vector<TrackReading> record = ReadTrackRecord(bytes, k);
        ASSERT_EQ(record.size(), TrackParameters().size());
        const TrackReading& reading = *std::find_if(record.begin(), record.end(),
                                                    [&](const TrackReading& r) { return r.parameter == &parameter; });
        EXPECT_EQ(reading.raw, c.raw) << c.group << " " << c.stored;
        EXPECT_DOUBLE_EQ(reading.value, c.value) << c.group << " " << c.stored;
        EXPECT_EQ(reading.outOfRange, c.outOfRange) << c.group << " " << c.stored;
    }
}

}  // namespace
}  // namespace spurwerk
