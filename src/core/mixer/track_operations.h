#pragma once
// What the mixer does with whole tracks: marks, the all-strip and its
// propagation to the marked tracks, statuses and recording groups, dragging a
// track or file field onto another, and the track count.

#include <string>
#include <utility>

#include "mixer/mixer_control.h"

namespace spurwerk {

struct MixerContext;
class MixerControls;

class TrackOperations {
public:
    TrackOperations(MixerContext& mixer, MixerControls& controls) : mixer_(mixer), controls_(controls) {}

    // `keys`: the modifiers of the input event (bank of the all-strip; Ctrl marks
    // a track, and copies a dropped file name instead of exchanging it).
    void StatusMouseDown(const std::string& name, KeyState keys = {});     // ShArrMouseDown
    void TrackLabelClick(const std::string& name, KeyState keys);          // LabelTrackNrClick
    bool AcceptsDrop(const std::string& source, const std::string& target) const;  // AnyCtrlDragOver
    void Drop(const std::string& source, const std::string& target, KeyState keys = {});  // AnyCtrlDragDrop
    void SetTrackCountClick();                          // ButtonSetTrackCountClick
    void SetTrackCount(int trackCount);                 // steps 4-6 of it
    // Gives the all-strip's control of `element` this value (raw slider position,
    // 0/1, or TrackStatus) and propagates it even when the value was already there.
    void SetAllStripValue(Element element, int value, BankRange bank);
    // Sets a track's parameter as the window would, from a raw document value
    // (EQ gain raw 0..24, status 0 off / 1 play / 2 record).
    void SetTrackValue(int stripIndex, Element element, int raw, const std::string& text);

    // The all-strip's change handling: whether the control carries an
    // operation to the tracks, and carrying it to the marked tracks of a bank.
    bool CarriesAllStripOperation(const MixerControl& control) const;
    void PropagateAllStrip(MixerControl& allControl, BankRange bank);
    // The strips the last all-strip change reached (for its undo step's name).
    const std::vector<int>& AllStripTargets() const { return allStripTargets_; }

private:
    std::pair<int, int> TrackRange(BankRange bank) const;
    void ApplyStatus(MixerControl& status);
    void TransferTrack(int source, int destination, bool exchange);

    MixerContext& mixer_;
    MixerControls& controls_;
    std::vector<int> allStripTargets_;
};

}  // namespace spurwerk
