#include <gtest/gtest.h>

#include "project/project_check.h"
#include "project/track_layout.h"
#include "project/zdt_document.h"

namespace spurwerk {
namespace {

Bytes Faders(std::uint8_t fader) {
    Bytes data(MinProjectDataSize, 0);
    for (const StripElement& element : StripControls())
        if (element.kind == ControlKind::GainSlider)
            for (int k = 0; k < layout::TrackCount; ++k) data[TagOffset(element, k)] = layout::GainMax;
    for (int k = 0; k < layout::TrackCount; ++k) data[layout::FaderBase + 4 * k] = fader;
    return data;
}

TEST(ProjectCheck, ShortRiffAndOutOfRangeFilesAreNoProjects) {
    Bytes riff = Faders(100);
    riff[0] = 'R', riff[1] = 'I', riff[2] = 'F', riff[3] = 'F';
    Bytes noise(MinProjectDataSize, 0xC8);  // every slider past its maximum
    Bytes fewBad = Faders(200);              // 16 faders out of range, the rest fine
    Bytes halfBad = Faders(127);  // every other slider field out of range: still a project
    int field = 0;
    for (const StripElement& element : StripControls())
        if (element.kind == ControlKind::GainSlider || element.kind == ControlKind::Slider)
            for (int k = 0; k < layout::TrackCount; ++k)
                if (field++ % 2 == 0) halfBad[TagOffset(element, k)] = 0xC8;
    struct Case { const char* what; Bytes data; bool project; };
    for (const Case& c : {Case{"zeros", Bytes(MinProjectDataSize, 0), true}, Case{"faders", Faders(127), true},
                          Case{"one byte short", Bytes(MinProjectDataSize - 1, 0), false}, Case{"RIFF", riff, false},
                          Case{"noise", noise, false}, Case{"some faders off", fewBad, true},
                          Case{"half off", halfBad, true}}) {
        EXPECT_EQ(LooksLikeProject(c.data), c.project) << c.what;
        EXPECT_EQ(NotAProjectWarning(c.data).empty(), c.project) << c.what;
    }
    EXPECT_EQ(NotAProjectWarning({}), "");  // nothing loaded: nothing to warn about
}

}  // namespace
}  // namespace spurwerk
