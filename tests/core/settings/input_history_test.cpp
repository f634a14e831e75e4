#include <gtest/gtest.h>

#include <cstdlib>

#include "io/path_text.h"
#include "settings/input_history.h"
#include "test_files.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

namespace fs = std::filesystem;
using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

using Items = std::vector<std::string>;

struct HistoryFixture : ::testing::Test {
    TempDir dir;
    std::string file = PathText(dir / "Spurwerk_ZDTFile.HIS");
    InputHistory history;
};

TEST_F(HistoryFixture, CaseRulesAndWriteOnlyWhenChanged) {
    WriteText(dir / "Spurwerk_ZDTFile.HIS", "C:\\Eins.ZDT\nD:\\Zwei.ZDT\nE:\\Drei.ZDT\n");  // LF: shows a rewrite
    history.OpenHistory(file);
    EXPECT_EQ(history.Items(), (Items{"C:\\Eins.ZDT", "D:\\Zwei.ZDT", "E:\\Drei.ZDT"}));

    // Differs from the first entry only in case: nothing changes, nothing written.
    history.AddToCurrentHistory("c:\\eins.zdt");
    EXPECT_EQ(history.Items()[0], "C:\\Eins.ZDT");
    EXPECT_EQ(ReadText(dir / "Spurwerk_ZDTFile.HIS"), "C:\\Eins.ZDT\nD:\\Zwei.ZDT\nE:\\Drei.ZDT\n");

    // Equals the third entry but for case: that one goes, the typed text leads.
    history.AddToCurrentHistory("e:\\DREI.zdt");
    EXPECT_EQ(ReadText(dir / "Spurwerk_ZDTFile.HIS"), "e:\\DREI.zdt\r\nC:\\Eins.ZDT\r\nD:\\Zwei.ZDT\r\n");

    // The same text again: not written a second time.
    WriteText(dir / "Spurwerk_ZDTFile.HIS", "changed behind our back\r\n");
    history.AddToCurrentHistory("e:\\DREI.zdt");
    EXPECT_EQ(ReadText(dir / "Spurwerk_ZDTFile.HIS"), "changed behind our back\r\n");

    // Umlauts are compared exactly.
    history.AddToHistory("\u00C4.ZDT", file);
    history.AddToHistory("\u00E4.ZDT", file);
    EXPECT_EQ(history.Items(), (Items{"\u00E4.ZDT", "\u00C4.ZDT", "e:\\DREI.zdt", "C:\\Eins.ZDT", "D:\\Zwei.ZDT"}));
}

TEST_F(HistoryFixture, FirstEntryKeepsItsSpellingAndEmptyLinesAreEntries) {
    WriteText(dir / "Spurwerk_ZDTFile.HIS", "Abc\r\nx\r\n\r\nABC\r\naBc\r\n");
    history.OpenHistory(file);
    history.AddToCurrentHistory("abc");
    EXPECT_EQ(history.Items(), (Items{"Abc", "x", ""}));
    history.AddToCurrentHistory("");
    EXPECT_EQ(ReadText(dir / "Spurwerk_ZDTFile.HIS"), "\r\nAbc\r\nx\r\n");
}

TEST_F(HistoryFixture, NewRelativeAndEnvironmentNames) {
    history.OpenHistory(PathText(dir / "Spurwerk_CopyToDir.HIS"));
    history.AddToHistory("X", file);  // another, not yet existing file
    EXPECT_EQ(history.CurHistFile(), file);
    EXPECT_EQ(ReadText(dir / "Spurwerk_ZDTFile.HIS"), "X\r\n");
    history.AddToCurrentHistory("two\nlines");  // a line break cannot split an entry into two
    EXPECT_EQ(ReadText(dir / "Spurwerk_ZDTFile.HIS"), "two lines\r\nX\r\n");

    WriteText(dir / "rel.HIS", "from cwd\r\n");
    fs::path old = fs::current_path();
    fs::current_path(dir.path());
    history.OpenHistory("rel.HIS");
    fs::current_path(old);
    EXPECT_EQ(history.CurHistFile(), AddTrailingBackslash(PathText(fs::canonical(dir.path()))) + "rel.HIS");
    EXPECT_EQ(history.Items(), (Items{"from cwd"}));

#ifdef _WIN32
    _putenv_s("SPURWERK_HIST_DIR", PathText(dir.path()).c_str());
#else
    setenv("SPURWERK_HIST_DIR", PathText(dir.path()).c_str(), 1);
#endif
    history.AddToHistory("via env", "%SPURWERK_HIST_DIR%" + PathSeparator() + "env.HIS");
    EXPECT_EQ(ReadText(dir / "env.HIS"), "via env\r\n");
}

TEST_F(HistoryFixture, MissingEntriesAreCountedAndDeleted) {
    WriteText(dir / "exists.ZDT", "x");
    fs::create_directory(dir / "folder");
    WriteText(dir / "Spurwerk_ZDTFile.HIS", PathText(dir / "gone.ZDT") + "\r\n" + PathText(dir / "exists.ZDT") +
                                                "\r\n" + PathText(dir / "folder") + "\r\n\r\n");
    history.OpenHistory(file);
    EXPECT_EQ(history.CountNonExistent(), 3);
    EXPECT_EQ(NonExistentEntriesText(3), "3 nicht-existente Einträge:");
    history.DeleteNonExistent();
    EXPECT_EQ(ReadText(dir / "Spurwerk_ZDTFile.HIS"), PathText(dir / "exists.ZDT") + "\r\n");
    EXPECT_EQ(history.CountNonExistent(), 0);
}

TEST_F(HistoryFixture, UnwritableOrUnreadableFilesLoseNothing) {
    const std::string unwritable = PathText(dir / "gone" / "h.HIS");
    history.OpenHistory(unwritable);
    EXPECT_THROW(history.AddToCurrentHistory("x"), FileError);
    EXPECT_TRUE(history.Items().empty());
    EXPECT_THROW(history.AddToHistory("y", PathText(dir / "gone2" / "h.HIS")), FileError);
    EXPECT_EQ(history.CurHistFile(), unwritable);

    // A history that exists but cannot be read is shown empty and never replaced.
    fs::path big = dir / "big.HIS";
    WriteText(big, "keep\r\n");
    fs::resize_file(big, 17u * 1024u * 1024u);
    history.OpenHistory(PathText(big));
    EXPECT_TRUE(history.Items().empty());
    EXPECT_THROW(history.AddToCurrentHistory("x"), FileError);
    EXPECT_EQ(fs::file_size(big), 17u * 1024u * 1024u);
    InputHistory other;
    EXPECT_THROW(other.AddToHistory("x", PathText(big)), FileError);
    EXPECT_EQ(other.CurHistFile(), "");
}

}  // namespace
}  // namespace spurwerk
