// Input made to break `set --from-json`, WAV names made to escape the AUDIO
// folder, and paths whose bytes are no UTF-8 passed from one command's JSON to
// the next.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_test.h"

namespace spurwerk::testing {
namespace {

using Json = nlohmann::json;

class HostileInputCli : public CliOnCard {};

TEST_F(HostileInputCli, FromJsonRefusesWhatNoTrackDocumentIsAndChangesNothing) {
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
        {R"({"track":4294967298,"fader":90})", "Spurnummer von 1 bis 16"},
        {R"({"track":18446744073709551617,"fader":90})", "Spurnummer von 1 bis 16"},
        {R"({"track":-4294967295,"fader":90})", "Spurnummer von 1 bis 16"},
        {R"({"track":0,"fader":90})", "Spurnummer von 1 bis 16"},
        {R"({"track":1,"track":2,"fader":90})", "\"track\" steht zweimal"},
        {R"([{"track":1,"fader":90,"fader":91}])", "\"fader\" steht zweimal"},
        {R"({"track":1,"fader":127,"raw":{"volume":3}})", "unbekannten Parameter \"volume\""},
        {R"({"track":1,"fader":127,"raw":"x"})", "muss ein Objekt"},
        {R"({"track":1,"fader":127,"raw":{"fader":300}})", "0..255"},
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
}

TEST_F(HostileInputCli, StandardInputHasTheSameSizeLimitAsAFile) {
    const std::string file = Project("PROJ001");
    const Bytes before = ReadBytes(file);
    // Blanks are valid JSON around a value: only the size can refuse it.
    std::string big = "{\"track\":1,\"fader\":3}" + std::string(64u << 20, ' ');
    WriteText(card / "big.json", big);
    EXPECT_TRUE(Fails(Cli({"set", file, "--from-json", Path("big.json")}), "big.json"));
#ifdef _WIN32
    // These tests hand the CLI a file for "-" there (see cli_test.h).
    const char* refusal = "die Datei ist zu groß";
#else
    const char* refusal = "größer als 64 MiB";
#endif
    EXPECT_TRUE(Fails(CliWithInput({"set", file, "--from-json", "-"}, big), refusal));
    EXPECT_EQ(ReadBytes(file), before);
    big.resize(1000);  // well under the limit it is taken
    EXPECT_EQ(CliWithInput({"set", file, "--from-json", "-"}, big).exitCode, 0);
    EXPECT_NE(ReadBytes(file), before);
}

TEST_F(HostileInputCli, AWavNameNeverBecomesAPath) {
    const std::string file = Project("PROJ001");
    const std::pair<const char*, const char*> cases[] = {
        {"FileAss=../X.WAV", "___X.WAV"}, {"FileAss=A.B.WAV", "A_B.WAV"}, {"FileAss=..\\X", "___X.WAV"}};
    for (const auto& [assignment, stored] : cases) {
        ASSERT_EQ(Cli({"set", file, "--track", "3", assignment}).exitCode, 0) << assignment;
        EXPECT_EQ(Json::parse(Cli({"tracks", file, "--json"}).out)["tracks"][2]["wav"], stored) << assignment;
    }
}

TEST_F(HostileInputCli, APathWhoseBytesAreNoUtf8ComesBackFromTheJson) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows keeps every name as UTF-16, so a path is always UTF-8 here; tested on Linux";
#else
    const std::string folder = "PROJ\xE9";  // a Windows-1252 name as a card may carry it
    std::filesystem::copy(card / "PROJ001", card / folder, std::filesystem::copy_options::recursive);
    const std::string file = Path(folder + "/PRJDATA.ZDT");
    Json tracks = Json::parse(Cli({"tracks", file, "--json"}).out);
    const std::string shown = tracks["file"];
    EXPECT_TRUE(Has(shown, "PROJ\\xE9/PRJDATA.ZDT"));
    // The shown path names the file for the next command.
    ProcessResult info = Cli({"info", shown, "--json"});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_EQ(Json::parse(info.out)["file"], shown);
    ASSERT_EQ(Cli({"set", shown, "--track", "2", "Fader=77"}).exitCode, 0);
    EXPECT_EQ(Json::parse(Cli({"tracks", file, "--json"}).out)["tracks"][1]["fader"], 77);
    Json search = Json::parse(Cli({"search", Root(), "--json"}).out);
    bool listed = false;
    for (const Json& entry : search["entries"]) listed = listed || entry["path"] == shown;
    EXPECT_TRUE(listed) << search.dump();
#endif
}

}  // namespace
}  // namespace spurwerk::testing
