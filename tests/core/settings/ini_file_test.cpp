#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>

#include "settings/ini_file.h"
#include "test_files.h"
#include "text/ascii.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

namespace fs = std::filesystem;
using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

TEST(IniFile, ReadsWithPrivateProfileRules) {
    TempDir dir;
    std::string longValue(5000, 'x');
    longValue[2046] = 'y';
    WriteText(dir / "a.ini",
              "; comment\n"
              "orphan=before any section\n"
              "[ Options ]\n"
              "  Name  =   C:\\Tools   \n"
              "Quoted=\"  padded  \"\n"
              "Half=\"open\n"
              "NoEquals line\n"
              "name=second one is ignored\n"
              "Empty=\n"
              "EmptyQuotes=\"\"\n"
              "Long=" + longValue + "\n"
              "[options]\n"
              "Late=in a duplicate section\n");
    IniFile ini(dir / "a.ini");
    const std::pair<const char*, std::string> strings[] = {
        {"NAME", "C:\\Tools"}, {"quoted", "  padded  "}, {"Half", "\"open"}, {"Empty", ""}, {"EmptyQuotes", ""},
        {"Late", "d"},  // only the first section counts
        {"orphan", "d"}, {"NoEquals line", "d"}, {"Long", longValue.substr(0, 2047)},
    };
    for (const auto& [key, value] : strings) EXPECT_EQ(ini.ReadString("OPTIONS", key, "d"), value) << key;
    EXPECT_EQ(ini.ReadString("Missing", "Name", "dflt"), "dflt");
    EXPECT_TRUE(ini.KeyExists("options", "EMPTY"));
    EXPECT_FALSE(ini.KeyExists("Options", "Late"));
}

TEST(IniFile, IntegersInDecimalOrHexWithinRange) {
    TempDir dir;
    WriteText(dir / "i.ini", "[S]\nNumber=$1F\nHex=0x10\nJunk=12abc\nHuge=99999999999\nMax=2147483647\n");
    IniFile ini(dir / "i.ini");
    const std::pair<const char*, int> cases[] = {
        {"Number", 31}, {"Hex", 16}, {"Junk", 7}, {"Huge", 7}, {"Max", 2147483647}, {"Missing", 7},
    };
    for (const auto& [key, value] : cases) EXPECT_EQ(ini.ReadInteger("S", key, 7), value) << key;
}

TEST(IniFile, WritesInPlaceAndKeepsEverythingElse) {
    TempDir dir;
    WriteText(dir / "a.ini",
              "; keep me\r\n"
              "[Options]\r\n"
              "Name=old ; trailing remark is part of the value\r\n"
              "Unknown=stays\r\n"
              "\r\n"
              "; about the next section\r\n"
              "[Next]\r\n"
              "x=1");
    IniFile ini(dir / "a.ini");
    ini.WriteString("options", "NAME", "new");
    ini.WriteString("Options", "Added", "v");
    ini.WriteString("Fresh", "k", "1");
    ini.Flush();
    EXPECT_EQ(ReadText(dir / "a.ini"),
              "; keep me\r\n"
              "[Options]\r\n"
              "Name=new\r\n"
              "Unknown=stays\r\n"
              "Added=v\r\n"
              "\r\n"
              "; about the next section\r\n"
              "[Next]\r\n"
              "x=1\r\n"
              "\r\n"
              "[Fresh]\r\n"
              "k=1\r\n");

    // Writing what the file holds already leaves it untouched, line ends and all.
    WriteText(dir / "u.ini", "[S]\nK=1\n");
    IniFile same(dir / "u.ini");
    same.WriteString("s", "k", "1");
    same.Flush();
    EXPECT_EQ(ReadText(dir / "u.ini"), "[S]\nK=1\n");
}

// Blanks, quotes, line breaks (which could inject keys) and characters outside
// Windows-1252 all read back as written.
TEST(IniFile, ValuesComeBackExactlyAsWritten) {
    TempDir dir;
    const std::vector<std::string> values = {"anlegen! ", " lead", "\"both\"", "", "a \"x\" b", "\"",
                                             "x\r<BR>y", "\u00C4\u00D6\u00DC\u00DF", "\u0416"};
    {
        IniFile ini(dir / "v.ini");
        for (std::size_t i = 0; i < values.size(); ++i) ini.WriteString("S", "K" + std::to_string(i), values[i]);
        ini.WriteString("S", "Evil", "a\n[Evil]\nx=1");
        ini.WriteString("S\n[T]", "K2\n", "v");
        ini.Flush();
    }
    IniFile back(dir / "v.ini");
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(back.ReadString("S", "K" + std::to_string(i), "?"), values[i]) << i;
    EXPECT_EQ(back.ReadString("S", "Evil", ""), "a [Evil] x=1");
    EXPECT_FALSE(back.SectionExists("Evil"));
    EXPECT_FALSE(back.SectionExists("T"));
}

TEST(IniFile, AFileThatCannotBeReadIsNeverReplaced) {
    TempDir dir;
    IniFile missingFolder(dir / "no" / "x.ini");
    missingFolder.WriteString("S", "K", "v");
    EXPECT_THROW(missingFolder.Flush(), FileError);
    EXPECT_TRUE(missingFolder.Modified());  // a later flush tries again

    fs::path big = dir / "big.ini";
    WriteText(big, "[S]\nK=1\n");
    fs::resize_file(big, 17u * 1024u * 1024u);
    IniFile ini(big);
    ASSERT_TRUE(ini.ReadError());
    EXPECT_EQ(ini.ReadString("S", "K", "d"), "d");
    ini.WriteString("S", "K", "2");
    EXPECT_THROW(ini.Flush(), FileError);
    EXPECT_EQ(fs::file_size(big), 17u * 1024u * 1024u);
}

// Whatever a file held before, values written into it read back as written.
TEST(IniFile, WrittenValuesSurviveAnyExistingContent) {
    TempDir dir;
    std::mt19937 random(12345);
    const std::string junkBytes = std::string("[]=\" \t;\r\n\r\naAbB\x00\xC3\xA4\xFF\x80", 21);
    const std::vector<std::string> pieces = {"a", "B", " ", "\"", "=", "[", "]", "//", "\r", "\u00E4", ";"};
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    for (int round = 0; round < 300; ++round) {
        std::string junk;
        for (std::size_t i = pick(200); i > 0; --i) junk += junkBytes[pick(junkBytes.size())];
        WriteText(dir / "f.ini", junk);
        std::map<std::pair<std::string, std::string>, std::string> written;
        {
            IniFile ini(dir / "f.ini");
            for (int k = 0; k < 6; ++k) {
                std::string section(1, "aAbB"[pick(4)]), key(1, "aAbB"[pick(4)]), value;
                for (std::size_t i = pick(8); i > 0; --i) value += pieces[pick(pieces.size())];
                ini.WriteString(section, key, value);
                written[{UpperAscii(section), UpperAscii(key)}] = value;
            }
            ini.Flush();
        }
        IniFile back(dir / "f.ini");
        for (const auto& [where, value] : written)
            ASSERT_EQ(back.ReadString(where.first, where.second, "?"), value) << "round " << round;
    }
}

}  // namespace
}  // namespace spurwerk
