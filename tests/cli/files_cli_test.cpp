// The project-file commands on card trees: each option reaches the operation
// and the files left behind show it.

#include <gtest/gtest.h>

#include <algorithm>

#include "cli_test.h"
#include "io/path_text.h"

namespace spurwerk::testing {
namespace {

namespace fs = std::filesystem;

std::string LastLine(const std::string& out) {
    std::string text = out;
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text.substr(text.rfind('\n') + 1);
}

int LineCount(const std::string& out) { return static_cast<int>(std::count(out.begin(), out.end(), '\n')); }

class FilesCli : public CliOnCard {};

TEST_F(FilesCli, SearchListsTheDemoProjectsAsItsOptionsSay) {
    auto r = Cli({"search", Root(), "--record-modi", "--wav-size", "--sort", "name"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(LineCount(r.out), 5);
    EXPECT_LT(r.out.find("\"BALLADE\""), r.out.find("\"SONG1\""));  // folders PROJ002 and PROJ001
    EXPECT_TRUE(Has(r.out, "\"SONG1\"     16B.,DRY   [t=      4s500max.]  WAV-Dat.: 5: "));
    EXPECT_EQ(LastLine(r.out), "4 Dateien (v. 20) in \"" + Root() + PathSeparator() + "\" (u. Unterverz.) gefunden!");

    auto wav = Cli({"search", Root(), "--no-prj", "--wav", "--filter", "*vox*"});
    EXPECT_EQ(LineCount(wav.out), 2);
    EXPECT_TRUE(Has(wav.out, NativePath("PROJ003/AUDIO/VOX.WAV")));
    auto byName = Cli({"search", Root(), "--filter", "ballade", "--groups", "Status", "--compact"});
    EXPECT_EQ(LineCount(byName.out), 2);
    EXPECT_TRUE(Has(byName.out, "Status=++++---"));
}

TEST_F(FilesCli, SaveProjectBuildsTheNamedProjectFromTemplates) {
    auto r = Cli({"save-project", Project("PROJ002"), Project("PROJ005"), "--name", "NEU", "--yes", "--info-files"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(LastLine(r.out), "3584 Bytes wurden in Datei \"" + Project("PROJ005") + "\" geschrieben!");
    EXPECT_EQ(ReadBytes(card / "PROJ005/EFXDATA.ZDT"), ReadBytes(fs::path(SPURWERK_BIN_DIR) / "EFXDATA_VorlageR16.ZDT"));
    // A 24-bit project: its mono WAVs come from the 24-bit mono template.
    EXPECT_EQ(ReadBytes(card / "PROJ005/AUDIO/GESANG.WAV"),
              ReadBytes(fs::path(SPURWERK_BIN_DIR) / "WAV_Vorlage_1sec44kMONO24b.WAV"));
    EXPECT_TRUE(fs::exists(card / "PROJ005/PRJDATA___NEU_NAME.TXT"));
}

TEST_F(FilesCli, CopyInfoFilesEndMarksAndSeriesOnACardTree) {
    auto copy = Cli({"copy", Path("PROJ001"), Path("COPY"), "--yes"});
    ASSERT_EQ(copy.exitCode, 0) << copy.err;
    EXPECT_TRUE(Has(copy.out, "5 WAV-Audio-Dateien wurden kopiert."));
    fs::remove_all(card / "COPY");

    auto update = Cli({"infofiles", "update", Root()});
    ASSERT_EQ(update.exitCode, 0) << update.err;
    EXPECT_TRUE(fs::exists(card / "PROJ002/PRJDATA___BALLADE_NAME.TXT"));
    auto remove = Cli({"infofiles", "delete-all", Root()});
    EXPECT_EQ(LastLine(remove.out), "4 von 4 Pr.Name-Dateien in \"" + Root() + PathSeparator() + "\" (u.Unterverz.) gelöscht!");

    auto marks = Cli({"endmarks", Root(), "--yes"});
    ASSERT_EQ(marks.exitCode, 0) << marks.err;
    EXPECT_NE(Cli({"marks", Project("PROJ002")}).out.find("3 Projekt-Marken"), std::string::npos);

    WriteText(card / "names.txt", "EINS\r\n\r\n");
    fs::create_directories(card / "NEW");
    auto series = Cli({"series", Project("PROJ001"), Path("NEW"), "--start", "999", "--count", "3", "--names",
                       Path("names.txt"), "--prefix", "SONG", "--yes"});
    ASSERT_EQ(series.exitCode, 0) << series.err;
    EXPECT_EQ(LastLine(series.out), "3 Projekte wurden angelegt!");
    EXPECT_TRUE(fs::exists(card / "NEW/SONG999/AUDIO/TRACK01.WAV"));
    EXPECT_NE(Cli({"search", Path("NEW")}).out.find("\"EINS\""), std::string::npos);
}

}  // namespace
}  // namespace spurwerk::testing
