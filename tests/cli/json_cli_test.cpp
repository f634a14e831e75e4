// --json parses back as one document, and set --from-json takes it.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_test.h"

namespace spurwerk::testing {
namespace {

using Json = nlohmann::json;

Json Parsed(const ProcessResult& r) {
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return Json::parse(r.out);  // throws (and fails the test) on anything but one JSON document
}

class JsonCli : public CliOnCard {};

TEST_F(JsonCli, ReportingCommandsPrintOneDocumentInUnitsAndChangingOnesTheFilesTheyMade) {
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
    // Changing commands report the files they made.
    const std::vector<std::string> copy = {"copy", Path("PROJ001"), Path("PROJ009"), "--yes", "--json"};
    Json report = Parsed(Cli(copy));
    EXPECT_EQ(report["created"].size(), 7u) << report.dump();
    EXPECT_TRUE(report["changed"].empty());
    EXPECT_TRUE(Parsed(Cli(copy))["created"].empty());
}

TEST_F(JsonCli, OutOfRangeBytesSurviveTheRoundTripAndTheRecordingGroupHolds) {
    std::string file = Project("PROJ001");
    Bytes bytes = ReadBytes(file);
    bytes[96 + 4 * 2] = 200;  // fader of track 3
    WriteBytes(file, bytes);
    Json tracks = Parsed(Cli({"tracks", file, "--json"}));
    EXPECT_EQ(tracks["tracks"][2]["fader"], 127);
    EXPECT_EQ(tracks["tracks"][2]["raw"], (Json{{"fader", 200}}));
    ASSERT_EQ(CliWithInput({"set", file, "--from-json", "-"}, tracks.dump()).exitCode, 0);
    EXPECT_EQ(ReadBytes(file), bytes);
    // Arming track 13 turns track 5 of its recording group to play.
    ASSERT_EQ(CliWithInput({"set", file, "--from-json", "-"}, R"({"track":13,"status":"record"})").exitCode, 0);
    EXPECT_EQ(Cli({"tracks", file, "--compact", "--groups", "Status"}).out, "Status=+++++-------R---\n");
}

TEST_F(JsonCli, FromJsonCarriesTheMixAndRefusesBadInputWholly) {
#ifdef _WIN32
    GTEST_SKIP() << "under Wine the JSON handed to the child arrives empty; the round trip is tested on Linux";
#endif
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

    Bytes before = ReadBytes(target);
    const std::pair<const char*, const char*> bad[] = {
        {R"({"track":3,"fader":)", "kein gültiges JSON"},
        {R"([{"track":3,"fader":90},{"track":4,"fader":128}])", "0 bis 127"},
        {R"({"track":17,"fader":90})", "Spurnummer"},
        {R"({"track":2,"pan":"L20"})", "eine Zahl"},
        {R"({"track":2,"eqMidQuality":0.55})", "Güte"},
        {R"({"track":2,"volume":3})", "unbekannter Parameter"},
    };
    for (const auto& [input, error] : bad) {
        auto r = CliWithInput({"set", target, "--from-json", "-", "--json"}, input);
        EXPECT_EQ(r.exitCode, 1) << input;
        EXPECT_TRUE(Has(Json::parse(r.err)["error"].get<std::string>(), error));
        EXPECT_EQ(Json::parse(r.err)["file"], target);
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(ReadBytes(target), before);

    // A project-name info file stands for its project: the change goes into
    // the project, the info file keeps its (empty) content.
    WriteText(card / "PROJ002" / "PRJDATA___SONG_NAME.TXT", "");
    ASSERT_EQ(CliWithInput({"set", Path("PROJ002/PRJDATA___SONG_NAME.TXT"), "--from-json", "-"},
                           R"({"track":5,"fader":11})")
                  .exitCode,
              0);
    EXPECT_TRUE(ReadBytes(card / "PROJ002" / "PRJDATA___SONG_NAME.TXT").empty());
    EXPECT_EQ(Parsed(Cli({"tracks", target, "--json", "--groups", "Fader"}))["tracks"][4]["fader"], 11);
}

}  // namespace
}  // namespace spurwerk::testing
