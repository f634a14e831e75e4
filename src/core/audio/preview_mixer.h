#pragma once
// The listening preview: the tracks of a project summed to stereo with their
// faders and pans. It is not the recorder's mix (no equaliser, no effects).
//
// The law:
// - gain: fader / 100 as a factor (100 = unchanged, 127 about +2 dB, 0 silent);
// - a mono track: constant-power pan, left = cos(a), right = sin(a) with
//   a = (pan + 100) / 400 * pi (centre: both sides at -3 dB);
// - a stereo source (a stereo-linked pair: the odd track left, its partner
//   right; or a file of two or more channels: its first two) is balanced by its
//   pan: left * min(1, (100 - pan) / 100), right * min(1, (100 + pan) / 100);
//   a linked pair takes fader and pan of its odd track;
// - heard are tracks set to play or record; with any track soloed only the
//   soloed ones; a muted track never. Mute and solo are for listening only;
// - the sum is clamped to [-1, 1].

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "audio/sample_reader.h"
#include "project/zdt_document.h"

namespace spurwerk {

struct PreviewTrack {
    int strip = 0;           // 0-based track
    std::string path{};      // the WAV file; empty for none
    std::string rightPath{}; // a stereo-linked pair: the partner's file ("" = silent right)
    bool linked = false;
    int fader = 100;         // 0..127
    int pan = 0;             // -100 (left) .. 100 (right)
    bool heard = true;       // play or record
};

// Left and right factors of the law above.
std::pair<double, double> MonoPanGains(int pan);
std::pair<double, double> BalanceGains(int pan);

// The tracks of a project as the preview plays them (linked pairs as one entry
// on their odd track). WAV names are looked up in `audioFolder` in any letter case.
std::vector<PreviewTrack> PreviewTracksOf(const Bytes& project, int trackCount, const std::string& audioFolder);

class PreviewMixer {
public:
    explicit PreviewMixer(std::vector<PreviewTrack> tracks);

    std::size_t TrackCount() const { return tracks_.size(); }
    const PreviewTrack& Track(std::size_t i) const { return tracks_[i]; }
    // Why a track is not heard although set to play ("" when it is fine).
    const std::string& Problem(std::size_t i) const { return sources_[i].problem; }

    // The rate of the first readable file (44100 when there is none); files at
    // another rate are left out.
    std::uint32_t SampleRate() const { return rate_; }
    // The longest track, in frames.
    std::uint64_t FrameCount() const { return frames_; }

    // Listening controls; safe to call from another thread than Mix.
    void SetMute(std::size_t i, bool on) { sources_[i].mute->store(on); }
    void SetSolo(std::size_t i, bool on) { sources_[i].solo->store(on); }
    bool Muted(std::size_t i) const { return sources_[i].mute->load(); }
    bool Soloed(std::size_t i) const { return sources_[i].solo->load(); }
    // The same by track (0-based strip, as the rows of the track view): a
    // linked pair is muted when both its tracks are, soloed when either is.
    void SetListening(const std::vector<bool>& muteByStrip, const std::vector<bool>& soloByStrip);

    std::uint64_t Position() const { return position_; }
    void Seek(std::uint64_t frame);
    // Fills up to `frames` stereo frames (interleaved L R) and returns how many:
    // fewer only at the end of the longest track.
    std::size_t Mix(float* stereo, std::size_t frames);

private:
    struct Source {
        SampleReader left, right;
        std::string problem;
        std::unique_ptr<std::atomic<bool>> mute = std::make_unique<std::atomic<bool>>(false);
        std::unique_ptr<std::atomic<bool>> solo = std::make_unique<std::atomic<bool>>(false);
    };
    void Open(Source& source, SampleReader& reader, const std::string& path);
    void AddReader(SampleReader& reader, bool isRight, const PreviewTrack& track, float* stereo, std::size_t frames);

    std::vector<PreviewTrack> tracks_;
    std::vector<Source> sources_;
    std::uint32_t rate_ = 0;
    std::uint64_t frames_ = 0;
    std::uint64_t position_ = 0;
    std::vector<float> scratch_;
};

}  // namespace spurwerk
