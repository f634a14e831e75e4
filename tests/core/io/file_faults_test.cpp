// Files as a card or a hostile tree offers them: FIFOs and devices named like
// project and WAV files, links, a card that fills up, files of another owner.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "io/directory_walk.h"
#include "io/file_copy.h"
#include "io/file_io.h"
#include "io/path_text.h"
#include "project/wav_header.h"
#include "test_files.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

namespace fs = std::filesystem;
using namespace testing;

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(PathText(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

// The one rule every settings and project file relies on: a write that fails
// leaves the old file byte for byte and nothing beside it.
TEST(FileFaults, AFailedWriteLeavesTheOldFileAndNothingElse) {
    TempDir dir;
    const fs::path file = dir / "Spurwerk.INI";
    WriteText(file, "old");
    SetWriteFaultHook([](const fs::path&) { return std::make_error_code(std::errc::no_space_on_device); });
    try {
        WriteFileAtomically(file, std::string(4096, 'x'));
        ADD_FAILURE() << "the injected fault must fail the write";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("Spurwerk.INI"), std::string::npos) << e.what();
    }
    SetWriteFaultHook(nullptr);
    EXPECT_EQ(ReadText(file), "old");
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"Spurwerk.INI"});

    // A read-only file and a missing folder are refused before anything is written.
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_THROW(WriteFileAtomically(file, std::string("new")), FileError);
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(ReadText(file), "old");
    EXPECT_THROW(WriteFileAtomically(dir / "gone" / "x.ini", std::string("new")), FileError);
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"Spurwerk.INI"});
}

TEST(FileFaults, ReadWholeFileTakesExactlyTheLimit) {
    TempDir dir;
    WriteBytes(dir / "f", Bytes(10, 7));
    EXPECT_EQ(ReadWholeFile(dir / "f", 10), Bytes(10, 7));
    EXPECT_THROW(ReadWholeFile(dir / "f", 9), FileError);
}

#ifndef _WIN32
TEST(FileFaults, FifosAndDevicesAreRefusedWithoutBlocking) {
    TempDir dir;
    MakeFifo(dir / "PRJDATA.ZDT");
    MakeFifo(dir / "TAKE.WAV");
    fs::create_symlink("/dev/zero", dir / "ZERO.WAV");
    for (const char* name : {"PRJDATA.ZDT", "TAKE.WAV", "ZERO.WAV"}) {
        SCOPED_TRACE(name);
        const fs::path path = dir / name;
        ExpectNoBlockOnFifo(path, [&] {
            try {
                ReadWholeFile(path);
                ADD_FAILURE() << "read a FIFO or device as a file";
            } catch (const FileError& e) {
                EXPECT_NE(std::string(e.what()).find("not a regular file"), std::string::npos) << e.what();
            }
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

TEST(FileFaults, ASaveThroughALinkWritesTheRealFileInItsFolder) {
    TempDir dir;
    WriteText(dir / "store" / "PRJDATA.ZDT", "old");
    fs::create_directories(dir / "PROJ001");
    const fs::path link = dir / "PROJ001" / "PRJDATA.ZDT";
    fs::create_symlink("../store/PRJDATA.ZDT", link);
    WriteFileAtomically(link, std::string("new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadText(dir / "store" / "PRJDATA.ZDT"), "new");
    EXPECT_EQ(Names(dir / "store"), std::vector<std::string>{"PRJDATA.ZDT"});

    WriteText(dir / "other.zdt", "copied");
    CopyFileReplacing(dir / "other.zdt", link);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadText(dir / "store" / "PRJDATA.ZDT"), "copied");
}

TEST(FileFaults, ASaveKeepsOwnerGroupAndMode) {
    TempDir dir;
    const fs::path file = dir / "PRJDATA.ZDT";
    WriteText(file, "old");
    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chown(file.c_str(), 1234, 1234), 0);
    }
    WriteFileAtomically(file, std::string("new"));
    struct stat info;
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    if (!root) GTEST_SKIP() << "owner and group only checked as root";
    EXPECT_EQ(info.st_uid, 1234u);
    EXPECT_EQ(info.st_gid, 1234u);
}

// A real card that fills up: the system's reason reaches the user.
TEST(FileFaults, AFullCardGivesTheSystemsReasonAndLeavesNothing) {
    SmallTmpfs card(256);
    if (!card.mounted()) GTEST_SKIP() << "a tmpfs card needs root";
    WriteText(card.path() / "PRJDATA.ZDT", "old");
    card.Fill();
    try {
        WriteFileAtomically(card.path() / "PRJDATA.ZDT", Bytes(64 * 1024, 1));
        ADD_FAILURE() << "a full card must fail the save";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("No space left on device"), std::string::npos) << e.what();
    }
    TempDir source;
    WriteBytes(source / "A.WAV", Bytes(64 * 1024, 2));
    std::error_code ec;
    EXPECT_EQ(CopyFileIfAbsent(source / "A.WAV", card.path() / "A.WAV", ec), CopyOutcome::Failed);
    EXPECT_EQ(ec, std::errc::no_space_on_device) << ec.message();
    EXPECT_EQ(Names(card.path()), (std::vector<std::string>{"PRJDATA.ZDT", "filler"}));
}
#endif

TEST(FileFaults, TemporaryFilesAreHiddenAndNeverProjectFiles) {
    for (const char* target : {"PRJDATA.ZDT", "PROJ001/PRJDATA.ZDT", "AUDIO/TAKE.WAV"}) {
        fs::path temp = TempNameBeside(fs::path(target));
        std::string name = PathText(temp.filename());
        EXPECT_EQ(temp.parent_path(), fs::path(target).parent_path());
        EXPECT_EQ(name[0], '.') << name;
        EXPECT_FALSE(IsProjectFileName(UpperAscii(name))) << name;
    }
}

TEST(FileFaults, FoldersMadeByAFailedOperationAreTakenAway) {
    TempDir dir;
    {
        MadeFolders made;
        made.Create(dir / "PROJ001" / "AUDIO");
        WriteText(dir / "PROJ001" / "PRJDATA.ZDT", "half");
        EXPECT_TRUE(fs::is_directory(dir / "PROJ001" / "AUDIO"));
    }
    EXPECT_FALSE(fs::exists(dir / "PROJ001"));
    {
        MadeFolders made;
        made.Create(dir / "PROJ002" / "AUDIO");
        made.Keep();
    }
    EXPECT_TRUE(fs::is_directory(dir / "PROJ002" / "AUDIO"));
    // A folder that existed before is never taken away.
    {
        MadeFolders made;
        made.Create(dir / "PROJ002" / "AUDIO");
    }
    EXPECT_TRUE(fs::is_directory(dir / "PROJ002" / "AUDIO"));
}

}  // namespace
}  // namespace spurwerk
