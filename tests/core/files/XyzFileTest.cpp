#include "core/files/XyzFile.h"

#include "FilesTestUtil.h"
#include "core/files/FileIo.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vemo {
namespace {

using test::ListOf;
using test::PointRow;

std::string Line(const char* name, const char* x, const char* y, const char* z, const char* t, const char* b) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, "%-16s%20s%20s%20s%-20s%-20s\r\n", name, x, y, z, t, b);
    return buffer;
}

TEST(XyzFile, GoldenFileReadsBackAndWritesTheSameBytes) {
    std::string golden = test::ReadBytes(test::DataFile("files/golden.Xyz"));
    XyzList list;
    test::TempDir dir;
    ASSERT_TRUE(ReadXyzFile(test::DataFile("files/golden.Xyz"), list));
    ASSERT_EQ(list.PointRowCount(), 5);
    EXPECT_EQ(list.Cell(2, kColName), Jp("基準点１"));
    EXPECT_EQ(list.Cell(2, kColX), "-12345.678");
    EXPECT_EQ(list.Cell(1, kColBiko), Jp("境界"));
    EXPECT_EQ(list.Cell(3, kColName), "");        // 16 blanks: a nameless row
    EXPECT_EQ(list.Cell(4, kColBiko), "odd\x81"); // not valid CP932, kept as it stands
    EXPECT_EQ(list.Cell(5, kColNo), "5");
    ASSERT_TRUE(WriteXyzFile(dir.File("out.Xyz"), list));
    EXPECT_EQ(test::ReadBytes(dir.File("out.Xyz")), golden);
}

TEST(XyzFile, NumberFieldsAreReadAsWritten) {
    XyzRow row = ParseXyzLine(Line("A", "1e3", "-12.3", "", "", ""));
    EXPECT_EQ(row[kColX], "1000.000"); // not 1e30
    EXPECT_EQ(row[kColY], "-12.300");
    EXPECT_EQ(row[kColZ], "0.000");
    EXPECT_EQ(ParseXyzLine(Line("A", "-", "+", "12", "", ""))[kColX], "0.000");
    EXPECT_EQ(ParseXyzLine(Line("A", "0.0005", "-0.0005", "12", "", ""))[kColX], "0.001");
    try {
        ParseXyzLine(Line("A", "12a", "0", "0", "", ""));
        FAIL() << "a bad number was accepted";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "'12a'" + Jp(" は浮動小数点数ではありません"));
    }
}

TEST(XyzFile, LinesAndFieldsByBytePosition) {
    // CR, LF and CR LF all end lines; a blank line holds no point; a last line without its end counts.
    std::vector<XyzRow> rows = ParseXyzText("A                  1.0                 0\r\r                \n"
                                            "C                  2                   3");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][kColX], "1.000");
    EXPECT_EQ(rows[1][kColName], "C");
    EXPECT_EQ(rows[1][kColY], "3.000");
    EXPECT_TRUE(ParseXyzText("").empty());
    // A remark of 25 bytes is written whole and read back as its first 20 bytes.
    XyzList list = ListOf({PointRow("R", "1", "2", "", "", "1234567890123456789012345")});
    std::string text = FormatXyzText(list);
    EXPECT_NE(text.find("1234567890123456789012345\r\n"), std::string::npos);
    EXPECT_EQ(ParseXyzText(text)[0][kColBiko], "12345678901234567890");
}

TEST(XyzFile, WritesOnlyRowsWithXAndY) {
    XyzList list = ListOf({PointRow("", "1.000", "2.000"), PointRow("NOY", "1.000", ""), PointRow("B", "3", "4", "5")});
    EXPECT_EQ(FormatXyzText(list), std::string(16, ' ') + Line("", "1.000", "2.000", "", "", "").substr(16) +
                                       Line("B", "3", "4", "5", "", ""));
}

TEST(XyzFile, RefusesCellsThatWouldNotReadBack) {
    XyzList longName = ListOf({PointRow("OK", "1", "2"), PointRow("12345678901234567", "1", "2")});
    try {
        FormatXyzText(longName);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "2" + Jp("行目の点名が16バイトを超えているため保存できません"));
    }
    EXPECT_THROW(FormatXyzText(ListOf({PointRow("A", "1", "2", "", "1234567890123456789012")})), Error);
    EXPECT_THROW(FormatXyzText(ListOf({PointRow("A\nB", "1", "2")})), Error);
}

TEST(XyzFile, ReplaceAppendAndMissingFile) {
    test::TempDir dir;
    test::WriteBytes(dir.File("a.Xyz"), Line("N1", "1", "1", "", "", "") + Line("N2", "2", "2", "", "", ""));
    XyzList list = ListOf({PointRow("OLD", "9", "9"), PointRow("ONLYNAME", "", "")});
    EXPECT_FALSE(ReadXyzFile(dir.File("none.Xyz"), list));
    EXPECT_EQ(list.PointRowCount(), 2);
    // The last row lacks X and Y, so appending drops it first.
    ASSERT_TRUE(ReadXyzFile(dir.File("a.Xyz"), list, XyzReadMode::Append));
    ASSERT_EQ(list.PointRowCount(), 3);
    EXPECT_EQ(list.Cell(2, kColName), "N1");
    EXPECT_EQ(list.Cell(3, kColNo), "3");
    ASSERT_TRUE(ReadXyzFile(dir.File("a.Xyz"), list, XyzReadMode::Replace));
    EXPECT_EQ(list.PointRowCount(), 2);
    // Appending to a cleared list leaves no empty first row.
    XyzList cleared;
    ASSERT_TRUE(ReadXyzFile(dir.File("a.Xyz"), cleared, XyzReadMode::Append));
    EXPECT_EQ(cleared.Cell(1, kColName), "N1");
    // A file without any line leaves the list as it was.
    test::WriteBytes(dir.File("empty.Xyz"), "");
    ASSERT_TRUE(ReadXyzFile(dir.File("empty.Xyz"), list));
    EXPECT_EQ(list.PointRowCount(), 2);
}

TEST(XyzFile, MalformedOrOversizedFilesChangeNothing) {
    test::TempDir dir;
    XyzList list = ListOf({PointRow("KEEP", "1.000", "2.000")});
    test::WriteBytes(dir.File("bad.Xyz"), Line("A", "1", "1", "", "", "") + Line("B", "x", "1", "", "", ""));
    EXPECT_THROW(ReadXyzFile(dir.File("bad.Xyz"), list), Error);
    EXPECT_EQ(list.Cell(1, kColName), "KEEP");
    EXPECT_EQ(list.PointRowCount(), 1);

    std::string many;
    for (int i = 0; i < kMaxPointRows + 1; ++i) {
        many += "\r\n";
    }
    test::WriteBytes(dir.File("many.Xyz"), many);
    EXPECT_THROW(ReadXyzFile(dir.File("many.Xyz"), list), Error);
    EXPECT_EQ(list.PointRowCount(), 1);
    // Exactly at the limit it loads, and one more row appended is refused.
    std::string full;
    for (int i = 0; i < kMaxPointRows; ++i) {
        full += "P                                  1                   1\r\n";
    }
    test::WriteBytes(dir.File("full.Xyz"), full);
    ASSERT_TRUE(ReadXyzFile(dir.File("full.Xyz"), list));
    EXPECT_EQ(list.PointRowCount(), kMaxPointRows);
    list.SetRow(kMaxPointRows, PointRow("LAST", "1", "1"));
    test::WriteBytes(dir.File("one.Xyz"), Line("X", "1", "1", "", "", ""));
    EXPECT_THROW(ReadXyzFile(dir.File("one.Xyz"), list, XyzReadMode::Append), Error);
    EXPECT_EQ(list.Cell(kMaxPointRows, kColName), "LAST");

    // A huge file is refused before it is read (a sparse file costs no disk).
    std::filesystem::resize_file(dir.File("one.Xyz"), kMaxInputFileBytes + 1);
    EXPECT_THROW(ReadXyzFile(dir.File("one.Xyz"), list, XyzReadMode::Append), Error);
    EXPECT_EQ(list.PointRowCount(), kMaxPointRows);
}

TEST(XyzFile, SavingWithBackupKeepsExactlyThePreviousVersion) {
    test::TempDir dir;
    std::string path = dir.File("site.Xyz");
    ASSERT_TRUE(WriteXyzFile(path, ListOf({PointRow("V1", "1", "1")}), true));
    EXPECT_FALSE(std::filesystem::exists(dir.File("site.Bak")));
    ASSERT_TRUE(WriteXyzFile(path, ListOf({PointRow("V2", "2", "2")}), true));
    ASSERT_TRUE(WriteXyzFile(path, ListOf({PointRow("V3", "3", "3")}), true));
    EXPECT_EQ(test::ReadBytes(dir.File("site.Bak")), Line("V2", "2", "2", "", "", ""));
    EXPECT_EQ(test::ReadBytes(path), Line("V3", "3", "3", "", "", ""));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
    EXPECT_FALSE(WriteXyzFile("", ListOf({PointRow("V", "1", "1")})));
}

TEST(XyzFile, FailedWritesLoseNeitherFileNorBackup) {
    test::TempDir dir;
    std::string path = dir.File("site.Xyz");
    ASSERT_TRUE(WriteXyzFile(path, ListOf({PointRow("V1", "1", "1")}), true));
    ASSERT_TRUE(WriteXyzFile(path, ListOf({PointRow("V2", "2", "2")}), true));
    std::string before = test::ReadBytes(path);

    // The disk fills up while writing (a file size limit stands in for a full disk).
    std::vector<XyzRow> rows(2000, PointRow("FULL", "1", "1"));
    XyzList big = ListOf(rows);
    test::WithFileSizeLimit(4096, [&] { EXPECT_THROW(WriteXyzFile(path, big, true), Error); });

    EXPECT_EQ(test::ReadBytes(path), before);
    EXPECT_EQ(test::ReadBytes(dir.File("site.Bak")), Line("V1", "1", "1", "", "", ""));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2); // no temporary file
}

} // namespace
} // namespace vemo
