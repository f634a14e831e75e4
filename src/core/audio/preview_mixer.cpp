#include "audio/preview_mixer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "io/name_lookup.h"
#include "io/path_text.h"
#include "project/track_layout.h"
#include "settings/cli_texts.h"

namespace spurwerk {

namespace {

constexpr std::uint32_t DefaultRate = 44100;
constexpr int MaxFader = 127;

}  // namespace

std::pair<double, double> MonoPanGains(int pan) {
    // The ends exactly: cos(pi / 2) is not 0 in floating point.
    if (pan <= -100) return {1.0, 0.0};
    if (pan >= 100) return {0.0, 1.0};
    const double angle = (std::clamp(pan, -100, 100) + 100) / 400.0 * std::numbers::pi;
    return {std::cos(angle), std::sin(angle)};
}

std::pair<double, double> BalanceGains(int pan) {
    pan = std::clamp(pan, -100, 100);
    return {std::min(1.0, (100 - pan) / 100.0), std::min(1.0, (100 + pan) / 100.0)};
}

std::vector<PreviewTrack> PreviewTracksOf(const Bytes& project, int trackCount, const std::string& audioFolder) {
    const std::string folder = audioFolder.empty() ? audioFolder : AddTrailingBackslash(audioFolder);
    auto pathOf = [&](int strip) {
        const std::string name = ReadWavName(project, layout::WavNameOffset(static_cast<std::size_t>(strip)));
        return name.empty() ? std::string() : PathIgnoringCase(folder, name);
    };
    std::vector<PreviewTrack> tracks;
    for (int k = 0; k < std::min(trackCount, layout::TrackCount); ++k) {
        PreviewTrack track;
        track.strip = k;
        track.path = pathOf(k);
        track.fader = std::min<int>(ReadZDTByte(project, layout::FaderBase + 4 * static_cast<std::size_t>(k)), MaxFader);
        track.pan = 2 * (std::clamp<int>(ReadZDTByte(project, layout::PanBase + 4 * static_cast<std::size_t>(k)), 0, 100) - 50);
        track.heard = ReadTrackStatus(project, k) != TrackStatus::Off;
        track.linked = k % 2 == 0 && k + 1 < trackCount && ReadStereoLink(project, k);
        if (track.linked) {
            track.rightPath = pathOf(k + 1);
            // The pair is heard when either half plays.
            track.heard = track.heard || ReadTrackStatus(project, k + 1) != TrackStatus::Off;
            ++k;
        }
        tracks.push_back(std::move(track));
    }
    return tracks;
}

PreviewMixer::PreviewMixer(std::vector<PreviewTrack> tracks) : tracks_(std::move(tracks)), sources_(tracks_.size()) {
    for (std::size_t i = 0; i < tracks_.size(); ++i) {
        Open(sources_[i], sources_[i].left, tracks_[i].path);
        if (tracks_[i].linked) Open(sources_[i], sources_[i].right, tracks_[i].rightPath);
    }
    if (rate_ == 0) rate_ = DefaultRate;
}

void PreviewMixer::Open(Source& source, SampleReader& reader, const std::string& path) {
    if (path.empty()) return;
    reader = SampleReader::Open(path);
    const WavLayout& layout = reader.Layout();
    if (!layout.Ok()) {
        source.problem = ExtractFileName(path) + ": " + WavFaultText(layout.fault);
        return;
    }
    if (rate_ == 0) rate_ = layout.sampleRate;
    if (layout.sampleRate != rate_) {
        source.problem = CliTxt(CliText::WavOtherRate, {ExtractFileName(path), std::to_string(layout.sampleRate)});
        reader = SampleReader();
        return;
    }
    frames_ = std::max(frames_, layout.frameCount);
}

void PreviewMixer::SetListening(const std::vector<bool>& muteByStrip, const std::vector<bool>& soloByStrip) {
    auto at = [](const std::vector<bool>& flags, int strip) {
        return strip >= 0 && static_cast<std::size_t>(strip) < flags.size() && flags[static_cast<std::size_t>(strip)];
    };
    for (std::size_t i = 0; i < tracks_.size(); ++i) {
        const int k = tracks_[i].strip;
        const bool pair = tracks_[i].linked;
        SetMute(i, at(muteByStrip, k) && (!pair || at(muteByStrip, k + 1)));
        SetSolo(i, at(soloByStrip, k) || (pair && at(soloByStrip, k + 1)));
    }
}

void PreviewMixer::Seek(std::uint64_t frame) { position_ = std::min(frame, frames_); }

void PreviewMixer::AddReader(SampleReader& reader, bool isRight, const PreviewTrack& track, float* stereo,
                             std::size_t frames) {
    const WavLayout& layout = reader.Layout();
    if (!layout.Ok() || position_ >= layout.frameCount) return;
    if (reader.Position() != position_ && !reader.Seek(position_)) return;
    const std::size_t channels = layout.channels;
    scratch_.resize(frames * channels);
    const std::size_t got = reader.ReadFloat(scratch_.data(), frames);
    const double gain = track.fader / 100.0;
    const bool stereoSource = track.linked || channels >= 2;
    auto [l, r] = stereoSource ? BalanceGains(track.pan) : MonoPanGains(track.pan);
    l *= gain;
    r *= gain;
    if (track.linked) (isRight ? l : r) = 0;
    const auto fl = static_cast<float>(l), fr = static_cast<float>(r);
    const std::size_t second = !track.linked && channels >= 2 ? 1 : 0;
    for (std::size_t i = 0; i < got; ++i) {
        stereo[2 * i] += fl * scratch_[i * channels];
        stereo[2 * i + 1] += fr * scratch_[i * channels + second];
    }
}

std::size_t PreviewMixer::Mix(float* stereo, std::size_t frames) {
    frames = static_cast<std::size_t>(std::min<std::uint64_t>(frames, frames_ - position_));
    std::fill(stereo, stereo + 2 * frames, 0.0f);
    if (frames == 0) return 0;
    bool anySolo = false;
    for (std::size_t i = 0; i < tracks_.size(); ++i) anySolo = anySolo || (tracks_[i].heard && Soloed(i));
    for (std::size_t i = 0; i < tracks_.size(); ++i) {
        if (!tracks_[i].heard || Muted(i) || (anySolo && !Soloed(i))) continue;
        AddReader(sources_[i].left, false, tracks_[i], stereo, frames);
        if (tracks_[i].linked) AddReader(sources_[i].right, true, tracks_[i], stereo, frames);
    }
    for (std::size_t i = 0; i < 2 * frames; ++i) stereo[i] = std::clamp(stereo[i], -1.0f, 1.0f);
    position_ += frames;
    return frames;
}

}  // namespace spurwerk
