#pragma once
// The track view's time axis: milliseconds to pixels and back at a zoom, the
// ruler's ticks labelled in the program's time format, and the zoom steps.

#include <cstdint>
#include <string>
#include <vector>

namespace spurwerk {

struct TimeScale {
    double msPerPixel = 10;    // the zoom
    std::int64_t startMs = 0;  // the time at x = 0 (the scroll position)

    // The column that shows `ms`, and the time at the left edge of column x.
    std::int64_t XOf(std::int64_t ms) const;
    std::int64_t MsAt(std::int64_t x) const;
};

constexpr double MinMsPerPixel = 0.05;     // about two frames a pixel at 44.1 kHz
constexpr double MaxMsPerPixel = 60000.0;  // a minute a pixel

// The zoom that shows `durationMs` in `width` pixels (in range).
double FitMsPerPixel(std::int64_t durationMs, int width);
// One step in (factor < 1) or out, held in range.
double ZoomedMsPerPixel(double msPerPixel, double factor);

struct RulerTick {
    std::int64_t ms = 0;
    std::int64_t x = 0;
    bool labelled = false;
    std::string label;  // MillisecondsText without its padding
};
// Ticks over columns [0, width): labelled ones at least `labelSpacing` pixels
// apart on a round step (1 ms .. 1 h), four unlabelled between them.
std::vector<RulerTick> RulerTicks(const TimeScale& scale, int width, int labelSpacing = 90);

}  // namespace spurwerk
