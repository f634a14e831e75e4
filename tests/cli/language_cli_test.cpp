// The language of the command line: --lang, else the window's stored choice,
// else the locale (the rule itself is core's; here each source reaches it), and
// every kind of message, the help and the value types in it. JSON keys stay.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
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
using Json = nlohmann::json;

class LanguageCli : public CliOnCard {};

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

// The options file storing `language` the way the window does: its position in the language box.
std::string OptionsChoosing(const fs::path& programDir, const std::string& language) {
    std::vector<std::string> entries = InitCBLanguage(PathText(programDir / "Spurwerk_GUI.INI"));
    for (std::size_t i = 1; i < entries.size(); ++i)
        if (entries[i] == language) return "[Options]\r\nLanguageIndex=" + std::to_string(i) + "\r\n";
    ADD_FAILURE() << "no language " << language;
    return "";
}
#endif

TEST_F(LanguageCli, FromOptionStoredChoiceOrLocale) {
#ifdef _WIN32
    GTEST_SKIP() << "the locale variables and program copies are tested on POSIX";
#else
    const std::string project = Project("PROJ001");
    const std::string german = "Projekt: \"SONG1\"", english = "Project: \"SONG1\"";
    const std::tuple<std::vector<std::string>, std::vector<std::string>, std::string> cases[] = {
        {{"LANG=de_DE.UTF-8"}, {"--lang", "en", "info", project}, english},
        {{}, {"info", project, "--lang=de"}, german},  // after the command too
        {{"LANG=de_DE.UTF-8"}, {"info", project}, german},
        {{"LC_ALL=de_AT.UTF-8", "LANG=en_US.UTF-8"}, {"info", project}, german},
        {{"LC_MESSAGES=en_GB.UTF-8", "LANG=de_DE.UTF-8"}, {"info", project}, english},
    };
    for (const auto& [variables, arguments, expected] : cases) {
        ProcessResult r = CliWithEnvironment(variables, arguments);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out.rfind(expected, 0), 0u) << ::testing::PrintToString(arguments) << "\n" << r.out;
    }
    EXPECT_EQ(Cli({"tracks", project, "--json"}).out, Cli({"tracks", project, "--json"}, {}, "en").out);
    ProcessResult unknown = Cli({"info", project}, {}, "fr");
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(Has(unknown.err, "\"fr\""));

    // The window's stored choice is read where the window writes it: beside an
    // unpacked program, in the configuration folder for an installed one.
    TempDir config;
    fs::create_directories(config / "Spurwerk");
    WriteText(config / "Spurwerk" / "Spurwerk.INI", "");
    for (bool installed : {false, true}) {
        TempDir program;
        fs::copy_file(SPURWERK_CLI, program / "spurwerk-cli");
        for (const char* name : {"Spurwerk_GUI_Deutsch.INI", "Spurwerk_GUI_English.INI"})
            fs::copy_file(fs::path(SPURWERK_BIN_DIR) / name, program / name);
        if (installed) WriteText(program / InstalledMarkerName, "installed\n");
        WriteText(program / "Spurwerk.INI", OptionsChoosing(program.path(), "English"));
        WriteText(config / "Spurwerk" / "Spurwerk.INI", OptionsChoosing(program.path(), "Deutsch"));
        ProcessResult r = CliWithEnvironment({installed ? "LANG=en_US.UTF-8" : "LANG=de_DE.UTF-8",
                                              "XDG_CONFIG_HOME=" + PathText(config.path())},
                                             {"info", project}, PathText(program / "spurwerk-cli"));
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out.rfind(installed ? german : english, 0), 0u) << "installed " << installed << "\n" << r.out;
    }
#endif
}

struct Case {
    std::string language;
    std::vector<std::string> arguments;
    int exitCode;
    std::vector<std::string> expected;  // each in stderr (or in stdout for the help)
};

// Each kind of message once in German (a text of the language file replacing
// the library's or the core's own), English where it is a text of ours.
TEST_F(LanguageCli, EveryKindOfMessageHelpAndTypeName) {
    const std::string p = Project("PROJ001");
    auto input = [&](const std::string& name, const std::string& text) {
        WriteText(card / name, text);
        return Path(name);
    };
    const std::string cut = input("cut.json", R"({"track":3,"fader":)");
    const std::string pan = input("pan.json", R"({"track":2,"pan":"L20"})");
    const std::string raw = input("raw.json", R"({"track":1,"fader":127,"raw":{"fader":300}})");
    const std::string status = input("status.json", R"({"track":1,"status":"loud"})");
    const std::string longPan = input("long.json", R"({"track":2,"pan":")" + std::string(100, 'x') + "\"}");
    const std::string missing = Path("PROJ404/PRJDATA.ZDT"), folder = Path("PROJ001");
    WriteText(card / "BAD.WAV", std::string(64, 'x'));
    const std::string bad = Path("BAD.WAV"), readme = Path("README.TXT");
    std::vector<Case> cases = {
        {"de", {"info"}, 2, {"spurwerk-cli: FILE fehlt\nMehr dazu mit --help."}},
        {"en", {"info"}, 2, {"spurwerk-cli: FILE is required\nRun with --help for more information."}},
        {"de", {"info", p, "zwei"}, 2, {"Dieses Argument wurde nicht erwartet: zwei"}},
        {"de", {"tracks", p, "--track-count", "20"}, 2, {"--track-count: der Wert 20 liegt nicht zwischen 1 und 16"}},
        {"de", {"set", p, "--track", "1", "--all", "Fader=3"}, 2, {"--track schließt --all aus"}},
        {"de", {"set", p, "--bank1", "Fader=3"}, 2, {"--bank1 braucht --all"}},
        {"de", {"search", Root(), "--min-width", "x"}, 2, {"--min-width: der Wert x kann nicht umgewandelt werden"}},
        {"de", {"search", Root(), "--sort", "size"}, 2, {"--sort: size ist keiner der Werte {dir,date,name,time}"}},
        {"de", {"set", p, "--track"}, 2, {"--track braucht einen Wert"}},
        {"de", {}, 2, {"es fehlt ein Befehl"}},
        {"de", {"set", p, "Fader=3"}, 2, {"--track oder --all fehlt"}},
        {"en", {"set", p, "Fader=3"}, 2, {"--track or --all is required"}},
        {"de", {"--help"}, 0, {"Aufruf: spurwerk-cli [OPTIONEN] BEFEHL", "\nOptionen:\n", "\nBefehle:\n",
                                "zeigt diese Hilfe und endet", "Beispiel: spurwerk-cli info"}},
        {"en", {"--help"}, 0, {"Usage: spurwerk-cli [OPTIONS] SUBCOMMAND", "\nOptions:\n", "\nSubcommands:\n",
                                "Print this help message and exit", "Example: spurwerk-cli info"}},
        {"de", {"info", "--help"}, 0, {"Argumente:", "PFLICHT", "Beispiel: spurwerk-cli info"}},
        {"de", {"tracks", "--help"}, 0, {"FILE TEXT PFLICHT", "--track-count GANZZAHL:GANZZAHL von 1 bis 16"}},
        {"de", {"set", p, "--from-json", cut}, 1, {"spurwerk-cli: die Eingabe ist kein gültiges JSON"}},
        {"en", {"set", p, "--from-json", cut}, 1, {"spurwerk-cli: the input is no valid JSON"}},
        {"de", {"set", p, "--from-json", pan}, 1, {"\"pan\" nimmt eine Zahl, nicht \"L20\""}},
        {"de", {"set", p, "--from-json", raw}, 1, {"Spur 1: \"raw\" nimmt für \"fader\" ein gespeichertes Byte 0..255, nicht 300"}},
        {"de", {"set", p, "--from-json", status}, 1, {"\"status\" nimmt \"record\", \"play\" oder \"off\", nicht \"loud\""}},
        {"de", {"set", p, "--from-json", longPan}, 1, {"\"pan\" nimmt eine Zahl, nicht \"" + std::string(39, 'x') + "… (102 Bytes)"}},
        {"en", {"set", p, "--from-json", longPan}, 1, {"\"pan\" takes a number, not \"" + std::string(39, 'x') + "… (102 bytes)"}},
        {"de", {"info", missing}, 1, {"spurwerk-cli: \"" + missing + "\" kann nicht gelesen werden: Datei nicht gefunden"}},
        {"en", {"info", missing}, 1, {"spurwerk-cli: Cannot read \"" + missing + "\": file not found"}},
        {"de", {"hex", folder}, 1, {"\"" + folder + "\" kann nicht gelesen werden: ist ein Ordner, keine Datei"}},
        {"de", {"peaks", bad}, 1, {"spurwerk-cli: " + bad + ": keine WAV-Datei"}},
        {"en", {"copy", folder, folder, "--yes"}, 1, {"are the same folder: Cannot copy into"}},
        {"en", {"set", Project("PROJ002"), "--track", "3", "Fader=65"}, 0, {"bytes were written to file"}},
    };
#ifdef SPURWERK_HAVE_ARCHIVE
    cases.push_back({"de", {"archive", "--list", readme}, 1, {"spurwerk-cli: beschädigtes Archiv \"" + readme + "\": "}});
    cases.push_back({"de", {"archive", "--restore", readme}, 2, {"--card: geben Sie die Karte (den Ordner) an"}});
#endif
    const Bytes before = ReadBytes(p);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language + " " + ::testing::PrintToString(c.arguments));
        ProcessResult r = Cli(c.arguments, {}, c.language);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        for (const std::string& part : c.expected) EXPECT_TRUE(Has(c.exitCode == 0 ? r.out : r.err, part));
    }
    EXPECT_EQ(ReadBytes(p), before);
    // With --json an error is a document in the language, its keys as they are.
    EXPECT_EQ(Json::parse(Cli({"info", "--json"}).err)["error"], "FILE fehlt");
    const Json error = Json::parse(Cli({"set", p, "--from-json", pan, "--json"}).err);
    EXPECT_EQ(error["error"], "\"pan\" nimmt eine Zahl, nicht \"L20\"");
    EXPECT_EQ(error["file"], p);
}

// Every text of the command line is in both shipped language files, each its
// own, with the placeholders of the built-in text.
TEST(LanguageCliTexts, BothLanguagesHaveEveryTextWithItsPlaceholders) {
    auto placeholders = [](const std::string& text) {
        std::vector<std::string> marks;
        for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1))
            if (at + 1 < text.size() && text[at + 1] >= '1' && text[at + 1] <= '9') marks.push_back(text.substr(at, 2));
        std::sort(marks.begin(), marks.end());
        return marks;
    };
    InitCliTexts();
    for (const char* language : {"Deutsch", "English"}) {
        IniFile ini(fs::path(SPURWERK_BIN_DIR) / (std::string("Spurwerk_GUI_") + language + ".INI"));
        ASSERT_FALSE(ini.ReadError()) << language;
        std::set<std::string> values;
        for (int i = 0; i < static_cast<int>(CliText::Count); ++i) {
            const auto text = static_cast<CliText>(i);
            const std::string value = ini.ReadString(CliTextsSection, CliTextKey(text), "");
            EXPECT_FALSE(value.empty()) << language << " lacks " << CliTextKey(text);
            EXPECT_TRUE(values.insert(value).second) << language << ": " << CliTextKey(text) << " repeats another text";
            EXPECT_EQ(placeholders(value), placeholders(CliTxt(text))) << language << ": " << CliTextKey(text);
        }
    }
}

}  // namespace
}  // namespace spurwerk::testing
