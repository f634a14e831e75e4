#include <gtest/gtest.h>

#include "mixer/strip_layout.h"
#include "mixer_test_fixture.h"
#include "settings/text_table.h"

namespace spurwerk::testing {
namespace {

TEST(MixerStripLayout, StripsLeaveGapsAfterEachBankAndTheWindowFitsThem) {
    EXPECT_EQ(StripLeft(7) + strip::Width, 576);
    EXPECT_EQ(StripLeft(8), 580);
    EXPECT_EQ(StripsPanelWidth(16), 1158);
    EXPECT_TRUE(NeedsMoreTracksHint(1157, 16));
    EXPECT_FALSE(NeedsMoreTracksHint(1158, 16));
    EXPECT_EQ(ScrolledStripsLeft(600, 16, 50, 100), (600 - 1158) / 2);
}

TEST(MixerStripLayout, BandOrderOnScreenFollowsTheOptionOnly) {
    const auto& high = *FindStripControl("CBEQxH_");
    const auto& low = *FindStripControl("CBEQxL_");
    const auto& mid = *FindStripControl("CBEQxM_");
    EXPECT_EQ(StripElementLook(high, 0, false, false).geometry.left, 8);
    EXPECT_EQ(StripElementLook(mid, 0, false, false).geometry.left, 28);
    EXPECT_EQ(StripElementLook(low, 0, false, false).geometry.left, 48);
    EXPECT_EQ(StripElementLook(low, 0, false, true).geometry.left, 8);
    EXPECT_EQ(StripElementLook(high, 0, false, true).geometry.left, 48);
    // The slider sits under its box, one pixel left of the box's column.
    EXPECT_EQ(StripElementLook(*FindStripControl("TBEQxL_"), 0, false, true).geometry.left, -1);
}

TEST(MixerStripLayout, StereoBoxReachesAcrossTheStripBorder) {
    const auto& stereo = *FindStripControl("CBStereo_");
    ElementLook track1 = StripElementLook(stereo, 0, false, false);
    EXPECT_EQ(track1.geometry.parent, ControlParent::StripsPanel);
    EXPECT_EQ(track1.geometry.left, 36);
    EXPECT_EQ(StripElementLook(stereo, 16, true, false).geometry.left, 4);
}

class MixerStripBuild : public MixerTest {};

TEST_F(MixerStripBuild, ControlsAreNamedAndTaggedInComponentOrder) {
    Create();
    ASSERT_EQ(mixer->Controls().All().size(), 1u + 17u * StripControls().size());
    EXPECT_EQ(mixer->Controls().All()[1].name, "LabelTrackNr_1");
    const MixerControl& pan3 = C("TBPan_3");
    EXPECT_EQ(pan3.tag, (2u << 24) | 168u);
    EXPECT_EQ(C("CBEQxM_3").tag, (2u << 24) | (416u + 96 + 16));
    EXPECT_EQ(C("EditProjName").tag, 52u);
    // The all-strip's file field is the master track's.
    EXPECT_EQ(C("EDFileAss_17").tag, (16u << 24) | 1448u);
    EXPECT_EQ(C("LabelTrackNr_17").caption, Txt(229));
    EXPECT_EQ(C("LabelTrackNr_3").caption, "Track 3");
    EXPECT_TRUE(C("CBStereo_1").visible);
    EXPECT_FALSE(C("CBStereo_2").visible);
    EXPECT_EQ(mixer->Controls().Strip(8).panelColour, colours::DarkGrey);
    EXPECT_EQ(mixer->Controls().Strip(16).panelColour, colours::Silver);
}

TEST_F(MixerStripBuild, R24OptionWarnsAndFallsBackToSixteenTracks) {
    dialogs.messageAnswers = {ResultOk};
    MixerOptions options;
    options.devIsZoomR24 = true;
    options.trackCount = 20;
    Create(options);
    ASSERT_EQ(dialogs.CountAsked("message"), 1);
    EXPECT_NE(dialogs.asked[0].text.find("Zoom-R24"), std::string::npos);
    EXPECT_EQ(mixer->Controls().MaxStripIndex(), 16);
    EXPECT_EQ(mixer->Controls().TrackCount(), 16);
    EXPECT_EQ(C("EDFileAss_17").Offset(), 1448u);
    EXPECT_FALSE(mixer->Controls().Strip(17).visible);
}

TEST_F(MixerStripBuild, RelayoutResetsControlsAndRebindsTheFormerAllStrip) {
    Bytes data = BlankProject();
    data[layout::PanBase + 4 * 3] = 90;  // track 4
    Load(data);
    EXPECT_EQ(C("TBPan_4").value, 90);
    mixer->Controls().Relayout(3);
    EXPECT_EQ(C("TBPan_4").value, 50);   // now the all-strip, back to its initial value
    EXPECT_EQ(C("EDFileAss_4").Offset(), 1448u);
    EXPECT_FALSE(mixer->Controls().Strip(4).visible);
    EXPECT_FALSE(C("CBStereo_4").visible);  // the all-strip has an odd index now
    mixer->Controls().Relayout(16);
    EXPECT_EQ(C("EDFileAss_4").Offset(), 1192u + 48);
    EXPECT_EQ(C("TBPan_4").value, 50);
}

}  // namespace
}  // namespace spurwerk::testing
