// Projects into archives and back: every byte, every layout, the names of
// the card, the numbers of a card, the questions.

#include <gtest/gtest.h>

#include "archive/project_archive.h"
#include "archive_test_files.h"
#include "scripted_dialogs.h"
#include "settings/ui_texts.h"
#include "test_files.h"
#include "ui/errors.h"

namespace spurwerk::testing {
namespace {

namespace fs = std::filesystem;

struct WavCase {
    const char* name;  // as on the card (Windows-1252 bytes allowed)
    ArchiveWav wav;
    FileStorage stored;
};

std::vector<WavCase> EveryLayout() {
    const ArchiveWav mono16{{.rate = 44100}};
    ArchiveWav chunks = mono16;
    chunks.shape.chunksBeforeData = {Chunk("LIST", 26), Chunk("bext", 7)};
    chunks.shape.chunksAfterData = {Chunk("junk", 3), TextBytes("x")};
    return {
        {"MONO-000.WAV", mono16, FileStorage::Flac},
        {"STE-001.WAV", {{.channels = 2, .rate = 44100}, 3000}, FileStorage::Flac},
        {"MONO-002.WAV", {{.rate = 44100, .bits = 24}, 2000}, FileStorage::Flac},
        {"STE-003.WAV", {{.channels = 2, .bits = 24, .extensible = true}, 1500}, FileStorage::Flac},
        {"CHUNKS.WAV", chunks, FileStorage::Flac},
        {"RF64.WAV", {{.container = "RF64", .channels = 2, .rate = 44100}, 700}, FileStorage::Flac},
        {"EMPTY.WAV", {{.rate = 44100}, 0}, FileStorage::Raw},
        // claims 6000 bytes, a third of a frame hangs over
        {"CUT.WAV", {{.rate = 44100, .bits = 24}, 2000, 4000}, FileStorage::Flac},
        {"FLOAT.WAV", {{.channels = 2, .rate = 44100, .bits = 32, .isFloat = true}, 300}, FileStorage::Raw},
        {"EIGHT.WAV", {{.rate = 22050, .bits = 8}, 301}, FileStorage::Raw},
        {"\xC4RGER.WAV", mono16, FileStorage::Flac},  // "ÄRGER" in Windows-1252
    };
}

// The files of a project folder but its info file, which names its own path.
std::vector<std::pair<std::string, Bytes>> WithoutInfoFile(std::vector<std::pair<std::string, Bytes>> files) {
    std::erase_if(files, [](const auto& f) { return f.first.find("_NAME.TXT") != std::string::npos; });
    return files;
}

class ArchiveRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        InitUiTexts();
        ProjectSetup setup;
        setup.name = "S\xFC\xDF";  // "Süß" in Windows-1252
        setup.wavNames = {"MONO-000.WAV", "STE-001.WAV", "", "\xC4RGER.WAV"};
        setup.masterWav = "MASTR000.WAV";
        setup.marks = {1000, 2500};
        project = card / "PROJ001";
        fs::create_directories(project / "AUDIO");
        WriteBytes(project / "PRJDATA.ZDT", ProjectBytes(setup));
        WriteBytes(project / "EFXDATA.ZDT", NoiseBytes(1234));
        WriteText(project / "PRJDATA___S\xFC\xDF_NAME.TXT", "/old/card/PROJ001/PRJDATA___S\xFC\xDF_NAME.TXT\r\n");
        for (const WavCase& c : EveryLayout()) WriteBytes(project / "AUDIO" / c.name, BuildWav(c.wav));
        WriteBytes(project / "AUDIO" / "MASTR000.WAV", BuildWav(ArchiveWav{{.channels = 2, .rate = 44100}, 900}));
        original = FolderContents(project);
        fs::create_directories(store.path());
    }

    ArchiveResult Archive(ArchiveOptions options = {}) {
        options.date = "2026-12-06";
        return ArchiveProject(project, store.path(), options, dialogs);
    }

    TempDir card, store;
    fs::path project;
    std::vector<std::pair<std::string, Bytes>> original;
    ScriptedDialogs dialogs;
};

TEST_F(ArchiveRoundTrip, EveryByteComesBackAndEachWavIsStoredAsItCan) {
    ArchiveResult result = Archive();
    ASSERT_EQ(result.archive, store.path() / "PROJ001_Suss_2026-12-06.tar");
    EXPECT_EQ(result.archiveBytes, std::filesystem::file_size(result.archive));
    const ArchiveManifest& m = result.manifest;
    EXPECT_EQ(m.folder, "PROJ001");
    EXPECT_EQ(m.project, "S\xFC\xDF");
    EXPECT_TRUE(m.infoFile);
    EXPECT_EQ(m.marks, (std::vector<std::int32_t>{1000, 2500}));
    ASSERT_EQ(m.tracks.size(), 4u);
    EXPECT_EQ(m.tracks[2].track, 4);
    EXPECT_EQ(m.tracks[2].wav, "\xC4RGER.WAV");
    EXPECT_EQ(m.tracks[3].track, 0);
    for (const WavCase& c : EveryLayout()) {
        auto it = std::find_if(m.files.begin(), m.files.end(),
                               [&](const ArchivedFile& f) { return f.path == std::string("AUDIO/") + c.name; });
        ASSERT_NE(it, m.files.end()) << c.name;
        EXPECT_EQ(it->storage, c.stored) << c.name << ": " << it->rawReason;
    }
    // The manifest read back from the file is the same.
    ArchiveManifest read = ReadArchiveManifest(result.archive);
    EXPECT_EQ(read.files.size(), m.files.size());
    EXPECT_EQ(read.files.back().sha256, m.files.back().sha256);
    EXPECT_EQ(read.project, m.project);
    EXPECT_NO_THROW(VerifyArchive(result.archive));

    RestoreResult restored = RestoreArchive(result.archive, card.path(), {}, dialogs);
    ASSERT_EQ(restored.folder, card.path() / "PROJ002");
    auto back = FolderContents(restored.folder);
    // A new info file naming the restored path, everything else byte for byte.
    std::string info = "PRJDATA___S\xFC\xDF_NAME.TXT";
    auto infoFile = std::find_if(back.begin(), back.end(), [&](const auto& f) { return f.first == info; });
    ASSERT_NE(infoFile, back.end());
    EXPECT_EQ(std::string(infoFile->second.begin(), infoFile->second.end()), (restored.folder / info).string() + "\r\n");
    back.erase(infoFile);
    EXPECT_EQ(back, WithoutInfoFile(original));
    // The card itself was only read.
    EXPECT_EQ(FolderContents(project), original);
}

TEST_F(ArchiveRoundTrip, CompressionLevelsAllDecodeToTheSameBytes) {
    std::uint64_t fastest = 0, smallest = 0;
    for (int level : {0, 8}) {
        ArchiveOptions options;
        options.flacLevel = level;
        dialogs.messageAnswers = {ResultYes};  // the second run replaces the first archive
        ArchiveResult result = Archive(options);
        ASSERT_FALSE(result.archive.empty());
        (level == 0 ? fastest : smallest) = result.archiveBytes;
        EXPECT_EQ(ReadArchiveManifest(result.archive).flacLevel, level);
        RestoreOptions into;
        into.number = 10 + level;
        fs::path folder = RestoreArchive(result.archive, card.path(), into, dialogs).folder;
        EXPECT_EQ(WithoutInfoFile(FolderContents(folder)), WithoutInfoFile(original)) << "level " << level;
    }
    EXPECT_LT(smallest, fastest);
    ArchiveOptions bad;
    bad.flacLevel = 9;
    EXPECT_THROW(Archive(bad), FileError);
}

TEST_F(ArchiveRoundTrip, ExtractsSingleTracksAsWavOrFlac) {
    ArchiveResult result = Archive();
    TempDir out;
    struct Case {
        std::string which;
        bool flac;
        std::string file;
    };
    const Case cases[] = {
        {"1", false, "MONO-000.WAV"},
        {"4", false, "\xC4RGER.WAV"},
        {"master", true, "MASTR000.WAV.flac"},
        {"STE-001.WAV", true, "STE-001.WAV.flac"},
        {"AUDIO/FLOAT.WAV", false, "FLOAT.WAV"},
    };
    for (const Case& c : cases) {
        fs::path file = ExtractFromArchive(result.archive, c.which, out.path(), c.flac);
        EXPECT_EQ(file, out.path() / c.file) << c.which;
        Bytes bytes = ReadBytes(file);
        if (c.flac) EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "fLaC") << c.which;
        else EXPECT_EQ(bytes, ReadBytes(project / "AUDIO" / c.file)) << c.which;
    }
    EXPECT_THROW(ExtractFromArchive(result.archive, "3", out.path(), false), FileError);  // no WAV on track 3
    EXPECT_THROW(ExtractFromArchive(result.archive, "FLOAT.WAV", out.path(), true), FileError);  // stored raw
    EXPECT_THROW(ExtractFromArchive(result.archive, "1", out.path(), false), FileError);  // exists already
}

TEST_F(ArchiveRoundTrip, RestoreTakesTheLowestFreeNumberInTheCardsSpelling) {
    ArchiveResult result = Archive();
    struct Case {
        std::vector<std::string> folders;
        std::string expected;
    };
    const Case cases[] = {
        {{}, "PROJ001"},
        {{"PROJ001", "PROJ002", "PROJ004"}, "PROJ003"},
        {{"proj001", "proj002"}, "proj003"},
        {{"proj001", "PROJ002"}, "PROJ003"},
        {{"PROJ001", "PROJ1", "PROJECT", "PROJ02a"}, "PROJ002"},
    };
    for (const Case& c : cases) {
        TempDir other;
        for (const std::string& f : c.folders) fs::create_directory(other / f);
        RestoreResult r = RestoreArchive(result.archive, other.path(), {}, dialogs);
        EXPECT_EQ(r.folder, other / c.expected) << c.expected;
        EXPECT_TRUE(fs::exists(r.folder / "AUDIO" / "MONO-000.WAV"));
    }
}

TEST_F(ArchiveRoundTrip, AnExistingProjectIsReplacedOnlyAfterYes) {
    ArchiveResult result = Archive();
    fs::create_directory(card / "proj007");
    WriteText(card / "proj007" / "KEEP.TXT", "mine");
    RestoreOptions into;
    into.number = 7;
    dialogs.messageAnswers = {ResultNo};
    EXPECT_TRUE(RestoreArchive(result.archive, card.path(), into, dialogs).folder.empty());
    dialogs.messageAnswers = {ResultCancel};
    EXPECT_THROW(RestoreArchive(result.archive, card.path(), into, dialogs), SilentAbort);
    EXPECT_EQ(ReadText(card / "proj007" / "KEEP.TXT"), "mine");
    dialogs.messageAnswers = {ResultYes};
    RestoreResult r = RestoreArchive(result.archive, card.path(), into, dialogs);
    EXPECT_EQ(r.folder, card / "proj007");
    EXPECT_FALSE(fs::exists(card / "proj007" / "KEEP.TXT"));
    EXPECT_EQ(ReadBytes(card / "proj007" / "PRJDATA.ZDT"), ReadBytes(project / "PRJDATA.ZDT"));
    EXPECT_EQ(dialogs.CountAsked("message"), 3);
    // Nothing else beside the card's folders: no temporary leftovers.
    EXPECT_EQ(NamesIn(card.path()), (std::vector<std::string>{"PROJ001", "proj007"}));
}

TEST_F(ArchiveRoundTrip, AnExistingArchiveIsReplacedOnlyAfterYesAndRemovalWaitsForProof) {
    ArchiveResult first = Archive();
    Bytes before = ReadBytes(first.archive);
    ArchiveOptions remove;
    remove.removeAfter = true;
    dialogs.messageAnswers = {ResultNo};
    ArchiveResult declined = Archive(remove);
    EXPECT_TRUE(declined.archive.empty());
    EXPECT_FALSE(declined.removed);
    EXPECT_TRUE(fs::exists(project / "PRJDATA.ZDT"));
    EXPECT_EQ(ReadBytes(first.archive), before);
    dialogs.messageAnswers = {ResultYes};
    ArchiveResult removed = Archive(remove);
    EXPECT_TRUE(removed.removed);
    EXPECT_FALSE(fs::exists(project));
    EXPECT_TRUE(NamesIn(card.path()).empty());
    fs::path back = RestoreArchive(removed.archive, card.path(), {}, dialogs).folder;
    EXPECT_EQ(back, project);
    EXPECT_EQ(WithoutInfoFile(FolderContents(back)), WithoutInfoFile(original));
}

TEST_F(ArchiveRoundTrip, FindsEveryProjectOfACard) {
    fs::create_directories(card / "BACKUP" / "PROJ009");
    fs::copy_file(project / "PRJDATA.ZDT", card / "BACKUP" / "PROJ009" / "prjdata.zdt");
    fs::create_directories(card / ".Trash" / "PROJ003");
    fs::copy_file(project / "PRJDATA.ZDT", card / ".Trash" / "PROJ003" / "PRJDATA.ZDT");
    auto folders = ProjectFoldersBelow(card.path());
    std::sort(folders.begin(), folders.end());
    EXPECT_EQ(folders, (std::vector<fs::path>{card / "BACKUP" / "PROJ009", project}));
    EXPECT_EQ(ProjectFolderOf(project / "PRJDATA.ZDT"), project);
    EXPECT_EQ(ProjectFolderOf(card / "BACKUP"), std::nullopt);
    EXPECT_EQ(ArchiveFileName("PROJ001", "MY SONG/1", "2026-12-06"), "PROJ001_MY_SONG_1_2026-12-06.tar");
    EXPECT_EQ(ArchiveFileName("PROJ001", "", "2026-12-06"), "PROJ001_2026-12-06.tar");
    EXPECT_EQ(ArchiveFileName("PROJ001", "\xC4rger\xE9", "2026-12-06"), "PROJ001_Argere_2026-12-06.tar");
}

TEST_F(ArchiveRoundTrip, CancelLeavesNothingBehind) {
    int calls = 0;
    EXPECT_THROW(ArchiveProject(project, store.path(), {}, dialogs, [&](std::uint64_t, std::uint64_t) { return ++calls < 3; }),
                 SilentAbort);
    EXPECT_TRUE(NamesIn(store.path()).empty());
    ArchiveResult result = Archive();
    calls = 0;
    EXPECT_THROW(RestoreArchive(result.archive, card.path(), {}, dialogs, [&](std::uint64_t, std::uint64_t) { return ++calls < 3; }),
                 SilentAbort);
    EXPECT_EQ(NamesIn(card.path()), std::vector<std::string>{"PROJ001"});
}

}  // namespace
}  // namespace spurwerk::testing
