// One way to change a track: the same change made through the mixer's
// controls, through `set` (or copy-track / swap-tracks) and through
// `set --from-json` leaves the same bytes, and what one refuses the others
// refuse.

#include <gtest/gtest.h>

#include <functional>

#include "cli_test.h"
#include "mixer/mixer_view_model.h"
#include "project/document_ops.h"
#include "scripted_dialogs.h"

namespace spurwerk::testing {
namespace {

using Args = std::vector<std::string>;
using MixerAct = std::function<bool(MixerViewModel&, ScriptedDialogs&)>;  // false: refused

struct ContractCase {
    const char* what;
    std::function<void(Bytes&)> setup;  // the demo project's bytes before the change
    MixerAct mixer;
    Args cli;                           // after the file name; empty: no such command
    const char* json;                   // nullptr: no JSON form
    bool refused;
};

struct Outcome {
    Bytes bytes;
    bool refused = false;
};

class TrackContract : public CliOnCard {
protected:
    // A fresh copy of the demo project with the case's bytes.
    std::string Prepare(const std::string& door, const ContractCase& c) {
        std::filesystem::copy(card / "PROJ001", card / door, std::filesystem::copy_options::recursive);
        std::string file = Project(door);
        Bytes bytes = ReadBytes(file);
        if (c.setup) c.setup(bytes);
        WriteBytes(file, bytes);
        return file;
    }

    // Loaded into the window's view-model, changed by its controls, saved as the window saves.
    Outcome ThroughMixer(const ContractCase& c) {
        std::string file = Prepare("MIXER", c);
        ProjectSession session;
        ScriptedDialogs dialogs;
        MixerViewModel mixer(session, dialogs, MixerOptions{});
        session.SetHost(&mixer);
        session.ZDTFileToLoad = file;
        DocumentContext context{session, dialogs, ""};
        EXPECT_TRUE(LoadZDTFile(context, false));
        Outcome outcome;
        outcome.refused = !c.mixer(mixer, dialogs);
        session.Save(file);
        outcome.bytes = ReadBytes(file);
        return outcome;
    }

    Outcome ThroughCli(const std::string& door, const ContractCase& c, bool json) {
        std::string file = Prepare(door, c);
        Args args = json ? Args{"set", file, "--from-json", "-"} : Args{c.cli[0], file};
        if (!json) args.insert(args.end(), c.cli.begin() + 1, c.cli.end());
        ProcessResult r = json ? CliWithInput(args, c.json) : Cli(args);
        EXPECT_TRUE(r.exitCode == 0 || r.exitCode == 1) << r.err;
        return {ReadBytes(file), r.exitCode != 0};
    }
};

const ContractCase Cases[] = {
    // The demo project links tracks 3+4 and arms track 5. What is locked and how
    // a value converts is core's rule: one case for each way the doors reach it.
    {"the demo's locked track", nullptr,
     [](MixerViewModel& m, ScriptedDialogs&) { return m.Controls().SetChecked("CBInvert_4", false); },
     {"set", "--track", "4", "Invert=-"}, R"({"track":4,"invert":false})", true},
    {"fader", nullptr, [](MixerViewModel& m, ScriptedDialogs&) { return m.Controls().SetPosition("TBFader_3", 50); },
     {"set", "--track", "3", "Fader=50"}, R"({"track":3,"fader":50})", false},
    {"pan and quality", nullptr,
     [](MixerViewModel& m, ScriptedDialogs&) {
         return m.Controls().SetPosition("TBPan_6", 40) && m.Controls().SetPosition("TBEQMidQual_6", 9);
     },
     {"set", "--track", "6", "Pan=L20", "EQMidQual=1.0"}, R"({"track":6,"pan":-20,"eqMidQuality":1.0})", false},
    {"boxes", nullptr,
     [](MixerViewModel& m, ScriptedDialogs&) {
         return m.Controls().SetChecked("CBReverb_7", true) && m.Controls().SetChecked("CBEQxH_7", true) &&
                m.Controls().SetChecked("CBInvert_7", true);
     },
     {"set", "--track", "7", "Reverb=X", "EQxH=X", "Invert=X"},
     R"({"track":7,"reverbOn":true,"eqHighOn":true,"invert":true})", false},
    {"arming a track disarms its recording group",
     [](Bytes& b) { b[layout::RecordMaskOffset] |= 0x01; },  // track 1 records
     [](MixerViewModel& m, ScriptedDialogs&) {
         m.Tracks().StatusMouseDown("ShStatus_9");  // off -> record
         return true;
     },
     {"set", "--track", "9", "Status=R"}, R"({"track":9,"status":"record"})", false},
    {"all-strip bank 1", nullptr,
     [](MixerViewModel& m, ScriptedDialogs&) { return m.Controls().SetPosition("TBFader_17", 90, KeyState{.ctrl = true}); },
     {"set", "--all", "--bank1", "Fader=90"}, nullptr, false},
    {"all-strip bank 2 arms tracks 9-16", nullptr,
     [](MixerViewModel& m, ScriptedDialogs&) {
         m.Tracks().SetAllStripValue(Element::Status, static_cast<int>(TrackStatus::Record), BankRange::Bank2);
         return true;
     },
     {"set", "--all", "--bank2", "Status=R"}, nullptr, false},
    {"copy a track", nullptr,
     [](MixerViewModel& m, ScriptedDialogs& d) {
         d.messageAnswers = {ResultYes};
         m.Tracks().Drop("LabelTrackNr_1", "LabelTrackNr_13");
         return true;
     },
     {"copy-track", "1", "13"}, nullptr, false},
    {"swap two tracks", nullptr,
     [](MixerViewModel& m, ScriptedDialogs& d) {
         d.messageAnswers = {ResultNo};
         m.Tracks().Drop("LabelTrackNr_1", "LabelTrackNr_2");
         return true;
     },
     {"swap-tracks", "1", "2"}, nullptr, false},
};

TEST_F(TrackContract, EveryDoorLeavesTheSameBytesAndRefusesTheSame) {
#ifdef _WIN32
    GTEST_SKIP() << "under Wine the JSON handed to the child arrives empty; the contract is tested on Linux";
#endif
    int n = 0;
    for (const ContractCase& c : Cases) {
        SCOPED_TRACE(c.what);
        std::string tag = std::to_string(++n);
        Bytes original = ReadBytes(Prepare("ORIGINAL" + tag, c));
        Outcome mixer = ThroughMixer(c);
        std::filesystem::remove_all(card / "MIXER");
        EXPECT_EQ(mixer.refused, c.refused);
        if (c.refused) EXPECT_EQ(mixer.bytes, original);
        else EXPECT_NE(mixer.bytes, original);
        Outcome set = ThroughCli("SET" + tag, c, false);
        EXPECT_EQ(set.refused, c.refused);
        EXPECT_EQ(set.bytes, mixer.bytes);
        if (!c.json) continue;
        Outcome json = ThroughCli("JSON" + tag, c, true);
        EXPECT_EQ(json.refused, c.refused);
        EXPECT_EQ(json.bytes, mixer.bytes);
    }
}

}  // namespace
}  // namespace spurwerk::testing
