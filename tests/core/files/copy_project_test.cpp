// Copying projects with their audio files, and writing the document as a new project.
// Names the recorder's layout gives match in any letter case: a card whose
// names are all lower case works like one written by the recorder.

#include "files/copy_project.h"
#include "files/info_files.h"
#include "files/list_line.h"
#include "files/project_list.h"
#include "files/save_project.h"
#include "files_test_fixture.h"
#include "project/document_ops.h"
#include "project/project_info.h"
#include "project/project_name.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

using namespace testing;

class CopyProjectTest : public FilesFixture {};

TEST_F(CopyProjectTest, CopiesOnlyMissingWavsAndSkipsFoldersNamedLikeWavs) {
    MakeProject("S", ProjectSetup{}, {{"A.WAV", 100}, {"B.WAV", 100}, {"c.wav", 100}});
    WriteBytes(dir / "S" / "EFXDATA.ZDT", TextBytes("EFX"));
    WriteBytes(dir / "S" / "AUDIO" / "NOTES.TXT", TextBytes("n"));
    fs::create_directories(dir / "S" / "AUDIO" / "X.WAV");
    fs::create_directories(dir / "T" / "AUDIO");
    WriteBytes(dir / "T" / "AUDIO" / "A.WAV", TextBytes("KEEP"));

    dialogs.messageAnswers = {ResultYes /* target exists */, ResultOk /* result */};
    ASSERT_TRUE(CopyProjectCommand(context, Folder("S"), (dir / "T").string()));

    EXPECT_EQ(dialogs.asked[1].kind, "timed");  // Yes to all: the copy's message does not wait
    EXPECT_NE(AskedText(1).find("2 WAV-Audio-Dateien wurden kopiert."), std::string::npos);
    EXPECT_EQ(ReadText(dir / "T" / "AUDIO" / "A.WAV"), "KEEP");
    EXPECT_EQ(NamesIn(dir / "T", true), (Names{"AUDIO", "AUDIO/A.WAV", "AUDIO/B.WAV", "AUDIO/c.wav",
                                                             "EFXDATA.ZDT", "PRJDATA.ZDT"}));
    EXPECT_EQ(ReadBytes(dir / "T" / "PRJDATA.ZDT"), ReadBytes(dir / "S" / "PRJDATA.ZDT"));
}

TEST_F(CopyProjectTest, RefusesTheSameFolderAlsoSpelledDifferently) {
    MakeProject("S", ProjectSetup{});
    fs::create_directories(dir / "other");
    for (const std::string& target : {Folder("S"), Folder("S") + ".", Folder("other") + "../S"}) {
        dialogs.messageAnswers = {ResultOk};
        EXPECT_FALSE(CopyProjectCommand(context, Folder("S"), target)) << target;
    }
    EXPECT_EQ(dialogs.CountAsked("message"), 3);
}

TEST_F(CopyProjectTest, AnExistingProjectFileIsReplacedOnlyOnYes) {
    MakeProject("S", ProjectSetup{});
    fs::create_directories(dir / "T");
    WriteBytes(dir / "T" / "PRJDATA.ZDT", TextBytes("OLD"));
    context.CopyContinueAnswer = ResultYesToAll;

    dialogs.messageAnswers = {ResultNo};
    EXPECT_TRUE(CopyProject(context, Folder("S"), Folder("T"), "X", 0, true));
    EXPECT_EQ(ReadText(dir / "T" / "PRJDATA.ZDT"), "OLD");

    dialogs.messageAnswers = {ResultYes};
    EXPECT_TRUE(CopyProject(context, Folder("S"), Folder("T"), "X", 0, true));
    EXPECT_EQ(ReadBytes(dir / "T" / "PRJDATA.ZDT"), ReadBytes(dir / "S" / "PRJDATA.ZDT"));
}

TEST_F(CopyProjectTest, WriteModeWritesTheDocumentUnderTheNewNameAndAsksToGoOn) {
    MakeProject("S", ProjectSetup{}, {{"A.WAV", 100}});
    WriteBytes(dir / "S" / "EFXDATA.ZDT", TextBytes("EFX"));
    doc.ReplaceZDTData(ProjectBytes(ProjectSetup{.name = "LONGNAME"}));
    doc.MarkChanged();
    context.options.useInfoFiles = true;
    context.CopyContinueAnswer = ResultYes;

    dialogs.messageAnswers = {ResultNo};
    EXPECT_FALSE(CopyProject(context, Folder("S"), Folder("T"), "AB", 1000, false));
    EXPECT_EQ(ReadZDTString(ReadBytes(dir / "T" / "PRJDATA.ZDT"), layout::ProjectNameOffset, 8),
              std::string("AB\0\0\0\0\0\0", 8));
    EXPECT_EQ(AskedText(0), "3332 Bytes wurden geschrieben in Datei \"" + Folder("T") +
                                "PRJDATA.ZDT\" !\r\n1 WAV-Audio-Dateien wurden kopiert.\r\n\r\nWeiter?");
    EXPECT_FALSE(doc.DataChanged());
    EXPECT_EQ(session.LastSavedZDTFileName, Folder("T") + "PRJDATA.ZDT");
    EXPECT_EQ(NamesIn(dir / "T", true), (Names{"AUDIO", "AUDIO/A.WAV", "EFXDATA.ZDT", "PRJDATA.ZDT",
                                                             "PRJDATA___AB_NAME.TXT"}));
    EXPECT_EQ(context.CopyContinueAnswer, ResultNo);
}

class LowerCaseCardTest : public FilesFixture {
protected:
    LowerCaseCardTest() {
        fs::create_directories(dir / "card/proj001/audio");
        WriteBytes(dir / "card/proj001/prjdata.zdt", ProjectBytes({.wavNames = {"GESANG.WAV", "BASS.WAV"}}));
        WriteText(dir / "card/proj001/efxdata.zdt", "EFX");
        WriteBytes(dir / "card/proj001/audio/gesang.wav", WavBytes(2000));
        WriteBytes(dir / "card/proj001/audio/bass.wav", WavBytes(1000));
        WriteText(dir / "card/proj001/prjdata___SONG_NAME.TXT", "current");
        WriteText(dir / "card/proj001/prjdata___ALT_NAME.TXT", "stale");
    }
    const std::string project = Folder("card/proj001") + "prjdata.zdt";
};

TEST_F(LowerCaseCardTest, ReadersFindTheAudioFolderEffectsAndProjectFile) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows ignores letter case in file names, so no second spelling can exist";
#endif
    EXPECT_EQ(AudioFolderOf(project), Folder("card/proj001") + "audio");
    EXPECT_EQ(LongestWavDuration(AudioFolderOf(project)), 2000);
    EXPECT_EQ(EffectsFileNameFor(project), Folder("card/proj001") + "efxdata.zdt");
    EXPECT_EQ(ResolveInfoFileName(Folder("card/proj001") + "prjdata___SONG_NAME.TXT"), project);
    ProjectNameInfo info = GetZDTProjectName(doc, project, true, nullptr);
    std::string line = BuildListLine(Folder("card/proj001"), "prjdata.zdt", &info, {});
    EXPECT_NE(line.find("WAV-Dat.: 2: "), std::string::npos) << line;
}

TEST_F(LowerCaseCardTest, DeletingInfoFilesSavingAndCopyingUseTheExistingSpellings) {
    ProjectList list;
    DeleteInfoFiles(Folder("card"), false, doc, list, dialogs, {});  // keeps the current info file
    doc.ReplaceZDTData(ReadBytes(project));
    session.LoadedZDTFileName = project;
    ASSERT_TRUE(SaveProject(context, project, false, "SONG", 0));
    EXPECT_EQ(dialogs.CountAsked("message"), 0);  // nothing missing, nothing to create
    EXPECT_EQ(NamesIn(dir / "card/proj001", true), (Names{"audio", "audio/bass.wav",
              "audio/gesang.wav", "efxdata.zdt", "prjdata.zdt", "prjdata___SONG_NAME.TXT"}));

    dialogs.messageAnswers = {ResultOk};
    ASSERT_TRUE(CopyProjectCommand(context, Folder("card/proj001"), (dir / "card/proj002").string()));
    EXPECT_EQ(ReadBytes(dir / "card/proj002/PRJDATA.ZDT"), ReadBytes(project));
    EXPECT_EQ(NamesIn(dir / "card/proj002", true), (Names{"AUDIO", "AUDIO/bass.wav",
              "AUDIO/gesang.wav", "EFXDATA.ZDT", "PRJDATA.ZDT"}));
}

}  // namespace
}  // namespace spurwerk
