// WAV files the recorder refuses, as `files` and `wav` mark them (the rules are
// core's); peaks; import and export as a user runs them, measured by sox as an
// outside oracle on inputs that sox and ffmpeg make.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <regex>

#include "cli_test.h"
#include "test_bytes.h"
#include "test_wavs.h"

namespace spurwerk::testing {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

class AudioCli : public CliOnCard {};

TEST_F(AudioCli, DemoCardAndTemplatesCarryNoMarks) {
    for (const char* project : {"PROJ001", "PROJ002", "PROJ003"}) {
        Json files = Parsed(Cli({"files", Project(project), "--json"}));
        ASSERT_FALSE(files["wavs"].empty()) << project;
        for (const Json& wav : files["wavs"]) EXPECT_TRUE(wav["recorderPlays"].get<bool>()) << wav.dump();
    }
    // Templates are copied under a recorder name; their format must pass.
    for (const char* name : {"MONO16b", "MONO24b", "STEREO16b", "STEREO24b"}) {
        const fs::path copy = card / (std::string("T") + name).substr(0, 8).append(".WAV");
        fs::copy_file(fs::path(SPURWERK_BIN_DIR) / (std::string("WAV_Vorlage_1sec44k") + name + ".WAV"), copy);
        Json wav = Parsed(Cli({"wav", copy.string(), "--json"}))["files"][0];
        EXPECT_TRUE(wav["recorderPlays"].get<bool>()) << wav.dump();
        EXPECT_TRUE(wav["refusals"].empty());
    }
}

TEST_F(AudioCli, FilesAndWavMarkEachRefusedFileWithItsReasons) {
    const fs::path audio = card / "PROJ001" / "AUDIO";
    WriteSineWav(audio / "SURROUND.WAV", {.channels = 6, .rate = 44100}, 0.1, 0.5, 1000);
    WriteSineWav(audio / fs::path(u8"Gesang-Übung.WAV"), {.rate = 44100}, 0.1, 0.5, 1000);
    struct Expected {
        const char* name;
        std::vector<std::string> rules;
        const char* germanMark;
    };
    const std::vector<Expected> expected = {
        {"Gesang-Übung.WAV", {"nameLength", "nameCharacters"}, "  * Name länger als 8 Zeichen; Name mit anderen"},
        {"SURROUND.WAV", {"channels"}, "  * mehr als zwei Kanäle"},
        {"TRACK01.WAV", {}, nullptr},
    };
    const std::string text = Out({"files", Project("PROJ001")});
    Json files = Parsed(Cli({"files", Project("PROJ001"), "--json"}));
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        const std::size_t line = text.find(std::string("\n") + e.name);
        ASSERT_NE(line, std::string::npos) << text;
        const std::string lineText = text.substr(line + 1, text.find('\n', line + 1) - line - 1);
        if (e.germanMark) EXPECT_TRUE(Has(lineText, e.germanMark));
        else EXPECT_EQ(lineText.find(" * "), std::string::npos) << lineText;
        int listed = 0;
        for (const Json& wav : files["wavs"]) {
            if (wav["name"] != e.name) continue;
            ++listed;
            std::vector<std::string> rules;
            for (const Json& r : wav["refusals"]) rules.push_back(r["rule"]);
            EXPECT_EQ(rules, e.rules);
            EXPECT_EQ(wav["recorderPlays"].get<bool>(), e.rules.empty());
        }
        EXPECT_EQ(listed, 1);
    }
    auto wav = Cli({"wav", (audio / "SURROUND.WAV").string(), (audio / "TRACK01.WAV").string()});
    EXPECT_TRUE(Has(wav.out, "SURROUND.WAV [t="));
    EXPECT_TRUE(Has(wav.out, "  * mehr als zwei Kanäle\n"));
    EXPECT_EQ(wav.out.find(" * ", wav.out.find("TRACK01")), std::string::npos);
}

// Overview numbers of a WAV file as text and JSON (the numbers are core's).
TEST_F(AudioCli, PeaksAsTextAndJsonAndOfBadFiles) {
    // 128 frames of stereo: left a rising ramp, right its negative.
    std::vector<std::int32_t> samples;
    for (int i = 0; i < 128; ++i) samples.insert(samples.end(), {i << 24, -(i << 24)});
    WriteBytes(card / "RAMP.WAV", BuildWav({.channels = 2, .bits = 16}, IntSampleBytes(16, samples)));
    const std::string text = Out({"peaks", Path("RAMP.WAV"), "--width", "2"});
    // Two columns of 64 frames = one base block each.
    EXPECT_TRUE(Has(text, ": 128 Frames, 2 Kanäle, 48000 Hz\n"));
    EXPECT_TRUE(Has(text, "\n0 0.000000 0.492188 -0.492188 0.000000\n1 0.500000 0.992188 -0.992188 -0.500000\n"));
    const Json json = Parsed(Cli({"peaks", Path("RAMP.WAV"), "--width", "2", "--json"}));
    EXPECT_EQ(json["frames"], 128);
    EXPECT_EQ(json["truncated"], false);
    ASSERT_EQ(json["peaks"].size(), 2u);
    EXPECT_EQ(json["peaks"][1][1][0].get<double>(), -127.0 / 128);

    WriteBytes(card / "CUT.WAV", BuildWav({.declaredDataSize = 1000}, IntSampleBytes(16, {0x40000000})));
    const std::string cut = Out({"peaks", Path("CUT.WAV"), "--width", "1"});
    EXPECT_TRUE(Has(cut, "(Daten-Block abgeschnitten: 2 von 1000 Bytes)"));
    EXPECT_NE(Cli({"peaks", Path("CUT.WAV"), "--width", "0"}).exitCode, 0);
    EXPECT_TRUE(Fails(Cli({"peaks", Path("NONE.WAV")}), "NONE.WAV: nicht lesbar"));
    WriteBytes(card / "BAD.WAV", Bytes(64, 0));
    EXPECT_TRUE(Fails(Cli({"peaks", Path("BAD.WAV"), "--json"}), "\"error\""));
}

#ifndef _WIN32
bool Installed(const std::string& program) {
    if (fs::exists("/usr/bin/" + program)) return true;
    ADD_FAILURE() << "/usr/bin/" << program << " is not installed: the set-up of test.sh installs it";
    return false;
}

ProcessResult Tool(const std::string& program, const std::vector<std::string>& arguments) {
    ProcessResult r = RunProcess("/usr/bin/" + program, arguments);
    EXPECT_EQ(r.exitCode, 0) << program << ": " << r.err;
    return r;
}

// sox's "stat" over the steady middle (the first and last half second left
// out, where encoders and filters ramp): RMS amplitude and rough frequency.
struct Measure {
    double rms = 0;
    double hz = 0;
};
Measure Stat(const fs::path& file) {
    ProcessResult r = RunProcess("/usr/bin/sox", {file.string(), "-n", "trim", "0.5", "1", "stat"});
    Measure m;
    std::smatch match;
    if (std::regex_search(r.err, match, std::regex("RMS +amplitude: +([0-9.]+)"))) m.rms = std::stod(match[1]);
    if (std::regex_search(r.err, match, std::regex("Rough +frequency: +([0-9.]+)"))) m.hz = std::stod(match[1]);
    return m;
}

std::uint64_t Frames(const fs::path& file) {
    ProcessResult r = RunProcess("/usr/bin/soxi", {"-s", file.string()});
    return r.exitCode == 0 ? std::stoull(r.out) : 0;
}

std::vector<std::string> Listing(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool ConversionBuilt() { return Cli({"import", "--help"}).out.find("not available") == std::string::npos; }

TEST_F(AudioCli, ImportKeepsFrequencyLevelAndLengthAsSoxMeasuresThem) {
    if (!ConversionBuilt()) GTEST_SKIP() << "built without libsndfile and libsoxr";
    if (!Installed("sox") || !Installed("ffmpeg") || !Installed("soxi")) return;
    // A 1 kHz sine at -6 dBFS, 48 kHz 32-bit float, two seconds.
    const fs::path source = card / "sine.wav";
    Tool("sox", {"-n", "-r", "48000", "-b", "32", "-e", "floating-point", "-c", "1", source.string(), "synth", "2",
                "sine", "1000", "vol", "0.5"});
    struct Input {
        const char* name;
        std::string program;
        std::vector<std::string> arguments;  // source and output are given
        bool lossy;
    };
    const std::vector<Input> inputs = {
        {"sine.wav", "", {}, false},
        {"sine.flac", "sox", {"-b", "24"}, false},
        {"sine.mp3", "ffmpeg", {"-c:a", "libmp3lame", "-b:a", "192k"}, true},
        {"sine.ogg", "ffmpeg", {"-c:a", "libvorbis", "-q:a", "6"}, true},
    };
    const double sourceRms = 0.5 / std::sqrt(2.0);
    const auto expectedFrames = static_cast<std::uint64_t>(std::llround(96000 * 44100.0 / 48000));
    // Tracks 3+4 of this project are a linked pair: a mono file goes elsewhere.
    const std::vector<int> tracks = {1, 2, 5, 6};
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const Input& input = inputs[i];
        SCOPED_TRACE(input.name);
        const fs::path file = card / input.name;
        if (input.program == "sox") {
            std::vector<std::string> args = {source.string()};
            args.insert(args.end(), input.arguments.begin(), input.arguments.end());
            args.push_back(file.string());
            Tool("sox", args);
        } else if (input.program == "ffmpeg") {
            std::vector<std::string> args = {"-hide_banner", "-loglevel", "error", "-y", "-i", source.string()};
            args.insert(args.end(), input.arguments.begin(), input.arguments.end());
            args.push_back(file.string());
            Tool("ffmpeg", args);
        }
        // A lossy file is measured against what another decoder makes of it.
        double referenceRms = sourceRms;
        if (input.lossy) {
            const fs::path decoded = card / "decoded.wav";
            Tool("ffmpeg", {"-hide_banner", "-loglevel", "error", "-y", "-i", file.string(), "-c:a", "pcm_f32le",
                           decoded.string()});
            referenceRms = Stat(decoded).rms;
        }
        const std::string r = Out({"import", file.string(), Project("PROJ002"), "--track", std::to_string(tracks[i]), "--json"});
        Json imported = Json::parse(r)["imported"];
        const fs::path out = card / "PROJ002" / "AUDIO" / imported["wav"].get<std::string>();
        auto wav = Parsed(Cli({"wav", out.string(), "--json"}))["files"][0];
        EXPECT_EQ(wav["sampleRate"], 44100);
        EXPECT_EQ(wav["bitsPerSample"], imported["bitsPerSample"]);
        EXPECT_TRUE(wav["recorderPlays"].get<bool>());
        const Measure m = Stat(out);
        EXPECT_NEAR(m.hz, 1000, 1);
        EXPECT_NEAR(20 * std::log10(m.rms / referenceRms), 0, 0.1) << m.rms << " against " << referenceRms;
        EXPECT_EQ(Frames(out), expectedFrames);
        EXPECT_EQ(imported["frames"], expectedFrames);
    }
    // The tracks name the files, as the window would show them.
    auto summary = Cli({"tracks", Project("PROJ002"), "--groups", "FileAss", "--summary"});
    EXPECT_TRUE(Has(summary.out, "FileAss=SINE.WAV~~~~,SINE_2.WAV~~,PIANO.WAV~~~,~~~~~~~~~~~~, SINE_3.WAV~~,SINE_4.WAV~~"));
}

TEST_F(AudioCli, StereoGoesToThePairOrIsMixedAsTheUserChooses) {
    if (!ConversionBuilt()) GTEST_SKIP() << "built without libsndfile and libsoxr";
    if (!Installed("sox")) return;
    const fs::path stereo = card / "Backing Track (final).wav";
    Tool("sox", {"-n", "-r", "44100", "-b", "16", "-c", "2", stereo.string(), "synth", "0.5", "sine", "440", "vol", "0.5"});
    const std::string project = Project("PROJ001");
    const Bytes before = ReadBytes(project);
    auto ask = Cli({"import", stereo.string(), project, "--track", "6"});
    EXPECT_TRUE(Fails(ask, "--stereo pair"));
    EXPECT_TRUE(Has(ask.err, "Spuren 5+6"));
    EXPECT_EQ(ReadBytes(project), before);

    const std::string pair = Out({"import", stereo.string(), project, "--track", "6", "--stereo", "pair", "--json"});
    Json json = Json::parse(pair);
    EXPECT_EQ(json["imported"]["track"], 5);
    EXPECT_EQ(json["imported"]["wav"], "BACKING.WAV");
    Json track5 = Parsed(Cli({"tracks", project, "--json"}))["tracks"][4];
    EXPECT_EQ(track5["wav"], "BACKING.WAV");
    EXPECT_EQ(track5["stereo"], true);

    Out({"import", stereo.string(), project, "--track", "7", "--stereo", "mono", "--name", "bass"});
    EXPECT_EQ(Parsed(Cli({"wav", Path("PROJ001/AUDIO/BASS.WAV"), "--json"}))["files"][0]["channels"], 1);
    EXPECT_EQ(Parsed(Cli({"tracks", project, "--json"}))["tracks"][6]["wav"], "BASS.WAV");
}

// Each refusal: a clear message, the project's bytes and its AUDIO folder as they were.
TEST_F(AudioCli, FaultsLeaveTheProjectUnchanged) {
    if (!ConversionBuilt()) GTEST_SKIP() << "built without libsndfile and libsoxr";
    if (!Installed("sox")) return;
    Tool("sox", {"-n", "-r", "48000", "-b", "16", "-c", "1", (card / "mono.wav").string(), "synth", "0.2", "sine", "440"});
    WriteText(card / "broken.mp3", std::string("ID3\x03\0\0\0\0\0\0", 10) + std::string(4000, '\x17'));
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        const char* message;
    };
    // The conversion's faults are core's: one of them, and the command's own.
    const std::string project = Project("PROJ001");
    const std::vector<Case> cases = {
        {"corrupt MP3", {"import", (card / "broken.mp3").string(), project, "--track", "5"}, "kann nicht als Audio gelesen werden"},
        {"name taken", {"import", (card / "mono.wav").string(), project, "--track", "5", "--name", "track01"}, "\"track01\" ist vergeben"},
        {"second track of a pair", {"import", (card / "mono.wav").string(), project, "--track", "4"}, "Stereo-Paares"},
    };
    const Bytes before = ReadBytes(project);
    const std::vector<std::string> audio = Listing(card / "PROJ001" / "AUDIO");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto r = Cli(c.arguments);
        EXPECT_TRUE(Fails(r, c.message));
        EXPECT_EQ(ReadBytes(project), before);
        EXPECT_EQ(Listing(card / "PROJ001" / "AUDIO"), audio);
    }
}

TEST_F(AudioCli, ExportWritesEachAssignedTrackForADaw) {
    if (!ConversionBuilt()) GTEST_SKIP() << "built without libsndfile and libsoxr";
    if (!Installed("soxi")) return;
    const fs::path stems = card / "stems";
    const std::string r = Out({"export", Project("PROJ001"), "--to", stems.string(), "--format", "wav16", "--tracks", "1,2-3"});
    EXPECT_EQ(Listing(stems), (std::vector<std::string>{"SONG1_T01_TRACK01.wav", "SONG1_T02_TRACK02.wav",
                                                        "SONG1_T03-04_TRACK03.wav"}));
    // Starting together at the song's start: as long as the file on the card.
    EXPECT_EQ(Frames(stems / "SONG1_T02_TRACK02.wav"), Frames(card / "PROJ001" / "AUDIO" / "TRACK02.WAV"));
    EXPECT_TRUE(Fails(Cli({"export", Project("PROJ001"), "--to", stems.string(), "--format", "wav16"}), "--overwrite"));
    EXPECT_EQ(Listing(stems).size(), 3u);  // nothing written by the refused run
    EXPECT_TRUE(Fails(Cli({"export", Project("PROJ001"), "--to", stems.string(), "--tracks", "3-1"}), "3-1"));
}
#endif

}  // namespace
}  // namespace spurwerk::testing
