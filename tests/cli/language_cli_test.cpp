// Usage errors, JSON input errors, file errors and the help in the language
// chosen with --lang; JSON keys stay as they are.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli_test.h"
#include "io/path_text.h"
#include "settings/cli_texts.h"
#include "settings/ini_file.h"

namespace spurwerk::testing {
namespace {

namespace fs = std::filesystem;

class LanguageCli : public CliOnCard {
public:
    ProcessResult Run(const std::string& language, std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--lang", language});
        ProcessOptions options;
        options.timeoutSeconds = 60;
        return RunProcess(SPURWERK_CLI, arguments, options);
    }
};

struct Case {
    std::string language;
    std::vector<std::string> arguments;
    int exitCode;
    std::vector<std::string> expected;  // each in stderr (or in stdout for the help)
};

void Check(LanguageCli& cli, const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language + " " + ::testing::PrintToString(c.arguments));
        ProcessResult r = cli.Run(c.language, c.arguments);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        for (const std::string& part : c.expected) EXPECT_TRUE(Has(c.exitCode == 0 ? r.out : r.err, part));
    }
}

TEST_F(LanguageCli, UsageErrorsAndHelp) {
    const std::string p = Project("PROJ001");
    Check(*this, {
        {"de", {"info"}, 2, {"spurwerk-cli: FILE fehlt\nMehr dazu mit --help."}},
        {"en", {"info"}, 2, {"spurwerk-cli: FILE is required\nRun with --help for more information."}},
        {"de", {"info", p, "zwei"}, 2, {"Dieses Argument wurde nicht erwartet: zwei"}},
        {"en", {"info", p, "zwei"}, 2, {"The following argument was not expected: zwei"}},
        {"de", {"tracks", p, "--track-count", "20"}, 2, {"--track-count: der Wert 20 liegt nicht zwischen 1 und 16"}},
        {"en", {"tracks", p, "--track-count", "20"}, 2, {"--track-count: Value 20 not in range 1 to 16"}},
        {"de", {"set", p, "--track", "1", "--all", "Fader=3"}, 2, {"--track schließt --all aus"}},
        {"en", {"set", p, "--bank1", "Fader=3"}, 2, {"--bank1 requires --all"}},
        {"de", {"set", p, "--bank1", "Fader=3"}, 2, {"--bank1 braucht --all"}},
        {"de", {"search", Root(), "--min-width", "x"}, 2, {"--min-width: der Wert x kann nicht umgewandelt werden"}},
        {"en", {"search", Root(), "--min-width", "x"}, 2, {"Could not convert: --min-width = x"}},
        {"de", {"search", Root(), "--sort", "size"}, 2, {"--sort: size ist keiner der Werte {dir,date,name,time}"}},
        {"en", {"search", Root(), "--sort", "size"}, 2, {"--sort: size not in {dir,date,name,time}"}},
        {"de", {"set", p, "--track"}, 2, {"--track braucht einen Wert"}},
        {"de", {}, 2, {"es fehlt ein Befehl"}},
        {"en", {}, 2, {"A command is required"}},
        {"de", {"set", p, "Fader=3"}, 2, {"--track oder --all fehlt"}},
        {"en", {"set", p, "Fader=3"}, 2, {"--track or --all is required"}},
        {"de", {"--help"}, 0, {"Aufruf: spurwerk-cli [OPTIONEN] BEFEHL", "\nOptionen:\n", "\nBefehle:\n",
                                "zeigt diese Hilfe und endet", "Beispiel: spurwerk-cli info"}},
        {"en", {"--help"}, 0, {"Usage: spurwerk-cli [OPTIONS] SUBCOMMAND", "\nOptions:\n", "\nSubcommands:\n",
                                "Print this help message and exit", "Example: spurwerk-cli info"}},
        {"de", {"info", "--help"}, 0, {"Argumente:", "PFLICHT", "Beispiel: spurwerk-cli info"}},
        {"en", {"info", "--help"}, 0, {"Positionals:", "REQUIRED", "Example: spurwerk-cli info"}},
    });
    // With --json the usage error is a JSON document in the language.
    for (const auto& [language, message] : {std::pair{"de", "FILE fehlt"}, std::pair{"en", "FILE is required"}}) {
        ProcessResult r = Run(language, {"info", "--json"});
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(nlohmann::json::parse(r.err)["error"], message) << r.err;
    }
}

TEST_F(LanguageCli, JsonInputErrors) {
    const std::string p = Project("PROJ001");
    const Bytes before = ReadBytes(p);
    auto input = [&](const std::string& name, const std::string& text) {
        WriteText(card / name, text);
        return Path(name);
    };
    const std::string cut = input("cut.json", R"({"track":3,"fader":)");
    const std::string pan = input("pan.json", R"({"track":2,"pan":"L20"})");
    const std::string raw = input("raw.json", R"({"track":1,"fader":127,"raw":{"fader":300}})");
    const std::string status = input("status.json", R"({"track":1,"status":"loud"})");
    const std::string longPan = input("long.json", R"({"track":2,"pan":")" + std::string(100, 'x') + "\"}");
    const std::string cutPan = "\"pan\" nimmt eine Zahl, nicht \"" + std::string(39, 'x') + "… (102 Bytes)";
    Check(*this, {
        {"de", {"set", p, "--from-json", cut}, 1, {"spurwerk-cli: die Eingabe ist kein gültiges JSON"}},
        {"en", {"set", p, "--from-json", cut}, 1, {"spurwerk-cli: the input is no valid JSON"}},
        {"de", {"set", p, "--from-json", pan}, 1, {"\"pan\" nimmt eine Zahl, nicht \"L20\""}},
        {"en", {"set", p, "--from-json", pan}, 1, {"\"pan\" takes a number, not \"L20\""}},
        {"de", {"set", p, "--from-json", raw}, 1, {"Spur 1: \"raw\" nimmt für \"fader\" ein gespeichertes Byte 0..255, nicht 300"}},
        {"en", {"set", p, "--from-json", raw}, 1, {"track 1: \"raw\" takes a stored byte 0..255 for \"fader\", not 300"}},
        {"de", {"set", p, "--from-json", status}, 1, {"\"status\" nimmt \"record\", \"play\" oder \"off\", nicht \"loud\""}},
        {"en", {"set", p, "--from-json", status}, 1, {"\"status\" takes \"record\", \"play\" or \"off\", not \"loud\""}},
        {"de", {"set", p, "--from-json", longPan}, 1, {cutPan}},
        {"en", {"set", p, "--from-json", longPan}, 1, {"\"pan\" takes a number, not \"" + std::string(39, 'x') + "… (102 bytes)"}},
        {"de", {"set", p, "--track", "2", "Pan=L21"}, 1, {"Pan nimmt C, oder L bzw. R mit einer geraden Zahl"}},
        {"en", {"set", p, "--track", "2", "Pan=L21"}, 1, {"Pan takes C, or L or R followed by an even number"}},
    });
    // The error document keeps its keys.
    ProcessResult r = Run("de", {"set", p, "--from-json", pan, "--json"});
    const auto error = nlohmann::json::parse(r.err);
    EXPECT_EQ(error["error"], "\"pan\" nimmt eine Zahl, nicht \"L20\"");
    EXPECT_EQ(error["file"], p);
    EXPECT_EQ(ReadBytes(p), before);
}

TEST_F(LanguageCli, FileErrors) {
    const std::string missing = Path("PROJ404/PRJDATA.ZDT"), folder = Path("PROJ001");
    std::vector<Case> cases = {
        {"de", {"info", missing}, 1, {"spurwerk-cli: \"" + missing + "\" kann nicht gelesen werden: Datei nicht gefunden"}},
        {"en", {"info", missing}, 1, {"spurwerk-cli: Cannot read \"" + missing + "\": file not found"}},
        {"de", {"hex", folder}, 1, {"\"" + folder + "\" kann nicht gelesen werden: ist ein Ordner, keine Datei"}},
        {"en", {"hex", folder}, 1, {"Cannot read \"" + folder + "\": is a folder, not a file"}},
    };
#ifndef _WIN32
    // A read-only project: a permission root would ignore is checked by its mode bits.
    fs::permissions(Project("PROJ003"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::string readOnly = Project("PROJ003");
    cases.push_back({"de", {"set", readOnly, "--track", "1", "Fader=0"}, 1,
                     {"\"" + readOnly + "\" kann nicht geschrieben werden: die Datei ist schreibgeschützt"}});
    cases.push_back({"en", {"set", readOnly, "--track", "1", "Fader=0"}, 1,
                     {"Cannot write \"" + readOnly + "\": the file is read-only"}});
#endif
    Check(*this, cases);
}

// Archive and WAV faults, a command's own summary and the help's value types.
TEST_F(LanguageCli, ArchiveAndWavFaultsAndTypeNames) {
    WriteText(card / "BAD.WAV", std::string(64, 'x'));
    const std::string bad = Path("BAD.WAV"), readme = Path("README.TXT");
    std::vector<Case> cases = {
        {"de", {"peaks", bad}, 1, {"spurwerk-cli: " + bad + ": keine WAV-Datei"}},
        {"en", {"peaks", bad}, 1, {"spurwerk-cli: " + bad + ": no WAV file"}},
        {"de", {"tracks", "--help"}, 0, {"FILE TEXT PFLICHT", "--track-count GANZZAHL:GANZZAHL von 1 bis 16"}},
        {"en", {"tracks", "--help"}, 0, {"FILE TEXT REQUIRED", "--track-count INT:INT in [1 - 16]"}},
    };
#ifdef SPURWERK_HAVE_ARCHIVE
    cases.push_back({"de", {"archive", "--list", readme}, 1, {"spurwerk-cli: beschädigtes Archiv \"" + readme + "\": "}});
    cases.push_back({"en", {"archive", "--list", readme}, 1, {"spurwerk-cli: damaged archive \"" + readme + "\": "}});
    cases.push_back({"de", {"archive", "--restore", readme}, 2, {"--card: geben Sie die Karte (den Ordner) an"}});
    cases.push_back({"en", {"archive", "--restore", readme}, 2, {"--card: give the card (folder) to restore onto"}});
#endif
    Check(*this, cases);
}

// Every text of the command line has a German and an English entry in the
// shipped language files, with the placeholders of the built-in text.
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
        for (int i = 0; i < static_cast<int>(CliText::Count); ++i) {
            const auto text = static_cast<CliText>(i);
            const std::string value = ini.ReadString(CliTextsSection, CliTextKey(text), "");
            EXPECT_FALSE(value.empty()) << language << " lacks " << CliTextKey(text);
            EXPECT_EQ(placeholders(value), placeholders(CliTxt(text))) << language << ": " << CliTextKey(text);
        }
    }
}

}  // namespace
}  // namespace spurwerk::testing
