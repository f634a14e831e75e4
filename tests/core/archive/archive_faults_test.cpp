// Archives that lie, leak or break, and cards that fill up: each refused with
// a clear message, nothing half-made left behind.

#include <gtest/gtest.h>

#include "archive/project_archive.h"
#include "archive_test_files.h"
#include "scripted_dialogs.h"
#include "settings/cli_texts.h"
#include "settings/ui_texts.h"
#include "test_files.h"
#include "ui/errors.h"

namespace spurwerk::testing {
namespace {

namespace fs = std::filesystem;

class ArchiveFaults : public ::testing::Test {
protected:
    void SetUp() override {
        InitUiTexts();
        ProjectSetup setup;
        setup.name = "FAULTS";
        setup.wavNames = {"MONO-000.WAV", "STE-001.WAV"};
        project = card / "PROJ001";
        fs::create_directories(project / "AUDIO");
        WriteBytes(project / "PRJDATA.ZDT", ProjectBytes(setup));
        WriteBytes(project / "EFXDATA.ZDT", NoiseBytes(600));
        WriteBytes(project / "AUDIO" / "MONO-000.WAV", BuildWav(ArchiveWav{{.rate = 44100}, 30000}));
        WriteBytes(project / "AUDIO" / "STE-001.WAV", BuildWav(ArchiveWav{{.channels = 2, .rate = 44100, .bits = 24}, 20000}));
        WriteBytes(project / "AUDIO" / "FLOAT.WAV", BuildWav(ArchiveWav{{.rate = 44100, .bits = 32, .isFloat = true}, 1000}));
        ArchiveOptions options;
        options.date = "2026-12-06";
        ArchiveResult result = ArchiveProject(project, store.path(), options, dialogs);
        archive = result.archive;
        ASSERT_FALSE(archive.empty());
        ASSERT_LT(result.archiveBytes, result.originalBytes);
    }

    TempDir card, store;
    fs::path project, archive;
    ScriptedDialogs dialogs;
};

TEST_F(ArchiveFaults, DamagedArchivesAreRefusedAndNothingIsRestored) {
    using Change = std::function<void(std::vector<TarEntry>&)>;
    auto entry = [](std::vector<TarEntry>& entries, const std::string& suffix) -> TarEntry& {
        for (TarEntry& e : entries)
            if (e.name.size() >= suffix.size() && e.name.compare(e.name.size() - suffix.size(), suffix.size(), suffix) == 0)
                return e;
        throw std::runtime_error("no entry " + suffix);
    };
    auto replaceInManifest = [&](std::vector<TarEntry>& entries, const std::string& from, const std::string& to) {
        TarEntry& m = entries.front();
        std::string text(m.data.begin(), m.data.end());
        std::size_t at = text.find(from);
        if (at == std::string::npos) throw std::runtime_error("no " + from + " in the manifest");
        text.replace(at, from.size(), to);
        m.data.assign(text.begin(), text.end());
    };
    struct Case {
        const char* name;
        Change change;
        const char* message;
    };
    const Case cases[] = {
        {"flipped byte in a FLAC stream",
         [&](auto& e) {
             Bytes& flac = entry(e, "MONO-000.WAV.flac").data;
             flac[flac.size() / 2] ^= 0x10;
         },
         "MONO-000.WAV"},
        {"FLAC stream cut short", [&](auto& e) { entry(e, "STE-001.WAV.flac").data.resize(5000); }, "STE-001.WAV"},
        {"manifest with a wrong checksum",
         [&](auto& e) { replaceInManifest(e, "\"sha256\": \"", "\"sha256\": \"0"); }, "Prüfsumme"},
        {"manifest with a wrong size",
         [&](auto& e) { replaceInManifest(e, "\"path\": \"EFXDATA.ZDT\",\n      \"size\": 600", "\"path\": \"EFXDATA.ZDT\",\n      \"size\": 601"); },
         "Größe"},
        {"manifest with a number no whole number can hold",
         [&](auto& e) { replaceInManifest(e, "\"bitDepth\": ", "\"bitDepth\": 6.6e67, \"was\": "); }, "beschädigtes Verzeichnis"},
        {"manifest with a negative size",
         [&](auto& e) { replaceInManifest(e, "\"size\": 600", "\"size\": -600"); }, "beschädigtes Verzeichnis"},
        {"manifest that is no JSON", [&](auto& e) { e.front().data.resize(e.front().data.size() / 2); }, "beschädigtes Verzeichnis"},
        {"manifest path leaving the folder",
         [&](auto& e) { replaceInManifest(e, "\"path\": \"EFXDATA.ZDT\"", "\"path\": \"../../EFXDATA.ZDT\""); },
         "außerhalb"},
        {"entry leaving the folder",
         [&](auto& e) { e.insert(e.begin() + 1, TarEntry{"../../evil.txt", TextBytes("x"), false, ""}); }, "außerhalb"},
        {"absolute entry",
         [&](auto& e) { e.insert(e.begin() + 1, TarEntry{"/tmp/evil.txt", TextBytes("x"), false, ""}); }, "außerhalb"},
        {"symbolic link entry",
         [&](auto& e) { e.insert(e.begin() + 1, TarEntry{"PROJ001/AUDIO/LINK.WAV", {}, true, "/etc/passwd"}); }, "Verknüpfung"},
        {"entry the manifest does not name",
         [&](auto& e) { e.push_back(TarEntry{"PROJ001/EXTRA.TXT", TextBytes("x"), false, ""}); }, "nicht nennt"},
        {"entry missing", [&](auto& e) { e.pop_back(); }, "endet vor"},
        {"entries swapped", [&](auto& e) { std::swap(e[1], e[2]); }, "wo das Verzeichnis"},
        {"no manifest", [&](auto& e) { e.erase(e.begin()); }, "kein Spurwerk-Archiv"},
    };
    const auto cardBefore = FolderContents(card.path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::path bad = store / "bad.tar";
        RewriteTar(archive, bad, c.change);
        for (const std::string& error : {FileErrorText([&] { VerifyArchive(bad); }),
                                         FileErrorText([&] { RestoreArchive(bad, card.path(), {}, dialogs); })})
            EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_EQ(NamesIn(card.path()), std::vector<std::string>{"PROJ001"});
        EXPECT_EQ(FolderContents(card.path()), cardBefore);
    }
    EXPECT_NO_THROW(VerifyArchive(archive));  // the rewriter itself changes nothing else
    RewriteTar(archive, store / "same.tar", [](auto&) {});
    EXPECT_NO_THROW(VerifyArchive(store / "same.tar"));
}

TEST_F(ArchiveFaults, BrokenContainersAreRefused) {
    Bytes bytes = ReadBytes(archive);
    struct Case {
        const char* name;
        Bytes content;
    };
    const Case cases[] = {
        {"cut in the middle", Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2))},
        {"cut in the first header", Bytes(bytes.begin(), bytes.begin() + 300)},
        {"no tar at all", TextBytes("this is a text file, not an archive")},
        {"empty", Bytes{}},
    };
    for (const Case& c : cases) {
        WriteBytes(store / "bad.tar", c.content);
        EXPECT_THROW(VerifyArchive(store / "bad.tar"), FileError) << c.name;
        EXPECT_THROW(RestoreArchive(store / "bad.tar", card.path(), {}, dialogs), FileError) << c.name;
        EXPECT_EQ(NamesIn(card.path()), std::vector<std::string>{"PROJ001"}) << c.name;
    }
    EXPECT_THROW(VerifyArchive(store / "missing.tar"), FileError);
}

// The system's words (a file error) or the built-in German ones (the archive's own).
bool SaysNoSpace(const std::string& message) {
    return message.find("No space left") != std::string::npos ||
           message.find(CliTxt(CliText::SystemNoSpace)) != std::string::npos;
}

TEST_F(ArchiveFaults, AFullTargetLeavesNoHalfWrittenFile) {
    SmallTmpfs full(64);
    if (!full.mounted()) GTEST_SKIP() << "a full file system needs a tmpfs, and mounting one needs root";
    std::string error = FileErrorText([&] { ArchiveProject(project, full.path(), {}, dialogs); });
    EXPECT_TRUE(SaysNoSpace(error)) << error;
    EXPECT_TRUE(NamesIn(full.path()).empty());

    WriteBytes(full.path() / "PROJ001" , NoiseBytes(10));  // the card's own first project (a file will do)
    error = FileErrorText([&] { RestoreArchive(archive, full.path(), {}, dialogs); });
    EXPECT_TRUE(SaysNoSpace(error)) << error;
    EXPECT_EQ(NamesIn(full.path()), std::vector<std::string>{"PROJ001"});
}

TEST_F(ArchiveFaults, ArchivingRefusesWhatIsNoProject) {
    struct Case {
        fs::path folder;
        fs::path target;
        const char* message;
    };
    fs::create_directory(card / "EMPTY");
    const Case cases[] = {
        {card / "EMPTY", store.path(), "enthält keine Projekt-Datei"},
        {card / "MISSING", store.path(), "enthält keine Projekt-Datei"},
        {project, store / "missing", "No such file"},
        {project, project / "AUDIO", "in den Projekt-Ordner selbst"},
    };
    for (const Case& c : cases) {
        const std::string error = FileErrorText([&] { ArchiveProject(c.folder, c.target, {}, dialogs); });
        EXPECT_NE(error.find(c.message), std::string::npos) << c.message << ": " << error;
    }
}

}  // namespace
}  // namespace spurwerk::testing
