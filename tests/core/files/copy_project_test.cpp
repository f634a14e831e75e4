// Copying projects with their audio files, and writing the document as a new project.

#include "files/copy_project.h"
#include "files_test_fixture.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

using namespace testing;

class CopyProjectTest : public FilesFixture {};

TEST_F(CopyProjectTest, CopiesOnlyMissingWavsAndSkipsFoldersNamedLikeWavs) {
    ProjectSetup element;
    element.name = "QUELLE";
    MakeProject("S", element, {{"A.WAV", 100}, {"B.WAV", 100}, {"c.wav", 100}});
    WriteBytes(dir / "S" / "EFXDATA.ZDT", TextBytes("EFX"));
    WriteBytes(dir / "S" / "AUDIO" / "NOTES.TXT", TextBytes("n"));
    fs::create_directories(dir / "S" / "AUDIO" / "X.WAV");
    fs::create_directories(dir / "T" / "AUDIO");
    WriteBytes(dir / "T" / "AUDIO" / "A.WAV", TextBytes("KEEP"));

    dialogs.messageAnswers = {ResultYes /* target exists */, ResultOk /* result */};
    ASSERT_TRUE(CopyProjectCommand(context, Folder("S"), (dir / "T").string()));

    EXPECT_NE(AskedText(0).find(Folder("T")), std::string::npos);
    EXPECT_EQ(dialogs.asked[1].kind, "timed");  // Yes to all: the copy's message does not wait
    EXPECT_NE(AskedText(1).find("2 WAV-Audio-Dateien wurden kopiert."), std::string::npos);
    EXPECT_EQ(ReadText(dir / "T" / "AUDIO" / "A.WAV"), "KEEP");
    EXPECT_TRUE(fs::exists(dir / "T" / "AUDIO" / "c.wav"));
    EXPECT_FALSE(fs::exists(dir / "T" / "AUDIO" / "X.WAV"));
    EXPECT_FALSE(fs::exists(dir / "T" / "AUDIO" / "NOTES.TXT"));
    EXPECT_EQ(ReadText(dir / "T" / "EFXDATA.ZDT"), "EFX");
    EXPECT_EQ(ReadBytes(dir / "T" / "PRJDATA.ZDT"), ReadBytes(dir / "S" / "PRJDATA.ZDT"));
    EXPECT_TRUE(doc.ZDTData().empty());  // copying files leaves the document alone
}

TEST_F(CopyProjectTest, RefusesTheSameFolderAlsoSpelledDifferently) {
    MakeProject("S", ProjectSetup{});
    fs::create_directories(dir / "other");
    for (const std::string& target : {Folder("S"), Folder("S") + ".", Folder("other") + "../S"}) {
        dialogs.messageAnswers = {ResultOk};
        EXPECT_FALSE(CopyProjectCommand(context, Folder("S"), target)) << target;
        EXPECT_EQ(dialogs.asked.back().text, "Kann nicht in dasselbe Verzeichnis kopieren!");
    }
    EXPECT_FALSE(IsSameFolder(Folder("S"), Folder("S2")));
}

TEST_F(CopyProjectTest, AnExistingProjectFileIsReplacedOnlyOnYes) {
    MakeProject("S", ProjectSetup{});
    fs::create_directories(dir / "T");
    WriteBytes(dir / "T" / "PRJDATA.ZDT", TextBytes("OLD"));
    context.CopyContinueAnswer = ResultYesToAll;

    dialogs.messageAnswers = {ResultNo};
    EXPECT_TRUE(CopyProject(context, Folder("S"), Folder("T"), "X", 0, true));
    EXPECT_NE(AskedText(0).find("Ziel-Projekt-Datei \"" + Folder("T") + "PRJDATA.ZDT\" existiert schon!"),
              std::string::npos);
    EXPECT_EQ(ReadText(dir / "T" / "PRJDATA.ZDT"), "OLD");

    dialogs.messageAnswers = {ResultYes};
    EXPECT_TRUE(CopyProject(context, Folder("S"), Folder("T"), "X", 0, true));
    EXPECT_EQ(ReadBytes(dir / "T" / "PRJDATA.ZDT"), ReadBytes(dir / "S" / "PRJDATA.ZDT"));

    dialogs.messageAnswers = {ResultCancel};
    EXPECT_THROW(CopyProject(context, Folder("S"), Folder("T"), "X", 0, true), SilentAbort);
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
    Bytes written = ReadBytes(dir / "T" / "PRJDATA.ZDT");
    EXPECT_EQ(ReadZDTString(written, layout::ProjectNameOffset, 8), std::string("AB\0\0\0\0\0\0", 8));
    EXPECT_EQ(AskedText(0), "3332 Bytes wurden geschrieben in Datei \"" + Folder("T") +
                                "PRJDATA.ZDT\" !\r\n1 WAV-Audio-Dateien wurden kopiert.\r\n\r\nWeiter?");
    EXPECT_FALSE(doc.DataChanged());
    EXPECT_EQ(doc.LastSavedZDTFileName, Folder("T") + "PRJDATA.ZDT");
    EXPECT_EQ(ReadText(dir / "T" / "PRJDATA___AB_NAME.TXT"), Folder("T") + "PRJDATA___AB_NAME.TXT\r\n");
    EXPECT_EQ(ReadText(dir / "T" / "EFXDATA.ZDT"), "EFX");
    EXPECT_EQ(context.CopyContinueAnswer, ResultNo);
}

}  // namespace
}  // namespace spurwerk
