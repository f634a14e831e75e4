// --json prints one document that set --from-json takes back; input made to
// break --from-json is refused whole with a short message, and a path whose
// bytes are no UTF-8 passes from one command's JSON to the next.

#include <gtest/gtest.h>

#include <optional>

#include "cli_test.h"
#include "project/track_layout.h"

namespace spurwerk::testing {
namespace {

using Json = nlohmann::json;

class JsonCli : public CliOnCard {};

// Under Wine the JSON handed to the child arrives empty: these run on Linux.
#ifdef _WIN32
#define SKIP_ON_WINE() GTEST_SKIP() << "tested on Linux"
#else
#define SKIP_ON_WINE() (void)0
#endif

TEST_F(JsonCli, ReportingCommandsPrintOneDocumentAndChangingOnesTheFilesTheyMade) {
    std::string file = Project("PROJ001");
    const Json first = Parsed(Cli({"tracks", file, "--json"}))["tracks"][0];
    EXPECT_EQ(first["pan"], -20);
    EXPECT_EQ(first["wav"], "TRACK01.WAV");
    EXPECT_FALSE(first.contains("raw"));
    Json info = Parsed(Cli({"info", file, "--json"}));
    EXPECT_EQ(info["project"], "SONG1");
    EXPECT_EQ(info["marks"].back(), (Json{{"ms", 4500}, {"recordingEnd", true}}));
    EXPECT_EQ(Parsed(Cli({"files", Project("PROJ002"), "--json"}))["wavs"][0]["durationMs"], 5000);
    using Args = std::vector<std::string>;
    for (Args command : {Args{"hex", file}, {"diff", file, Project("PROJ002")}, {"marks", file},
                         {"search", Root()}, {"wav", Path("PROJ001/AUDIO/TRACK01.WAV")}}) {
        command.push_back("--json");
        EXPECT_NO_THROW(Parsed(Cli(command))) << command[0];
    }
    const std::vector<std::string> copy = {"copy", Path("PROJ001"), Path("PROJ009"), "--yes", "--json"};
    Json report = Parsed(Cli(copy));
    EXPECT_EQ(report["created"].size(), 7u) << report.dump();
    EXPECT_TRUE(report["changed"].empty());
    EXPECT_TRUE(Parsed(Cli(copy))["created"].empty());
}

// A mix carried over by its JSON; bytes out of range come back as they were.
TEST_F(JsonCli, FromJsonCarriesTheMixAndTheRawBytes) {
    SKIP_ON_WINE();
    std::string source = Project("PROJ001"), target = Project("PROJ002");
    Bytes original = ReadBytes(source);
    ASSERT_EQ(Cli({"set", source, "--track", "3", "Fader=20", "Pan=R40", "EQxM[v]=X", "Status=R"}).exitCode, 0);
    ASSERT_EQ(Cli({"set", source, "--all", "Reverb=55", "Chorus=X"}).exitCode, 0);
    std::string demoJson = Cli({"tracks", (DemoCard / "PROJ001" / "PRJDATA.ZDT").string(), "--json"}).out;
    Json report = Parsed(CliWithInput({"set", source, "--from-json", "-", "--json"}, demoJson));
    EXPECT_EQ(report["written"].size(), 1u);
    EXPECT_EQ(ReadBytes(source), original);
    ASSERT_EQ(CliWithInput({"set", target, "--from-json", "-"}, demoJson).exitCode, 0);
    EXPECT_EQ(Cli({"tracks", target, "--compact"}).out, Cli({"tracks", source, "--compact"}).out);

    Bytes bytes = ReadBytes(source);
    bytes[96 + 4 * 2] = 200;  // fader of track 3
    WriteBytes(source, bytes);
    Json tracks = Parsed(Cli({"tracks", source, "--json"}));
    EXPECT_EQ(tracks["tracks"][2]["fader"], 127);
    EXPECT_EQ(tracks["tracks"][2]["raw"], (Json{{"fader", 200}}));
    ASSERT_EQ(CliWithInput({"set", source, "--from-json", "-"}, tracks.dump()).exitCode, 0);
    EXPECT_EQ(ReadBytes(source), bytes);

    // With --json a refusal is a document naming the file; nothing is printed or written.
    const Bytes before = ReadBytes(target);
    auto r = CliWithInput({"set", target, "--from-json", "-", "--json"}, R"([{"track":3,"fader":90},{"track":4,"fader":128}])");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Has(Json::parse(r.err)["error"].get<std::string>(), "0 bis 127"));
    EXPECT_EQ(Json::parse(r.err)["file"], target);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(ReadBytes(target), before);

    // A project-name info file stands for its project: the change goes into
    // the project, the info file keeps its (empty) content.
    WriteText(card / "PROJ002" / "PRJDATA___SONG_NAME.TXT", "");
    ASSERT_EQ(CliWithInput({"set", Path("PROJ002/PRJDATA___SONG_NAME.TXT"), "--from-json", "-"}, R"({"track":5,"fader":11})")
                  .exitCode, 0);
    EXPECT_TRUE(ReadBytes(card / "PROJ002" / "PRJDATA___SONG_NAME.TXT").empty());
    EXPECT_EQ(Parsed(Cli({"tracks", target, "--json", "--groups", "Fader"}))["tracks"][4]["fader"], 11);
}

// A list is taken or refused as a whole, in its order; a pair the input links
// itself is carried whole; values a locked track already holds are no edit of it.
TEST_F(JsonCli, FromJsonRefusesALockedWriteWhollyAndTakesAProjectsOwnValuesBack) {
    SKIP_ON_WINE();
    std::string file = Project("PROJ001");
    ASSERT_EQ(Cli({"set", file, "--track", "1", "Stereo=X"}).exitCode, 0);
    Bytes linked = ReadBytes(file);
    EXPECT_TRUE(Fails(CliWithInput({"set", file, "--from-json", "-"}, R"([{"track":3,"fader":50},{"track":2,"pan":-20}])"),
                      "Spur 2 ist die zweite Spur eines Stereo-Paares (Spuren 1+2)"));
    EXPECT_EQ(ReadBytes(file), linked);
    ASSERT_EQ(CliWithInput({"set", file, "--from-json", "-"}, Cli({"tracks", file, "--json"}).out).exitCode, 0);
    EXPECT_EQ(ReadBytes(file), linked);
    // Unlinking earlier in the input frees the track; linking in it does not lock what it carries.
    for (const auto& [stereo, fader] : {std::pair{"false", 40}, std::pair{"true", 50}}) {
        const std::string input = std::string(R"([{"track":1,"stereo":)") + stereo + R"(},{"track":2,"fader":)" +
                                  std::to_string(fader) + "}]";
        ASSERT_EQ(CliWithInput({"set", file, "--from-json", "-"}, input).exitCode, 0) << input;
        EXPECT_EQ(ReadBytes(file)[layout::FaderBase + 4], fader);
    }
}

TEST_F(JsonCli, FromJsonTakesTheMidQualityFromOneTenthToOne) {
    SKIP_ON_WINE();
    std::string file = Project("PROJ001");
    const struct {
        const char* quality;
        std::optional<int> raw;  // nullopt: refused
    } cases[] = {
        {"0.1", 0}, {"1.0", 9}, {"1", 9}, {"0.30000000000000004", 2},
        {"0.0", std::nullopt}, {"1.1", std::nullopt}, {"0.55", std::nullopt}, {"-0.1", std::nullopt},
    };
    const std::size_t quality6 = layout::BandBlock(5, 1) + layout::BandQualityOffset;
    for (const auto& c : cases) {
        Bytes before = ReadBytes(file);
        auto r = CliWithInput({"set", file, "--from-json", "-"}, std::string(R"({"track":6,"eqMidQuality":)") + c.quality + "}");
        if (c.raw) {
            EXPECT_EQ(r.exitCode, 0) << c.quality << ": " << r.err;
            EXPECT_EQ(ReadBytes(file)[quality6], *c.raw) << c.quality;
        } else {
            EXPECT_TRUE(Fails(r, "Güte von 0.1 bis 1.0")) << c.quality;
            EXPECT_EQ(ReadBytes(file), before) << c.quality;
        }
    }
}

TEST_F(JsonCli, FromJsonRefusesWhatNoTrackDocumentIsAndChangesNothing) {
    const std::string file = Project("PROJ001");
    const Bytes before = ReadBytes(file);
    const std::string deepArrays = std::string(100000, '[') + std::string(100000, ']');
    std::string deepObjects;
    for (int i = 0; i < 200000; ++i) deepObjects += "{\"a\":";
    deepObjects += "1" + std::string(200000, '}');
    std::string longList = "[1";
    for (int i = 0; i < 500000; ++i) longList += ",1";
    longList += "]";
    const std::pair<std::string, std::string> cases[] = {
        {deepArrays, "tiefer verschachtelt"},
        {deepObjects, "tiefer verschachtelt"},
        {R"({"track":1,"fader":[[[[[[1]]]]]]})", "tiefer verschachtelt"},
        {R"({"track":4294967297,"fader":90})", "Spurnummer von 1 bis 16"},
        {R"({"track":18446744073709551617,"fader":90})", "Spurnummer von 1 bis 16"},
        {R"({"track":-4294967295,"fader":90})", "Spurnummer von 1 bis 16"},
        {R"({"track":0,"fader":90})", "Spurnummer von 1 bis 16"},
        {R"({"track":17,"fader":90})", "Spurnummer von 1 bis 16"},
        {R"({"track":1,"track":2,"fader":90})", "\"track\" steht zweimal"},
        {R"([{"track":1,"fader":90,"fader":91}])", "\"fader\" steht zweimal"},
        {R"({"track":2,"volume":3})", "unbekannter Parameter"},
        {R"({"track":1,"fader":127,"raw":{"volume":3}})", "unbekannten Parameter \"volume\""},
        {R"({"track":1,"fader":127,"raw":"x"})", "muss ein Objekt"},
        {R"({"track":1,"fader":127,"raw":{"fader":-1}})", "0..255"},
        {R"({"track":1,"fader":127,"raw":{"fader":"200"}})", "0..255"},
        {R"({"track":1,"pan":0,"raw":{"fader":200}})", "keinen Wert"},
        {R"({"track":1,"fader":)" + longList + "}", "\"fader\" nimmt eine Zahl"},
        {"[" + longList + "]", "eine Spur muss ein JSON-Objekt sein"},
    };
    for (const auto& [input, error] : cases) {
        SCOPED_TRACE(input.substr(0, 60));
        ProcessResult r = CliWithInput({"set", file, "--from-json", "-"}, input);
        EXPECT_TRUE(Fails(r, error));
        EXPECT_LT(r.err.size(), 400u);  // an excerpt of the value, not the value
    }
    EXPECT_EQ(ReadBytes(file), before);
    // A WAV name is stored as a name, never as a path (the rule is core's).
    ASSERT_EQ(Cli({"set", file, "--track", "3", "FileAss=../X.WAV"}).exitCode, 0);
    EXPECT_EQ(Parsed(Cli({"tracks", file, "--json"}))["tracks"][2]["wav"], "___X.WAV");
}

TEST_F(JsonCli, StandardInputHasTheSameSizeLimitAsAFile) {
    const std::string file = Project("PROJ001");
    const Bytes before = ReadBytes(file);
    // Blanks are valid JSON around a value: only the size can refuse it.
    std::string big = "{\"track\":1,\"fader\":3}" + std::string(64u << 20, ' ');
    WriteText(card / "big.json", big);
    EXPECT_TRUE(Fails(Cli({"set", file, "--from-json", Path("big.json")}), "big.json"));
#ifdef _WIN32
    const char* refusal = "die Datei ist zu groß";  // the input goes through a file there (see cli_test.h)
#else
    const char* refusal = "größer als 64 MiB";
#endif
    EXPECT_TRUE(Fails(CliWithInput({"set", file, "--from-json", "-"}, big), refusal));
    EXPECT_EQ(ReadBytes(file), before);
    big.resize(1000);  // well under the limit it is taken
    EXPECT_EQ(CliWithInput({"set", file, "--from-json", "-"}, big).exitCode, 0);
    EXPECT_NE(ReadBytes(file), before);
}

TEST_F(JsonCli, APathWhoseBytesAreNoUtf8ComesBackFromTheJson) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows keeps every name as UTF-16, so a path is always UTF-8 there";
#endif
    const std::string folder = "PROJ\xE9";  // a Windows-1252 name as a card may carry it
    std::filesystem::copy(card / "PROJ001", card / folder, std::filesystem::copy_options::recursive);
    const std::string file = Path(folder + "/PRJDATA.ZDT");
    const std::string shown = Parsed(Cli({"tracks", file, "--json"}))["file"];
    EXPECT_TRUE(Has(shown, "PROJ\\xE9/PRJDATA.ZDT"));
    // The shown path names the file for the next command.
    EXPECT_EQ(Parsed(Cli({"info", shown, "--json"}))["file"], shown);
    ASSERT_EQ(Cli({"set", shown, "--track", "2", "Fader=77"}).exitCode, 0);
    EXPECT_EQ(Parsed(Cli({"tracks", file, "--json"}))["tracks"][1]["fader"], 77);
    const Json search = Parsed(Cli({"search", Root(), "--json"}));
    bool listed = false;
    for (const Json& entry : search["entries"]) listed = listed || entry["path"] == shown;
    EXPECT_TRUE(listed);
}

}  // namespace
}  // namespace spurwerk::testing
