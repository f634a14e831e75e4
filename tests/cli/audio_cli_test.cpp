// WAV files the recorder refuses, as `files` and `wav` mark them.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_test.h"
#include "test_wavs.h"

namespace spurwerk::testing {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

Json Parsed(const ProcessResult& r) {
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return Json::parse(r.out);
}

class AudioCli : public CliOnCard {};

TEST_F(AudioCli, DemoCardAndTemplatesCarryNoMarks) {
    for (const char* project : {"PROJ001", "PROJ002", "PROJ003"}) {
        SCOPED_TRACE(project);
        auto text = Cli({"files", Project(project)});
        EXPECT_EQ(text.exitCode, 0) << text.err;
        EXPECT_EQ(text.out.find(" * "), std::string::npos) << text.out;
        Json files = Parsed(Cli({"files", Project(project), "--json"}));
        ASSERT_FALSE(files["wavs"].empty());
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

TEST_F(AudioCli, FilesMarkEachRefusedFileWithItsReasons) {
    const fs::path audio = card / "PROJ001" / "AUDIO";
    WriteSineWav(audio / "BACK48K.WAV", {.channels = 2}, 0.1, 0.5, 1000);
    WriteSineWav(audio / "SURROUND.WAV", {.channels = 6, .rate = 44100}, 0.1, 0.5, 1000);
    WriteSineWav(audio / "Gesang-Übung.WAV", {.rate = 44100}, 0.1, 0.5, 1000);
    WriteBytes(audio / "FLOAT.WAV", BuildWav({.rate = 44100, .bits = 32, .isFloat = true}, Bytes(40, 0)));
    struct Expected {
        const char* name;
        std::vector<std::string> rules;
        const char* germanMark;
    };
    const std::vector<Expected> expected = {
        {"BACK48K.WAV", {"sampleRate"}, "  * nicht 44,1 kHz"},
        {"FLOAT.WAV", {"notPcm"}, "  * kein PCM"},
        {"Gesang-Übung.WAV", {"nameLength", "nameCharacters"}, "  * Name länger als 8 Zeichen; Name mit anderen"},
        {"SURROUND.WAV", {"channels"}, "  * mehr als zwei Kanäle"},
        {"TRACK01.WAV", {}, nullptr},
    };
    auto text = Cli({"files", Project("PROJ001")});
    Json files = Parsed(Cli({"files", Project("PROJ001"), "--json"}));
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        const std::size_t line = text.out.find(std::string("\n") + e.name);
        ASSERT_NE(line, std::string::npos) << text.out;
        const std::string lineText = text.out.substr(line + 1, text.out.find('\n', line + 1) - line - 1);
        if (e.germanMark) EXPECT_TRUE(Has(lineText, e.germanMark));
        else EXPECT_EQ(lineText.find(" * "), std::string::npos) << lineText;
        bool listed = false;
        for (const Json& wav : files["wavs"]) {
            if (wav["name"] != e.name) continue;
            listed = true;
            std::vector<std::string> rules;
            for (const Json& r : wav["refusals"]) rules.push_back(r["rule"]);
            EXPECT_EQ(rules, e.rules);
            EXPECT_EQ(wav["recorderPlays"].get<bool>(), e.rules.empty());
        }
        EXPECT_TRUE(listed);
    }
    auto wav = Cli({"wav", (audio / "BACK48K.WAV").string(), (audio / "TRACK01.WAV").string()});
    EXPECT_TRUE(Has(wav.out, "BACK48K.WAV [t="));
    EXPECT_TRUE(Has(wav.out, "  * nicht 44,1 kHz\n"));
    EXPECT_EQ(wav.out.find(" * ", wav.out.find("TRACK01")), std::string::npos);
}

}  // namespace
}  // namespace spurwerk::testing
