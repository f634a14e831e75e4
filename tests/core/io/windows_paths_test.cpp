// What files written on Windows bring along: backslashes and drive letters in
// paths, names that match in any letter case, Windows-1252 side files and
// non-ASCII file names. The Windows-only parts run in the Windows build.

#include <gtest/gtest.h>

#include <cctype>

#include "files/copy_project.h"
#include "io/file_copy.h"
#include "io/file_io.h"
#include "io/path_text.h"
#include "project/project_info.h"
#include "settings/input_history.h"
#include "test_bytes.h"
#include "test_files.h"

namespace spurwerk {
namespace {

using namespace testing;
namespace fs = std::filesystem;

TEST(WindowsPaths, BackslashesAndDriveLetters) {
#ifdef _WIN32
    EXPECT_EQ(ExtractFilePath("C:\\ZOOM\\PROJ001\\PRJDATA.ZDT"), "C:\\ZOOM\\PROJ001\\");
    EXPECT_EQ(ExtractFileName("C:\\ZOOM/PROJ001/PRJDATA.ZDT"), "PRJDATA.ZDT");
    EXPECT_EQ(ExtractFilePath("D:PRJDATA.ZDT"), "D:");
    EXPECT_EQ(AddTrailingBackslash("E:\\ZOOM/"), "E:\\ZOOM/");
    EXPECT_EQ(AddTrailingBackslash("E:"), "E:\\");
    EXPECT_EQ(AudioFolderOf("C:\\ZOOM\\PROJ001\\PRJDATA.ZDT"), "C:\\ZOOM\\PROJ001\\AUDIO");
    EXPECT_EQ(ResolveInProgramDir("C:\\Vorlagen\\Mono.WAV", "D:\\Spurwerk\\"), "C:\\Vorlagen\\Mono.WAV");
#endif
    // Whatever separators a path text mixes, reading and writing reach the same file.
    TempDir dir;
    std::string mixed = PathText(dir.path()) + PathSeparator() + "PROJ001/PRJDATA.ZDT";
    fs::create_directories(dir / "PROJ001");
    WriteFileAtomically(PathFromText(mixed), Bytes{1, 2, 3});
    EXPECT_EQ(ReadBytes(dir / "PROJ001" / "PRJDATA.ZDT"), (Bytes{1, 2, 3}));
    EXPECT_EQ(ExtractFileName(mixed), "PRJDATA.ZDT");
#ifdef _WIN32
    std::string backslashed = mixed;
    for (char& c : backslashed)
        if (c == '/') c = '\\';
    ASSERT_EQ(backslashed.substr(1, 2), ":\\");  // the temp folder carries a drive letter
    EXPECT_EQ(ReadWholeFile(PathFromText(backslashed)), (Bytes{1, 2, 3}));
    EXPECT_EQ(ExtractFilePath(backslashed), PathText(dir.path()) + "\\PROJ001\\");
#endif
}

TEST(WindowsPaths, NamesMatchInAnyLetterCase) {
#ifndef _WIN32
    GTEST_SKIP() << "only a file system that ignores letter case";
#else
    TempDir dir;
    fs::create_directories(dir / "AUDIO");
    WriteWav(dir / "AUDIO" / "track01.wav", 1500);
    WriteWav(dir / "AUDIO" / "Track02.Wav", 2500);
    EXPECT_EQ(LongestWavDuration(PathText(dir / "AUDIO")), 2500);
    // The file system ignores case, so the program must not tell these apart.
    WriteBytes(dir / "PRJDATA.ZDT", Bytes{0});
    EXPECT_TRUE(PathExists(PathText(dir / "prjdata.zdt")));
    std::string upper = PathText(dir.path()), lower = upper;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(IsSameFolder(upper + "\\AUDIO\\", lower + "\\audio"));
    std::error_code ec;
    EXPECT_EQ(CopyFileIfAbsent(dir / "PRJDATA.ZDT", dir / "prjdata.ZDT", ec), CopyOutcome::TargetExists);
#endif
}

// A history from another installation, in Windows-1252, naming a project
// folder with an umlaut that exists; written back the same way.
TEST(WindowsPaths, Windows1252HistoryNamingANonAsciiFolder) {
    TempDir dir;
    const std::string sep = PathSeparator();
    fs::create_directories(PathFromText(PathText(dir.path()) + sep + "Übung"));
    const std::string project = PathText(dir.path()) + sep + "Übung" + sep + "PRJDATA.ZDT";
    WriteBytes(PathFromText(project), Bytes(3400, 0));
    const std::string history = PathText(dir.path()) + sep + "\xDC" "bung" + sep + "PRJDATA.ZDT\r\nGr\xFC\xDF" "e\r\n";
    const fs::path file = PathFromText(PathText(dir.path()) + sep + "Lieder_Übung.HIS");
    WriteText(file, history);

    InputHistory hist;
    hist.OpenHistory(PathText(file));
    EXPECT_EQ(hist.Items(), (std::vector<std::string>{project, "Grüße"}));
    EXPECT_EQ(hist.CountNonExistent(), 1);  // only "Grüße" names no file
    hist.AddToHistory("Straße", "");
    EXPECT_EQ(ReadText(file), "Stra\xDF" "e\r\n" + history);
}

}  // namespace
}  // namespace spurwerk
