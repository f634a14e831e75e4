#include <gtest/gtest.h>

#include "io/path_text.h"
#include "project/document_ops.h"
#include "project/project_name.h"
#include "project/track_layout.h"
#include "scripted_dialogs.h"
#include "settings/text_table.h"
#include "test_bytes.h"
#include "test_files.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

using namespace testing;
using Names = std::vector<std::string>;

struct RecordingHost : DocumentHost {
    std::vector<std::string> events;
    bool markChangedWhileFilling = false;
    ZDTDocument* doc = nullptr;
    void DocumentLoaded(const std::string& name, const std::string& efx) override {
        events.push_back("loaded " + name + " " + efx);
        if (markChangedWhileFilling) doc->MarkChanged();
    }
    void PrepareSave() override { events.push_back("prepare"); }
};

class DocumentOps : public ::testing::Test {
protected:
    ProjectSession session;
    ZDTDocument& doc = session.doc;
    ScriptedDialogs dialogs;
    RecordingHost host;
    DocumentContext context{session, dialogs, "hist.HIS"};
    TempDir dir;
    std::string Path(const std::string& name) { return PathText(dir / name); }
    void SetUp() override {
        host.doc = &doc;
        session.SetHost(&host);
    }
    // Writes NAME.ZDT, a project named NAME, and loads it.
    void LoadProject(const std::string& name) {
        WriteBytes(dir / (name + ".ZDT"), ProjectBytes({.name = name}));
        session.ZDTFileToLoad = Path(name + ".ZDT");
        ASSERT_TRUE(LoadZDTFile(context, false));
    }
};

TEST_F(DocumentOps, LoadReadsTheFileAnInfoFileOpensItsProjectAndACancelledPromptChangesNothing) {
    WriteBytes(dir / "PRJ001" / "PRJDATA.ZDT", ProjectBytes({.name = " SONG\0"}));
    session.ZDTFileToLoad = PathText(dir / "PRJ001" / "PRJDATA___SONG_name.txt");
    host.markChangedWhileFilling = true;
    ASSERT_TRUE(LoadZDTFile(context, false));
    const std::string loaded = PathText(dir / "PRJ001" / "PRJDATA.ZDT");
    EXPECT_EQ(session.LoadedZDTFileName, loaded);
    EXPECT_EQ(doc.CompareData(), doc.ZDTData());
    EXPECT_FALSE(doc.DataChanged());  // filling the controls is no change
    EXPECT_EQ(host.events, Names{"loaded SONG " + Path("PRJ001") + PathSeparator() + "EFXDATA.ZDT"});

    // A fixed comparison file keeps its bytes across loads.
    session.CompareZDTFileName = "other";
    doc.ReplaceCompareData({1, 2, 3});
    ASSERT_TRUE(LoadZDTFile(context, false));
    EXPECT_EQ(doc.CompareData(), (Bytes{1, 2, 3}));

    // A failed read is the session's; a cancelled prompt reads nothing.
    const Bytes before = doc.ZDTData();
    session.ZDTFileToLoad = "";
    dialogs.inputAnswers = {{"", true}};
    EXPECT_FALSE(LoadZDTFile(context, true));  // cancelled prompt
    EXPECT_EQ(doc.ZDTData(), before);
    EXPECT_EQ(session.LoadedZDTFileName, loaded);
}

TEST_F(DocumentOps, UnsavedChangesAreOfferedBeforeLoadingAndClosing) {
    WriteBytes(dir / "b.ZDT", ProjectBytes({.name = "B"}));
    LoadProject("a");
    doc.WriteZDTByte(104, 77);
    doc.MarkChanged();

    session.ZDTFileToLoad = Path("b.ZDT");
    dialogs.messageAnswers = {ResultCancel};
    EXPECT_FALSE(LoadZDTFile(context, false));
    EXPECT_EQ(dialogs.asked.back().text, Txt(125) + Path("a.ZDT") + Txt(126));

    dialogs.messageAnswers = {ResultYes};
    ASSERT_TRUE(LoadZDTFile(context, false));
    EXPECT_EQ(ReadBytes(dir / "a.ZDT")[104], 77);  // saved under its own name first
    EXPECT_EQ(session.LoadedZDTFileName, Path("b.ZDT"));

    // Closing asks too and stays open on Cancel or a failed save.
    LoadProject("a");
    EXPECT_TRUE(ConfirmClose(context));  // unchanged: no question

    struct Case { int answer; std::string file; bool closes; std::uint8_t saved; };
    for (const Case& c : {Case{ResultCancel, Path("a.ZDT"), false, 0}, Case{ResultNo, Path("a.ZDT"), true, 0},
                          Case{ResultYes, Path("gone/a.ZDT"), false, 0},
                          Case{ResultYes, Path("a.ZDT"), true, 9}}) {
        session.LoadedZDTFileName = c.file;
        doc.WriteZDTByte(104, 9);
        dialogs.messageAnswers = {c.answer};
        dialogs.asked.clear();
        bool closes = false;
        try {
            closes = ConfirmClose(context);
        } catch (const FileError&) {
        }
        EXPECT_EQ(closes, c.closes) << c.answer << c.file;
        EXPECT_EQ(dialogs.asked.front().text, Txt(181) + c.file + Txt(182));
        EXPECT_EQ(ReadBytes(dir / "a.ZDT")[104], c.saved);
        doc.WriteZDTByte(104, 0);
    }
}

TEST_F(DocumentOps, StartOpensTheFirstFileOffersTheOthersAndFallsBackToTheTemplate) {
    WriteBytes(dir / "short.ZDT", Bytes(50, 1));
    WriteBytes(dir / "template.ZDT", ProjectBytes({.name = "NEW"}));
    dialogs.messageAnswers = {ResultOk, ResultNo, ResultYes};  // the read error, b, c
    OpenFiles(context, {Path("missing.ZDT"), Path("b.ZDT"), Path("c.ZDT")}, 184, true);
    EXPECT_EQ(dialogs.asked.back().kind, "start");  // the read error did not stop the offers
    EXPECT_EQ(dialogs.asked.back().text, Path("c.ZDT"));

    OpenFiles(context, {Path("short.ZDT")}, 184);
    EXPECT_EQ(doc.ZDTData().size(), 50u);
    ShowTemplateUnlessProject(context, Path("template.ZDT"));
    EXPECT_EQ(ReadProjectName(doc.ZDTData()), "NEW");
    EXPECT_EQ(session.LoadedZDTFileName, "");  // a quick save must ask
    ShowTemplateUnlessProject(context, Path("missing.ZDT"));
    EXPECT_EQ(ReadProjectName(doc.ZDTData()), "NEW");  // a project stays
}

TEST_F(DocumentOps, TheCompareFileIsFixedOnFirstUseAndAFailedReadKeepsTheOldBytes) {
    WriteBytes(dir / "b.ZDT", ProjectBytes({.name = "B"}));
    LoadProject("a");
    dialogs.inputAnswers = {{"", true}};
    EXPECT_FALSE(ChooseCompareFile(context));
    EXPECT_EQ(session.CompareZDTFileName, Path("a.ZDT"));  // fixed even when cancelled
    dialogs.inputAnswers = {{Path("b.ZDT"), false}, {Path("missing.ZDT"), false}};
    EXPECT_TRUE(ChooseCompareFile(context));
    EXPECT_EQ(ReadProjectName(doc.CompareData()), "B");
    EXPECT_THROW(ChooseCompareFile(context), FileError);
    EXPECT_EQ(ReadProjectName(doc.CompareData()), "B");
}

TEST_F(DocumentOps, QuickSaveAppendsTheExtensionAndAsksBeforeOverwritingAnotherFile) {
    WriteBytes(dir / "taken.ZDT", Bytes{1});
    LoadProject("a");
    doc.MarkChanged();

    EXPECT_TRUE(QuickSaveLoadedZDTFile(context, Path("a.ZDT"), 3000));  // own name: no question
    EXPECT_EQ(dialogs.CountAsked("message"), 0);
    EXPECT_EQ(dialogs.asked.back().text,
              std::to_string(MinProjectDataSize) + " " + Txt(141) + Path("a.ZDT") + Txt(142));

    dialogs.inputAnswers = {{Path("copy"), false}};
    EXPECT_TRUE(QuickSaveLoadedZDTFile(context, "", 3000));
    EXPECT_EQ(ReadBytes(dir / "copy.ZDT").size(), MinProjectDataSize);
    EXPECT_EQ(session.ZDTFileToLoad, Path("copy.ZDT"));

    dialogs.messageAnswers = {ResultNo};
    EXPECT_FALSE(QuickSaveLoadedZDTFile(context, Path("taken.ZDT"), 3000));
    EXPECT_EQ(ReadBytes(dir / "taken.ZDT"), Bytes{1});
    EXPECT_EQ(dialogs.asked.back().text, "\"" + Path("taken.ZDT") + Txt(140));
    EXPECT_EQ(std::count(host.events.begin(), host.events.end(), "prepare"), 2);

    // A failed save keeps the change flag and the loaded name.
    doc.MarkChanged();
    EXPECT_THROW(QuickSaveLoadedZDTFile(context, Path("no-folder/x.ZDT"), 3000), FileError);
    EXPECT_TRUE(doc.DataChanged());
    EXPECT_EQ(session.LoadedZDTFileName, Path("copy.ZDT"));
}

TEST_F(DocumentOps, FileNamesAndTrackWavNamesAreCleanedAndCancelStops) {
    std::string sep = PathSeparator();
    EXPECT_EQ(EffectsFileNameFor("p" + sep + "PRJDATA.ZDT.BAK"), "p" + sep + ".BAKEFXDATA.ZDT");
    EXPECT_EQ(WithZDTExtension("p" + sep + "NEW.BIN"), "p" + sep + "NEW.BIN");
    EXPECT_EQ(WithZDTExtension("my.dir" + sep + "NEW"), "my.dir" + sep + "NEW.ZDT");
    dialogs.timedAnswers = {ResultOk};
    dialogs.timedInputs = {"Schlagzeug"};
    auto names = NormalizeTrackWavNames({"my song.wav", " Gitarre ", "", "Schlagzeug", "Bass Ä"}, dialogs);
    EXPECT_EQ(names, (Names{"MY SONG.WAV", "GITARRE.WAV", "", "SCHLAGZE.WAV", "BASS _.WAV"}));
    ASSERT_EQ(dialogs.CountAsked("timed"), 1);
    EXPECT_NE(dialogs.asked[0].text.find("\"SCHLAGZEUG\" in Track 4 " + Txt(136)), std::string::npos);

    // The entered name is cleaned too; Cancel leaves the rest as it was.
    dialogs.timedAnswers = {ResultOk, ResultCancel};
    dialogs.timedInputs = {"evil/name.txt"};
    names = NormalizeTrackWavNames({"Schlagzeug", "bass", "Gitarrenspur", "gitarre"}, dialogs);
    EXPECT_EQ(names, (Names{"EVIL_NAM.WAV", "BASS.WAV", "Gitarrenspur", "gitarre"}));
}

// Another program writes the loaded file while the window holds a change.
TEST_F(DocumentOps, AFileChangedOnDiskIsNeverWrittenOverWithoutTheQuestion) {
    struct Case {
        const char* what;
        int otherByte;  // written at offset 100 by the other program; -1: same bytes written again
        int answer;     // to the question, if asked
        bool asked, saved;
    };
    const Case cases[] = {
        {"rewritten with the same bytes", -1, 0, false, true},
        {"same size, other content: overwrite", 9, ResultNo, true, true},
        {"reload", 9, ResultYes, true, false},
        {"cancel", 9, ResultCancel, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs = ScriptedDialogs();
        LoadProject("a");
        Bytes onDisk = ReadBytes(dir / "a.ZDT");
        Bytes other = onDisk;
        if (c.otherByte >= 0) other[100] = static_cast<std::uint8_t>(c.otherByte);
        WriteBytes(dir / "a.ZDT", other);
        doc.WriteZDTByte(200, 42);
        const Bytes window = doc.ZDTData();
        if (c.asked) dialogs.messageAnswers = {c.answer};

        EXPECT_EQ(QuickSaveLoadedZDTFile(context, Path("a.ZDT"), 3000), c.saved);
        ASSERT_EQ(dialogs.CountAsked("message"), c.asked ? 1 : 0);
        if (c.asked) {
            EXPECT_NE(dialogs.asked[0].text.find(Path("a.ZDT")), std::string::npos);
        }
        EXPECT_EQ(ReadBytes(dir / "a.ZDT"), c.saved ? window : other);
        EXPECT_EQ(doc.ZDTData(), c.answer == ResultYes ? other : window);
        EXPECT_EQ(doc.DataChanged(), c.answer == ResultCancel);
    }
}

TEST_F(DocumentOps, ActivationAsksOnceAboutAChangeButASaveAsksAgain) {
    LoadProject("a");
    EXPECT_EQ(CheckLoadedFileOnDisk(context), ExternalChange::None);
    Bytes other = ReadBytes(dir / "a.ZDT");
    other.push_back(1);  // another size
    WriteBytes(dir / "a.ZDT", other);

    dialogs.messageAnswers = {ResultCancel};
    EXPECT_EQ(CheckLoadedFileOnDisk(context), ExternalChange::Cancelled);
    EXPECT_EQ(CheckLoadedFileOnDisk(context), ExternalChange::None);  // not again for the same change
    EXPECT_EQ(dialogs.CountAsked("message"), 1);

    dialogs.messageAnswers = {ResultCancel};
    EXPECT_FALSE(QuickSaveLoadedZDTFile(context, Path("a.ZDT"), 3000));
    EXPECT_EQ(dialogs.CountAsked("message"), 2);
    EXPECT_EQ(ReadBytes(dir / "a.ZDT"), other);

    // A further change is asked about; Overwrite on activation saves at once.
    other.push_back(2);
    WriteBytes(dir / "a.ZDT", other);
    dialogs.messageAnswers = {ResultNo};
    EXPECT_EQ(CheckLoadedFileOnDisk(context), ExternalChange::Overwrite);
    EXPECT_EQ(ReadBytes(dir / "a.ZDT"), doc.ZDTData());
    EXPECT_EQ(dialogs.CountAsked("message"), 3);
    EXPECT_EQ(CheckLoadedFileOnDisk(context), ExternalChange::None);

    // Reload takes the file's bytes.
    other.push_back(3);
    WriteBytes(dir / "a.ZDT", other);
    dialogs.messageAnswers = {ResultYes};
    EXPECT_EQ(CheckLoadedFileOnDisk(context), ExternalChange::Reloaded);
    EXPECT_EQ(doc.ZDTData(), other);
    EXPECT_FALSE(doc.DataChanged());
}

TEST(WavNameCharacters, OnlyTheExtensionKeepsItsDotSoANameNeverBecomesAPath) {
    const std::pair<const char*, const char*> cases[] = {
        {"../X.WAV", "___X.WAV"},   {"A.B.WAV", "A_B.WAV"},       {"..\\x.wav", "___X.WAV"},
        {"a.b", "A_B"},             {" my song.wav ", "MY SONG.WAV"}, {"Bass Ä", "BASS _"},
        {"X-1_2.WAV", "X-1_2.WAV"}, {"AB .WAV", "AB.WAV"},        {".WAV", ".WAV"},
        {"/etc/passwd", "_ETC_PASSWD"}, {"", ""},
    };
    for (const auto& [typed, cleaned] : cases) EXPECT_EQ(CleanWavNameCharacters(typed), cleaned) << typed;
}

TEST_F(DocumentOps, GetZDTProjectNameReadsOnlyWhatItNeedsAndEmptiesTheScanBuffer) {
    Bytes project = ProjectBytes({.name = "\tLIVE 03"});
    WriteBytes(dir / "p.ZDT", project);
    TrackSummaryOptions summary{true, {"Fader"}, 2};
    ProjectNameInfo info = GetZDTProjectName(doc, Path("p.ZDT"), true, &summary);
    EXPECT_EQ(info.name, "LIVE 03");  // trimmed
    EXPECT_EQ(info.trackSummary, "Fader[%]=0,0");
    EXPECT_TRUE(doc.ScanData().empty());

    WriteBytes(dir / "short.ZDT", Bytes(59, 'A'));
    info = GetZDTProjectName(doc, Path("short.ZDT"), true, &summary);
    EXPECT_FALSE(info.nameRead);
    EXPECT_EQ(info.name + info.trackSummary, "");

    WriteBytes(dir / "head.ZDT", Bytes(project.begin(), project.begin() + 60));  // up to the name's end
    EXPECT_TRUE(GetZDTProjectName(doc, Path("head.ZDT"), false, nullptr).nameRead);
    EXPECT_THROW(GetZDTProjectName(doc, Path("none.ZDT"), false, nullptr), FileError);
    EXPECT_TRUE(doc.ScanData().empty());
}

}  // namespace
}  // namespace spurwerk
