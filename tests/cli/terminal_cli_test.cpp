// What a person at a terminal meets: the track table, and the shell completions.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <tuple>

#include "cli_test.h"
#include "io/path_text.h"

namespace spurwerk::testing {
namespace {

namespace fs = std::filesystem;

class TerminalCli : public CliOnCard {};

// A terminal gets the table, a pipe the line; both show a byte the mixer
// clamps with the byte beside it.
TEST_F(TerminalCli, TableOnATerminalSummaryIntoAPipe) {
    const std::string project = Project("PROJ001");
    Bytes bytes = ReadBytes(project);
    bytes[96 + 4 * 2] = 200;  // track 3's fader
    bytes[160] = 150;         // track 1's pan
    WriteBytes(project, bytes);
    const std::vector<std::string> pick{"--groups", "Pan,Fader", "--track-count", "3"};
    const std::string table = "Spur                   1    2             3\n"
                              "Pan        R100(raw 150)  R28          L100\n"
                              "Fader [%]            100   90  127(raw 200)\n";
    auto run = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"tracks", project});
        arguments.insert(arguments.end(), pick.begin(), pick.end());
        return Cli(arguments);
    };
    struct Case {
        std::vector<std::string> flags;
        int exitCode;
        std::string expected;
    };
    const Case cases[] = {
        {{}, 0, "Pan=R100(raw 150),R28,L100 Fader[%]=100, 90,127(raw 200)\n"},
        {{"--compact"}, 0, "Pan=R100(raw 150),R28,L100 Fader[%]=100,90,127(raw 200)\n"},
        {{"--table"}, 0, table},
        {{"--table", "--summary"}, 2, ""},
        {{"--table", "--compact"}, 2, ""},
    };
    for (const Case& c : cases) {
        ProcessResult r = run(c.flags);
        EXPECT_EQ(r.exitCode, c.exitCode) << ::testing::PrintToString(c.flags) << r.err;
        if (c.exitCode == 0) {
            EXPECT_EQ(r.out.substr(0, c.expected.size()), c.expected) << r.out;
        }
    }
#ifndef _WIN32
    // On a real terminal (a pseudo-terminal from script(1)) the table comes without asking.
    if (!fs::exists("/usr/bin/script")) GTEST_SKIP() << "script(1) not installed: the terminal case is not run";
    std::string command = std::string(SPURWERK_CLI) + " --lang de tracks '" + project + "' --groups Pan,Fader --track-count 3";
    ProcessResult onTerminal = RunProcess("/usr/bin/env", {"COLUMNS=100", "/usr/bin/script", "-qec", command, "/dev/null"});
    EXPECT_EQ(onTerminal.exitCode, 0) << onTerminal.err;
    std::string shown = onTerminal.out;
    shown.erase(std::remove(shown.begin(), shown.end(), '\r'), shown.end());  // the terminal's line ends
    EXPECT_EQ(shown, table);
#endif
}

#ifndef _WIN32
std::string CompletionFile(const char* name) {
    return ReadText(fs::path(SPURWERK_SOURCE_DIR) / "cmake" / "install" / name);
}

// The words bash offers after the typed words (the last one is being completed).
std::vector<std::string> BashCompletes(const std::vector<std::string>& words) {
    std::string array;
    for (const std::string& w : words) array += " '" + w + "'";
    std::string script = "source '" + std::string(SPURWERK_SOURCE_DIR) +
                         "/cmake/install/spurwerk-cli.bash'; COMP_WORDS=(spurwerk-cli" + array +
                         "); COMP_CWORD=" + std::to_string(words.size()) +
                         "; _spurwerk_cli; printf '%s\\n' \"${COMPREPLY[@]}\"";
    ProcessResult r = RunProcess("/bin/bash", {"-c", script});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::vector<std::string> offered;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) offered.push_back(line);
    return offered;
}
#endif

// Both completions know every command and option the program has (read from
// its --help), and bash offers what is typed next.
TEST_F(TerminalCli, ShellCompletionsKnowEveryCommandAndOption) {
#ifdef _WIN32
    GTEST_SKIP() << "the shell completions are for bash and zsh";
#else
    const std::string bash = CompletionFile("spurwerk-cli.bash"), zsh = CompletionFile("_spurwerk-cli");
    ProcessResult help = Cli({"--help"});
    std::istringstream lines(help.out.substr(std::min(help.out.size(), help.out.find("Befehle:"))));
    std::vector<std::string> commands;
    for (std::string line; std::getline(lines, line);)
        if (line.size() > 2 && line[0] == ' ' && line[1] == ' ' && line[2] != ' ')
            commands.push_back(line.substr(2, line.find(' ', 2) - 2));
    ASSERT_GE(commands.size(), 16u) << help.out;
    for (const std::string& command : commands) {
        EXPECT_TRUE(Has(bash, " " + command)) << command;
        EXPECT_TRUE(Has(zsh, "'" + command + ":")) << command;
        std::string text = Cli({command, "--help"}).out;
        for (std::size_t at = text.find("--"); at != std::string::npos; at = text.find("--", at + 2)) {
            std::size_t end = text.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-", at + 2);
            std::string option = text.substr(at, end - at);
            if (option.size() < 3 || (at > 0 && text[at - 1] != ' ' && text[at - 1] != ',' && text[at - 1] != '!' &&
                                      text[at - 1] != '[')) continue;
            EXPECT_TRUE(Has(bash, option)) << command << " " << option;
            EXPECT_TRUE(Has(zsh, option)) << command << " " << option;
        }
    }
    const std::tuple<std::vector<std::string>, std::vector<std::string>> typed[] = {
        {{"sw"}, {"swap-tracks"}},
        {{"--lang", ""}, {"de", "en"}},
        {{"tracks", "F", "--su"}, {"--summary"}},
        {{"set", "F", "--track", "1"}, {"1", "10", "11", "12", "13", "14", "15", "16"}},
        {{"tracks", "F", "--groups", "Pan,Fa"}, {"Pan,Fader"}},
        {{"set", "F", "EQxM"}, {"EQxM[v]=", "EQxM="}},
        {{"infofiles", "de"}, {"delete-unassigned", "delete-all"}},
        {{"search", "R", "--sort", "d"}, {"dir", "date"}},
    };
    for (const auto& [words, expected] : typed) EXPECT_EQ(BashCompletes(words), expected) << ::testing::PrintToString(words);
    // zsh reads its file without a syntax error.
    if (!fs::exists("/usr/bin/zsh") && !fs::exists("/bin/zsh")) GTEST_SKIP() << "zsh not installed: its completion file was not parsed";
    ProcessResult parsed = RunProcess(fs::exists("/usr/bin/zsh") ? "/usr/bin/zsh" : "/bin/zsh",
                                      {"-n", PathText(fs::path(SPURWERK_SOURCE_DIR) / "cmake/install/_spurwerk-cli")});
    EXPECT_EQ(parsed.exitCode, 0) << parsed.err;
#endif
}

}  // namespace
}  // namespace spurwerk::testing
