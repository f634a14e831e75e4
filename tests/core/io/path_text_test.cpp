#include <gtest/gtest.h>

#include <utility>

#include "io/path_text.h"

namespace spurwerk {
namespace {

const std::string Sep = PathSeparator();

TEST(PathText, ExtensionRule) {
    EXPECT_EQ(ChangeFileExt("dir" + Sep + "Spurwerk.exe", "_GUI.INI"), "dir" + Sep + "Spurwerk_GUI.INI");
    EXPECT_EQ(ChangeFileExt("dir" + Sep + "Spurwerk", "_GUI.INI"), "dir" + Sep + "Spurwerk_GUI.INI");
    // A dot in a folder name is no extension.
    EXPECT_EQ(ChangeFileExt("a.b" + Sep + "prog", ".X"), "a.b" + Sep + "prog.X");
    EXPECT_EQ(ChangeFileExt("x.tar.gz", ".Y"), "x.tar.Y");
    EXPECT_EQ(ChangeFileExt("Spurwerk_GUI.INI", "_"), "Spurwerk_GUI_");

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

}  // namespace
}  // namespace spurwerk
