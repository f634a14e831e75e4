// Track operations: marks, the all-strip, recording groups, drag and drop,
// the track count and the window's keys.

#include <gtest/gtest.h>

#include "mixer_test_fixture.h"

namespace spurwerk::testing {
namespace {

class MixerTrackOperations : public MixerTest {
protected:
    TrackStatus StatusOf(int track) const { return ReadTrackStatus(doc.ZDTData(), track - 1); }
};

TEST_F(MixerTrackOperations, RecordOnTheAllStripArmsBankOneAndShiftArmsBankTwo) {
    Bytes data = BlankProject();
    data[layout::RecordMaskOffset + 1] = 0xFF;  // tracks 9-16 record
    Load(data);
    mixer->Tracks().SetAllStripValue("ShStatus_", static_cast<int>(TrackStatus::Record));
    for (int t = 1; t <= 8; ++t) EXPECT_EQ(StatusOf(t), TrackStatus::Record) << t;
    for (int t = 9; t <= 16; ++t) EXPECT_EQ(StatusOf(t), TrackStatus::Play) << t;
    EXPECT_EQ(C("ShStatus_9").colour, colours::Green);

    dialogs.keys.shift = true;
    mixer->Tracks().SetAllStripValue("ShStatus_", static_cast<int>(TrackStatus::Record));
    for (int t = 1; t <= 8; ++t) EXPECT_EQ(StatusOf(t), TrackStatus::Play) << t;
    for (int t = 9; t <= 16; ++t) EXPECT_EQ(StatusOf(t), TrackStatus::Record) << t;
    // The all-strip's own status is never written.
    EXPECT_EQ(doc.ReadWord(layout::RecordMaskOffset), 0xFF00);

    // A click cycles the all-strip's status: red -> green sets every track to play.
    dialogs.keys.shift = false;
    ASSERT_EQ(C("ShStatus_17").Status(), TrackStatus::Record);
    mixer->Tracks().StatusMouseDown("ShStatus_17");
    EXPECT_EQ(doc.ReadWord(layout::RecordMaskOffset), 0);
    EXPECT_EQ(doc.ReadWord(layout::PlayMaskOffset), 0xFFFF);
    mixer->Tracks().StatusMouseDown("ShStatus_17");  // grey: all off
    EXPECT_EQ(doc.ReadWord(layout::PlayMaskOffset), 0);
}

TEST_F(MixerTrackOperations, ArmingTrackNineTurnsTrackOneToPlay) {
    Bytes data = BlankProject();
    data[layout::RecordMaskOffset] = 0x01;
    data[layout::PlayMaskOffset + 1] = 0x00;  // track 9 off
    Load(data);
    mixer->Tracks().StatusMouseDown("ShStatus_9");  // grey -> red
    EXPECT_EQ(doc.ReadWord(layout::RecordMaskOffset) & 0x0101, 0x0100);
    EXPECT_EQ(C("ShStatus_1").colour, colours::Green);
    EXPECT_EQ(C("ShStatus_1").hint.substr(C("ShStatus_1").hint.size() - 14), "Nur Wiedergabe");
}

TEST_F(MixerTrackOperations, UnmarkedTracksAndBanksLimitAllStripChanges) {
    Load(BlankProject());
    mixer->Tracks().TrackLabelClick("LabelTrackNr_3");           // no Ctrl: nothing
    EXPECT_TRUE(mixer->Controls().IsMarked(2));
    dialogs.keys.ctrl = true;
    mixer->Tracks().TrackLabelClick("LabelTrackNr_3");
    EXPECT_FALSE(mixer->Controls().IsMarked(2));
    EXPECT_EQ(C("LabelTrackNr_3").colour, colours::Black);
    dialogs.keys.ctrl = false;
    mixer->Controls().SetPosition("TBFader_17", 90);
    for (int t = 1; t <= 16; ++t) EXPECT_EQ(doc.ReadByte(layout::FaderBase + 4 * (t - 1)), t == 3 ? 0 : 90) << t;
    EXPECT_TRUE(C("TBFader_17").changeMark);

    dialogs.keys.ctrl = true;  // bank 1 only
    mixer->Controls().SetChecked("CBInvert_17", true);
    for (int t = 1; t <= 16; ++t) EXPECT_EQ(doc.ReadByte(layout::InvertBase + 4 * (t - 1)), t <= 8 && t != 3) << t;
    mixer->Tracks().TrackLabelClick("LabelTrackNr_3");
    EXPECT_TRUE(mixer->Controls().IsMarked(2));
    // Ctrl+click on the all-strip's label unmarks tracks 1-8 together.
    mixer->Tracks().TrackLabelClick("LabelTrackNr_17");
    for (int k = 0; k < 8; ++k) EXPECT_FALSE(mixer->Controls().IsMarked(k)) << k;
    EXPECT_TRUE(mixer->Controls().IsMarked(8));
}

TEST_F(MixerTrackOperations, BankOneOnFewerTracksSetsHiddenTracksBoxesButNotTheirSliders) {
    Load(BlankProject());
    mixer->Tracks().SetTrackCount(4);
    dialogs.keys.ctrl = true;
    mixer->Controls().SetChecked("CBReverb_5", true);   // the all-strip
    EXPECT_EQ(doc.ReadWord(layout::ReverbOnMaskOffset), 0x00EF);  // tracks 1-4 and 6-8, not the all-strip's 5
    mixer->Controls().SetPosition("TBReverb_5", 60);
    EXPECT_EQ(doc.ReadByte(layout::ReverbLevelBase + 4 * 3), 60);
    EXPECT_EQ(doc.ReadByte(layout::ReverbLevelBase + 4 * 5), 0);
}

TEST_F(MixerTrackOperations, DraggingTrackTwoOntoFiveCopiesExchangesOrDoesNothing) {
    Bytes data = BlankProject();
    auto name = [&](int k, const char* n) {
        for (int i = 0; n[i]; ++i) data[layout::WavNameOffset(k) + i] = static_cast<std::uint8_t>(n[i]);
    };
    name(1, "TWO.WAV");
    name(4, "FIVE.WAV");
    data[layout::RecordMaskOffset] = 0x02;   // track 2 record
    data[layout::FaderBase + 4] = 100;
    data[layout::PanBase + 4] = 10;
    data[layout::BandBlock(1, 2) + layout::BandOnOffset] = 1;
    data[layout::BandBlock(1, 1) + layout::BandQualityOffset] = 9;
    data[layout::FaderBase + 16] = 33;
    data[layout::ChorusOnMaskOffset] = 0x10;  // track 5 chorus on
    Load(data);
    ASSERT_TRUE(mixer->Tracks().AcceptsDrop("LabelTrackNr_2", "LabelTrackNr_5"));
    EXPECT_FALSE(mixer->Tracks().AcceptsDrop("LabelTrackNr_2", "EDFileAss_5"));
    EXPECT_FALSE(mixer->Tracks().AcceptsDrop("LabelTrackNr_2", "LabelTrackNr_17"));  // the all-strip
    EXPECT_FALSE(mixer->Tracks().AcceptsDrop("EditProjName", "EDFileAss_5"));

    Bytes original = doc.ZDTData();
    dialogs.messageAnswers = {ResultCancel};
    mixer->Tracks().Drop("LabelTrackNr_2", "LabelTrackNr_5");
    EXPECT_EQ(doc.ZDTData(), original);
    EXPECT_FALSE(doc.DataChanged());

    dialogs.messageAnswers = {ResultNo};
    mixer->Tracks().Drop("LabelTrackNr_2", "LabelTrackNr_5");
    EXPECT_EQ(C("EDFileAss_5").text, "TWO.WAV");
    EXPECT_EQ(C("EDFileAss_2").text, "FIVE.WAV");
    EXPECT_EQ(StatusOf(5), TrackStatus::Record);
    EXPECT_EQ(StatusOf(2), TrackStatus::Play);
    EXPECT_EQ(doc.ReadByte(layout::FaderBase + 16), 100);
    EXPECT_EQ(doc.ReadByte(layout::FaderBase + 4), 33);
    EXPECT_EQ(doc.ReadByte(layout::PanBase + 16), 10);
    EXPECT_EQ(doc.ReadByte(layout::PanBase + 4), 50);
    EXPECT_EQ(doc.ReadByte(layout::BandBlock(4, 2)), 1);
    EXPECT_EQ(doc.ReadByte(layout::BandBlock(1, 2)), 0);
    EXPECT_EQ(doc.ReadByte(layout::BandBlock(4, 1) + layout::BandQualityOffset), 9);
    EXPECT_EQ(doc.ReadWord(layout::ChorusOnMaskOffset), 0x02);
    EXPECT_TRUE(doc.DataChanged());

    // Copy back: track 5 (now holding track 2's old settings) onto track 2.
    dialogs.messageAnswers = {ResultYes};
    mixer->Tracks().Drop("LabelTrackNr_5", "LabelTrackNr_2");
    EXPECT_EQ(C("EDFileAss_2").text, "TWO.WAV");
    EXPECT_EQ(C("EDFileAss_5").text, "TWO.WAV");
    EXPECT_EQ(doc.ReadByte(layout::FaderBase + 4), 100);
    EXPECT_EQ(doc.ReadByte(layout::FaderBase + 16), 100);
    // Both record in different groups is fine.
    EXPECT_EQ(StatusOf(2), TrackStatus::Record);
    EXPECT_EQ(StatusOf(5), TrackStatus::Record);
    // Transferred status honours the recording group.
    dialogs.messageAnswers = {ResultYes};
    mixer->Tracks().Drop("LabelTrackNr_2", "LabelTrackNr_10");
    EXPECT_EQ(StatusOf(10), TrackStatus::Record);
    EXPECT_EQ(StatusOf(2), TrackStatus::Play);
}

TEST_F(MixerTrackOperations, FileFieldDropExchangesOrCopiesWithCtrl) {
    Bytes data = BlankProject();
    data[layout::WavNameOffset(0)] = 'A';
    data[layout::WavNameOffset(1)] = 'B';
    Load(data);
    mixer->Tracks().Drop("EDFileAss_1", "EDFileAss_2");
    EXPECT_EQ(C("EDFileAss_1").text, "B");
    EXPECT_EQ(C("EDFileAss_2").text, "A");
    EXPECT_EQ(ReadWavName(doc.ZDTData(), layout::WavNameOffset(0)), "B");
    dialogs.keys.ctrl = true;
    mixer->Tracks().Drop("EDFileAss_1", "EDFileAss_17");   // onto the master field
    EXPECT_EQ(C("EDFileAss_1").text, "B");
    EXPECT_EQ(ReadWavName(doc.ZDTData(), layout::MasterWavNameOffset), "B");
}

TEST_F(MixerTrackOperations, TrackCountEntriesAreClampedAndTheProjectIsReadAgain) {
    Bytes data = BlankProject();
    data[layout::FaderBase] = 64;
    Load(data);
    dialogs.messageAnswers = {ResultOk};
    dialogs.timedAnswers = {ResultOk};
    dialogs.timedInputs = {"0"};
    doc.MarkChanged();
    mixer->Tracks().SetTrackCountClick();
    EXPECT_EQ(mixer->Controls().TrackCount(), 1);
    EXPECT_TRUE(dialogs.lastTimed.focusInput);  // typing replaces the count
    EXPECT_EQ(C("TBFader_1").value, 64);
    EXPECT_TRUE(doc.DataChanged());   // kept as it was
    EXPECT_EQ(observer.fitWidth, 72 + 72 + 8);
    EXPECT_EQ(C("EDFileAss_2").Offset(), 1448u);

    dialogs.messageAnswers = {ResultOk};
    dialogs.timedAnswers = {ResultOk};
    dialogs.timedInputs = {"40"};
    mixer->Tracks().SetTrackCountClick();
    EXPECT_EQ(mixer->Controls().TrackCount(), 16);

    dialogs.messageAnswers = {ResultOk, ResultOk};
    dialogs.timedAnswers = {ResultOk};
    dialogs.timedInputs = {"zwölf"};
    mixer->Tracks().SetTrackCountClick();
    EXPECT_EQ(mixer->Controls().TrackCount(), 16);
    EXPECT_NE(dialogs.asked.back().text.find("not a valid integer"), std::string::npos);

    dialogs.messageAnswers = {ResultCancel};
    mixer->Tracks().SetTrackCountClick();
    EXPECT_EQ(dialogs.CountAsked("timed"), 3);
}

TEST_F(MixerTrackOperations, KeysAndLabelClicksStartTheMainWindowsActions) {
    Load(BlankProject());
    EXPECT_FALSE(mixer->Menu().KeyDown(MixerKey::L));
    dialogs.keys.ctrl = true;
    EXPECT_TRUE(mixer->Menu().KeyDown(MixerKey::L));
    EXPECT_FALSE(mixer->Menu().KeyDown(MixerKey::S));
    dialogs.keys.shift = true;
    EXPECT_TRUE(mixer->Menu().KeyDown(MixerKey::S));
    EXPECT_FALSE(mixer->Menu().KeyDown(MixerKey::L));
    mixer->Menu().LoadedFileLabelDoubleClick();
    std::vector<std::string> expected = {"open", "quicksave " + doc.LoadedZDTFileName + " 3000", "search"};
    EXPECT_EQ(actions.calls, expected);
}

}  // namespace
}  // namespace spurwerk::testing
