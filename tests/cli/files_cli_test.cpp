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
    const std::string r = Out({"search", Root(), "--record-modi", "--wav-size", "--sort", "name"});
    EXPECT_EQ(LineCount(r), 5);
    EXPECT_LT(r.find("\"BALLADE\""), r.find("\"SONG1\""));  // folders PROJ002 and PROJ001
    EXPECT_TRUE(Has(r, "\"SONG1\"     16B.,DRY   [t=      4s500max.]  WAV-Dat.: 5: "));
    EXPECT_EQ(LastLine(r), "4 Dateien (v. 20) in \"" + Root() + PathSeparator() + "\" (u. Unterverz.) gefunden!");

    auto wav = Cli({"search", Root(), "--no-prj", "--wav", "--filter", "*vox*"});
    EXPECT_EQ(LineCount(wav.out), 2);
    EXPECT_TRUE(Has(wav.out, NativePath("PROJ003/AUDIO/VOX.WAV")));
    auto byName = Cli({"search", Root(), "--filter", "ballade", "--groups", "Status", "--compact"});
    EXPECT_EQ(LineCount(byName.out), 2);
    EXPECT_TRUE(Has(byName.out, "Status=++++---"));
}

TEST_F(FilesCli, SaveProjectBuildsTheNamedProjectFromTemplates) {
    const std::string r = Out({"save-project", Project("PROJ002"), Project("PROJ005"), "--name", "NEU", "--yes", "--info-files"});
    EXPECT_EQ(LastLine(r), "3584 Bytes wurden in Datei \"" + Project("PROJ005") + "\" geschrieben!");
    EXPECT_EQ(ReadBytes(card / "PROJ005/EFXDATA.ZDT"), ReadBytes(fs::path(SPURWERK_BIN_DIR) / "EFXDATA_VorlageR16.ZDT"));
    // A 24-bit project: its mono WAVs come from the 24-bit mono template.
    EXPECT_EQ(ReadBytes(card / "PROJ005/AUDIO/GESANG.WAV"),
              ReadBytes(fs::path(SPURWERK_BIN_DIR) / "WAV_Vorlage_1sec44kMONO24b.WAV"));
    EXPECT_TRUE(fs::exists(card / "PROJ005/PRJDATA___NEU_NAME.TXT"));
}

TEST_F(FilesCli, CopyInfoFilesEndMarksAndSeriesOnACardTree) {
    const std::string copy = Out({"copy", Path("PROJ001"), Path("COPY"), "--yes"});
    EXPECT_TRUE(Has(copy, "5 WAV-Audio-Dateien wurden kopiert."));
    fs::remove_all(card / "COPY");

    Out({"infofiles", "update", Root()});
    EXPECT_TRUE(fs::exists(card / "PROJ002/PRJDATA___BALLADE_NAME.TXT"));
    auto remove = Cli({"infofiles", "delete-all", Root()});
    EXPECT_EQ(LastLine(remove.out), "4 von 4 Pr.Name-Dateien in \"" + Root() + PathSeparator() + "\" (u.Unterverz.) gelöscht!");

    Out({"endmarks", Root(), "--yes"});
    EXPECT_TRUE(Has(Out({"marks", Project("PROJ002")}), "3 Projekt-Marken"));

    WriteText(card / "names.txt", "EINS\r\n\r\n");
    fs::create_directories(card / "NEW");
    const std::string series = Out({"series", Project("PROJ001"), Path("NEW"), "--start", "999", "--count", "3", "--names",
                                    Path("names.txt"), "--prefix", "SONG", "--yes"});
    EXPECT_EQ(LastLine(series), "3 Projekte wurden angelegt!");
    EXPECT_TRUE(fs::exists(card / "NEW/SONG999/AUDIO/TRACK01.WAV"));
    EXPECT_TRUE(Has(Out({"search", Path("NEW")}), "\"EINS\""));
}

}  // namespace
}  // namespace spurwerk::testing
