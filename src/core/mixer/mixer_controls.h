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

class MixerViewModel;

struct StripState {
    Colour panelColour = colours::Black;
    bool enabled = true;
    bool visible = true;
    int left = 0;
};

class MixerControls {
public:
    explicit MixerControls(MixerViewModel& mixer);

    // Builds strips 0 .. maxStripIndex, lays them out for the track count and tags them.
    void Build(int maxStripIndex, int trackCount);
    void LimitMaxStripIndex(int maxStripIndex) { maxStripIndex_ = maxStripIndex; }

    const std::vector<MixerControl>& All() const { return controls_; }
    // "TBPan_3" or strip index and element prefix ("TBPan_"); throws
    // std::out_of_range for an unknown control.
    const MixerControl& Control(const std::string& name) const;
    const MixerControl& Control(int stripIndex, const std::string& prefix) const;
    const StripState& Strip(int stripIndex) const { return strips_.at(static_cast<std::size_t>(stripIndex)); }
    int TrackCount() const { return trackCount_; }
    int MaxStripIndex() const { return maxStripIndex_; }
    bool IsAllStrip(const MixerControl& control) const;
    bool IsMarked(int stripIndex) const;
    // The 20 names handed to the project list window, in component order.
    std::vector<std::string> ListTrackParameters() const;

    // Values as a user or the program sets them; each returns whether it changed.
    bool SetPosition(const std::string& name, int position);   // clamped to the range
    bool SetChecked(const std::string& name, bool checked);
    bool SetText(const std::string& name, const std::string& text);
    bool Toggle(const std::string& name) { return SetChecked(name, !Control(name).Checked()); }
    // A slider back to its default, as Alt+click, a double click or its context entry ask.
    bool ResetToDefault(const std::string& name);

    // A click on the client or bottom panel marks the document changed.
    void PanelClick();

    void ReadAll();
    // The controls follow the bytes (after an undo or redo); nothing is written back.
    void ReadAllWithoutWriting();
    void WriteAll();
    void Relayout(int trackCount);
    void UpdateAllHints();

private:
    friend class TrackOperations;
    friend class FileAssignment;

    MixerControl& Mutable(const MixerControl& control) { return controls_[Index(control)]; }
    MixerControl& At(int stripIndex, const std::string& prefix) { return Mutable(Control(stripIndex, prefix)); }
    MixerControl& Named(const std::string& name) { return Mutable(Control(name)); }
    std::size_t Index(const MixerControl& control) const { return static_cast<std::size_t>(&control - controls_.data()); }
    StripState& MutableStrip(int stripIndex) { return strips_.at(static_cast<std::size_t>(stripIndex)); }
    void Notify(const MixerControl& control, unsigned aspects);
    void NotifyStrip(int stripIndex);

    void BuildStrip(int stripIndex);
    void AssignParameterTags();
    bool SetValueRaising(MixerControl& control, int value);
    bool SetTextRaising(MixerControl& control, const std::string& text);
    void SetStatusColour(MixerControl& control, TrackStatus status);
    void SetColour(MixerControl& control, Colour colour);

    void CtrlAction(MixerControl& control);
    void WriteValue(MixerControl& control);
    void ReadValue(MixerControl& control);
    void UpdateHint(MixerControl& control);
    void ColourCheckBox(MixerControl& box);
    int AltReset(MixerControl& slider);

    MixerViewModel& mixer_;
    std::vector<MixerControl> controls_;  // [0] EditProjName, then strip by strip
    std::vector<StripState> strips_;
    int trackCount_ = 16;
    int maxStripIndex_ = 16;
    bool changeHandling_ = false;          // the change handling switch
    bool bulk_ = false;                    // reading or writing all controls
};

}  // namespace spurwerk
