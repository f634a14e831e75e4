#include <gtest/gtest.h>

#include "io/path_text.h"
#include "scripted_dialogs.h"
#include "settings/ini_file.h"
#include "settings/language_file.h"
#include "io/text_file.h"
#include "project/play_marks.h"
#include "project/track_layout.h"
#include "settings/text_table.h"
#include "settings/ui_texts.h"
#include "test_files.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

using testing::ScriptedDialogs;
using testing::TempDir;
using testing::WriteText;

struct LanguageFixture : ::testing::Test {
    void SetUp() override { InitResStrArr(); }
    void TearDown() override { InitResStrArr(); }  // the table is global

    TempDir dir;
    std::string file = PathText(dir / "Spurwerk_GUI.INI");
    ScriptedDialogs dialogs;
};

GuiForm MainForm() {
    return GuiForm{"FormMain",
                   {
                       {"ButtonLoadZDTFile", ComponentKind::Button, "&Öffne  Zoom-Projekt\r\n(ZDT-Datei)", ""},
                       {"LabelProjectName", ComponentKind::Label, "(-)", "Projektname"},
                       {"Label9", ComponentKind::Label, "", ""},
                       {"PanelGeneralInfo", ComponentKind::Panel, "Infos", "Zeile 1\nZeile 2\r\nZeile 3"},
                       {"N1", ComponentKind::MenuItem, "-", "separator hint"},
                       {"PMCopy", ComponentKind::MenuItem, "Kopieren", ""},
                       {"EditListDTFormat", ComponentKind::Edit, "dd.mm.yyyy", "Format"},
                       {"SEFontSize", ComponentKind::SpinEdit, "8", "not exported"},
                       {"TBFader_3", ComponentKind::Label, "built at run time", "x"},
                       {"CBLanguage", ComponentKind::ComboBox, "Sprache / language", ""},
                       {"LabelSubDirsVon", ComponentKind::DataText, "Von \"/card/PROJ001/\"", "Vorschau"},
                   }};
}

TEST_F(LanguageFixture, ExportWritesEligibleTextsAndHints) {
    GuiForm form = MainForm();
    dialogs.messageAnswers = {ResultOk};
    ASSERT_TRUE(LoadSaveGuiTexts(form, true, file, "", dialogs));
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "GUI-Datei \"" + file + "\" nicht gefunden - Wird neu angelegt !!");
    EXPECT_EQ(ReadTextFile(dir / "Spurwerk_GUI.INI"),
              "[GUI_FormMain]\r\n"
              "ButtonLoadZDTFile.Text=&Öffne  Zoom-Projekt<BR>(ZDT-Datei)\r\n"
              "LabelProjectName.Hint=Projektname\r\n"
              "PanelGeneralInfo.Text=Infos\r\n"
              "PanelGeneralInfo.Hint=Zeile 1<BR>Zeile 2\r<BR>Zeile 3\r\n"
              "PMCopy.Text=Kopieren\r\n"
              "EditListDTFormat.Hint=Format\r\n"
              "LabelSubDirsVon.Hint=Vorschau\r\n");

    // Reading it back changes nothing; the hint keeps its CR.
    GuiForm back = MainForm();
    for (auto& c : back.components) c.text = c.hint = "";
    back.components[4].text = "-";
    ASSERT_TRUE(LoadSaveGuiTexts(back, false, file, "", dialogs));
    EXPECT_EQ(back.components[0].text, "&Öffne  Zoom-Projekt\r\n(ZDT-Datei)");
    EXPECT_EQ(back.components[3].hint, "Zeile 1\nZeile 2\r\nZeile 3");
    EXPECT_EQ(back.components[4].text, "-");
    EXPECT_EQ(back.components[4].hint, "");
    EXPECT_EQ(back.components[6].hint, "Format");
    EXPECT_EQ(back.components[7].hint, "");  // spin edits take no part
    EXPECT_EQ(back.components[8].text, "");   // nor names with "_"
}

TEST_F(LanguageFixture, ImportChangesOnlyWhatTheFileHolds) {
    WriteText(dir / "Spurwerk_GUI.INI",
              "[gui_formmain]\r\n"
              "PanelGeneralInfo.Text=Info<br>and help\r\n"
              "PanelGeneralInfo.Hint=a<Br>b\r\n"
              "LabelProjectName.Text=\r\n"
              "N1.Text=Never\r\n"
              "EditListDTFormat.Text=yyyy-mm-dd\r\n"
              "EditListDTFormat.Hint=date format\r\n"
              "TBFader_3.Text=never\r\n"
              "SEFontSize.Hint=never\r\n"
              "CBLanguage.Text=never\r\n"
              "LabelSubDirsVon.Text=From \"C:\\PROJ001\\\"\r\n");
    GuiForm form = MainForm();
    ASSERT_TRUE(LoadSaveGuiTexts(form, false, file, "", dialogs));
    EXPECT_EQ(form.components[3].text, "Info\r\nand help");
    EXPECT_EQ(form.components[3].hint, "a\nb");
    EXPECT_EQ(form.components[1].text, "(-)");  // empty value: unchanged
    EXPECT_EQ(form.components[1].hint, "Projektname");
    EXPECT_EQ(form.components[0].text, MainForm().components[0].text);  // missing key
    EXPECT_EQ(form.components[4].text, "-");    // separators never change
    // What the user entered or what is computed from it never comes from a language.
    EXPECT_EQ(form.components[6].text, "dd.mm.yyyy");
    EXPECT_EQ(form.components[6].hint, "date format");
    EXPECT_EQ(form.components[7].hint, "not exported");
    EXPECT_EQ(form.components[8].text, "built at run time");
    EXPECT_EQ(form.components[9].text, "Sprache / language");
    EXPECT_EQ(form.components[10].text, MainForm().components[10].text);
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(LanguageFixture, TextTableExportHas201KeysAndReadsBack) {
    dialogs.messageAnswers = {ResultOk};
    LoadSaveResStrArr(true, file, dialogs);
    IniFile ini(dir / "Spurwerk_GUI.INI");
    ASSERT_GE(ini.Lines().size(), 203u);
    EXPECT_EQ(ini.Lines()[0], "[ResStrArr]");
    EXPECT_EQ(ini.Lines()[203], "[UiTexts]");  // 201 numbered texts and a blank line before it
    EXPECT_EQ(ini.Lines()[1], "Str100=Verz./Datei<BR>Datei-Datum<BR>Projekt-Name<BR>Max. Audio-Zeit");
    EXPECT_EQ(ini.Lines()[6], "Str105=");
    // Blanks at the ends of a text survive the round trip.
    EXPECT_EQ(ini.ReadString("ResStrArr", "Str109", ""), "anlegen! ");

    for (int n = FirstTextNumber; n <= LastTextNumber; ++n) SetTxt(n, "changed");
    LoadSaveResStrArr(false, file, dialogs);
    for (int n = FirstTextNumber; n <= LastTextNumber; ++n) EXPECT_EQ(Txt(n), DefaultTxt(n)) << n;
    EXPECT_EQ(dialogs.CountAsked("message"), 1);
}

TEST_F(LanguageFixture, MissingKeysEmptyTheirTexts) {
    WriteText(dir / "Spurwerk_GUI_English.INI",
              "[ResStrArr]\r\nStr101=GUI file \"\r\nStr100=Folder<br>Date<BR>Name<bR>Length\r\n"
              "[GUI_FormMain]\r\n");
    const std::string english = PathText(dir / "Spurwerk_GUI_English.INI");
    LoadSaveResStrArr(false, english, dialogs);
    EXPECT_EQ(Txt(101), "GUI file \"");
    EXPECT_EQ(Txt(150), "");
    EXPECT_EQ(ListSortTypeItems(), (std::vector<std::string>{"Folder", "Date", "Name", "Length"}));

    InitResStrArr();
    WriteText(dir / "Spurwerk_GUI_English.INI", "[GUI_FormMain]\r\nPanelGeneralInfo.Text=Info\r\n");
    GuiForm form = MainForm();
    ASSERT_TRUE(LoadSaveLanguage(false, english, {&form}, dialogs));
    EXPECT_EQ(form.components[3].text, "Info");
    for (int n = FirstTextNumber; n <= LastTextNumber; ++n) EXPECT_EQ(Txt(n), "") << n;
    EXPECT_TRUE(ListSortTypeItems().empty());
}

TEST_F(LanguageFixture, UiTextsFollowTheLanguageAndKeepGermanForMissingKeys) {
    const std::string english = PathText(dir / "Spurwerk_GUI_English.INI");
    WriteText(dir / "Spurwerk_GUI_English.INI",
              "[UiTexts]\r\nMessageYes=&Yes\r\nMenuCopyPath=Copy path\r\nQtLanguage=en\r\n"
              "MarkTableFull=Full (%1 marks)<BR>no mark\r\n");
    ASSERT_TRUE(LoadSaveLanguage(false, english, {}, dialogs));
    EXPECT_EQ(UiTxt(UiText::MessageYes), "&Yes");
    EXPECT_EQ(MarkTableFullMessage(), "Full (" + std::to_string(layout::MarkSlots) + " marks)\r\nno mark");
    EXPECT_EQ(UiTxt(UiText::MenuCopyPath), "Copy path");
    EXPECT_EQ(UiTxt(UiText::MessageNo), "&Nein");
    EXPECT_EQ(UiTxt(UiText::QtLanguage), "en");

    // A file written before these keys existed: German buttons, Qt's language by the name.
    WriteText(dir / "Spurwerk_GUI_English.INI", "[ResStrArr]\r\nStr101=x\r\n");
    ASSERT_TRUE(LoadSaveLanguage(false, english, {}, dialogs));
    EXPECT_EQ(UiTxt(UiText::MessageYes), "&Ja");
    EXPECT_EQ(UiTxt(UiText::QtLanguage), "");
    EXPECT_EQ(QtLanguageCodeFor("english"), "en");
    EXPECT_EQ(QtLanguageCodeFor("Deutsch"), "de");
    EXPECT_EQ(QtLanguageCodeFor("Klingon"), "");
}

TEST_F(LanguageFixture, MissingLanguageFileChangesNothing) {
    GuiForm form = MainForm();
    dialogs.messageAnswers = {ResultOk};
    const std::string missing = PathText(dir / "Spurwerk_GUI_Klingon.INI");
    EXPECT_FALSE(LoadSaveLanguage(false, missing, {&form}, dialogs));
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "GUI-Datei \"" + missing + "\" nicht gefunden !!");
    EXPECT_EQ(Txt(150), DefaultTxt(150));
    EXPECT_EQ(form.components[3].text, "Infos");
    EXPECT_FALSE(std::filesystem::exists(dir / "Spurwerk_GUI_Klingon.INI"));
}

TEST_F(LanguageFixture, LanguageRoundTripKeepsUnknownKeysAndComments) {
    WriteText(dir / "Spurwerk_GUI_English.INI",
              "; translated by hand\r\n"
              "[GUI_FormMain]\r\n"
              "PanelGeneralInfo.Text=Info\r\n"
              "OldButton.Text=from an older version\r\n"
              "[GUI_FormCtrls]\r\n"
              "[ResStrArr]\r\n"
              "Str150=WAV file \"\r\n"
              "Str999=spare\r\n");
    const std::string english = PathText(dir / "Spurwerk_GUI_English.INI");
    GuiForm mainForm = MainForm();
    GuiForm mixer{"FormCtrls", {{"ButtonPopupMenu", ComponentKind::Button, "Menu", ""}}};
    ASSERT_TRUE(LoadSaveLanguage(false, english, {&mainForm, &mixer}, dialogs));
    EXPECT_EQ(Txt(150), "WAV file \"");
    ASSERT_TRUE(LoadSaveLanguage(true, english, {&mainForm, &mixer}, dialogs));
    std::string text = ReadTextFile(dir / "Spurwerk_GUI_English.INI");
    EXPECT_EQ(text.rfind("; translated by hand\r\n[GUI_FormMain]\r\nPanelGeneralInfo.Text=Info\r\n"
                         "OldButton.Text=from an older version\r\n",
                         0),
              0u);
    EXPECT_NE(text.find("[GUI_FormCtrls]\r\nButtonPopupMenu.Text=Menu\r\n"), std::string::npos);
    EXPECT_NE(text.find("Str999=spare\r\n"), std::string::npos);
    EXPECT_NE(text.find("Str150=WAV file \"\r\n"), std::string::npos);
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(LanguageFixture, FailedWritesAndReadsChangeNothing) {
    const std::string unwritable = PathText(dir / "no-folder" / "X_GUI.INI");
    dialogs.messageAnswers = {ResultOk, ResultOk};
    EXPECT_THROW(LoadSaveResStrArr(true, unwritable, dialogs), FileError);
    GuiForm form = MainForm();
    EXPECT_FALSE(LoadSaveGuiTexts(form, true, unwritable, "", dialogs));

    // A language file that exists but cannot be read leaves the table as it is.
    std::filesystem::create_directory(dir / "Spurwerk_GUI_Dir.INI");
    EXPECT_THROW(LoadSaveLanguage(false, PathText(dir / "Spurwerk_GUI_Dir.INI"), {&form}, dialogs), FileError);
    EXPECT_THROW(LoadSaveResStrArr(false, PathText(dir / "Spurwerk_GUI_Dir.INI"), dialogs), FileError);
    EXPECT_EQ(Txt(150), DefaultTxt(150));
    EXPECT_EQ(form.components[3].text, "Infos");
}

}  // namespace
}  // namespace spurwerk
