#include "core/settings/IniFile.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include "support/ErrorMessage.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vemo {
namespace {

using test::MessageOf;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// A file as a user or another tool may leave it: comments, blank lines, odd spacing, a section this
// program does not know, LF-only lines mixed with CR LF, no line break at the very end.
const std::string kHandEdited = "; settings of the office PC\r\n"
                                "[Dir]\r\n"
                                "  DatDir =  C:\\Data  \r\n"
                                "TmpDir=C:\\Tmp\n"
                                "\r\n"
                                "[Other Tool]\r\n"
                                "Colour=red ; not a comment here\r\n"
                                "\r\n"
                                "[Data]\r\n"
                                "AutoSave=1\r\n"
                                "Backup=0";

TEST(IniFile, ReplacesOneValueAndKeepsEveryOtherByte) {
    TempDir dir;
    IniFile ini(dir.File("VEMO.ini"));
    WriteBytes(ini.Path(), kHandEdited);

    ini.WriteString("dir", "DATDIR", "D:\\Survey");
    std::string expected = kHandEdited;
    expected.replace(expected.find("C:\\Data  "), 9, "D:\\Survey");
    EXPECT_EQ(ReadBytes(ini.Path()), expected);

    ini.WriteString("Other Tool", "Colour", "blue");
    expected.replace(expected.find("red ; not a comment here"), 24, "blue");
    EXPECT_EQ(ReadBytes(ini.Path()), expected);
}

TEST(IniFile, AddsAMissingKeyAtTheEndOfItsSectionWithCrLf) {
    TempDir dir;
    IniFile ini(dir.File("VEMO.ini"));
    WriteBytes(ini.Path(), kHandEdited);

    ini.WriteString("Dir", "DatDir2", "E:\\Old");
    ini.WriteBool("Data", "XyzLnk", true); // the last line has no line break yet
    std::string expected = kHandEdited;
    expected.insert(expected.find("\n\r\n[Other") + 1, "DatDir2=E:\\Old\r\n");
    expected += "\r\nXyzLnk=1\r\n";
    EXPECT_EQ(ReadBytes(ini.Path()), expected);
}

TEST(IniFile, CreatesTheFileAndMissingSectionsAtTheEnd) {
    TempDir dir;
    IniFile ini(dir.File("VEMO.ini"));
    EXPECT_EQ(ini.ReadString("Dir", "DatDir", "none"), "none");
    ini.WriteInteger("Exit", "BlockNoWidth", 85);
    ini.WriteString("RS-232C", "Port", "COM3");
    ini.WriteInteger("Exit", "Normal", 0);
    EXPECT_EQ(ReadBytes(ini.Path()), "[Exit]\r\nBlockNoWidth=85\r\nNormal=0\r\n[RS-232C]\r\nPort=COM3\r\n");
}

TEST(IniFile, MatchesSectionAndKeyNamesWithoutRegardToCase) {
    TempDir dir;
    IniFile ini(dir.File("VEMO.ini"));
    WriteBytes(ini.Path(), "[xyzimage]\r\nnostr=0\r\n[EXIT]\r\nblockeditwidth=300\r\n");
    EXPECT_FALSE(ini.ReadBool("XyzImage", "NoStr", true));
    EXPECT_EQ(ini.ReadInteger("Exit", "BlockEditWidth", 225), 300);
    ini.WriteInteger("Exit", "BlockEditWidth", 310);
    // The spelling already in the file stays; no second entry appears.
    EXPECT_EQ(ReadBytes(ini.Path()), "[xyzimage]\r\nnostr=0\r\n[EXIT]\r\nblockeditwidth=310\r\n");
}

TEST(IniFile, TheFirstOfRepeatedSectionsAndKeysCounts) {
    TempDir dir;
    IniFile ini(dir.File("VEMO.ini"));
    WriteBytes(ini.Path(), "[A]\r\nk=1\r\nk=2\r\n[B]\r\nk=3\r\n[A]\r\nk=4\r\n");
    EXPECT_EQ(ini.ReadInteger("A", "k", 0), 1);
    ini.WriteInteger("A", "k", 9);
    EXPECT_EQ(ReadBytes(ini.Path()), "[A]\r\nk=9\r\nk=2\r\n[B]\r\nk=3\r\n[A]\r\nk=4\r\n");
}

TEST(IniFile, ReadsIntegersStrictlyWithHexadecimalDollar) {
    TempDir dir;
    IniFile ini(dir.File("VEMO.ini"));
    WriteBytes(ini.Path(), "[N]\r\nhex=$FF\r\nneg= -12 \r\nword=12px\r\nempty=\r\nbig=99999999999\r\n");
    EXPECT_EQ(ini.ReadInteger("N", "hex", 0), 255);
    EXPECT_EQ(ini.ReadInteger("N", "neg", 0), -12);
    EXPECT_EQ(ini.ReadInteger("N", "word", 7), 7);
    EXPECT_EQ(ini.ReadInteger("N", "empty", 7), 7);
    EXPECT_EQ(ini.ReadInteger("N", "big", 7), 7);
    EXPECT_EQ(ini.ReadInteger("N", "missing", 7), 7);
    // A key that is present but empty is an empty text, not the default.
    EXPECT_EQ(ini.ReadString("N", "empty", "d"), "");
}

TEST(IniFile, BooleansAreIntegersAndWordsGiveTheDefault) {
    TempDir dir;
    IniFile ini(dir.File("VEMO.ini"));
    WriteBytes(ini.Path(), "[B]\r\none=1\r\nminus=-1\r\nzero=0\r\nyes=yes\r\ntrue=true\r\n");
    EXPECT_TRUE(ini.ReadBool("B", "one", false));
    EXPECT_TRUE(ini.ReadBool("B", "minus", false));
    EXPECT_FALSE(ini.ReadBool("B", "zero", true));
    EXPECT_FALSE(ini.ReadBool("B", "yes", false));
    EXPECT_TRUE(ini.ReadBool("B", "yes", true));
    EXPECT_FALSE(ini.ReadBool("B", "true", false));
    ini.WriteBool("B", "zero", true);
    ini.WriteBool("B", "one", false);
    EXPECT_EQ(ReadBytes(ini.Path()), "[B]\r\none=0\r\nminus=-1\r\nzero=1\r\nyes=yes\r\ntrue=true\r\n");
}

TEST(IniFile, KeepsJapaneseTextAsCp932Bytes) {
    TempDir dir;
    IniFile ini(dir.File("VEMO.ini"));
    // "ソ" is 83 5C and "表" 95 5C: trail bytes that are ASCII must pass untouched.
    std::string label = Jp("口座名ソ表");
    ini.WriteString("Head", "Case1", label);
    ini.WriteString("RS-232C", "Parity", Jp("ﾅｼ"));
    EXPECT_EQ(ini.ReadString("head", "case1", ""), label);
    EXPECT_EQ(ini.ReadString("RS-232C", "Parity", ""), "\xC5\xBC");
    EXPECT_EQ(ReadBytes(ini.Path()), "[Head]\r\nCase1=" + label + "\r\n[RS-232C]\r\nParity=\xC5\xBC\r\n");
}

TEST(IniFile, FindsASectionNameHoldingATrailByteBracket) {
    TempDir dir;
    IniFile ini(dir.File("x.ini"));
    // 0x83 0x5D is a katakana whose trail byte is ']'.
    std::string section = "A\x83\x5D"
                          "B";
    WriteBytes(ini.Path(), "[" + section + "]\r\nk=1\r\n");
    EXPECT_EQ(ini.ReadInteger(section, "k", 0), 1);
    EXPECT_EQ(ini.ReadInteger("A\x83", "k", 0), 0);
}

TEST(IniFile, WritesSeveralKeysInOneGo) {
    TempDir dir;
    IniFile ini(dir.File("VEMO.ini"));
    WriteBytes(ini.Path(), "[Exit]\r\nNormal=0\r\n");
    ini.Write(
        IniBatch().Integer("Exit", "DatTreeWidth", 240).Bool("Exit", "Normal", true).String("XyzList", "Width", "600"));
    EXPECT_EQ(ReadBytes(ini.Path()), "[Exit]\r\nNormal=1\r\nDatTreeWidth=240\r\n[XyzList]\r\nWidth=600\r\n");
}

TEST(IniFile, RefusesLineBreaksThatWouldPlantOtherKeys) {
    TempDir dir;
    IniFile ini(dir.File("VEMO.ini"));
    WriteBytes(ini.Path(), "[Programs]\r\nTitle1=a\r\n");
    EXPECT_THROW(ini.WriteString("Programs", "Title1", "x\r\n[Dir]\r\nDatDir=/"), Error);
    EXPECT_THROW(ini.WriteString("Programs", "Ti=tle", "x"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("Pro]grams", "Title", "x"), std::invalid_argument);
    EXPECT_EQ(ReadBytes(ini.Path()), "[Programs]\r\nTitle1=a\r\n");
}

TEST(IniFile, ColourRoundTrip) {
    TempDir dir;
    IniFile ini(dir.File("VEMO.ini"));
    int color = 0x20 * 65536 + 0x40 * 256 + 0x80; // blue 32, green 64, red 128
    ini.WriteInteger("XyzImage", "ImageBackColor", color);
    EXPECT_EQ(ini.ReadString("XyzImage", "ImageBackColor", ""), "2113664");
    EXPECT_EQ(ini.ReadInteger("XyzImage", "ImageBackColor", 0), color);
}

TEST(IniFile, AMissingFolderIsAnErrorNamingTheFile) {
    TempDir dir;
    WriteBytes(dir.File("plain"), "x");
    IniFile ini(dir.File("plain") + "/VEMO.ini"); // below a file: no such folder, whoever runs the test
    std::string error = MessageOf([&] { ini.WriteBool("Exit", "Normal", false); });
    EXPECT_NE(error.find("plain/VEMO.ini」に書き込めません"), std::string::npos) << error;
}

TEST(IniFile, AFolderWithoutWritePermissionIsAnErrorAndNoFileAppears) {
    TempDir dir;
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    IniFile ini(dir.File("VEMO.ini"));
    std::string error = MessageOf([&] { ini.WriteBool("Exit", "Normal", false); });
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all);
    if (error == "(no error)") {
        GTEST_SKIP() << "permissions are not enforced for this user (root)";
    }
    EXPECT_NE(error.find("書き込みが許可されていません"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(ini.Path()));
}

// A full disk: the file size limit makes the write fail half-way, as a full disk would.
TEST(IniFile, AFailedWriteLeavesTheOldFileIntactAndNoTemporaryFile) {
    TempDir dir;
    IniFile ini(dir.File("VEMO.ini"));
    std::string old = "[Dir]\r\nDatDir=C:\\Data\r\n";
    WriteBytes(ini.Path(), old);

    std::string error;
    test::WithFileSizeLimit(
        64, [&] { error = MessageOf([&] { ini.WriteString("Programs", "Program1", std::string(200, 'p')); }); });

    EXPECT_NE(error.find("ディスクの空き容量が足りません"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(ini.Path()), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

} // namespace
} // namespace vemo
