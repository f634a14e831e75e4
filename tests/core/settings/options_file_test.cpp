#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "io/path_text.h"
#include "io/text_file.h"
#include "scripted_dialogs.h"
#include "settings/language_choice.h"
#include "settings/options_file.h"
#include "settings/text_table.h"
#include "test_files.h"

namespace spurwerk {
namespace {

using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

// Runs `onMessage` inside a message, as a user's click can start the routine again.
struct ReenteringDialogs : testing::ScriptedDialogs {
    std::function<void()> onMessage;
    int Message(const std::string& text, MessageButtons buttons) override {
        if (onMessage) onMessage();
        return ScriptedDialogs::Message(text, buttons);
    }
};

struct OptionsFixture : ::testing::Test {
    void SetUp() override { InitResStrArr(); }

    TempDir dir;
    std::string programDir = AddTrailingBackslash(PathText(dir.path()));
    std::string fileName = programDir + "Spurwerk.INI";
    ReenteringDialogs dialogs;
    CommentedIni ini;
    OptionsFile options{ini, dialogs, programDir};
    MainOptions main;
    ProjSerieOptions serie;
    FileListOptions list;
    GeneralInfoOptions info;
    OptionsWindows all{&main, &serie, &list, &info};

    bool Load(bool formActivated = false) { return options.LoadSaveIniFile(fileName, false, all, formActivated); }
    bool Save() { return options.LoadSaveIniFile(fileName, true, all, true); }
};

std::string Line(const std::string& key, const std::string& value, std::size_t blanks, const std::string& comment) {
    return key + "=" + value + std::string(blanks, ' ') + " // " + comment + "\r\n";
}

TEST_F(OptionsFixture, FirstSaveWritesEveryKeyWithItsDefaultAndComment) {
    dialogs.messageAnswers = {ResultOk};
    ASSERT_TRUE(Load());  // no file: defaults, silently
    EXPECT_TRUE(dialogs.asked.empty());
    ASSERT_TRUE(Save());
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "Ini-Datei \"" + fileName + "\" nicht gefunden - Neu angelegt !!");
    const std::string base = DefaultBaseDir;
    const std::string expected =
        "[Options]\r\n" +
        Line("LanguageIndex", "0", 24, "(INTEGER)") +
        Line("MinListFileLength", "64", 19, "(INTEGER) // # Muß hier manuell gesetzt werden") +
        Line("ReverseEqualizerToLMH", "1", 16,
             "(BOOL) // # 1: Setzt die senkrechten EQ-Regler-Reihenfolge L-M-H ## Muß hier manuell gesetzt werden") +
        Line("ActMaxTrackIdx", "16", 22, "(INTEGER) // # Max. 16 f. ZoomR16, max. 24 f. ZoomR24!") +
        Line("SaveOptionsOnExit", "1", 20, "(BOOL)") +
        Line("ExpertFunctions", "0", 22, "(BOOL)") +
        Line("UseInfoFiles", "0", 25, "(BOOL)") +
        "BaseDirSearch=\r\n" +  // not chosen yet
        Line("SelectPrjFiles", "1", 23, "(BOOL)") +
        Line("SelectWavFiles", "1", 23, "(BOOL)") +
        Line("ShowListSize", "0", 25, "(BOOL) // # Unwichtig, muß hier manuell gesetzt werden") +
        "\r\n[FormProjSerie]\r\n"
        "BaseSubDirs=PROJ\r\n"
        "BaseDirSerie=" + base + "\r\n" +
        Line("SerieCount", "10", 26, "(INTEGER)") +
        Line("SerieStart", "1", 27, "(INTEGER)") +
        "\r\n[FormFileList]\r\n" +
        Line("ListSortType", "0", 25, "(INTEGER)") +
        Line("SortReverse", "0", 26, "(BOOL)") +
        Line("ListRecordModi", "1", 23, "(BOOL)") +
        Line("TrackInfosCompact", "0", 20, "(BOOL)") +
        Line("ListWAVFileDate", "1", 22, "(BOOL)") +
        Line("ListWAVFileSize", "1", 22, "(BOOL)") +
        Line("FontSize", "8", 29, "(INTEGER)") +
        "ListDTFormat=dd.mm.yyyy hh:nn:ss\r\n"
        "\r\n[FormGeneralInfo]\r\n" +
        Line("ShowGeneralInfoAtProgStart", "1", 11, "(BOOL)");
    EXPECT_EQ(ReadTextFile(dir / "Spurwerk.INI"), expected);
    EXPECT_NE(ReadText(dir / "Spurwerk.INI").find("Mu\xDF hier"), std::string::npos);  // Windows-1252

    // A new run reads it and writes it back unchanged: no type tag is added twice.
    CommentedIni ini2;
    OptionsFile options2{ini2, dialogs, programDir};
    ASSERT_TRUE(options2.LoadSaveIniFile(fileName, false, all, false));
    ASSERT_TRUE(options2.LoadSaveIniFile(fileName, true, all, true));
    EXPECT_EQ(ReadTextFile(dir / "Spurwerk.INI"), expected);
}

TEST_F(OptionsFixture, ActMaxTrackIdxIsClampedToTheDevice) {
    struct Case {
        const char* dev;
        const char* tracks;
        int expected;
    };
    for (const Case& c : {Case{"0", "30", 16}, Case{"1", "30", 24}, Case{"1", "20", 20}, Case{"0", "0", 1},
                          Case{"0", "-5", 1}, Case{"0", "lots", 16}, Case{"0", "99999999999999", 16}}) {
        WriteText(dir / "Spurwerk.INI",
                  std::string("[Options]\r\nDevIsZoomR24=") + c.dev + "\r\nActMaxTrackIdx=" + c.tracks + "\r\n");
        MainOptions fresh;
        OptionsWindows w{&fresh, nullptr, nullptr, nullptr};
        ASSERT_TRUE(options.LoadSaveIniFile(fileName, false, w, false));
        EXPECT_EQ(fresh.ActMaxTrackIdx, c.expected) << c.dev << " " << c.tracks;
        EXPECT_EQ(fresh.deviceMaxTrackCount, std::string(c.dev) == "1" ? 24 : 16);
    }
}

TEST_F(OptionsFixture, LoadOnlyKeysAreReadResolvedAndNeverWritten) {
    const std::string absolute = programDir + "sub" + PathSeparator() + "Abs.WAV";
    const std::string handWritten = "; my notes\r\n"
                                    "[Options]\r\n"
                                    "DevIsZoomR24=1 // # 0 f. Zoom R16, 1 f. Zoom R24!\r\n"
                                    "FnVorlageMono16b_WAV=MyMono.WAV\r\n"
                                    "FnVorlageStereo24b_WAV=" + absolute + "\r\n"
                                    "MyOwnKey=kept\r\n";
    WriteText(dir / "Spurwerk.INI", handWritten);
    ASSERT_TRUE(Load());
    EXPECT_TRUE(main.DevIsZoomR24);
    EXPECT_EQ(main.FnVorlageMono16b_WAV, programDir + "MyMono.WAV");
    EXPECT_EQ(main.FnVorlageStereo24b_WAV, absolute);
    EXPECT_EQ(main.FnVorlageStereo16b_WAV, programDir + "WAV_Vorlage_1sec44kSTEREO16b.WAV");  // absent: default
    ASSERT_TRUE(Save());
    std::string text = ReadText(dir / "Spurwerk.INI");
    EXPECT_EQ(text.rfind(handWritten + "LanguageIndex=", 0), 0u);
    EXPECT_EQ(text.find("FnVorlageStereo16b_WAV"), std::string::npos);
}

TEST_F(OptionsFixture, OptionsSectionOnlyBeforeFirstActivation) {
    WriteText(dir / "Spurwerk.INI",
              "[Options]\r\nLanguageIndex=2\r\n[FormFileList]\r\nFontSize=12\r\n[FormGeneralInfo]\r\n"
              "ShowGeneralInfoAtProgStart=0\r\n");
    // At creation only the main window exists.
    OptionsWindows atCreate{&main, nullptr, nullptr, nullptr};
    ASSERT_TRUE(options.LoadSaveIniFile(fileName, false, atCreate, false));
    EXPECT_EQ(main.LanguageIndex, 2);
    EXPECT_EQ(list.FontSize, 8);
    // At first activation: the window sections, not "Options" again.
    main.LanguageIndex = 4;
    ASSERT_TRUE(Load(true));
    EXPECT_EQ(main.LanguageIndex, 4);
    EXPECT_EQ(list.FontSize, 12);
    EXPECT_FALSE(info.ShowGeneralInfoAtProgStart);
}

TEST_F(OptionsFixture, GarbageGivesDefaultsOrControlLimits) {
    std::string junk = "[Options]\r\nLanguageIndex=x1\r\nMinListFileLength=\r\nSaveOptionsOnExit=nein\r\n"
                       "SelectWavFiles=n\r\nBaseDirSearch\r\nlanguageindex=7\r\n[]\r\n=x\r\n"
                       "[FormProjSerie]\r\nSerieCount=500\r\nSerieStart=-1\r\n"
                       "[FormFileList]\r\nListSortType=9\r\nFontSize=0\r\n" + std::string(10000, 'Z') + "\r\n";
    junk += std::string("\0\x01\xFF\xFE=\r\n", 7);
    WriteText(dir / "Spurwerk.INI", junk);
    ASSERT_TRUE(Load());
    EXPECT_EQ(main.LanguageIndex, 0);            // "x1" is no integer; the duplicate is not looked at
    EXPECT_EQ(main.MinListFileLength, 64);       // empty: default
    EXPECT_FALSE(main.SaveOptionsOnExit);        // any other text is false
    EXPECT_TRUE(main.SelectWavFiles);            // the single letter N counts as true
    EXPECT_EQ(main.BaseDirSearch, "");           // line without "=": not chosen
    EXPECT_EQ(serie.SerieCount, 99);
    EXPECT_EQ(serie.SerieStart, 1);
    EXPECT_EQ(list.ListSortType, 3);
    EXPECT_EQ(list.FontSize, 1);
}

TEST_F(OptionsFixture, BusyGuardRefusesReentry) {
    bool inner = true;
    dialogs.onMessage = [&] {
        EXPECT_TRUE(options.OptionsBusy());
        inner = Save();
    };
    dialogs.messageAnswers = {ResultOk};
    EXPECT_TRUE(Save());
    EXPECT_FALSE(inner);
    EXPECT_FALSE(options.OptionsBusy());
    EXPECT_EQ(dialogs.CountAsked("message"), 1);
}

TEST_F(OptionsFixture, FailedWriteIsReportedOnceAndStoresNothing) {
    fileName = programDir + "missing" + PathSeparator() + "Spurwerk.INI";
    dialogs.messageAnswers = {ResultOk, ResultOk};
    EXPECT_FALSE(Save());
    ASSERT_EQ(dialogs.asked.size(), 2u);  // "not found - created", then the one error
    EXPECT_NE(dialogs.asked[1].text.find(fileName), std::string::npos);
    EXPECT_FALSE(options.OptionsBusy());
    EXPECT_EQ(ini.Stored(fileName, "Options", "LanguageIndex"), nullptr);
}

TEST(LanguageChoice, ListsLanguageFilesByPrefix) {
    TempDir dir;
    for (const char* name : {"Spurwerk_GUI.INI", "Spurwerk_GUI_Deutsch.INI", "Spurwerk_GUI_English.INI",
                             "Spurwerk_GUI_.INI", "Spurwerk_GUI_Notes.TXT", "Other_GUI_French.INI",
                             "spurwerk_gui_Lower.ini"})
        WriteText(dir / name, "");
    std::filesystem::create_directory(dir / "Spurwerk_GUI_Folder.INI");
    const std::string gui = PathText(dir / "Spurwerk_GUI.INI");
    std::vector<std::string> entries = InitCBLanguage(gui);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0], "Sprache / language");
    std::sort(entries.begin() + 1, entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"Sprache / language", "Deutsch", "English", "Lower"}));

    const std::string readme = PathText(dir / "Spurwerk_README.TXT");
    auto choice = CBLanguageChange(entries, 2, gui, readme);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->LanguageIndex, 2);
    EXPECT_EQ(choice->languageFile, PathText(dir / "Spurwerk_GUI_English.INI"));
    EXPECT_EQ(choice->readmeFile, PathText(dir / "Spurwerk_README_English.TXT"));
    for (int index : {0, 4, -1}) EXPECT_FALSE(CBLanguageChange(entries, index, gui, readme)) << index;
    EXPECT_EQ(InitCBLanguage(PathText(dir / "nowhere" / "X_GUI.INI")).size(), 1u);
}

}  // namespace
}  // namespace spurwerk
