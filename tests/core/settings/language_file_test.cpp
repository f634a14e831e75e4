#include <gtest/gtest.h>

#include <tuple>

#include "io/path_text.h"
#include "io/text_file.h"
#include "project/play_marks.h"
#include "project/track_layout.h"
#include "scripted_dialogs.h"
#include "settings/ini_file.h"
#include "settings/cli_texts.h"
#include "settings/language_file.h"
#include "settings/text_table.h"
#include "settings/ui_texts.h"
#include "settings/value_conversion.h"
#include "test_files.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

using namespace testing;

struct LanguageFixture : ::testing::Test {
    void SetUp() override { InitResStrArr(); }
    void TearDown() override { InitResStrArr(); }  // the table is global

    TempDir dir;
    std::string file = PathText(dir / "Spurwerk_GUI.INI");
    std::string english = PathText(dir / "Spurwerk_GUI_English.INI");
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
              "[GUI_FormMain]\r\nButtonLoadZDTFile.Text=&Öffne  Zoom-Projekt<BR>(ZDT-Datei)\r\n"
              "LabelProjectName.Hint=Projektname\r\nPanelGeneralInfo.Text=Infos\r\n"
              "PanelGeneralInfo.Hint=Zeile 1<BR>Zeile 2\r<BR>Zeile 3\r\nPMCopy.Text=Kopieren\r\n"
              "EditListDTFormat.Hint=Format\r\nLabelSubDirsVon.Hint=Vorschau\r\n");

    // Read back, the hint keeps its CR.
    GuiForm back = MainForm();
    back.components[0].text = back.components[3].hint = "";
    ASSERT_TRUE(LoadSaveGuiTexts(back, false, file, "", dialogs));
    EXPECT_EQ(back.components[0].text, MainForm().components[0].text);
    EXPECT_EQ(back.components[3].hint, MainForm().components[3].hint);
}

TEST_F(LanguageFixture, ImportChangesOnlyWhatTheFileHolds) {
    WriteText(dir / "Spurwerk_GUI.INI",
              "[gui_formmain]\r\nPanelGeneralInfo.Text=Info<br>and help\r\nPanelGeneralInfo.Hint=a<Br>b\r\n"
              "LabelProjectName.Text=\r\nN1.Text=Never\r\nEditListDTFormat.Text=yyyy-mm-dd\r\n"
              "EditListDTFormat.Hint=date format\r\nTBFader_3.Text=never\r\nSEFontSize.Hint=never\r\n"
              "CBLanguage.Text=never\r\nLabelSubDirsVon.Text=From \"C:\\PROJ001\\\"\r\n");
    GuiForm form = MainForm();
    ASSERT_TRUE(LoadSaveGuiTexts(form, false, file, "", dialogs));
    EXPECT_EQ(form.components[3].text, "Info\r\nand help");
    EXPECT_EQ(form.components[3].hint, "a\nb");
    EXPECT_EQ(form.components[6].hint, "date format");
    // Empty values, missing keys, separators, and what the user entered or what
    // is computed from it never come from a language.
    const GuiForm designed = MainForm();
    for (std::size_t i : {0, 1, 4, 7, 8, 9, 10}) {
        EXPECT_EQ(form.components[i].text, designed.components[i].text) << i;
        EXPECT_EQ(form.components[i].hint, designed.components[i].hint) << i;
    }
    EXPECT_EQ(form.components[6].text, "dd.mm.yyyy");
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(LanguageFixture, TextTableExportHas201KeysAndReadsBack) {
    dialogs.messageAnswers = {ResultOk};
    LoadSaveResStrArr(true, file, dialogs);
    IniFile ini(dir / "Spurwerk_GUI.INI");
    ASSERT_GE(ini.Lines().size(), 204u);
    EXPECT_EQ(ini.Lines()[203], "[UiTexts]");  // 201 numbered texts and a blank line before it
    EXPECT_EQ(ini.Lines()[1], "Str100=Verz./Datei<BR>Datei-Datum<BR>Projekt-Name<BR>Max. Audio-Zeit");
    EXPECT_EQ(ini.Lines()[6], "Str105=");

    for (int n = FirstTextNumber; n <= LastTextNumber; ++n) SetTxt(n, "changed");
    LoadSaveResStrArr(false, file, dialogs);
    for (int n = FirstTextNumber; n <= LastTextNumber; ++n) EXPECT_EQ(Txt(n), DefaultTxt(n)) << n;
}

// Numbered texts a language file lacks are empty; the newer button texts keep
// their German default, and Qt's language then follows the language's name.
TEST_F(LanguageFixture, MissingKeys) {
    WriteText(dir / "Spurwerk_GUI_English.INI",
              "[ResStrArr]\r\nStr101=GUI file \"\r\nStr100=Folder<br>Date<BR>Name<bR>Length\r\n"
              "[UiTexts]\r\nMessageYes=&Yes\r\nQtLanguage=en\r\nMarkTableFull=Full (%1 marks)<BR>no mark\r\n");
    ASSERT_TRUE(LoadSaveLanguage(false, english, {}, dialogs));
    EXPECT_EQ(std::tuple(Txt(101), Txt(150), ListSortTypeItems(), UiTxt(UiText::MessageYes), MarkTableFullMessage(),
                         UiTxt(UiText::MessageNo), UiTxt(UiText::QtLanguage)),
              std::tuple("GUI file \"", "", std::vector<std::string>{"Folder", "Date", "Name", "Length"}, "&Yes",
                         "Full (" + std::to_string(layout::MarkSlots) + " marks)\r\nno mark", "&Nein", "en"));

    WriteText(dir / "Spurwerk_GUI_English.INI", "[ResStrArr]\r\nStr101=x\r\n");
    ASSERT_TRUE(LoadSaveLanguage(false, english, {}, dialogs));
    EXPECT_EQ(std::tuple(UiTxt(UiText::MessageYes), UiTxt(UiText::QtLanguage), QtLanguageCodeFor("english"),
                         QtLanguageCodeFor("Klingon")),
              std::tuple("&Ja", "", "en", ""));
}

// The command line's texts come from the same file: a key the file lacks keeps
// the German default, a file without them starts from the defaults again, and
// values never replace the placeholders that follow them.
TEST_F(LanguageFixture, CommandLineTexts) {
    WriteText(dir / "Spurwerk_GUI_English.INI",
              "[ResStrArr]\r\nStr101=x\r\n[CliTexts]\r\nNothingSaved=nothing saved\r\n"
              "SameFolder=\"%1\" and \"%2\" are one folder:<BR>%3\r\n");
    ASSERT_TRUE(LoadSaveLanguage(false, english, {}, dialogs));
    const std::tuple<std::string, std::string> cases[] = {
        {CliTxt(CliText::NothingSaved), "nothing saved"},
        {CliTxt(CliText::SameFolder, {"A", "%2", "!"}), "\"A\" and \"%2\" are one folder:\r\n!"},
        {CliTxt(CliText::TableTrack), "Spur"},  // not in the file: German
        {CliTxt(CliText::NoFolder, {}), "\"%1\" ist kein Ordner"},  // a missing value leaves its mark
        {CliTextKey(CliText::NeedsYesOrNo), "NeedsYesOrNo"},
    };
    for (const auto& [got, expected] : cases) EXPECT_EQ(got, expected);
    WriteText(dir / "Spurwerk_GUI_English.INI", "[ResStrArr]\r\nStr101=x\r\n");
    ASSERT_TRUE(LoadSaveLanguage(false, english, {}, dialogs));
    EXPECT_EQ(CliTxt(CliText::NothingSaved), "nichts gespeichert");
    // Saving a language writes them too, so a new language file can be translated.
    WriteText(dir / "new.INI", "");  // an existing file: no announcement
    LoadSaveResStrArr(true, PathText(dir / "new.INI"), dialogs);
    EXPECT_NE(ReadTextFile(dir / "new.INI").find("[CliTexts]\r\nProjectLabel=Projekt:\r\n"), std::string::npos);
}

// Reading and writing a whole language: every form in its section, the texts
// in theirs, keys of older versions kept.
TEST_F(LanguageFixture, LanguageRoundTrip) {
    WriteText(dir / "Spurwerk_GUI_English.INI",
              "[GUI_FormMain]\r\nPanelGeneralInfo.Text=Info\r\nOldButton.Text=old\r\n"
              "[ResStrArr]\r\nStr150=WAV file \"\r\nStr999=spare\r\n");
    GuiForm mainForm = MainForm();
    GuiForm mixer{"FormCtrls", {{"ButtonPopupMenu", ComponentKind::Button, "Menu", ""}}};
    ASSERT_TRUE(LoadSaveLanguage(false, english, {&mainForm, &mixer}, dialogs));
    ASSERT_TRUE(LoadSaveLanguage(true, english, {&mainForm, &mixer}, dialogs));
    std::string text = ReadTextFile(dir / "Spurwerk_GUI_English.INI");
    for (const char* line : {"[GUI_FormMain]\r\nPanelGeneralInfo.Text=Info\r\nOldButton.Text=old\r\n",
                             "\r\n[GUI_FormCtrls]\r\nButtonPopupMenu.Text=Menu\r\n", "Str999=spare\r\n",
                             "Str150=WAV file \"\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_TRUE(dialogs.asked.empty());
}

// A language file that is missing, cannot be read or cannot be written leaves
// the texts and the forms as they are.
TEST_F(LanguageFixture, UnusableFilesChangeNothing) {
    GuiForm form = MainForm();
    dialogs.messageAnswers = {ResultOk, ResultOk, ResultOk};
    const std::string missing = PathText(dir / "Spurwerk_GUI_Klingon.INI");
    EXPECT_FALSE(LoadSaveLanguage(false, missing, {&form}, dialogs));
    EXPECT_EQ(dialogs.asked[0].text, "GUI-Datei \"" + missing + "\" nicht gefunden !!");
    EXPECT_FALSE(std::filesystem::exists(dir / "Spurwerk_GUI_Klingon.INI"));

    const std::string unwritable = PathText(dir / "no-folder" / "X_GUI.INI");
    EXPECT_THROW(LoadSaveResStrArr(true, unwritable, dialogs), FileError);
    EXPECT_FALSE(LoadSaveGuiTexts(form, true, unwritable, "", dialogs));

    std::filesystem::create_directory(dir / "Spurwerk_GUI_Dir.INI");
    EXPECT_THROW(LoadSaveLanguage(false, PathText(dir / "Spurwerk_GUI_Dir.INI"), {&form}, dialogs), FileError);
    EXPECT_THROW(LoadSaveResStrArr(false, PathText(dir / "Spurwerk_GUI_Dir.INI"), dialogs), FileError);
    EXPECT_EQ(Txt(150), DefaultTxt(150));
    EXPECT_EQ(form.components[3].text, "Infos");
}

TEST(TextTable, LineBreakTags) {
    EXPECT_EQ(EncodeBR("a\r\nb\r\n", "\r\n"), "a<BR>b<BR>");
    EXPECT_EQ(EncodeBR("a\r\nb", "\n"), "a\r<BR>b");  // hints keep the CR
    EXPECT_EQ(DecodeBR("one<br>two<Br>three<BR>", "\r\n"), "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(DecodeBR("<B<BR>R>", "\n"), "<B\nR>");  // no overlaps, left to right
}

TEST(ValueConversion, ColoursByNameOrNumber) {
    const std::int32_t btnFace = static_cast<std::int32_t>(0xFF00000F);
    const std::pair<std::int32_t, const char*> written[] = {
        {0x0000FF, "clRed"}, {btnFace, "clBtnFace"}, {0x00FF10, "$00FF10"}, {0x123, "$000123"},
    };
    for (const auto& [colour, text] : written) EXPECT_EQ(ColorToStrVal(colour), text);
    const std::pair<const char*, std::optional<std::int32_t>> read[] = {
        {"clbtnface", btnFace}, {"$FF00000F", btnFace}, {"$00FF10", 0x00FF10}, {"255", 255}, {"", 0},
        {"clNoSuchColour", std::nullopt}, {"12abc", std::nullopt}, {"0x10", std::nullopt},
    };
    for (const auto& [text, colour] : read) EXPECT_EQ(StrToColorVal(text), colour) << text;
}

}  // namespace
}  // namespace spurwerk
