// The program's own settings files: options, where the side files live, window
// positions, input histories.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <tuple>

#include "io/path_text.h"
#include "io/text_file.h"
#include "scoped_environment.h"
#include "scripted_dialogs.h"
#include "settings/assign_suggestions.h"
#include "settings/environment_text.h"
#include "settings/input_history.h"
#include "settings/language_choice.h"
#include "settings/options_file.h"
#include "settings/side_files.h"
#include "settings/text_table.h"
#include "settings/window_positions.h"
#include "test_files.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

namespace fs = std::filesystem;
using namespace testing;
using Items = std::vector<std::string>;

const std::string Sep = PathSeparator();
const ScreenSize FullHd{1920, 1080};

// Runs `onMessage` inside a message, as a user's click can start the routine again.
struct ReenteringDialogs : ScriptedDialogs {
    std::function<void()> onMessage;
    int Message(const std::string& text, MessageButtons buttons) override {
        if (onMessage) onMessage();
        return ScriptedDialogs::Message(text, buttons);
    }
};

// One scratch folder for the options, the window positions and a history.
struct SettingsFixture : ::testing::Test {
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

    std::string posFile = programDir + "Spurwerk_WindowPositions.INI";
    WindowPositions positions{posFile, dialogs};
    WindowGeometry mainWin{10, 20, 355, 610}, ctrls{30, 40, 800, 500}, offScreen{5000, 6, 7, 8};
    std::vector<PlacedWindow> All() {
        return {{"FormMain", &mainWin}, {"FormCtrls", &ctrls}, {"FormGeneralInfo", &offScreen}};
    }

    std::string file = programDir + "Spurwerk_ZDTFile.HIS";
    InputHistory history;
};

TEST_F(SettingsFixture, FirstSaveWritesEveryKeyWithItsDefaultAndComment) {
    dialogs.messageAnswers = {ResultOk};
    ASSERT_TRUE(Load());  // no file: defaults, silently
    ASSERT_TRUE(Save());
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "Ini-Datei \"" + fileName + "\" nicht gefunden - Neu angelegt !!");
    // Every key of every window in its section, a blank line between sections;
    // the filler and comments are the commented file's own rule.
    const std::string expected = ReadTextFile(dir / "Spurwerk.INI");
    const std::vector<std::string> lines = SplitTextLines(expected);
    ASSERT_EQ(lines.size(), 31u);
    const std::pair<std::size_t, std::string> starts[] = {
        {0, "[Options]"}, {1, "LanguageIndex=0 "}, {8, "BaseDirSearch="}, {12, ""}, {13, "[FormProjSerie]"},
        {15, "BaseDirSerie=" + std::string(DefaultBaseDir)}, {27, "ListDTFormat=dd.mm.yyyy hh:nn:ss"},
        {29, "[FormGeneralInfo]"}, {30, "ShowGeneralInfoAtProgStart=1 "},
    };
    for (const auto& [i, start] : starts) EXPECT_EQ(lines[i].rfind(start, 0), 0u) << lines[i];
    EXPECT_NE(ReadText(dir / "Spurwerk.INI").find("Mu\xDF hier"), std::string::npos);  // Windows-1252

    // A new run reads it and writes it back unchanged: no type tag is added twice.
    CommentedIni ini2;
    OptionsFile options2{ini2, dialogs, programDir};
    ASSERT_TRUE(options2.LoadSaveIniFile(fileName, false, all, false));
    ASSERT_TRUE(options2.LoadSaveIniFile(fileName, true, all, true));
    EXPECT_EQ(ReadTextFile(dir / "Spurwerk.INI"), expected);
}

TEST_F(SettingsFixture, ActMaxTrackIdxIsClampedToTheDevice) {
    const std::tuple<std::string, const char*, int> cases[] = {  // device, stored, used
        {"0", "30", 16}, {"1", "30", 24}, {"1", "20", 20}, {"0", "0", 1}, {"0", "-5", 1}, {"0", "lots", 16},
        {"0", "99999999999999", 16},
    };
    for (const auto& [dev, tracks, expected] : cases) {
        const std::string text = "[Options]\r\nDevIsZoomR24=" + dev + "\r\nActMaxTrackIdx=" + tracks + "\r\n";
        WriteText(dir / "Spurwerk.INI", text);
        MainOptions fresh;
        OptionsWindows w{&fresh, nullptr, nullptr, nullptr};
        ASSERT_TRUE(options.LoadSaveIniFile(fileName, false, w, false));
        EXPECT_EQ(fresh.ActMaxTrackIdx, expected) << dev << " " << tracks;
        EXPECT_EQ(fresh.deviceMaxTrackCount, dev == "1" ? 24 : 16);
    }
}

TEST_F(SettingsFixture, OptionsSectionOnlyBeforeFirstActivation) {
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

TEST_F(SettingsFixture, GarbageGivesDefaultsOrControlLimits) {
    std::string junk = "[Options]\r\nLanguageIndex=x1\r\nMinListFileLength=\r\nSaveOptionsOnExit=nein\r\n"
                       "SelectWavFiles=n\r\nBaseDirSearch\r\nlanguageindex=7\r\n[]\r\n=x\r\n"
                       "[FormProjSerie]\r\nSerieCount=500\r\nSerieStart=-1\r\n"
                       "[FormFileList]\r\nListSortType=9\r\nFontSize=0\r\n" + std::string(10000, 'Z') + "\r\n";
    junk += std::string("\0\x01\xFF\xFE=\r\n", 7);
    WriteText(dir / "Spurwerk.INI", junk);
    ASSERT_TRUE(Load());
    // "x1" is no integer (the duplicate is not looked at); empty: default; any other text is false,
    // the single letter N true; out of range: the control's limits.
    const std::vector<int> got = {main.LanguageIndex, main.MinListFileLength, main.SaveOptionsOnExit,
                                  main.SelectWavFiles, serie.SerieCount, serie.SerieStart, list.ListSortType,
                                  list.FontSize};
    EXPECT_EQ(got, (std::vector<int>{0, 64, 0, 1, 99, 1, 3, 1}));
    EXPECT_EQ(main.BaseDirSearch, "");  // line without "=": not chosen
}

TEST_F(SettingsFixture, BusyGuardRefusesReentry) {
    bool inner = true;
    dialogs.onMessage = [&] {
        EXPECT_TRUE(options.OptionsBusy());
        inner = Save();
    };
    dialogs.messageAnswers = {ResultOk};
    EXPECT_TRUE(Save());
    EXPECT_FALSE(inner);
    EXPECT_EQ(dialogs.CountAsked("message"), 1);
}

TEST_F(SettingsFixture, FailedWriteIsReportedOnceAndStoresNothing) {
    fileName = programDir + "missing" + Sep + "Spurwerk.INI";
    dialogs.messageAnswers = {ResultOk, ResultOk};
    EXPECT_FALSE(Save());
    ASSERT_EQ(dialogs.asked.size(), 2u);  // "not found - created", then the one error
    EXPECT_NE(dialogs.asked[1].text.find(fileName), std::string::npos);
    EXPECT_FALSE(options.OptionsBusy());
    EXPECT_EQ(ini.Stored(fileName, "Options", "LanguageIndex"), nullptr);
}

TEST_F(SettingsFixture, LanguageChoiceListsLanguageFilesByPrefix) {
    for (const char* name : {"Spurwerk_GUI.INI", "Spurwerk_GUI_Deutsch.INI", "Spurwerk_GUI_English.INI",
                             "Spurwerk_GUI_.INI", "Spurwerk_GUI_Notes.TXT", "Other_GUI_French.INI",
                             "spurwerk_gui_Lower.ini"})
        WriteText(dir / name, "");
    fs::create_directory(dir / "Spurwerk_GUI_Folder.INI");
    const std::string gui = PathText(dir / "Spurwerk_GUI.INI");
    std::vector<std::string> entries = InitCBLanguage(gui);
    std::sort(entries.begin() + 1, entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"Sprache / language", "Deutsch", "English", "Lower"}));

    const std::string readme = PathText(dir / "Spurwerk_README.TXT");
    auto choice = CBLanguageChange(entries, 2, gui, readme);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->languageFile, PathText(dir / "Spurwerk_GUI_English.INI"));
    EXPECT_EQ(choice->readmeFile, PathText(dir / "Spurwerk_README_English.TXT"));
    for (int index : {0, 4, -1}) EXPECT_FALSE(CBLanguageChange(entries, index, gui, readme)) << index;
    EXPECT_EQ(InitCBLanguage(PathText(dir / "nowhere" / "X_GUI.INI")).size(), 1u);
}

// The command line's language: --lang, else the window's choice, else the
// locale variables in POSIX order; English where no file of the language exists.
TEST(LanguageChoice, CommandLineLanguageFromOptionStoredChoiceAndLocale) {
    const Items entries{"Sprache / language", "Deutsch", "English"};
    const Items onlyTitle{"Sprache / language"};
    struct Case {
        const Items* entries;
        CliLanguageSources sources;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {&entries, {"en", 1, "de_DE", "", ""}, "English"},  // the option wins over everything
        {&entries, {"DE", 2, "", "", "en_US"}, "Deutsch"},
        {&entries, {"English", 0, "", "", ""}, "English"},
        {&entries, {"fr", 0, "", "", ""}, std::nullopt},  // no such language
        {&onlyTitle, {"de", 0, "", "", ""}, ""},          // the built-in German texts
        {&onlyTitle, {"en", 0, "", "", ""}, std::nullopt},
        {&entries, {"", 2, "de_DE.UTF-8", "", ""}, "English"},  // the window's choice before the locale
        {&entries, {"", 1, "", "", "en_GB"}, "Deutsch"},
        {&entries, {"", 3, "", "", "de_DE"}, "Deutsch"},  // a stored position past the entries
        {&entries, {"", 0, "de_DE.UTF-8", "en_US", "en_US"}, "Deutsch"},  // LC_ALL first
        {&entries, {"", 0, "", "en_GB.UTF-8", "de_DE"}, "English"},      // then LC_MESSAGES
        {&entries, {"", 0, "", "", "de_AT@euro"}, "Deutsch"},
        {&entries, {"", 0, "", "", "C.UTF-8"}, "English"},
        {&entries, {"", 0, "", "", "POSIX"}, "English"},
        {&entries, {"", 0, "", "", "fr_FR"}, "English"},
        {&entries, {"", 0, "", "", ""}, "English"},
        {&onlyTitle, {"", 0, "", "", "en_US"}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CliLanguageEntry(*c.entries, c.sources), c.expected)
            << "option " << c.sources.option << ", stored " << c.sources.storedIndex << ", " << c.sources.lcAll
            << "/" << c.sources.lcMessages << "/" << c.sources.lang;
}

TEST(SideFiles, NamedAfterTheProgramAndWrittenElsewhereWhenItsFolderIsNotWritable) {
    const std::string dir = Sep + "opt" + Sep + "tools" + Sep;
    SideFiles s = DeriveSideFiles(dir + "Other.exe", true, "");
    // Named after the program, fixed names, templates: one of each kind.
    const std::pair<std::string, const char*> names[] = {
        {s.programDir, ""}, {s.GuiFileName, "Other_GUI.INI"}, {s.zdtHistory, "Other_ZDTFile.HIS"},
        {s.windowPositionsFile, "Other_WindowPositions.INI"}, {s.OptionsFileName, "Spurwerk.INI"},
        {s.doSaveAllGUIsMarker, "_DoSaveAllGUIsCreated.txt"}, {s.efxTemplateR24, "EFXDATA_VorlageR24.ZDT"},
    };
    for (const auto& [name, expected] : names) EXPECT_EQ(name, dir + expected);

    TempDir config;
    const std::string cfg = PathText(config.path());
    EXPECT_FALSE(IsFolderWritable(config / "missing"));
    const SideFiles probed = DeriveSideFiles(PathText(config / "Spurwerk"));
    EXPECT_EQ(probed.OptionsFileName, PathText(config / "Spurwerk.INI"));
    EXPECT_TRUE(fs::is_empty(config.path()));  // the probe leaves nothing behind
    s = DeriveSideFiles(dir + "Spurwerk", false, cfg);
    const std::string cfgDir = AddTrailingBackslash(cfg);
    // Written files move; shipped files are still found beside the program ...
    const std::pair<std::string, std::string> moved[] = {
        {s.writableDir, cfgDir}, {s.OptionsFileName, cfgDir + "Spurwerk.INI"},
        {s.windowPositionsFile, cfgDir + "Spurwerk_WindowPositions.INI"},
        {s.zdtHistory, cfgDir + "Spurwerk_ZDTFile.HIS"}, {s.GuiFileName, dir + "Spurwerk_GUI.INI"},
        {s.prjTemplateR16, dir + "PRJDATA_VorlageR16.ZDT"}, {s.assignsFile, dir + "Spurwerk_Assigns.INI"},
    };
    for (const auto& [name, expected] : moved) EXPECT_EQ(name, expected);
    // ... unless the user keeps an own suggestion list.
    WriteBytes(config / "Spurwerk_Assigns.INI", Bytes{'X'});
    EXPECT_EQ(DeriveSideFiles(dir + "Spurwerk", false, cfg).assignsFile, cfgDir + "Spurwerk_Assigns.INI");
}

// An installed program writes into the user's configuration folder even when
// its own folder is writable (run as root); a build folder or an unpacked copy
// keeps its side files beside the program.
TEST(SideFiles, InstalledProgramNeverWritesBesideItself) {
    TempDir home;
    const std::string configDir = AddTrailingBackslash(PathText(home / "config" / "Spurwerk"));
#ifdef _WIN32
    ScopedEnvironment config{"APPDATA", PathText(home / "config")};
#else
    ScopedEnvironment config{"XDG_CONFIG_HOME", PathText(home / "config")};
#endif
    ASSERT_EQ(UserConfigDir(), configDir);
    struct Case {
        const char* what;
        bool marker;
        bool markerIsFolder;
        const char* expectedPlace;  // "beside" or "config"
    };
    const Case cases[] = {
        {"build folder", false, false, "beside"},
        {"installed", true, false, "config"},
        {"a folder named like the marker is no marker", false, true, "beside"},
    };
    for (const Case& c : cases) {
        TempDir program;
        if (c.marker) WriteText(program / InstalledMarkerName, "installed\n");
        if (c.markerIsFolder) fs::create_directory(program / InstalledMarkerName);
        EXPECT_EQ(IsInstalledProgramDir(program.path()), c.marker) << c.what;
        const SideFiles s = DeriveSideFiles(PathText(program / "Spurwerk"));
        const std::string place = std::string(c.expectedPlace) == "beside" ? s.programDir : configDir;
        EXPECT_EQ(s.writableDir, place) << c.what;
        EXPECT_EQ(s.OptionsFileName, place + "Spurwerk.INI") << c.what;
        // Shipped files are read beside the program either way.
        EXPECT_EQ(s.prjTemplateR16, s.programDir + "PRJDATA_VorlageR16.ZDT") << c.what;
    }
    EXPECT_TRUE(fs::is_directory(configDir));
}

TEST(AssignSuggestions, FileReplacesBuiltInsWhenReadable) {
    TempDir dir;
    ASSERT_FALSE(BuiltInAssignSuggestions().empty());
    EXPECT_EQ(LoadAssignSuggestions(PathText(dir / "none.INI")), BuiltInAssignSuggestions());
    fs::create_directory(dir / "folder.INI");
    EXPECT_EQ(LoadAssignSuggestions(PathText(dir / "folder.INI")), BuiltInAssignSuggestions());
    // Blank lines and blanks around names as an editor leaves them.
    WriteBytes(dir / "Spurwerk_Assigns.INI", Bytes{' ', 'O', 'U', 'D', ' ', '\r', '\n', '\r', '\n', 'G', 0xC4, '\n'});
    EXPECT_EQ(LoadAssignSuggestions(PathText(dir / "Spurwerk_Assigns.INI")),
              (std::vector<std::string>{"OUD", "G\u00C4"}));
    WriteBytes(dir / "empty.INI", Bytes{});
    EXPECT_TRUE(LoadAssignSuggestions(PathText(dir / "empty.INI")).empty());
}

std::vector<int> Numbers(const WindowGeometry& g) { return {g.left, g.top, g.width, g.height}; }

TEST(WindowPositions, RestoredWindowsFitFullyOntoTheAvailableArea) {
    const ScreenSize laptop{1366, 738, 0, 30};  // a panel of 30 pixels at the top
    const std::tuple<WindowGeometry, ScreenSize, WindowGeometry> cases[] = {  // stored, screen, used
        {{-500, -10, 400, 300}, FullHd, {0, 0, 400, 300}},
        {{5000, 2000, 400, 300}, FullHd, {1520, 780, 400, 300}},
        {{1520, 780, 400, 300}, FullHd, {1520, 780, 400, 300}},  // exactly at the limits: unchanged
        {{10, 20, 100000, 100000}, FullHd, {0, 0, 1920, 1080}},
        {{100, 0, 800, 700}, laptop, {100, 30, 800, 700}},
        {{900, 200, 800, 700}, laptop, {566, 68, 800, 700}},
        {{50, 50, 0, -5}, FullHd, {50, 50, MinWindowWidth, MinWindowHeight}},
        {{50, 50, 400, 300}, ScreenSize{}, {50, 50, 400, 300}},  // no screen known
    };
    for (const auto& [stored, screen, used] : cases) {
        WindowGeometry g = stored;
        PullOntoScreen(g, screen);
        EXPECT_EQ(Numbers(g), Numbers(used)) << stored.left << "," << stored.top;
    }
}

TEST_F(SettingsFixture, FirstExitAnnouncesTheFileOnceAndWritesWhatItGets) {
    dialogs.messageAnswers = {ResultOk};
    ASSERT_TRUE(positions.LoadSaveAllWindowPos(All(), true, true, FullHd));
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "Ini-Datei \"" + posFile + "\" nicht gefunden - Wird neu angelegt !!");
    EXPECT_EQ(ReadTextFile(dir / "Spurwerk_WindowPositions.INI"),
              "[Window_FormMain]\r\nLeft=10\r\nTop=20\r\nWidth=355\r\nHeight=610\r\n\r\n"
              "[Window_FormCtrls]\r\nLeft=30\r\nTop=40\r\nWidth=800\r\nHeight=500\r\n\r\n"
              "[Window_FormGeneralInfo]\r\nLeft=5000\r\nTop=6\r\nWidth=7\r\nHeight=8\r\n");
    EXPECT_EQ(Numbers(offScreen), (std::vector<int>{5000, 6, 7, 8}));  // saving moves no window
    ASSERT_TRUE(positions.LoadSaveAllWindowPos(All(), true, true, FullHd));
    EXPECT_EQ(dialogs.asked.size(), 1u);  // the file exists now
    // In the language chosen.
    std::filesystem::remove(dir / "Spurwerk_WindowPositions.INI");
    SetTxt(185, "Ini file \"");
    SetTxt(102, "\" not found - will be created !!");
    dialogs.messageAnswers = {ResultOk};
    ASSERT_TRUE(positions.LoadSaveAllWindowPos(All(), true, true, FullHd));
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[1].text, "Ini file \"" + posFile + "\" not found - will be created !!");
}

TEST_F(SettingsFixture, RestoreReadsIntegerFormsAndPullsBack) {
    WriteText(dir / "Spurwerk_WindowPositions.INI",
              "; positions\r\n"
              "[window_formmain]\r\nLeft=-500\r\nTop=$7D0\r\nWidth=0x190\r\nHeight=junk\r\nExtra=kept\r\n");
    WindowGeometry g{10, 20, 355, 610};
    ASSERT_TRUE(positions.LoadSaveWindowPos("FormMain", g, false, true, FullHd));
    // No integer: the current value; $7D0 = 2000 pulled up by the height of 610.
    EXPECT_EQ(Numbers(g), (std::vector<int>{0, 470, 400, 610}));
    // Without size, Width and Height are neither read nor written.
    WindowGeometry noSize{10, 20, 355, 610};
    ASSERT_TRUE(positions.LoadSaveWindowPos("FormMain", noSize, false, false, FullHd));
    EXPECT_EQ(Numbers(noSize), (std::vector<int>{0, 470, 355, 610}));
    ASSERT_TRUE(positions.LoadSaveWindowPos("FormMain", noSize, true, false, FullHd));
    EXPECT_EQ(ReadTextFile(dir / "Spurwerk_WindowPositions.INI"),
              "; positions\r\n[window_formmain]\r\nLeft=0\r\nTop=470\r\nWidth=0x190\r\nHeight=junk\r\n"
              "Extra=kept\r\n");
}

TEST_F(SettingsFixture, NamedFileAndSectionAndFailedWrite) {
    const std::string other = PathText(dir / "other.ini");
    WindowGeometry g{1, 2, 3, 4};
    ASSERT_TRUE(positions.LoadSaveWindowPos("FormMain", g, true, true, FullHd, other, "Mine"));
    EXPECT_TRUE(dialogs.asked.empty());  // only the default file is announced
    EXPECT_EQ(ReadTextFile(dir / "other.ini"), "[Mine]\r\nLeft=1\r\nTop=2\r\nWidth=3\r\nHeight=4\r\n");

    WindowPositions failing{PathText(dir / "gone" / "pos.ini"), dialogs};
    dialogs.messageAnswers = {ResultOk, ResultOk};
    EXPECT_FALSE(failing.LoadSaveAllWindowPos(All(), true, true, FullHd));
    ASSERT_EQ(dialogs.asked.size(), 2u);  // the announcement, then one error for all windows
    EXPECT_NE(dialogs.asked[1].text.find("pos.ini"), std::string::npos);
}

TEST_F(SettingsFixture, CaseRulesAndWriteOnlyWhenChanged) {
    WriteText(dir / "Spurwerk_ZDTFile.HIS", "C:\\Eins.ZDT\nD:\\Zwei.ZDT\nE:\\Drei.ZDT\n");  // LF: shows a rewrite
    history.OpenHistory(file);
    EXPECT_EQ(history.Items(), (Items{"C:\\Eins.ZDT", "D:\\Zwei.ZDT", "E:\\Drei.ZDT"}));

    // Differs from the first entry only in case: nothing changes, nothing written.
    history.AddToCurrentHistory("c:\\eins.zdt");
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

    // Of a file's spellings the first is kept; an empty line is an entry.
    WriteText(dir / "b.HIS", "Abc\r\nx\r\n\r\nABC\r\naBc\r\n");
    history.OpenHistory(PathText(dir / "b.HIS"));
    history.AddToCurrentHistory("abc");
    EXPECT_EQ(history.Items(), (Items{"Abc", "x", ""}));
    history.AddToCurrentHistory("");
    EXPECT_EQ(ReadText(dir / "b.HIS"), "\r\nAbc\r\nx\r\n");
}

TEST_F(SettingsFixture, NewRelativeAndEnvironmentNames) {
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

    ScopedEnvironment histDir{"SPURWERK_HIST_DIR", PathText(dir.path())};
    // Only set variables are expanded, and a % of the text never starts one.
    EXPECT_EQ(ExpandEnvStr("50% %SPURWERK_HIST_DIR%"), "50% " + PathText(dir.path()));
    for (const char* kept : {"a%SPURWERK_UNSET_XYZ%b", "100%", "%%"}) EXPECT_EQ(ExpandEnvStr(kept), kept);
    history.AddToHistory("via env", "%SPURWERK_HIST_DIR%" + Sep + "env.HIS");
    EXPECT_EQ(ReadText(dir / "env.HIS"), "via env\r\n");
}

TEST_F(SettingsFixture, MissingEntriesAreCountedAndDeleted) {
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

TEST_F(SettingsFixture, UnwritableOrUnreadableFilesLoseNothing) {
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
