// What a person at a terminal meets: the language of messages and results,
// the track table, and the shell completions.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <tuple>

#include "cli_test.h"
#include "io/path_text.h"
#include "settings/cli_texts.h"
#include "settings/ini_file.h"
#include "settings/language_choice.h"
#include "settings/side_files.h"

namespace spurwerk::testing {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32
// Runs the command line with exactly the locale variables given (none else
// set) and, when `program` is given, that copy of it. No --lang is added.
ProcessResult CliWithEnvironment(const std::vector<std::string>& variables, const std::vector<std::string>& arguments,
                                 const std::string& program = SPURWERK_CLI) {
    std::vector<std::string> all{"-u", "LC_ALL", "-u", "LC_MESSAGES", "-u", "LANG", "-u", "LANGUAGE"};
    all.insert(all.end(), variables.begin(), variables.end());
    all.push_back(program);
    all.insert(all.end(), arguments.begin(), arguments.end());
    ProcessOptions options;
    options.timeoutSeconds = 60;
    return RunProcess("/usr/bin/env", all, options);
}

// A copy of the command line with the language files, as an unpacked or
// installed program folder; `options` is the window's stored choice beside it.
struct ProgramCopy {
    TempDir dir;
    std::string cli = PathText(dir / "spurwerk-cli");
    ProgramCopy() {
        fs::copy_file(SPURWERK_CLI, dir / "spurwerk-cli");
        for (const char* name : {"Spurwerk_GUI_Deutsch.INI", "Spurwerk_GUI_English.INI"})
            fs::copy_file(fs::path(SPURWERK_BIN_DIR) / name, dir / name);
    }
    // The options file storing `language` the way the window does: its position in the language box.
    static std::string OptionsChoosing(const fs::path& programDir, const std::string& language) {
        std::vector<std::string> entries = InitCBLanguage(PathText(programDir / "Spurwerk_GUI.INI"));
        for (std::size_t i = 1; i < entries.size(); ++i)
            if (entries[i] == language) return "[Options]\r\nLanguageIndex=" + std::to_string(i) + "\r\n";
        ADD_FAILURE() << "no language " << language;
        return "";
    }
};
#endif

class TerminalCli : public CliOnCard {};

// --lang, else the window's stored choice, else the locale; results, messages
// and errors follow it, JSON does not.
TEST_F(TerminalCli, LanguageFromOptionStoredChoiceOrLocale) {
#ifdef _WIN32
    GTEST_SKIP() << "the locale variables and program copies are tested on POSIX";
#else
    const std::string project = Project("PROJ001");
    const std::string german = "Projekt: \"SONG1\"", english = "Project: \"SONG1\"";
    const std::tuple<std::vector<std::string>, std::vector<std::string>, std::string> cases[] = {
        {{}, {"--lang", "de", "info", project}, german},
        {{"LANG=de_DE.UTF-8"}, {"--lang", "en", "info", project}, english},
        {{}, {"info", project, "--lang=de"}, german},  // after the command too
        {{"LANG=de_DE.UTF-8"}, {"info", project}, german},
        {{"LC_ALL=de_AT.UTF-8", "LANG=en_US.UTF-8"}, {"info", project}, german},
        {{"LC_MESSAGES=en_GB.UTF-8", "LANG=de_DE.UTF-8"}, {"info", project}, english},
        {{"LANG=C.UTF-8"}, {"info", project}, english},
        {{}, {"info", project}, english},
    };
    for (const auto& [variables, arguments, expected] : cases) {
        ProcessResult r = CliWithEnvironment(variables, arguments);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out.rfind(expected, 0), 0u) << ::testing::PrintToString(arguments) << "\n" << r.out;
    }
    // Messages and errors in it: a save's message from the shared text table, an error of the command line's own.
    WriteText(card / "small.ZDT", std::string(50, 'x'));
    const std::tuple<std::string, std::vector<std::string>, int, std::string> messages[] = {
        {"de", {"set", project, "--track", "3", "Fader=64"}, 0, "Bytes wurden in Datei"},
        {"en", {"set", project, "--track", "3", "Fader=65"}, 0, "bytes were written to file"},
        {"de", {"info", Path("small.ZDT")}, 1, "ist keine Projekt-Datei (50 Bytes"},
        {"en", {"info", Path("small.ZDT")}, 1, "is not a project file (50 bytes"},
        {"en", {"copy", Path("PROJ001"), Path("PROJ001"), "--yes"}, 1, "are the same folder: Cannot copy into"},
        {"de", {"tracks", project, "--groups", "Volume"}, 1, "unbekannte Gruppe \"Volume\""},
    };
    for (const auto& [language, arguments, exitCode, expected] : messages) {
        std::vector<std::string> all{"--lang", language};
        all.insert(all.end(), arguments.begin(), arguments.end());
        ProcessResult r = CliWithEnvironment({}, all);
        EXPECT_EQ(r.exitCode, exitCode) << r.err;
        EXPECT_TRUE(Has(r.out + r.err, expected));
    }
    // JSON keys and values stay as they are.
    EXPECT_EQ(CliWithEnvironment({}, {"--lang", "de", "tracks", project, "--json"}).out,
              CliWithEnvironment({}, {"--lang", "en", "tracks", project, "--json"}).out);
    // A language without a file is wrong usage, named in the message.
    ProcessResult unknown = CliWithEnvironment({}, {"--lang", "fr", "info", project});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(Has(unknown.err, "\"fr\""));
#endif
}

// The window's stored choice is read where the window writes it: beside an
// unpacked program, in the configuration folder for an installed one.
TEST_F(TerminalCli, LanguageStoredByTheWindowProgram) {
#ifdef _WIN32
    GTEST_SKIP() << "program copies are tested on POSIX";
#else
    const std::string project = Project("PROJ001");
    TempDir config;
    fs::create_directories(config / "Spurwerk");
    struct Case {
        const char* what;
        bool installed;
        const char* besideProgram;  // the language stored beside the program ("" none)
        const char* inConfig;       // the language stored in the configuration folder
        const char* locale;
        const char* expected;
    };
    const Case cases[] = {
        {"unpacked, English stored beside, German locale", false, "English", "Deutsch", "LANG=de_DE.UTF-8", "Project: "},
        {"unpacked, German stored beside, English locale", false, "Deutsch", "English", "LANG=en_US.UTF-8", "Projekt: "},
        {"installed: the configuration folder's choice", true, "English", "Deutsch", "LANG=en_US.UTF-8", "Projekt: "},
        {"installed, nothing stored: the locale", true, "Deutsch", "", "LANG=en_US.UTF-8", "Project: "},
    };
    for (const Case& c : cases) {
        ProgramCopy program;
        if (c.installed) WriteText(program.dir / InstalledMarkerName, "installed\n");
        if (*c.besideProgram)
            WriteText(program.dir / "Spurwerk.INI", ProgramCopy::OptionsChoosing(program.dir.path(), c.besideProgram));
        fs::remove(config / "Spurwerk" / "Spurwerk.INI");
        if (*c.inConfig)
            WriteText(config / "Spurwerk" / "Spurwerk.INI", ProgramCopy::OptionsChoosing(program.dir.path(), c.inConfig));
        ProcessResult r = CliWithEnvironment({c.locale, "XDG_CONFIG_HOME=" + PathText(config.path())},
                                             {"info", project}, program.cli);
        EXPECT_EQ(r.exitCode, 0) << c.what << ": " << r.err;
        EXPECT_EQ(r.out.rfind(c.expected, 0), 0u) << c.what << "\n" << r.out;
    }
#endif
}

// Every text of the command line is in both shipped language files.
TEST(TerminalCliTexts, EveryTextInBothLanguageFiles) {
    for (const char* language : {"Deutsch", "English"}) {
        IniFile ini(fs::path(SPURWERK_BIN_DIR) / (std::string("Spurwerk_GUI_") + language + ".INI"));
        ASSERT_FALSE(ini.ReadError()) << language;
        std::set<std::string> values;
        for (int i = 0; i < static_cast<int>(CliText::Count); ++i) {
            const char* key = CliTextKey(static_cast<CliText>(i));
            std::string value = ini.ReadString(CliTextsSection, key, "");
            EXPECT_FALSE(value.empty()) << language << " lacks " << key;
            EXPECT_TRUE(values.insert(value).second) << language << ": " << key << " repeats another text";
        }
    }
}

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
        {{"--summary"}, 0, "Pan=R100(raw 150),R28,L100 Fader[%]=100, 90,127(raw 200)\n"},
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
