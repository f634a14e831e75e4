#pragma once
// What the mixer does with whole tracks: marks, the all-strip and its
// propagation to the marked tracks, statuses and recording groups, dragging a
// track or file field onto another, and the track count.

#include <string>
#include <utility>

#include "mixer/mixer_control.h"

namespace spurwerk {

class MixerViewModel;
class MixerControls;

class TrackOperations {
public:
    TrackOperations(MixerViewModel& mixer, MixerControls& controls) : mixer_(mixer), controls_(controls) {}

    void StatusMouseDown(const std::string& name);      // ShArrMouseDown
    void TrackLabelClick(const std::string& name);      // LabelTrackNrClick
    bool AcceptsDrop(const std::string& source, const std::string& target) const;  // AnyCtrlDragOver
    void Drop(const std::string& source, const std::string& target);              // AnyCtrlDragDrop
    void SetTrackCountClick();                          // ButtonSetTrackCountClick
    void SetTrackCount(int trackCount);                 // steps 4-6 of it
    // Gives the all-strip's control of `prefix` this value (raw slider position,
    // 0/1, or TrackStatus) and propagates it even when the value was already there.
    void SetAllStripValue(const std::string& prefix, int value);
    // Sets a track's parameter as the window would, from a raw document value
    // (EQ gain raw 0..24, status 0 off / 1 play / 2 record).
    void SetTrackValue(int stripIndex, const std::string& prefix, int raw, const std::string& text);

private:
    friend class MixerControls;

    bool CarriesAllStripOperation(const MixerControl& control) const;
    void PropagateAllStrip(MixerControl& allControl);
    // The strips the last all-strip change reached (for its undo step's name).
    const std::vector<int>& AllStripTargets() const { return allStripTargets_; }
    std::pair<int, int> TrackRange() const;
    void ApplyRecordingGroup(MixerControl& status);
    void ApplyStatus(MixerControl& status);
    void TransferTrack(int source, int destination, bool exchange);

    MixerViewModel& mixer_;
    MixerControls& controls_;
    std::vector<int> allStripTargets_;
};

}  // namespace spurwerk
