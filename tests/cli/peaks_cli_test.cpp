// spurwerk-cli peaks: the overview numbers of a WAV file, as text and JSON.

#include <nlohmann/json.hpp>

#include "cli_test.h"
#include "test_bytes.h"
#include "test_wavs.h"

namespace spurwerk::testing {
namespace {

// 128 frames of stereo: left a rising ramp, right its negative.
std::string RampWav(const TempDir& dir) {
    std::vector<std::int32_t> samples;
    for (int i = 0; i < 128; ++i) samples.insert(samples.end(), {i << 24, -(i << 24)});
    WriteBytes(dir / "RAMP.WAV", BuildWav({.channels = 2, .bits = 16}, IntSampleBytes(16, samples)));
    return (dir / "RAMP.WAV").string();
}

TEST(AudioCliTest, PeaksAsTextAndJson) {
    TempDir dir;
    const std::string file = RampWav(dir);
    const ProcessResult text = Cli({"peaks", file, "--width", "2"});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    // Two columns of 64 frames = one base block each.
    EXPECT_TRUE(Has(text.out, ": 128 Frames, 2 Kanäle, 48000 Hz\n"));
    EXPECT_TRUE(Has(text.out, "\n0 0.000000 0.492188 -0.492188 0.000000\n1 0.500000 0.992188 -0.992188 -0.500000\n"));

    const ProcessResult json = Cli({"peaks", file, "--width", "2", "--json"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const auto doc = nlohmann::json::parse(json.out);
    EXPECT_EQ(doc["frames"], 128);
    EXPECT_EQ(doc["channels"], 2);
    EXPECT_EQ(doc["width"], 2);
    EXPECT_EQ(doc["truncated"], false);
    ASSERT_EQ(doc["peaks"].size(), 2u);
    EXPECT_EQ(doc["peaks"][0][1][1].get<double>(), 127.0 / 128);
    EXPECT_EQ(doc["peaks"][1][1][0].get<double>(), -127.0 / 128);
}

TEST(AudioCliTest, PeaksOfBadFiles) {
    TempDir dir;
    WriteBytes(dir / "CUT.WAV", BuildWav({.declaredDataSize = 1000}, IntSampleBytes(16, {0x40000000})));
    const ProcessResult cut = Cli({"peaks", (dir / "CUT.WAV").string(), "--width", "1"});
    ASSERT_EQ(cut.exitCode, 0) << cut.err;
    EXPECT_TRUE(Has(cut.out, "(Daten-Block abgeschnitten: 2 von 1000 Bytes)"));
    EXPECT_TRUE(Has(cut.out, "\n0 0.500000 0.500000\n"));

    WriteBytes(dir / "BAD.WAV", Bytes(64, 0));
    EXPECT_TRUE(Fails(Cli({"peaks", (dir / "BAD.WAV").string()}), "BAD.WAV: keine WAV-Datei"));
    EXPECT_TRUE(Fails(Cli({"peaks", (dir / "NONE.WAV").string()}), "NONE.WAV: nicht lesbar"));
    const ProcessResult zero = Cli({"peaks", (dir / "CUT.WAV").string(), "--width", "0"});
    EXPECT_NE(zero.exitCode, 0);
    const ProcessResult json = Cli({"peaks", (dir / "BAD.WAV").string(), "--json"});
    EXPECT_EQ(json.exitCode, 1);
    EXPECT_TRUE(Has(json.err, "\"error\""));
}

}  // namespace
}  // namespace spurwerk::testing
