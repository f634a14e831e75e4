// The listening preview, sample by sample: gain, pan, balance, mute, solo and
// tracks that are off, against values computed from the law.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "audio/preview_mixer.h"
#include "io/path_text.h"
#include "project/track_layout.h"
#include "test_bytes.h"
#include "test_files.h"
#include "test_wavs.h"

namespace spurwerk {
namespace {

using namespace testing;

constexpr float Tolerance = 1e-6f;

// A file whose every frame holds `value` (16-bit steps: 0.25 and 0.5 are exact).
std::string ConstantWav(const TempDir& dir, const std::string& name, std::vector<double> perChannel,
                        std::size_t frames, std::uint32_t rate = 48000) {
    std::vector<std::int32_t> samples;
    for (std::size_t i = 0; i < frames; ++i)
        for (double v : perChannel) samples.push_back(static_cast<std::int32_t>(v * 2147483648.0));
    WriteBytes(dir / name, BuildWav({.channels = static_cast<std::uint16_t>(perChannel.size()), .rate = rate},
                                    IntSampleBytes(16, samples)));
    return (dir / name).string();
}

struct MixCase {
    const char* name;
    std::vector<PreviewTrack> tracks;  // paths filled from `files`
    std::vector<int> files;            // per track: index of the file (-1 none)
    std::vector<int> rightFiles;       // per track: index of the partner's file
    std::vector<bool> mute, solo;
    float left, right;                 // every output frame
};

TEST(PreviewMixerTest, ComputedSamples) {
    TempDir dir;
    const std::vector<std::string> files = {
        ConstantWav(dir, "HALF.WAV", {0.5}, 100),           // 0
        ConstantWav(dir, "QUARTER.WAV", {0.25}, 100),       // 1
        ConstantWav(dir, "STEREO.WAV", {0.5, -0.25}, 100),  // 2
        ConstantWav(dir, "LOUD.WAV", {0.75}, 100),          // 3
    };
    const float c = static_cast<float>(std::cos(std::numbers::pi / 4));  // centre: -3 dB
    const float l20 = static_cast<float>(std::cos(80 / 400.0 * std::numbers::pi));
    const float r20 = static_cast<float>(std::sin(80 / 400.0 * std::numbers::pi));
    const std::vector<MixCase> cases = {
        {"one track centred", {{}}, {0}, {}, {}, {}, 0.5f * c, 0.5f * c},
        {"hard left", {{.pan = -100}}, {0}, {}, {}, {}, 0.5f, 0.0f},
        {"hard right", {{.pan = 100}}, {0}, {}, {}, {}, 0.0f, 0.5f},
        {"L20 (the pan law)", {{.pan = -20}}, {0}, {}, {}, {}, 0.5f * l20, 0.5f * r20},
        {"fader 50 halves", {{.fader = 50, .pan = -100}}, {0}, {}, {}, {}, 0.25f, 0.0f},
        {"fader 0 silent", {{.fader = 0}}, {0}, {}, {}, {}, 0.0f, 0.0f},
        {"fader 127", {{.fader = 127, .pan = 100}}, {1}, {}, {}, {}, 0.0f, 0.25f * 1.27f},
        {"two tracks sum", {{.pan = -100}, {.strip = 1, .pan = -100}}, {0, 1}, {}, {}, {}, 0.75f, 0.0f},
        {"off track silent", {{.pan = -100}, {.strip = 1, .pan = -100, .heard = false}}, {0, 1}, {}, {}, {}, 0.5f, 0.0f},
        {"muted track silent", {{.pan = -100}, {.strip = 1, .pan = -100}}, {0, 1}, {}, {false, true}, {}, 0.5f, 0.0f},
        {"solo hears only the soloed", {{.pan = -100}, {.strip = 1, .pan = -100}}, {0, 1}, {}, {}, {false, true}, 0.25f, 0.0f},
        {"solo of an off track changes nothing",
         {{.pan = -100}, {.strip = 1, .pan = -100, .heard = false}}, {0, 1}, {}, {}, {false, true}, 0.5f, 0.0f},
        {"stereo file balanced", {{}}, {2}, {}, {}, {}, 0.5f, -0.25f},
        {"stereo file balance R50", {{.pan = 50}}, {2}, {}, {}, {}, 0.25f, -0.25f},
        {"linked pair: odd left, partner right", {{.linked = true}}, {0}, {1}, {}, {}, 0.5f, 0.25f},
        {"linked pair balance L100", {{.linked = true, .pan = -100}}, {0}, {1}, {}, {}, 0.5f, 0.0f},
        {"linked pair, partner without file", {{.linked = true}}, {0}, {-1}, {}, {}, 0.5f, 0.0f},
        {"track without file", {{}}, {-1}, {}, {}, {}, 0.0f, 0.0f},
        {"clamped sum", {{.fader = 127, .pan = -100}, {.strip = 1, .fader = 127, .pan = -100}}, {3, 3}, {}, {}, {}, 1.0f, 0.0f},
    };
    for (const MixCase& mc : cases) {
        SCOPED_TRACE(mc.name);
        std::vector<PreviewTrack> tracks = mc.tracks;
        for (std::size_t i = 0; i < tracks.size(); ++i) {
            if (mc.files[i] >= 0) tracks[i].path = files[static_cast<std::size_t>(mc.files[i])];
            if (i < mc.rightFiles.size() && mc.rightFiles[i] >= 0)
                tracks[i].rightPath = files[static_cast<std::size_t>(mc.rightFiles[i])];
        }
        PreviewMixer mixer(tracks);
        for (std::size_t i = 0; i < mc.mute.size(); ++i) mixer.SetMute(i, mc.mute[i]);
        for (std::size_t i = 0; i < mc.solo.size(); ++i) mixer.SetSolo(i, mc.solo[i]);
        if (mc.files[0] >= 0) {
            EXPECT_EQ(mixer.SampleRate(), 48000u);
        }
        std::vector<float> out(2 * 40, 99.0f);
        ASSERT_EQ(mixer.Mix(out.data(), 40), mc.files[0] < 0 ? 0u : 40u);
        if (mc.files[0] < 0) continue;
        for (std::size_t i = 0; i < 40; ++i) {
            ASSERT_NEAR(out[2 * i], mc.left, Tolerance) << "frame " << i;
            ASSERT_NEAR(out[2 * i + 1], mc.right, Tolerance) << "frame " << i;
        }
    }
}

// The play position: tracks of different length, seeking, the end, and a
// muted track that keeps its place while silent.
TEST(PreviewMixerTest, FollowsThePosition) {
    TempDir dir;
    // A ramp: frame i holds i / 1024.
    std::vector<std::int32_t> ramp;
    for (int i = 0; i < 300; ++i) ramp.push_back(i << 21);
    WriteBytes(dir / "RAMP.WAV", BuildWav({}, IntSampleBytes(16, ramp)));
    const std::string shortFile = ConstantWav(dir, "SHORT.WAV", {0.25}, 100);
    PreviewMixer mixer({{.path = (dir / "RAMP.WAV").string(), .pan = -100}, {.strip = 1, .path = shortFile, .pan = 100}});
    EXPECT_EQ(mixer.FrameCount(), 300u);
    std::vector<float> out(2 * 128);
    mixer.Seek(90);
    mixer.SetMute(0, true);
    ASSERT_EQ(mixer.Mix(out.data(), 5), 5u);
    EXPECT_EQ(out[0], 0.0f);
    mixer.SetMute(0, false);
    ASSERT_EQ(mixer.Mix(out.data(), 20), 20u);
    for (int i = 0; i < 20; ++i) {
        EXPECT_NEAR(out[2 * static_cast<std::size_t>(i)], (95 + i) / 1024.0f, Tolerance);
        // The short track ends at frame 100.
        EXPECT_EQ(out[2 * static_cast<std::size_t>(i) + 1], 95 + i < 100 ? 0.25f : 0.0f) << i;
    }
    EXPECT_EQ(mixer.Position(), 115u);
    mixer.Seek(250);
    EXPECT_EQ(mixer.Mix(out.data(), 128), 50u);
    EXPECT_EQ(mixer.Mix(out.data(), 128), 0u);
    mixer.Seek(1000000);
    EXPECT_EQ(mixer.Position(), 300u);
}

// Mute and solo by track: a linked pair is one source.
TEST(PreviewMixerTest, ListeningByTrack) {
    TempDir dir;
    const std::string a = ConstantWav(dir, "A.WAV", {0.5}, 10), b = ConstantWav(dir, "B.WAV", {0.25}, 10);
    struct Case {
        std::vector<bool> mute, solo;
        std::vector<bool> mixerMute, mixerSolo;
    };
    for (const Case& c : {Case{{true}, {}, {true, false}, {false, false}},
                          Case{{false, true}, {}, {false, false}, {false, false}},
                          Case{{false, true, true}, {}, {false, true}, {false, false}},
                          Case{{}, {false, false, true}, {false, false}, {false, true}},
                          Case{{}, {true}, {false, false}, {true, false}}}) {
        PreviewMixer mixer({{.strip = 0, .path = a}, {.strip = 1, .path = a, .rightPath = b, .linked = true}});
        mixer.SetListening(c.mute, c.solo);
        EXPECT_EQ((std::vector<bool>{mixer.Muted(0), mixer.Muted(1)}), c.mixerMute);
        EXPECT_EQ((std::vector<bool>{mixer.Soloed(0), mixer.Soloed(1)}), c.mixerSolo);
    }
}

TEST(PreviewMixerTest, ProblemsOfTracks) {
    TempDir dir;
    const std::string good = ConstantWav(dir, "GOOD.WAV", {0.5}, 10, 44100);
    const std::string other = ConstantWav(dir, "OTHER.WAV", {0.5}, 10, 48000);
    WriteBytes(dir / "BAD.WAV", Bytes(30, 0));
    PreviewMixer mixer({{.path = good}, {.path = other}, {.path = (dir / "BAD.WAV").string()},
                        {.path = (dir / "GONE.WAV").string()}});
    EXPECT_EQ(mixer.SampleRate(), 44100u);
    EXPECT_EQ(mixer.Problem(0), "");
    EXPECT_EQ(mixer.Problem(1), "OTHER.WAV: andere Abtastrate (48000 Hz)");
    EXPECT_EQ(mixer.Problem(2), "BAD.WAV: keine WAV-Datei");
    EXPECT_EQ(mixer.Problem(3), "GONE.WAV: nicht lesbar");
    EXPECT_EQ(mixer.FrameCount(), 10u);
}

TEST(PreviewMixerTest, TracksOfAProject) {
    TempDir dir;
    std::filesystem::create_directories(dir / "AUDIO");
    ConstantWav(dir, "AUDIO/TRACK01.WAV", {0.5}, 10);
    ProjectSetup setup{.wavNames = {"TRACK01.WAV", "track02.wav", "", "TRACK04.WAV"}, .stereoStrips = {2},
                       .deviceDefaults = true};
    ZDTDocument doc;
    doc.ReplaceZDTData(ProjectBytes(setup));
    doc.WriteZDTByte(layout::FaderBase + 4, 90);
    doc.WriteZDTByte(layout::PanBase, 40);  // L20
    WriteTrackStatus(doc, 3, TrackStatus::Off);
    WriteTrackStatus(doc, 2, TrackStatus::Off);
    const std::vector<PreviewTrack> tracks = PreviewTracksOf(doc.ZDTData(), 16, (dir / "AUDIO").string());
    ASSERT_EQ(tracks.size(), 15u);  // tracks 3 and 4 are one pair
    EXPECT_EQ(tracks[0].path, (dir / "AUDIO" / "TRACK01.WAV").string());
    // strip, file, partner's file, linked, fader, pan, heard (both halves of the pair are off)
    const auto row = [&](std::size_t i) {
        const PreviewTrack& t = tracks[i];
        return std::tuple(t.strip, ExtractFileName(t.path), ExtractFileName(t.rightPath), t.linked, t.fader, t.pan, t.heard);
    };
    EXPECT_EQ(row(0), std::tuple(0, "TRACK01.WAV", "", false, 0, -20, true));
    EXPECT_EQ(row(1), std::tuple(1, "track02.wav", "", false, 90, 0, true));
    EXPECT_EQ(row(2), std::tuple(2, "", "TRACK04.WAV", true, 0, 0, false));
    EXPECT_EQ(row(3), std::tuple(4, "", "", false, 0, 0, true));
}

}  // namespace
}  // namespace spurwerk
