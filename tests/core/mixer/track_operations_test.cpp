// Track operations: marks, the all-strip, recording groups, drag and drop,
// the track count.

#include <gtest/gtest.h>

#include "mixer_test_fixture.h"
#include "project/track_record.h"

namespace spurwerk::testing {
namespace {

class MixerTrackOperations : public MixerTest {
protected:
    // The tracks 1..16 whose `status` is set, as bits.
    int TracksIn(TrackStatus status) const {
        int bits = 0;
        for (int t = 0; t < 16; ++t) bits |= (ReadTrackStatus(doc.ZDTData(), t) == status) << t;
        return bits;
    }
};

TEST_F(MixerTrackOperations, RecordOnTheAllStripArmsBankOneAndShiftArmsBankTwo) {
    Bytes data = BlankProject();
    data[layout::RecordMaskOffset + 1] = 0xFF;  // tracks 9-16 record
    Load(data);
    mixer->Tracks().SetAllStripValue(Element::Status, static_cast<int>(TrackStatus::Record), BankRange::All);
    EXPECT_EQ(TracksIn(TrackStatus::Record), 0x00FF);
    EXPECT_EQ(C("ShStatus_9").colour, colours::Green);
    mixer->Tracks().SetAllStripValue(Element::Status, static_cast<int>(TrackStatus::Record), BankRange::Bank2);
    EXPECT_EQ(TracksIn(TrackStatus::Record), 0xFF00);
    EXPECT_EQ(TracksIn(TrackStatus::Play), 0x00FF);

    // A click cycles the all-strip's status: red -> green sets every track to play.
    ASSERT_EQ(C("ShStatus_17").Status(), TrackStatus::Record);
    mixer->Tracks().StatusMouseDown("ShStatus_17");
    EXPECT_EQ(doc.ReadWord(layout::RecordMaskOffset), 0);
    EXPECT_EQ(doc.ReadWord(layout::PlayMaskOffset), 0xFFFF);
    mixer->Tracks().StatusMouseDown("ShStatus_17");  // grey: all off
    EXPECT_EQ(doc.ReadWord(layout::PlayMaskOffset), 0);
}

TEST_F(MixerTrackOperations, UnmarkedTracksAndBanksLimitAllStripChanges) {
    Load(BlankProject());
    const KeyState ctrl{.ctrl = true}, shift{.shift = true}, ctrlShift{.ctrl = true, .shift = true};
    mixer->Tracks().TrackLabelClick("LabelTrackNr_4", {});  // no Ctrl: nothing
    mixer->Tracks().TrackLabelClick("LabelTrackNr_3", ctrl);
    mixer->Controls().SetPosition("TBFader_17", 90);
    for (int t = 1; t <= 16; ++t) EXPECT_EQ(doc.ReadByte(layout::FaderBase + 4 * (t - 1)), t == 3 ? 0 : 90) << t;
    mixer->Controls().SetChecked("CBInvert_17", true, ctrl);  // bank 1 only
    for (int t = 1; t <= 16; ++t) EXPECT_EQ(doc.ReadByte(layout::InvertBase + 4 * (t - 1)), t <= 8 && t != 3) << t;
    // Ctrl wins over Shift: bank 1 only; Shift alone: bank 2.
    mixer->Controls().SetPosition("TBChorus_17", 70, ctrlShift);
    mixer->Controls().SetPosition("TBReverb_17", 30, shift);
    for (int t = 1; t <= 16; ++t) {
        EXPECT_EQ(doc.ReadByte(layout::ChorusLevelBase + 4 * (t - 1)), t <= 8 && t != 3 ? 70 : 0) << t;
        EXPECT_EQ(doc.ReadByte(layout::ReverbLevelBase + 4 * (t - 1)), t >= 9 ? 30 : 0) << t;
    }
    // Ctrl+click on the all-strip's label unmarks tracks 1-8 together.
    mixer->Tracks().TrackLabelClick("LabelTrackNr_17", ctrl);
    EXPECT_FALSE(mixer->Controls().IsMarked(7));
    EXPECT_TRUE(mixer->Controls().IsMarked(8));

    // On four tracks bank 1 still sets the hidden tracks' boxes, not the all-strip's own.
    mixer->Tracks().SetTrackCount(4);
    mixer->Controls().SetChecked("CBReverb_5", true, ctrl);
    EXPECT_EQ(doc.ReadWord(layout::ReverbOnMaskOffset), 0x00EF);
    mixer->Controls().SetPosition("TBReverb_5", 60, ctrl);
    EXPECT_EQ(doc.ReadByte(layout::ReverbLevelBase + 4 * 3), 60);
    EXPECT_EQ(doc.ReadByte(layout::ReverbLevelBase + 4 * 5), 0);
    mixer->Tracks().SetAllStripValue(Element::Status, static_cast<int>(TrackStatus::Record), BankRange::Bank1);
    EXPECT_EQ(doc.ReadWord(layout::RecordMaskOffset), 0x00EF);
}

TEST_F(MixerTrackOperations, DraggingTrackTwoOntoFiveCopiesExchangesOrDoesNothing) {
    Bytes data = Named({"", "TWO.WAV", "", "", "FIVE.WAV"});
    data[layout::RecordMaskOffset] = 0x02;  // track 2 record
    data[layout::FaderBase + 4] = 100;
    data[layout::PanBase + 4] = 10;
    data[layout::BandBlock(1, 2) + layout::BandOnOffset] = 1;
    data[layout::BandBlock(1, 1) + layout::BandQualityOffset] = 9;
    data[layout::FaderBase + 16] = 33;
    data[layout::ChorusOnMaskOffset] = 0x10;  // track 5 chorus on
    Load(data);
    EXPECT_FALSE(mixer->Tracks().AcceptsDrop("LabelTrackNr_2", "EDFileAss_5"));
    EXPECT_FALSE(mixer->Tracks().AcceptsDrop("LabelTrackNr_2", "LabelTrackNr_17"));  // the all-strip
    EXPECT_FALSE(mixer->Tracks().AcceptsDrop("EditProjName", "EDFileAss_5"));
    const auto record = [&](int track) {
        std::vector<std::pair<int, std::string>> values;
        for (const TrackReading& r : ReadTrackRecord(doc.ZDTData(), track - 1)) values.emplace_back(r.raw, r.name);
        return values;
    };
    const auto two = record(2), five = record(5);
    Bytes original = doc.ZDTData();
    dialogs.messageAnswers = {ResultCancel};
    mixer->Tracks().Drop("LabelTrackNr_2", "LabelTrackNr_5");
    EXPECT_EQ(doc.ZDTData(), original);

    dialogs.messageAnswers = {ResultNo};
    mixer->Tracks().Drop("LabelTrackNr_2", "LabelTrackNr_5");
    EXPECT_EQ(record(5), two);
    EXPECT_EQ(record(2), five);
    EXPECT_EQ(C("EDFileAss_2").text, "FIVE.WAV");

    // Copy back: both hold track 2's old settings; both record, in different groups.
    dialogs.messageAnswers = {ResultYes};
    mixer->Tracks().Drop("LabelTrackNr_5", "LabelTrackNr_2");
    EXPECT_EQ(record(2), two);
    EXPECT_EQ(record(5), two);
    // Transferred status honours the recording group.
    dialogs.messageAnswers = {ResultYes};
    mixer->Tracks().Drop("LabelTrackNr_2", "LabelTrackNr_10");
    EXPECT_EQ(TracksIn(TrackStatus::Record), 0x210);
}

TEST_F(MixerTrackOperations, FileFieldDropExchangesOrCopiesWithCtrl) {
    Load(Named({"A", "B"}));
    mixer->Tracks().Drop("EDFileAss_1", "EDFileAss_2");
    EXPECT_EQ(ReadWavName(doc.ZDTData(), layout::WavNameOffset(1)), "A");
    mixer->Tracks().Drop("EDFileAss_1", "EDFileAss_17", KeyState{.ctrl = true});  // onto the master field
    EXPECT_EQ(C("EDFileAss_1").text, "B");
    EXPECT_EQ(ReadWavName(doc.ZDTData(), layout::MasterWavNameOffset), "B");
}

TEST_F(MixerTrackOperations, TrackCountEntriesAreClampedAndTheProjectIsReadAgain) {
    Bytes data = BlankProject();
    data[layout::FaderBase] = 64;
    Load(data);
    doc.MarkChanged();
    const std::pair<const char*, int> entries[] = {{"0", 1}, {"40", 16}, {"zwölf", 16}};
    for (const auto& [input, trackCount] : entries) {
        dialogs.messageAnswers = {ResultOk, ResultOk};  // the second for a refused entry
        dialogs.timedAnswers = {ResultOk};
        dialogs.timedInputs = {input};
        mixer->Tracks().SetTrackCountClick();
        EXPECT_EQ(mixer->Controls().TrackCount(), trackCount) << input;
        EXPECT_TRUE(dialogs.lastTimed.focusInput);  // typing replaces the count
        if (trackCount != 1) continue;
        EXPECT_EQ(C("TBFader_1").value, 64);
        EXPECT_TRUE(doc.DataChanged());  // kept as it was
        EXPECT_EQ(observer.fitWidth, 72 + 72 + 8);
        EXPECT_EQ(C("EDFileAss_2").Offset(), 1448u);
    }
    EXPECT_NE(dialogs.asked.back().text.find("ist kein gültiger ganzzahliger Wert"), std::string::npos);  // in the language in use
    dialogs.messageAnswers = {ResultCancel};
    mixer->Tracks().SetTrackCountClick();
    EXPECT_EQ(dialogs.CountAsked("timed"), 3);
}

}  // namespace
}  // namespace spurwerk::testing
