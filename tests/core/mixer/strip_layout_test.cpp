#include <gtest/gtest.h>

#include "mixer/strip_layout.h"
#include "mixer_test_fixture.h"
#include "settings/text_table.h"

namespace spurwerk::testing {
namespace {

TEST(MixerStripLayout, BanksLeaveGapsAndTheBandOrderFollowsTheOption) {
    EXPECT_EQ(StripLeft(7) + strip::Width, 576);
    EXPECT_EQ(StripLeft(8), 580);
    EXPECT_TRUE(NeedsMoreTracksHint(1157, 16));
    EXPECT_FALSE(NeedsMoreTracksHint(1158, 16));
    const auto left = [](const char* prefix, bool reversed) {
        return StripElementLook(*FindStripControl(prefix), 0, false, reversed).geometry.left;
    };
    // Reversed, low comes first; the slider sits one pixel left of its box.
    EXPECT_EQ((std::vector<int>{left("CBEQxH_", false), left("CBEQxM_", false), left("CBEQxL_", false),
                                left("CBEQxL_", true), left("CBEQxH_", true), left("TBEQxL_", true)}),
              (std::vector<int>{8, 28, 48, 8, 48, -1}));
}

class MixerStripBuild : public MixerTest {};

TEST_F(MixerStripBuild, ControlsAreNamedAndTaggedInComponentOrderForAtMostSixteenTracks) {
    Create();
    ASSERT_EQ(mixer->Controls().All().size(), 1u + 17u * StripControls().size());
    EXPECT_EQ(mixer->Controls().All()[1].name, "LabelTrackNr_1");
    EXPECT_EQ(C("CBEQxM_3").tag, (2u << 24) | (416u + 96 + 16));
    // The all-strip's file field is the master track's.
    EXPECT_EQ(C("EDFileAss_17").tag, (16u << 24) | 1448u);
    EXPECT_EQ(C("LabelTrackNr_17").caption, Txt(229));
    EXPECT_TRUE(C("CBStereo_1").visible);
    EXPECT_FALSE(C("CBStereo_2").visible);
    EXPECT_EQ(mixer->Controls().Strip(8).panelColour, colours::DarkGrey);
    EXPECT_EQ(mixer->Controls().Strip(16).panelColour, colours::Silver);

    // The R24 option warns and falls back to sixteen tracks.
    dialogs.messageAnswers = {ResultOk};
    MixerOptions options;
    options.trackCount = 20;
    options.devIsZoomR24 = true;
    Create(options);
    EXPECT_EQ(dialogs.CountAsked("message"), 1);
    EXPECT_EQ(mixer->Controls().TrackCount(), 16);
    EXPECT_EQ(C("EDFileAss_17").Offset(), 1448u);
    EXPECT_FALSE(mixer->Controls().Strip(17).visible);
}

TEST_F(MixerStripBuild, RelayoutResetsControlsAndRebindsTheFormerAllStrip) {
    Bytes data = BlankProject();
    data[layout::PanBase + 4 * 3] = 90;  // track 4
    Load(data);
    mixer->Controls().Relayout(3);
    EXPECT_EQ(C("TBPan_4").value, 50);  // now the all-strip, back to its initial value
    EXPECT_EQ(C("EDFileAss_4").Offset(), 1448u);
    EXPECT_FALSE(mixer->Controls().Strip(4).visible);
    EXPECT_FALSE(C("CBStereo_4").visible);  // the all-strip has an odd index now
    mixer->Controls().Relayout(16);
    EXPECT_EQ(C("EDFileAss_4").Offset(), 1192u + 48);
}

}  // namespace
}  // namespace spurwerk::testing
