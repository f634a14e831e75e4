#pragma once
// The mixer's controls: one record per control in component order, found by
// name or by strip and element, and bound to the project document. Setting a
// value raises the change handling exactly when the value changes; reading and
// writing all controls move the document's values into the window and back.

#include <cstddef>
#include <string>
#include <vector>

#include "mixer/mixer_control.h"

namespace spurwerk {

struct MixerContext;

struct StripState {
    Colour panelColour = colours::Black;
    bool enabled = true;
    bool visible = true;
    int left = 0;
};

class MixerControls {
public:
    explicit MixerControls(MixerContext& mixer);

    // Builds strips 0 .. maxStripIndex, lays them out for the track count and tags them.
    void Build(int maxStripIndex, int trackCount);
    void LimitMaxStripIndex(int maxStripIndex) { maxStripIndex_ = maxStripIndex; }

    const std::vector<MixerControl>& All() const { return controls_; }
    // By widget name ("TBPan_3") or by strip index and element; throws
    // std::out_of_range for an unknown control.
    const MixerControl& Control(const std::string& name) const;
    const MixerControl& Control(int stripIndex, Element element) const;
    const StripState& Strip(int stripIndex) const { return strips_.at(static_cast<std::size_t>(stripIndex)); }
    int TrackCount() const { return trackCount_; }
    int MaxStripIndex() const { return maxStripIndex_; }
    bool IsAllStrip(const MixerControl& control) const;
    bool IsMarked(int stripIndex) const;
    // The control's track is the locked second track of a stereo pair (the
    // track codec's rule): the window shows it disabled and takes no edit of it.
    bool IsLocked(const MixerControl& control) const;
    // The 20 names handed to the project list window, in component order.
    std::vector<std::string> ListTrackParameters() const;

    // Values as a user or the program sets them; each returns whether it changed.
    // `keys` are the modifiers of the input event: on the all-strip they choose
    // the bank (BankOf); Alt puts a slider back to its default instead.
    bool SetPosition(const std::string& name, int position, KeyState keys = {});  // clamped to the range
    bool SetChecked(const std::string& name, bool checked, KeyState keys = {});
    bool SetText(const std::string& name, const std::string& text);
    bool Toggle(const std::string& name, KeyState keys = {}) { return SetChecked(name, !Control(name).Checked(), keys); }
    // A slider back to its default, as a double click or its context entry ask.
    bool ResetToDefault(const std::string& name, KeyState keys = {});
    // The bank of an all-strip change holds while the change is handled.
    class BankScope {
    public:
        BankScope(MixerControls& controls, BankRange bank) : bank_(controls.bank_), outer_(bank_) { bank_ = bank; }
        ~BankScope() { bank_ = outer_; }
        BankScope(const BankScope&) = delete;
        BankScope& operator=(const BankScope&) = delete;

    private:
        BankRange& bank_;
        BankRange outer_;
    };

    // Marks or unmarks a track for the all-strip.
    void SetMarked(int stripIndex, bool marked);
    // The strip's status shape shows what the bytes hold (a rule of the track codec changed it).
    void ShowStatus(int stripIndex) { ReadValue(At(stripIndex, Element::Status)); }

    // A click on the client or bottom panel marks the document changed.
    void PanelClick();

    void ReadAll();
    // The controls follow the bytes (after an undo or redo); nothing is written back.
    void ReadAllWithoutWriting();
    void WriteAll();
    void Relayout(int trackCount);
    void UpdateAllHints();

    // --- For the mixer's parts (track operations, file assignment): the
    // program's own changes, which raise the change handling as a user's do
    // but ask nothing of a lock or of keys.
    MixerControl& At(int stripIndex, Element element) { return Mutable(Control(stripIndex, element)); }
    MixerControl& Named(const std::string& name) { return Mutable(Control(name)); }
    StripState& MutableStrip(int stripIndex) { return strips_.at(static_cast<std::size_t>(stripIndex)); }
    // Tells the observer; the colour is recomputed from the control's state first.
    void Notify(const MixerControl& control, unsigned aspects);
    void NotifyStrip(int stripIndex);
    bool SetValueRaising(MixerControl& control, int value);
    // A value the all-strip carries to a track: shown and written like a
    // change of that track, inside the all-strip's change (no change handling
    // of its own, so CtrlAction never runs inside itself).
    bool CarryValue(MixerControl& control, int value);
    bool SetTextRaising(MixerControl& control, const std::string& text);
    void SetStatus(MixerControl& control, TrackStatus status);
    void SetColour(MixerControl& control, Colour colour);  // file fields: their colour is the WAV list's
    void CtrlAction(MixerControl& control);
    void UpdateHint(MixerControl& control);

private:
    MixerControl& Mutable(const MixerControl& control) { return controls_[Index(control)]; }
    std::size_t Index(const MixerControl& control) const { return static_cast<std::size_t>(&control - controls_.data()); }

    void BuildStrip(int stripIndex);
    void AssignParameterTags();
    void WriteValue(MixerControl& control);
    void ReadValue(MixerControl& control);
    void ColourCheckBox(MixerControl& box);

    MixerContext& mixer_;
    std::vector<MixerControl> controls_;  // [0] EditProjName, then strip by strip
    std::vector<StripState> strips_;
    int trackCount_ = 16;
    int maxStripIndex_ = 16;
    bool changeHandling_ = false;          // the change handling switch
    bool bulk_ = false;                    // reading or writing all controls
    BankRange bank_ = BankRange::All;      // chosen by the input event being handled
};

}  // namespace spurwerk
