#include "audio/time_scale.h"

#include <algorithm>
#include <cmath>

#include "project/value_texts.h"

namespace spurwerk {

std::int64_t TimeScale::XOf(std::int64_t ms) const {
    return static_cast<std::int64_t>(std::floor(static_cast<double>(ms - startMs) / msPerPixel));
}

std::int64_t TimeScale::MsAt(std::int64_t x) const {
    return startMs + static_cast<std::int64_t>(std::llround(static_cast<double>(x) * msPerPixel));
}

double FitMsPerPixel(std::int64_t durationMs, int width) {
    if (width <= 0 || durationMs <= 0) return 10;
    return std::clamp(static_cast<double>(durationMs) / width, MinMsPerPixel, MaxMsPerPixel);
}

double ZoomedMsPerPixel(double msPerPixel, double factor) {
    return std::clamp(msPerPixel * factor, MinMsPerPixel, MaxMsPerPixel);
}

std::vector<RulerTick> RulerTicks(const TimeScale& scale, int width, int labelSpacing) {
    static const std::int64_t steps[] = {1,    2,     5,     10,    20,     50,     100,    200,     500,    1000,
                                         2000, 5000,  10000, 15000, 30000,  60000,  120000, 300000,  600000,
                                         900000, 1800000, 3600000};
    std::int64_t step = steps[std::size(steps) - 1];
    for (std::int64_t s : steps)
        if (static_cast<double>(s) / scale.msPerPixel >= labelSpacing) {
            step = s;
            break;
        }
    const std::int64_t minor = std::max<std::int64_t>(step / 5, 1);
    std::vector<RulerTick> ticks;
    const std::int64_t endMs = scale.MsAt(width);
    for (std::int64_t ms = std::max<std::int64_t>(0, scale.startMs / minor * minor); ms <= endMs; ms += minor) {
        if (ms < scale.startMs) continue;
        RulerTick tick{ms, scale.XOf(ms), ms % step == 0, {}};
        if (tick.labelled) {
            std::string text = MillisecondsText(ms);
            tick.label = text.substr(text.find_first_not_of(' '));
            while (!tick.label.empty() && tick.label.back() == ' ') tick.label.pop_back();
        }
        ticks.push_back(std::move(tick));
    }
    return ticks;
}

}  // namespace spurwerk
