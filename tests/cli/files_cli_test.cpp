// The project-file commands run as a user runs them, on copies of the demo
// card and on a card tree generated here.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

#include "io/path_text.h"
#include "process.h"
#include "test_files.h"

namespace spurwerk {
namespace {

namespace fs = std::filesystem;
using testing::NativePath;
using testing::ReadBytes;
using testing::ReadText;
using testing::RunProcess;
using testing::TempDir;

const fs::path DemoCard = fs::path(SPURWERK_BIN_DIR) / ".." / "demo-card";

testing::ProcessResult Cli(const std::vector<std::string>& arguments) { return RunProcess(SPURWERK_CLI, arguments); }

std::string LastLine(const std::string& out) {
    std::string text = out;
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text.substr(text.rfind('\n') + 1);
}

int LineCount(const std::string& out) { return static_cast<int>(std::count(out.begin(), out.end(), '\n')); }

class FilesCli : public ::testing::Test {
protected:
    void SetUp() override { fs::copy(DemoCard, card.path(), fs::copy_options::recursive); }
    std::string Path(const std::string& relative) const { return NativePath((card / relative).string()); }
    std::string Root() const { return NativePath(card.path().string()) + PathSeparator(); }
    TempDir card;
};

TEST_F(FilesCli, SearchListsTheDemoProjectsButNotTheHiddenOne) {
    auto r = Cli({"search", card.path().string(), "--record-modi", "--wav-size", "--sort", "name"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(LineCount(r.out), 5);
    EXPECT_EQ(r.out.find("GELOESCH"), std::string::npos);
    EXPECT_LT(r.out.find("\"ALT2024\""), r.out.find("\"BALLADE\""));
    EXPECT_NE(r.out.find("\"SONG1\"     16B.,DRY   [t=      4s500max.]  WAV-Dat.: 5: "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"LIVE 03\"   16B.,WET!! [t="), std::string::npos);
    EXPECT_EQ(LastLine(r.out), "4 Dateien (v. 20) in \"" + Root() + "\" (u. Unterverz.) gefunden!");

    auto wav = Cli({"search", card.path().string(), "--no-prj", "--wav", "--filter", "*vox*"});
    ASSERT_EQ(wav.exitCode, 0) << wav.err;
    EXPECT_EQ(LineCount(wav.out), 2);
    EXPECT_NE(wav.out.find(NativePath("PROJ003/AUDIO/VOX.WAV")), std::string::npos);

    auto byName = Cli({"search", card.path().string(), "--filter", "ballade", "--groups", "Status", "--compact"});
    EXPECT_EQ(LineCount(byName.out), 2);
    EXPECT_NE(byName.out.find("Status=++++---"), std::string::npos) << byName.out;
}

TEST_F(FilesCli, SaveProjectAsksThenBuildsTheProjectFromTemplates) {
    auto refused = Cli({"save-project", Path("PROJ002/PRJDATA.ZDT"), Path("PROJ005/PRJDATA.ZDT")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("needs an answer"), std::string::npos);
    EXPECT_FALSE(fs::exists(card / "PROJ005"));

    auto r = Cli({"save-project", Path("PROJ002/PRJDATA.ZDT"), Path("PROJ005/PRJDATA.ZDT"), "--name", "NEU",
                  "--yes", "--info-files"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(LastLine(r.out), "3584 Bytes wurden in Datei \"" + Path("PROJ005/PRJDATA.ZDT") + "\" geschrieben!");
    EXPECT_EQ(ReadBytes(card / "PROJ005/EFXDATA.ZDT"), ReadBytes(fs::path(SPURWERK_BIN_DIR) / "EFXDATA_VorlageR16.ZDT"));
    // A 24-bit project: its mono WAVs come from the 24-bit mono template.
    EXPECT_EQ(ReadBytes(card / "PROJ005/AUDIO/GESANG.WAV"),
              ReadBytes(fs::path(SPURWERK_BIN_DIR) / "WAV_Vorlage_1sec44kMONO24b.WAV"));
    EXPECT_TRUE(fs::exists(card / "PROJ005/PRJDATA___NEU_NAME.TXT"));
}

TEST_F(FilesCli, CopyKeepsExistingFilesAndRefusesItsOwnFolder) {
    auto same = Cli({"copy", Path("PROJ001"), Path("PROJ001/../PROJ001/")});
    EXPECT_EQ(same.exitCode, 1);
    EXPECT_NE(same.err.find("are the same folder: Kann nicht in dasselbe Verzeichnis kopieren!"), std::string::npos)
        << same.err;
    EXPECT_EQ(same.out, "");

    fs::create_directories(card / "COPY/AUDIO");
    testing::WriteText(card / "COPY/AUDIO/TRACK01.WAV", "mine");
    auto r = Cli({"copy", Path("PROJ001"), Path("COPY"), "--yes"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("4 WAV-Audio-Dateien wurden kopiert."), std::string::npos) << r.out;
    EXPECT_EQ(LastLine(r.out), "kopiert!");
    EXPECT_EQ(ReadText(card / "COPY/AUDIO/TRACK01.WAV"), "mine");
}

TEST_F(FilesCli, InfoFilesEndMarksAndSeriesOnACardTree) {
    auto update = Cli({"infofiles", "update", card.path().string()});
    ASSERT_EQ(update.exitCode, 0) << update.err;
    EXPECT_EQ(LastLine(update.out), "4 Pr.Name-Dateien von 4 ZDT-Dateien in \"" + Root() + "\" (u.Unterverz.) erstellt/geändert!");
    EXPECT_TRUE(fs::exists(card / "PROJ002/PRJDATA___BALLADE_NAME.TXT"));
    auto remove = Cli({"infofiles", "delete-all", card.path().string()});
    EXPECT_EQ(LastLine(remove.out), "4 von 4 Pr.Name-Dateien in \"" + Root() + "\" (u.Unterverz.) gelöscht!");

    // PROJ002 has marks after its end: --no keeps them and inserts the end.
    Bytes before = testing::ReadBytes(card / "PROJ003" / "PRJDATA.ZDT");
    auto noAnswer = Cli({"endmarks", card.path().string()});
    EXPECT_EQ(noAnswer.exitCode, 2);
    EXPECT_NE(noAnswer.err.find("--yes or --no"), std::string::npos);
    EXPECT_EQ(testing::ReadBytes(card / "PROJ003" / "PRJDATA.ZDT"), before);
    auto marks = Cli({"endmarks", card.path().string(), "--yes"});
    ASSERT_EQ(marks.exitCode, 0) << marks.err;
    EXPECT_EQ(LastLine(marks.out), "3 Projekt-Ende-Marken von 4  ZDT-Dateien in \"" + Root() + "\" (u.Unterverz.) gesetzt!");
    auto info = Cli({"marks", Path("PROJ002/PRJDATA.ZDT")});
    EXPECT_NE(info.out.find("3 Projekt-Marken"), std::string::npos) << info.out;

    testing::WriteText(card / "names.txt", "EINS\r\n\r\n");
    fs::create_directories(card / "NEW");
    auto series = Cli({"series", Path("PROJ001/PRJDATA.ZDT"), Path("NEW"), "--start", "999", "--count", "3", "--names",
                       Path("names.txt"), "--yes"});
    ASSERT_EQ(series.exitCode, 0) << series.err;
    EXPECT_EQ(LastLine(series.out), "3 Projekte wurden angelegt!");
    EXPECT_TRUE(fs::exists(card / "NEW/PROJ999/AUDIO/TRACK01.WAV"));
    auto list = Cli({"search", Path("NEW"), "--sort", "name"});
    EXPECT_NE(list.out.find("\"EINS\""), std::string::npos);
}

// The demo card as a card mounted with lower-case names: every command finds
// the recorder's names in any letter case and gives what it gives on the card
// as written.
TEST_F(FilesCli, ALowerCaseCardWorksLikeTheRecordersOwn) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows ignores letter case in file names, so no second spelling can exist";
#endif
    TempDir lower;
    fs::copy(DemoCard, lower.path(), fs::copy_options::recursive);
    std::vector<fs::path> all;
    for (const auto& entry : fs::recursive_directory_iterator(lower.path())) all.push_back(entry.path());
    for (auto p = all.rbegin(); p != all.rend(); ++p) {  // deepest first, so parents rename last
        std::string name = p->filename().string();
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        fs::rename(*p, p->parent_path() / name);
    }
    auto lowered = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
        return text;
    };
    const std::string project = NativePath((lower / "proj002/prjdata.zdt").string());
    for (const char* command : {"files", "info"}) {
        auto expected = Cli({command, Path("PROJ002/PRJDATA.ZDT")});
        auto r = Cli({command, project});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(lowered(r.out), lowered(expected.out)) << command;
    }
    auto search = Cli({"search", NativePath(lower.path().string()), "--wav", "--wav-size"});
    auto searchExpected = Cli({"search", card.path().string(), "--wav", "--wav-size"});
    auto count = [](const std::string& out, const std::string& part) {
        int n = 0;
        for (std::size_t at = out.find(part); at != std::string::npos; at = out.find(part, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count(search.out, "WAV-Dat."), count(searchExpected.out, "WAV-Dat."));
    EXPECT_EQ(count(search.out, ".wav "), count(searchExpected.out, ".WAV "));

    ASSERT_EQ(Cli({"marks", project, "--set-end", "--yes"}).exitCode, 0);
    ASSERT_EQ(Cli({"marks", Path("PROJ002/PRJDATA.ZDT"), "--set-end", "--yes"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(lower / "proj002/prjdata.zdt"), ReadBytes(card / "PROJ002/PRJDATA.ZDT"));

    ASSERT_EQ(Cli({"infofiles", "update", NativePath(lower.path().string())}).exitCode, 0);
    ASSERT_EQ(Cli({"infofiles", "delete-unassigned", NativePath(lower.path().string())}).exitCode, 0);
    EXPECT_TRUE(fs::exists(lower / "proj002/prjdata___BALLADE_NAME.TXT"));

    auto saved = Cli({"save-project", project, project, "--yes"});
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    std::vector<std::string> folder, audio;
    for (const auto& entry : fs::directory_iterator(lower / "proj002")) folder.push_back(entry.path().filename().string());
    for (const auto& entry : fs::directory_iterator(lower / "proj002/audio")) audio.push_back(entry.path().filename().string());
    std::sort(folder.begin(), folder.end());
    std::sort(audio.begin(), audio.end());
    EXPECT_EQ(folder, (std::vector<std::string>{"audio", "efxdata.zdt", "prjdata.zdt", "prjdata___BALLADE_NAME.TXT"}));
    // Only the assigned file that is missing on both cards comes from a template.
    EXPECT_EQ(audio, (std::vector<std::string>{"BASS.WAV", "gesang.wav", "gitarre.wav", "piano.wav"}));
}

}  // namespace
}  // namespace spurwerk
