#pragma once
// An imported file put on a track: assigned as the picker assigns, a stereo
// file to the track's pair, linked first when it was not. One undo step.

#include <string>

namespace spurwerk {

class MixerViewModel;

// The strip a file of `channels` goes to for track strip `stripIndex`: the
// pair's first strip for a stereo file, the strip itself for a mono one.
int ImportStrip(int stripIndex, int channels);

// Throws TrackLocked for a mono file on the second track of a linked pair.
void AssignImportedFile(MixerViewModel& mixer, int stripIndex, const std::string& fileName, int channels);

}  // namespace spurwerk
