// Recorder names in any letter case, and the one rule for what is a WAV file.

#include <gtest/gtest.h>

#include <optional>

#include "io/name_lookup.h"
#include "io/wav_files.h"
#include "test_files.h"

namespace spurwerk {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::WriteText;

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
