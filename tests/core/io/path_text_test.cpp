// Path texts, recorder names in any letter case, and the one rule for what is a WAV file.

#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "io/name_lookup.h"
#include "io/path_text.h"
#include "io/wav_files.h"
#include "test_files.h"

namespace spurwerk {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::WriteText;

const std::string Sep = PathSeparator();

TEST(PathText, ExtensionRule) {
    EXPECT_EQ(ChangeFileExt("dir" + Sep + "Spurwerk.exe", "_GUI.INI"), "dir" + Sep + "Spurwerk_GUI.INI");
    EXPECT_EQ(ChangeFileExt("dir" + Sep + "Spurwerk", "_GUI.INI"), "dir" + Sep + "Spurwerk_GUI.INI");
    // A dot in a folder name is no extension.
    EXPECT_EQ(ChangeFileExt("a.b" + Sep + "prog", ".X"), "a.b" + Sep + "prog.X");
    EXPECT_EQ(ChangeFileExt("x.tar.gz", ".Y"), "x.tar.Y");

    const std::pair<std::string, const char*> extensions[] = {
        {"x" + Sep + "song.wav", ".wav"}, {"a.b" + Sep + "prog", ""}, {"x.tar.gz", ".gz"}, {"name.", "."},
    };
    for (const auto& [name, extension] : extensions) EXPECT_EQ(ExtractFileExt(name), extension) << name;
    EXPECT_TRUE(HasFileExt("take.Wav", ".WAV"));
    EXPECT_FALSE(HasFileExt("take.WAV.bak", ".WAV"));
    EXPECT_FALSE(HasFileExt("WAV", ".WAV"));
}

TEST(PathText, ResolveInProgramDir) {
    const std::string dir = "base" + Sep;
    EXPECT_EQ(ResolveInProgramDir("MyMono.WAV", dir), dir + "MyMono.WAV");
    EXPECT_EQ(ResolveInProgramDir("x" + Sep + "MyMono.WAV", dir), "x" + Sep + "MyMono.WAV");
    EXPECT_EQ(ResolveInProgramDir(Sep + "abs.WAV", dir), Sep + "abs.WAV");
#ifdef _WIN32
    EXPECT_EQ(ResolveInProgramDir("D:file.WAV", dir), "D:file.WAV");
#endif
}

TEST(NameLookup, ExactSpellingFirstThenAnyCase) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows ignores letter case in file names, so no second spelling can exist";
#endif
    TempDir dir;
    for (const char* name : {"AUDIO", "audio", "Efxdata.zdt", "efxdata.ZDT"}) fs::create_directories(dir / name);
    const std::string folder = dir.path().string() + "/";
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"AUDIO", "AUDIO"}, {"audio", "audio"}, {"Audio", "AUDIO"},  // name order: upper case first
        {"EFXDATA.ZDT", "Efxdata.zdt"}, {"PRJDATA.ZDT", std::nullopt},
    };
    for (const auto& [name, found] : cases) EXPECT_EQ(FindNameIgnoringCase(folder, name), found) << name;
    EXPECT_EQ(PathIgnoringCase(folder, "PRJDATA.ZDT"), folder + "PRJDATA.ZDT");
    EXPECT_EQ(FindNameIgnoringCase(folder + "missing/", "AUDIO"), std::nullopt);
}

TEST(WavListing, RegularFilesWithAWavExtensionInAnyCaseSortedByName) {
    TempDir dir;
    for (const char* name : {"b.wav", "A.WAV", "c.Wav", "notes.txt", "wav", "x.wav.bak"}) WriteText(dir / name, "x");
    fs::create_directories(dir / "folder.wav");
#ifndef _WIN32
    fs::create_symlink(dir / "A.WAV", dir / "linked.wav");
    fs::create_symlink(dir / "folder.wav", dir / "linkedfolder.wav");
    fs::create_symlink(dir / "gone", dir / "dangling.wav");
    const std::vector<std::string> expected = {"A.WAV", "b.wav", "c.Wav", "linked.wav"};
#else
    const std::vector<std::string> expected = {"A.WAV", "b.wav", "c.Wav"};
#endif
    EXPECT_EQ(WavFilesIn(dir.path().string()), expected);
    EXPECT_TRUE(WavFilesIn((dir / "missing").string()).empty());
    EXPECT_TRUE(ContainsFileName(expected, "C.WAV"));
    EXPECT_FALSE(ContainsFileName(expected, "C.WA"));
}

}  // namespace
}  // namespace spurwerk
