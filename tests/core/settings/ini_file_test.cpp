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
using testing::ReadBytes;
using testing::ReadText;
using testing::TempDir;
using testing::WriteBytes;
using testing::WriteText;

TEST(IniFile, ReadsWithPrivateProfileRules) {
    TempDir dir;
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
              "[options]\n"
              "Late=in a duplicate section\n"
              "[Other]\n"
              "Number=$1F\n"
              "Hex=0x10\n"
              "Junk=12abc\n"
              "Huge=99999999999\n"
              "Max=2147483647\n"
              "EmptyQuotes=\"\"\n");
    IniFile ini(dir / "a.ini");
    EXPECT_EQ(ini.ReadString("OPTIONS", "NAME", "d"), "C:\\Tools");
    EXPECT_EQ(ini.ReadString("Options", "quoted", "d"), "  padded  ");
    EXPECT_EQ(ini.ReadString("Options", "Half", "d"), "\"open");
    EXPECT_EQ(ini.ReadString("Options", "Empty", "d"), "");
    EXPECT_EQ(ini.ReadString("Options", "Late", "d"), "d");  // only the first section counts
    EXPECT_EQ(ini.ReadString("Options", "orphan", "d"), "d");
    EXPECT_EQ(ini.ReadString("Options", "NoEquals line", "d"), "d");
    EXPECT_EQ(ini.ReadString("Missing", "Name", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadInteger("Other", "Number", 0), 31);
    EXPECT_EQ(ini.ReadInteger("Other", "Hex", 0), 16);
    EXPECT_EQ(ini.ReadInteger("Other", "Junk", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Other", "Huge", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Other", "Max", 7), 2147483647);
    EXPECT_EQ(ini.ReadString("Other", "EmptyQuotes", "d"), "");
    EXPECT_TRUE(ini.KeyExists("other", "NUMBER"));
    EXPECT_FALSE(ini.KeyExists("Other", "Name"));
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
}

TEST(IniFile, ValuesComeBackExactlyAsWritten) {
    TempDir dir;
    const std::vector<std::string> values = {"anlegen! ", " lead", "\"both\"", "", "a \"x\" b", "\"",
                                             "x\r<BR>y", "\u00C4\u00D6\u00DC\u00DF"};
    {
        IniFile ini(dir / "v.ini");
        for (std::size_t i = 0; i < values.size(); ++i) ini.WriteString("S", "K" + std::to_string(i), values[i]);
        ini.Flush();
    }
    IniFile back(dir / "v.ini");
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(back.ReadString("S", "K" + std::to_string(i), "?"), values[i]) << i;
    EXPECT_EQ(back.Lines().size(), values.size() + 1);
    // Umlauts fit Windows-1252: single bytes, no BOM.
    Bytes bytes = ReadBytes(dir / "v.ini");
    EXPECT_EQ(bytes[0], '[');
}

TEST(IniFile, ALineBreakInAValueCannotInjectKeys) {
    TempDir dir;
    IniFile ini(dir / "i.ini");
    ini.WriteString("S", "K", "a\n[Evil]\nx=1");
    ini.WriteString("S\n[T]", "K2\n", "v");
    ini.Flush();
    IniFile back(dir / "i.ini");
    EXPECT_FALSE(back.SectionExists("Evil"));
    EXPECT_FALSE(back.SectionExists("T"));
    EXPECT_EQ(back.ReadString("S", "K", ""), "a [Evil] x=1");
}

TEST(IniFile, EncodingOnReadAndWrite) {
    TempDir dir;
    WriteBytes(dir / "ansi.ini", Bytes{'[', 'S', ']', '\r', '\n', 'K', '=', 'M', 'u', 0xDF});
    WriteBytes(dir / "utf8.ini", Bytes{0xEF, 0xBB, 0xBF, '[', 'S', ']', '\n', 'K', '=', 0xC3, 0x9F});
    EXPECT_EQ(IniFile(dir / "ansi.ini").ReadString("S", "K", ""), "Mu\u00DF");
    EXPECT_EQ(IniFile(dir / "utf8.ini").ReadString("S", "K", ""), "\u00DF");

    IniFile ini(dir / "w.ini");
    ini.WriteString("S", "K", "\u0416");  // no Windows-1252 byte
    ini.Flush();
    Bytes bytes = ReadBytes(dir / "w.ini");
    ASSERT_GE(bytes.size(), 3u);
    EXPECT_EQ((Bytes{bytes[0], bytes[1], bytes[2]}), (Bytes{0xEF, 0xBB, 0xBF}));
    EXPECT_EQ(IniFile(dir / "w.ini").ReadString("S", "K", ""), "\u0416");
}

TEST(IniFile, LongValuesArriveCutTo2047Characters) {
    TempDir dir;
    std::string longValue(5000, 'x');
    longValue[2046] = 'y';
    WriteText(dir / "l.ini", "[S]\nK=" + longValue + "\n");
    std::string read = IniFile(dir / "l.ini").ReadString("S", "K", "");
    EXPECT_EQ(read.size(), 2047u);
    EXPECT_EQ(read.back(), 'y');
}

TEST(IniFile, UnchangedFileIsNotRewritten) {
    TempDir dir;
    WriteText(dir / "u.ini", "[S]\nK=1\n");  // LF only, on purpose
    IniFile ini(dir / "u.ini");
    ini.WriteString("s", "k", "1");
    EXPECT_FALSE(ini.Modified());
    ini.Flush();
    EXPECT_EQ(ReadText(dir / "u.ini"), "[S]\nK=1\n");
}

TEST(IniFile, FailedWriteNamesTheFileAndLosesNothing) {
    TempDir dir;
    IniFile missingFolder(dir / "no" / "such" / "x.ini");
    missingFolder.WriteString("S", "K", "v");
    try {
        missingFolder.Flush();
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("x.ini"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("folder not found"), std::string::npos);
    }
    EXPECT_TRUE(missingFolder.Modified());

    // An existing file that cannot be read is never replaced.
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

// Whatever a file held before, values written into it read back as written and
// the lines around them stay.
TEST(IniFile, WrittenValuesSurviveAnyExistingContent) {
    TempDir dir;
    std::mt19937 random(12345);
    const std::string junkBytes = std::string("[]=\" \t;\r\n\r\naAbB\x00\xC3\xA4\xFF\x80", 21);
    const std::vector<std::string> valuePieces = {"a", "B", " ", "\"", "=", "[", "]", "//", "\r", "\u00E4", "\u00DF", ";"};
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
                for (std::size_t i = pick(8); i > 0; --i) value += valuePieces[pick(valuePieces.size())];
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
