#pragma once
// The mixer's side of the audio files: stereo links (a linked pair shares one
// file field), the WAV list with its found flags and field colours, and the
// cleaning of WAV names before a save.

#include <cstdint>
#include <string>
#include <vector>

#include "mixer/wav_list.h"

namespace spurwerk {

struct MixerContext;
class MixerControls;

class FileAssignment {
public:
    FileAssignment(MixerContext& mixer, MixerControls& controls) : mixer_(mixer), controls_(controls) {}

    // Both boxes of the pair of strip k show the link; the even track's strip
    // and file field are disabled while it holds. `refresh` rebuilds the WAV list.
    void ApplyStereoLink(int stripIndex, bool linked, bool refresh);

    void BuildWavList();
    const WavList& WavFiles() const { return wavList_; }
    std::string AudioFolder() const;                    // empty without a loaded file
    std::vector<std::string> Assignments() const;       // file fields 0 .. track count
    // The file of a WAV list line (1 = first file); empty for the header line.
    std::string WavListPath(int line) const;
    std::int32_t RecordingEnd() const { return wavList_.recordingEnd; }
    void NormalizeTrackWavNames();

private:
    void RefreshFieldColours();

    MixerContext& mixer_;
    MixerControls& controls_;
    WavList wavList_;
};

}  // namespace spurwerk
