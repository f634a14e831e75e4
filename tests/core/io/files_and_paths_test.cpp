// Files as a card or a hostile tree offers them: FIFOs and devices named like
// project and WAV files, links, a card that fills up, files of another owner;
// path texts, recorder names in any letter case, the one rule for what is a
// WAV file, and the paths files written on Windows bring along (those parts
// run in the Windows build).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <utility>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "io/directory_walk.h"
#include "io/file_copy.h"
#include "io/file_io.h"
#include "io/name_lookup.h"
#include "io/path_text.h"
#include "io/wav_files.h"
#include "project/project_info.h"
#include "project/wav_header.h"
#include "test_files.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

namespace fs = std::filesystem;
using namespace testing;

const std::string Sep = PathSeparator();

struct FileFaults : ::testing::Test {
    TempDir dir;
};

// The one rule every settings and project file relies on: a write that fails
// leaves the old file byte for byte and nothing beside it.
TEST_F(FileFaults, AFailedWriteLeavesTheOldFileAndNothingElse) {
    const fs::path file = dir / "Spurwerk.INI";
    WriteText(file, "old");
    {
        FullCard full;
        const std::string error = FileErrorText([&] { WriteFileAtomically(file, std::string(4096, 'x')); });
        EXPECT_NE(error.find("Spurwerk.INI"), std::string::npos) << error;
    }
    EXPECT_EQ(ReadText(file), "old");
    EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"Spurwerk.INI"});

    // A read-only file and a missing folder are refused before anything is written.
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_THROW(WriteFileAtomically(file, std::string("new")), FileError);
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(ReadText(file), "old");
    EXPECT_THROW(WriteFileAtomically(dir / "gone" / "x.ini", std::string("new")), FileError);
    EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"Spurwerk.INI"});
    // Reads take a file of exactly the size limit.
    EXPECT_EQ(ReadWholeFile(file, 3).size(), 3u);
    EXPECT_THROW(ReadWholeFile(file, 2), FileError);
}

#ifndef _WIN32
TEST_F(FileFaults, FifosAndDevicesAreRefusedWithoutBlocking) {
    MakeFifo(dir / "PRJDATA.ZDT");
    MakeFifo(dir / "TAKE.WAV");
    fs::create_symlink("/dev/zero", dir / "ZERO.WAV");
    for (const char* name : {"PRJDATA.ZDT", "TAKE.WAV", "ZERO.WAV"}) {
        SCOPED_TRACE(name);
        const fs::path path = dir / name;
        ExpectNoBlockOnFifo(path, [&] {
            const std::string error = FileErrorText([&] { ReadWholeFile(path); });
            EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
            EXPECT_THROW(ReadFileHead(path, 60), FileError);
            WavHeader header = ReadWavHeader(PathText(path));
            EXPECT_FALSE(header.IsValid());
            EXPECT_EQ(header.fileSize, -1);
            std::error_code ec;
            EXPECT_EQ(CopyFileIfAbsent(path, dir / "COPY.WAV", ec), CopyOutcome::Failed);
            EXPECT_EQ(ec, NotARegularFileError());
        });
    }
    EXPECT_FALSE(fs::exists(dir / "COPY.WAV"));
}

TEST_F(FileFaults, ASaveThroughALinkWritesTheRealFileInItsFolder) {
    WriteText(dir / "store" / "PRJDATA.ZDT", "old");
    fs::create_directories(dir / "PROJ001");
    const fs::path link = dir / "PROJ001" / "PRJDATA.ZDT";
    fs::create_symlink("../store/PRJDATA.ZDT", link);
    WriteFileAtomically(link, std::string("new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadText(dir / "store" / "PRJDATA.ZDT"), "new");
    EXPECT_EQ(NamesIn(dir / "store"), std::vector<std::string>{"PRJDATA.ZDT"});

    WriteText(dir / "other.zdt", "copied");
    CopyFileReplacing(dir / "other.zdt", link);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadText(dir / "store" / "PRJDATA.ZDT"), "copied");
}

TEST_F(FileFaults, ASaveKeepsOwnerGroupAndMode) {
    const fs::path file = dir / "PRJDATA.ZDT";
    WriteText(file, "old");
    const bool root = geteuid() == 0;  // only root can give a file away
    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    ASSERT_EQ(root ? chown(file.c_str(), 1234, 1234) : 0, 0);
    WriteFileAtomically(file, std::string("new"));
    struct stat info;
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    const auto owner = std::make_pair(info.st_uid, info.st_gid);
    EXPECT_EQ(owner, root ? std::make_pair(uid_t{1234}, gid_t{1234}) : owner);
}

TEST_F(FileFaults, AFullCardGivesTheSystemsReasonAndLeavesNothing) {
    SmallTmpfs card(256);
    if (!card.mounted()) GTEST_SKIP() << "a tmpfs card needs root";
    WriteText(card.path() / "PRJDATA.ZDT", "old");
    card.Fill();
    const std::string error =
        FileErrorText([&] { WriteFileAtomically(card.path() / "PRJDATA.ZDT", Bytes(64 * 1024, 1)); });
    EXPECT_NE(error.find("No space left on device"), std::string::npos) << error;
    WriteBytes(dir / "A.WAV", Bytes(64 * 1024, 2));
    std::error_code ec;
    EXPECT_EQ(CopyFileIfAbsent(dir / "A.WAV", card.path() / "A.WAV", ec), CopyOutcome::Failed);
    EXPECT_EQ(ec, std::errc::no_space_on_device) << ec.message();
    EXPECT_EQ(NamesIn(card.path()), (std::vector<std::string>{"PRJDATA.ZDT", "filler"}));
}
#endif

TEST_F(FileFaults, TemporaryFilesAreHiddenAndNeverProjectFiles) {
    for (const char* target : {"PRJDATA.ZDT", "PROJ001/PRJDATA.ZDT", "AUDIO/TAKE.WAV"}) {
        fs::path temp = TempNameBeside(fs::path(target));
        std::string name = PathText(temp.filename());
        EXPECT_EQ(temp.parent_path(), fs::path(target).parent_path());
        EXPECT_EQ(name[0], '.') << name;
        EXPECT_FALSE(IsProjectFileName(UpperAscii(name))) << name;
    }
}

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

TEST_F(FileFaults, NameLookupTakesTheExactSpellingFirstThenAnyCase) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows ignores letter case in file names, so no second spelling can exist";
#endif
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

// A folder listed once answers as the lookup that lists it each time.
TEST_F(FileFaults, FolderNamesAnswersAsTheLookupAndLearnsNewEntries) {
    bool caseSensitive = true;
#ifdef _WIN32
    caseSensitive = false;
#endif
    for (const char* name : {"AUDIO", "Efxdata.zdt", "b.wav"}) fs::create_directories(dir / name);
    if (caseSensitive)
        for (const char* name : {"audio", "efxdata.ZDT"}) fs::create_directories(dir / name);
    const std::string folder = PathText(dir.path()) + Sep;
    FolderNames listed(folder);
    // Where letter case is ignored, the lookup may answer with the asked
    // spelling of the one entry; both must name that same entry.
    const auto upper = [](std::optional<std::string> text) {
        if (text) std::transform(text->begin(), text->end(), text->begin(), [](unsigned char c) { return std::toupper(c); });
        return text;
    };
    for (const char* name : {"AUDIO", "audio", "Audio", "EFXDATA.ZDT", "efxdata.zdt", "B.WAV", "PRJDATA.ZDT"}) {
        if (caseSensitive)
            EXPECT_EQ(listed.Find(name), FindNameIgnoringCase(folder, name)) << name;
        else
            EXPECT_EQ(upper(listed.Find(name)), upper(FindNameIgnoringCase(folder, name))) << name;
    }
    EXPECT_EQ(listed.PathOf("PRJDATA.ZDT"), folder + "PRJDATA.ZDT");
    EXPECT_EQ(listed.PathOf("B.WAV"), folder + "b.wav");
    listed.Add("NEW.WAV");
    EXPECT_EQ(listed.Find("new.wav"), "NEW.WAV");
    EXPECT_EQ(FolderNames(folder + "missing" + Sep).Find("AUDIO"), std::nullopt);
}

TEST_F(FileFaults, WavListingHasRegularFilesWithAWavExtensionInAnyCaseSortedByName) {
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

TEST_F(FileFaults, WindowsBackslashesAndDriveLetters) {
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
    // The file system ignores letter case, so the program must not tell names apart by it.
    EXPECT_TRUE(PathExists(PathText(dir / "proj001" / "prjdata.zdt")));
    std::error_code ec;
    EXPECT_EQ(CopyFileIfAbsent(dir / "PROJ001" / "PRJDATA.ZDT", dir / "proj001" / "Prjdata.ZDT", ec),
              CopyOutcome::TargetExists);
#endif
}

}  // namespace
}  // namespace spurwerk
