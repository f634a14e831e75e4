// Commands started at the same moment on one project file: each applies its
// change after the other, none is lost, each exits 0.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_test.h"

namespace spurwerk::testing {
namespace {

using Json = nlohmann::json;

class ConcurrentCli : public CliOnCard {};

TEST_F(ConcurrentCli, ManyWritersOfOneFileLoseNoChange) {
    const std::string file = Project("PROJ001");
    // Unlinked tracks, so that every track takes its own fader.
    Json unlink = Json::array();
    for (int t = 1; t <= 16; ++t) unlink.push_back({{"track", t}, {"stereo", false}});
    WriteText(card / "unlink.json", unlink.dump());
    ASSERT_EQ(Cli({"set", file, "--from-json", Path("unlink.json")}).exitCode, 0);

    constexpr int Rounds = 6;
    for (int round = 1; round <= Rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // Sixteen writers at once, each changing another track: by GROUP=VALUE
        // (through the mixer) and by --from-json in turn.
        std::vector<std::vector<std::string>> commands;
        std::vector<int> faders;
        for (int t = 1; t <= 16; ++t) {
            int fader = (round * 17 + t * 5) % 128;
            faders.push_back(fader);
            if (t % 2) {
                commands.push_back({"set", file, "--track", std::to_string(t), "Fader=" + std::to_string(fader)});
            } else {
                std::string json = "t" + std::to_string(t) + ".json";
                WriteText(card / json, Json{{"track", t}, {"fader", fader}}.dump());
                commands.push_back({"set", file, "--from-json", Path(json)});
            }
        }
        // A marks action on the same file runs among them.
        commands.push_back({"marks", file, "--set-end", "--yes"});
        std::vector<ProcessResult> results = RunConcurrently(SPURWERK_CLI, commands, 60);
        for (std::size_t i = 0; i < results.size(); ++i)
            EXPECT_EQ(results[i].exitCode, 0) << commands[i][2] << " " << results[i].err;
        Json tracks = Json::parse(Cli({"tracks", file, "--json", "--groups", "Fader"}).out)["tracks"];
        for (int t = 1; t <= 16; ++t) EXPECT_EQ(tracks[t - 1]["fader"], faders[t - 1]) << "track " << t;
    }
}

}  // namespace
}  // namespace spurwerk::testing
