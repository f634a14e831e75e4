// The track view's time axis: where a time is drawn at a zoom, and the ruler.

#include <gtest/gtest.h>

#include "audio/time_scale.h"

namespace spurwerk {
namespace {

TEST(TimeScaleTest, PixelsAndTimes) {
    struct Case {
        TimeScale scale;
        std::int64_t ms, x;
    };
    for (const Case& c : {Case{{10, 0}, 0, 0}, Case{{10, 0}, 1234, 123}, Case{{10, 1000}, 1234, 23},
                          Case{{10, 1000}, 995, -1}, Case{{0.5, 0}, 1234, 2468}, Case{{2000, 60000}, 3723456, 1831}}) {
        SCOPED_TRACE(c.ms);
        EXPECT_EQ(c.scale.XOf(c.ms), c.x);
        // The column's time lies within one pixel of the mark.
        EXPECT_LE(std::abs(c.scale.MsAt(c.x) - c.ms), static_cast<std::int64_t>(c.scale.msPerPixel));
    }
    EXPECT_EQ(FitMsPerPixel(300000, 1000), 300.0);
    EXPECT_EQ(FitMsPerPixel(10, 1000), MinMsPerPixel);
    EXPECT_EQ(FitMsPerPixel(0, 1000), 10.0);
    EXPECT_EQ(ZoomedMsPerPixel(10, 0.5), 5.0);
    EXPECT_EQ(ZoomedMsPerPixel(MaxMsPerPixel, 2), MaxMsPerPixel);
}

TEST(TimeScaleTest, RulerTicks) {
    struct Case {
        TimeScale scale;
        int width;
        std::int64_t labelStep;
        std::vector<std::string> firstLabels;
    };
    const std::vector<Case> cases = {
        {{100, 0}, 1000, 10000, {"0s", "10s", "20s"}},
        {{1, 0}, 400, 100, {"0s", "0s100", "0s200"}},
        {{10, 61000}, 300, 1000, {"1m01s", "1m02s", "1m03s"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.labelStep);
        const std::vector<RulerTick> ticks = RulerTicks(c.scale, c.width);
        std::vector<std::string> labels;
        std::int64_t previous = -1;
        for (const RulerTick& t : ticks) {
            EXPECT_EQ(t.x, c.scale.XOf(t.ms));
            EXPECT_GE(t.x, 0);
            EXPECT_LE(t.x, c.width);
            if (!t.labelled) continue;
            EXPECT_EQ(t.ms % c.labelStep, 0);
            if (previous >= 0) {
                EXPECT_EQ(t.ms - previous, c.labelStep);
            }
            previous = t.ms;
            if (labels.size() < 3) labels.push_back(t.label);
        }
        EXPECT_EQ(labels, c.firstLabels);
    }
}

}  // namespace
}  // namespace spurwerk
