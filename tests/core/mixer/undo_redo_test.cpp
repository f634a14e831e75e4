// Undo and redo: the document's steps over real mixer operations, the
// changed mark, grouping, merging and the history's limits.

#include <gtest/gtest.h>

#include <functional>

#include "mixer_test_fixture.h"
#include "project/undo_history.h"
#include "project/value_format.h"

namespace spurwerk::testing {
namespace {

class UndoRedo : public MixerTest {};

TEST_F(UndoRedo, EditsUndoneStepByStepGiveTheLoadedBytesAndRedoneTheEditedOnes) {
    WriteWav(Audio() / "LONG.WAV", 7000);
    Load(BlankProject());
    std::vector<Bytes> states{doc.ZDTData()};
    mixer->Controls().SetPosition("TBFader_2", 90);
    states.push_back(doc.ZDTData());
    mixer->Tracks().SetAllStripValue(Element::Status, static_cast<int>(TrackStatus::Record), BankRange::Bank1);
    states.push_back(doc.ZDTData());
    dialogs.messageAnswers = {ResultNo, ResultOk};  // No exchanges the tracks; OK sets the mark
    mixer->Tracks().Drop("LabelTrackNr_2", "LabelTrackNr_5");
    states.push_back(doc.ZDTData());
    mixer->Menu().Click("PMSetMarkAtProjEnd");
    states.push_back(doc.ZDTData());
    for (std::size_t i = 1; i < states.size(); ++i) ASSERT_NE(states[i], states[i - 1]) << i;

    for (std::size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(doc.ZDTData(), states[i - 1]) << i;
        EXPECT_EQ(doc.DataChanged(), i > 1) << i;
    }
    EXPECT_FALSE(doc.Undo());
    EXPECT_EQ(C("TBFader_2").value, 0);  // the controls show the restored bytes
    const std::vector<std::string> names = {"Track 2: Fader 0 \u2192 90", "Tracks 1\u20138: Status Aufnahme",
                                            "Track 2 \u2194 Track 5", "Marke am Projekt-Ende gesetzt"};
    for (std::size_t i = 1; i < states.size(); ++i) {
        EXPECT_EQ(doc.RedoText(), names[i - 1]);
        ASSERT_TRUE(doc.Redo());
        EXPECT_EQ(doc.ZDTData(), states[i]) << i;
    }
    EXPECT_FALSE(doc.Redo());
    EXPECT_EQ(C("TBFader_5").value, 90);
    EXPECT_EQ(C("ShStatus_1").Status(), TrackStatus::Record);
}

TEST_F(UndoRedo, DragsMergeANewEditDropsRedoAndSavingMovesTheCleanPoint) {
    Load(BlankProject());
    for (int position = 91; position <= 100; ++position) mixer->Controls().SetPosition("TBFader_1", position);
    EXPECT_EQ(doc.History().StepCount(), 1u);
    EXPECT_EQ(doc.UndoText(), "Track 1: Fader 0 \u2192 100");
    doc.SealStep();
    mixer->Controls().SetPosition("TBFader_1", 50);
    mixer->Controls().SetPosition("TBFader_1", 100);
    EXPECT_EQ(doc.History().StepCount(), 1u);  // dragged back: nothing left of it
    mixer->Controls().SetPosition("TBPan_1", 20);
    ASSERT_TRUE(doc.Undo());
    mixer->Controls().SetPosition("TBChorus_1", 40);
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_EQ(doc.ReadByte(layout::PanBase), 50);

    doc.MarkSaved();  // saving keeps the history
    EXPECT_TRUE(doc.Undo() && doc.DataChanged());
    EXPECT_TRUE(doc.Redo() && !doc.DataChanged());
    Load(BlankProject());  // loading another file clears it
    EXPECT_FALSE(doc.CanUndo());
}

// Every control's colour after an undo or redo is the colour the same bytes
// show when loaded afresh.
TEST_F(UndoRedo, ColoursAfterUndoAndRedoAreThoseOfAFreshLoad) {
    Bytes data = BlankProject();
    data[layout::ReverbOnMaskOffset] = 0x01;  // track 1 reverb on
    data[layout::InvertBase + 4 * 4] = 1;     // track 5 invert
    data[layout::StereoLinkOffset] = 0x02;    // tracks 3+4 linked
    Load(data);
    auto coloursOf = [](const MixerViewModel& m) {
        std::vector<Colour> all;
        for (const MixerControl& c : m.Controls().All()) all.push_back(c.colour);
        for (int k = 0; k <= 16; ++k) all.push_back(m.Controls().Strip(k).panelColour);
        return all;
    };
    auto coloursOfAFreshLoad = [&] {
        TempDir other;
        WriteBytes(other / "PRJDATA.ZDT", doc.ZDTData());
        ProjectSession freshSession;
        ScriptedDialogs freshDialogs;
        MixerViewModel fresh(freshSession, freshDialogs, MixerOptions{});
        freshSession.SetHost(&fresh);
        freshSession.Load((other / "PRJDATA.ZDT").string());
        return coloursOf(fresh);
    };
    mixer->Controls().SetChecked("CBChorus_17", true);
    dialogs.messageAnswers = {ResultNo};  // exchange
    mixer->Tracks().Drop("LabelTrackNr_1", "LabelTrackNr_5");
    mixer->Controls().SetChecked("CBStereo_3", false);
    EXPECT_EQ(C("CBChorus_2").colour, colours::Blue);
    for (int undo = 1; undo <= 3; ++undo) {
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(coloursOf(*mixer), coloursOfAFreshLoad()) << "undo " << undo;
    }
    EXPECT_EQ(C("CBChorus_2").colour, colours::Grey);
    for (int redo = 1; redo <= 3; ++redo) {
        ASSERT_TRUE(doc.Redo());
        EXPECT_EQ(coloursOf(*mixer), coloursOfAFreshLoad()) << "redo " << redo;
    }
    EXPECT_EQ(C("CBReverb_5").colour, colours::Blue);
}

TEST(UndoHistoryLimits, AThousandWholeProjectStepsFitTheBytesStayBoundedAndNestedStepsAreOne) {
    ZDTDocument doc;
    doc.ReplaceZDTData(Bytes(MinProjectDataSize, 0));
    doc.MarkLoaded();
    for (int i = 1; i <= 3000; ++i) doc.ReplaceZDTData(Bytes(MinProjectDataSize, static_cast<std::uint8_t>(i)));
    EXPECT_GE(doc.History().StepCount(), 1000u);
    EXPECT_LE(doc.History().ByteCount(), doc.History().MaxBytes());
    EXPECT_LE(doc.History().MaxBytes(), 10u * 1024 * 1024);
    // The oldest are gone: the loaded state cannot be reached, so undoing never clears the mark.
    while (doc.Undo()) EXPECT_TRUE(doc.DataChanged());

    // A change larger than the whole history is kept as bytes but cannot be undone.
    UndoHistory small(100);
    small.Record(UndoStep{{}, 0, Bytes(200, 1), Bytes(200, 2), 200, 200});
    EXPECT_EQ(small.StepCount(), 0u);
    EXPECT_FALSE(small.AtClean());

    // Nested steps are one, and the outermost name wins.
    doc.ReplaceZDTData({});
    {
        DocumentStep outer(doc, StepName{"outer", "", "", false});
        doc.WriteZDTByte(10, 1);  // grows the buffer
        {
            DocumentStep inner(doc, StepName{"inner", "", "", false});
            doc.WriteZDTWord(2, 0x0302);
            doc.NameStep(StepName{"late inner", "", "", false});
        }
        EXPECT_FALSE(doc.Undo());  // nothing recorded while a step is open
    }
    EXPECT_EQ(doc.UndoText(), "outer");
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(doc.ZDTData().empty());
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(doc.ZDTData(), (Bytes{0, 0, 2, 3, 0, 0, 0, 0, 0, 0, 1}));
}

// Each step names the tracks it changed, the value as the window names it and
// old and new value in the window's units.
TEST_F(UndoRedo, StepsAreNamedInTheWindowsWords) {
    Load(ProjectBytes({.name = "", .wavNames = {"", "", "", "", "TAKE.WAV"}, .marks = {1000, 9000},
                       .deviceDefaults = true, .size = 3400}));
    const StripElement& midGain = *FindStripControl("TBEQxM_");
    struct Case {
        std::function<void()> edit;
        std::string name;
    };
    const Case cases[] = {
        {[&] { mixer->Controls().SetPosition("TBEQxM_3", SliderPosition(midGain, 16)); },
         "Track 3: EQ Mitte 0 dB \u2192 +4 dB"},
        {[&] { mixer->Controls().Toggle("CBInvert_5"); }, "Track 5: Invert aus \u2192 an"},
        {[&] { mixer->Controls().SetText("EDFileAss_4", "SOLO.WAV"); }, "Track 4: Datei (leer) \u2192 SOLO.WAV"},
        {[&] { mixer->Controls().SetText("EDFileAss_5", "TRACK03.WAV"); },
         "Track 5: Datei TAKE.WAV \u2192 TRACK03.WAV"},
        {[&] { mixer->Controls().Toggle("CBChorus_17", KeyState{.ctrl = true}); }, "Tracks 1\u20138: Chorus an"},
        {[&] {
             dialogs.messageAnswers = {ResultOk};
             mixer->Menu().Click("PMDeleteAllProjMarks");
         },
         "Alle Marken gel\u00f6scht"},
    };
    for (const Case& c : cases) {
        doc.SealStep();
        c.edit();
        EXPECT_EQ(doc.UndoText(), c.name);
    }
}

}  // namespace
}  // namespace spurwerk::testing
