// spurwerk-cli archive: the demo card into archives and back, as a user runs it.

#include <gtest/gtest.h>

#include "cli_test.h"

namespace spurwerk::testing {
namespace {

namespace fs = std::filesystem;

class ArchiveCli : public CliOnCard {
protected:
    fs::path OnlyArchiveOf(const std::string& folder) const {
        for (const auto& e : fs::directory_iterator(store.path()))
            if (e.path().filename().string().rfind(folder + "_", 0) == 0) return e.path();
        return {};
    }
    TempDir store;
};

#ifdef SPURWERK_HAVE_ARCHIVE

TEST_F(ArchiveCli, TheWholeCardGoesIntoArchivesAndComesBackByteForByte) {
    const std::string r = Out({"archive", Root(), "--to", store.path().string(), "--level", "8"});
    // Four projects below the card (one in BACKUP), one archive each, each verified.
    EXPECT_EQ(std::count(r.begin(), r.end(), '\n'), 4) << r;
    EXPECT_TRUE(Has(r, "geprüft"));
    fs::path archive = OnlyArchiveOf("PROJ001");
    ASSERT_FALSE(archive.empty());
    EXPECT_TRUE(Has(archive.filename().string(), "PROJ001_SONG1_"));

    EXPECT_TRUE(Has(Cli({"archive", "--list", archive.string()}).out, "Projekt: SONG1"));
    auto manifest = Parsed(Cli({"archive", "--list", archive.string(), "--json"}));
    EXPECT_EQ(manifest["folder"], "PROJ001");
    EXPECT_EQ(Cli({"archive", "--verify", archive.string()}).exitCode, 0);

    TempDir other;
    auto restore = Cli({"archive", "--restore", archive.string(), "--card", other.path().string(), "--info-files"});
    ASSERT_EQ(restore.exitCode, 0) << restore.err;
    // Byte for byte, and the info file asked for beside them.
    EXPECT_TRUE(fs::remove(other / "PROJ001/PRJDATA___SONG1_NAME.TXT"));
    EXPECT_EQ(FolderContents(other / "PROJ001"), FolderContents(card / "PROJ001"));
    // The same number again is a question: without an answer an error, --no keeps it.
    EXPECT_TRUE(Fails(Cli({"archive", "--restore", archive.string(), "--card", other.path().string(), "--number", "1"}),
                      "--yes oder --no"));
    EXPECT_TRUE(Fails(Cli({"archive", "--restore", archive.string(), "--card", other.path().string(), "--number", "1", "--no"}),
                      "nichts zurückgeholt"));
    auto next = Parsed(Cli({"archive", "--restore", archive.string(), "--card", other.path().string(), "--json"}));
    EXPECT_TRUE(Has(next["folder"].get<std::string>(), "PROJ002"));

    TempDir out;
    const std::string extract = Out({"archive", "--extract", archive.string(), "1", "--to", out.path().string(), "--flac"});
    EXPECT_TRUE(Has(extract, ".flac"));
}

TEST_F(ArchiveCli, RemoveAfterDeletesOnlyWhatIsSafelyArchived) {
    const std::string r = Out({"archive", Path("PROJ002"), "--to", store.path().string(), "--remove-after"});
    EXPECT_TRUE(Has(r, ", geprüft; Projekt-Ordner gelöscht\n"));
    EXPECT_FALSE(fs::exists(card / "PROJ002"));
    EXPECT_TRUE(fs::exists(card / "PROJ001"));
    // A target that cannot be written: the project stays.
    auto fail = Cli({"archive", Path("PROJ001"), "--to", (store / "missing").string(), "--remove-after"});
    EXPECT_TRUE(Fails(fail, "nicht gefunden"));
    EXPECT_TRUE(fs::exists(card / "PROJ001/PRJDATA.ZDT"));
}

TEST_F(ArchiveCli, DamagedArchivesAndWrongUseFail) {
    ASSERT_EQ(Cli({"archive", Path("PROJ001"), "--to", store.path().string()}).exitCode, 0);
    fs::path archive = OnlyArchiveOf("PROJ001");
    Bytes bytes = ReadBytes(archive);
    bytes.resize(bytes.size() / 2);
    WriteBytes(store / "cut.tar", bytes);
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        const char* message;
    };
    const Case cases[] = {
        {{"archive", "--verify", (store / "cut.tar").string()}, 1, "beschädigt"},
        {{"archive", Path("PROJ001")}, 2, "--to"},
        {{"archive", Path("PROJ001"), "--to", store.path().string(), "--level", "9"}, 2, "--level"},
        {{"archive", Path("PROJ001"), "--to", store.path().string()}, 1, "--yes oder --no"},  // it exists now
        {{"archive", Path("README.TXT"), "--to", store.path().string()}, 1, "ist weder ein Projekt-Ordner"},
    };
    for (const Case& c : cases) {
        auto r = Cli(c.arguments);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.arguments[1] << ": " << r.err;
        EXPECT_TRUE(Has(r.err, c.message)) << c.arguments[1];
    }
}

#else

TEST_F(ArchiveCli, SaysThatThisBuildCannotArchive) {
    auto r = Cli({"archive", Path("PROJ001"), "--to", store.path().string()});
    EXPECT_TRUE(Fails(r, "in diesem Build nicht verfügbar"));
    EXPECT_TRUE(Has(Cli({"--help"}).out, "in diesem Build nicht verfügbar"));
}

#endif

}  // namespace
}  // namespace spurwerk::testing
