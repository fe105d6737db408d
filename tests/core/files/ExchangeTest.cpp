#include "core/files/Nichoren.h"
#include "core/files/Sima.h"

#include "FilesTestUtil.h"
#include "core/files/XyzFile.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

using test::PointRow;

TEST(Sima, GoldenFileReadsBackAndWritesTheSameBytes) {
    ForeignData data = ReadSimaFile(test::DataFile("files/golden.SIM"));
    ASSERT_EQ(data.rows.size(), 3u);
    EXPECT_EQ(data.rows[1][kColName], Jp("基準点１"));
    EXPECT_EQ(data.rows[1][kColX], "-12345.678");
    EXPECT_EQ(data.rows[2][kColZ], "-1.500");
    ASSERT_EQ(data.blocks.size(), 1u);
    // Written closed without the closing repetition: it comes back, with two editor rows more.
    EXPECT_EQ(data.blocks[0].NoList, "P1," + Jp("基準点１") + ",T-3,P1");
    EXPECT_EQ(data.blocks[0].NoRowCount, 5);

    XyzList list = test::ListOf(data.rows);
    BlockList blocks;
    blocks.ReplaceAll(data.blocks);
    XyzNameIndex index;
    index.Rebuild(list);
    std::vector<ExportParcel> parcels = ParcelsForExport(blocks, index);
    SimaNames names{Jp("現場Ａ"), Jp("座標１"), Jp("画地データ")};
    EXPECT_EQ(FormatSimaText(names, PointsFromList(list), &parcels),
              test::ReadBytes(test::DataFile("files/golden.SIM")));
}

TEST(Sima, ReadingRules) {
    ForeignData data = ParseSimaText("G00,01,x,\r\nA01,1,,12,-3,,\r\nA01,2,A B,1.5,2,7\r\nZ99,whatever\r\n"
                                     "D00,1,,2,\r\nB01,1,P,\r\nB01,2,Q,\r\nD99,\r\nD00,2,K,7,\r\nB01,1,P,\r\n"
                                     "D00,3,C,1,\r\nB01,1,P,\r\nB01,2,Q,\r\nB01,3,R,\r\n");
    ASSERT_EQ(data.rows.size(), 2u);
    EXPECT_EQ(data.rows[0][kColName], "*1"); // an empty name becomes "*" + number
    EXPECT_EQ(data.rows[0][kColX], "12.000");
    EXPECT_EQ(data.rows[0][kColZ], "0.000");
    EXPECT_EQ(data.rows[1][kColName], "AB"); // blanks are removed
    ASSERT_EQ(data.blocks.size(), 3u);
    EXPECT_EQ(data.blocks[0].BlockName, "*1");
    EXPECT_EQ(data.blocks[0].NoList, "P,Q"); // open: no closing vertex
    EXPECT_EQ(data.blocks[0].NoRowCount, 3);
    EXPECT_EQ(data.blocks[1].NoRowCount, 2);     // an unknown closure code is taken as open
    EXPECT_EQ(data.blocks[2].NoList, "P,Q,R,P"); // no D99 at the end of the file: closed all the same
    EXPECT_EQ(data.blocks[2].NoRowCount, 5);
    // Lines longer than any buffer are read whole.
    std::string longName(300, 'N');
    EXPECT_EQ(ParseSimaText("A01,1," + longName + ",1,2,3,\r\n").rows[0][kColName], longName);
}

TEST(Sima, FaultsLoadNothing) {
    try {
        ParseSimaText("A01,1,P,1,2,3\r\nA01,2,Q,1\r\n");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), Jp("SIMAファイルの2行目の項目が足りません"));
    }
    EXPECT_THROW(ParseSimaText("D00,1,A,x,\r\n"), Error);
    EXPECT_THROW(ParseSimaText("A01,1,P,1.2.3,2,3,\r\n"), Error);
    test::TempDir dir;
    try {
        ReadSimaFile(dir.File("missing.SIM"));
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), dir.File("missing.SIM") + Jp("を開けません"));
    }
}

TEST(Sima, ExportFilters) {
    XyzList list = test::ListOf({PointRow("A", "0.0005", "0"), PointRow("B", "", ""), PointRow("C", "1", "-2", "3")});
    // Only the row without coordinates is left out; a point at the origin is a point.
    std::vector<ExportPoint> points = PointsFromList(list);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].number, 1);
    EXPECT_EQ(points[1].number, 3);
    XyzNameIndex index;
    index.Rebuild(test::ListOf({PointRow("P", "1.23456", "2", "9"), PointRow("ZERO", "0", "0")}));
    std::vector<ExportPoint> selected = PointsFromSelection({"NONE", "P", "ZERO"}, index);
    ASSERT_EQ(selected.size(), 2u);
    EXPECT_EQ(selected[0].number, 2);
    EXPECT_EQ(FormatSimaText({}, selected),
              "G00,01,SIMA ,\r\n" + Jp("Z00,/*　座標　*/,\r\n") +
                  "Z00,/*    */,\r\nA00,\r\nA01,    2,P           ,      1.235000,      2.000000,      0.000000,\r\n"
                  "A01,    3,ZERO        ,      0.000000,      0.000000,      0.000000,\r\nA99,\r\n");
}

TEST(Nichoren, GoldenFileAndReadingRules) {
    ForeignData data = ReadNichorenFile(test::DataFile("files/golden_nichoren.Txt"));
    ASSERT_EQ(data.rows.size(), 3u);
    EXPECT_EQ(FormatNichorenText(PointsFromList(test::ListOf(data.rows))),
              test::ReadBytes(test::DataFile("files/golden_nichoren.Txt")));
    data = ParseNichorenText("1,,10,20,30\n2,Q,5,6,7,8\n3,R,1,2\n");
    EXPECT_EQ(data.rows[0][kColName], "*1");
    EXPECT_EQ(data.rows[0][kColZ], "30.000");
    EXPECT_EQ(data.rows[1][kColZ], "0.000"); // Z only on a line of exactly five fields
    EXPECT_EQ(data.rows[2][kColY], "2.000");
    try {
        ParseNichorenText("1,A,1,2\n\n2,B,3\n");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), Jp("日調連ファイルの3行目の項目が足りません"));
    }
}

// What other systems write and a reader must take: plane points without Z, a parcel without its
// closure code, blank lines and the end-of-file mark 0x1A of older programs.
TEST(Exchange, ReadsWhatOtherSystemsWrite) {
    ForeignData sima = ParseSimaText("A01,1,P,10.5,20\r\nA01,2,Q,1,2,\r\nD00,1,L\r\nB01,1,P\r\nB01,2,Q\r\n"
                                     "B01,3,R\r\nD99\r\n\x1a");
    ASSERT_EQ(sima.rows.size(), 2u);
    EXPECT_EQ(sima.rows[0][kColY], "20.000");
    EXPECT_EQ(sima.rows[0][kColZ], "0.000");
    EXPECT_EQ(sima.rows[1][kColZ], "0.000");
    ASSERT_EQ(sima.blocks.size(), 1u);
    EXPECT_EQ(sima.blocks[0].NoList, "P,Q,R,P"); // a lot boundary is closed
    EXPECT_EQ(sima.blocks[0].NoRowCount, 5);

    const struct {
        const char* text;
        size_t points;
    } nichoren[] = {
        {"1,A,1,2\r\n\r\n2,B,3,4\r\n", 2}, // blank line between points
        {"1,A,1,2\r\n2,B,3,4\r\n\x1a", 2}, // end mark on a line of its own
        {"1,A,1,2\r\n2,B,3,4\x1a", 2},     // end mark straight after the last point
        {"1,A,1,2\r\n  \r\n\r\n", 1},      // trailing blank lines
    };
    for (const auto& c : nichoren) {
        EXPECT_EQ(ParseNichorenText(c.text).rows.size(), c.points) << c.text;
    }
    // Really damaged lines are still refused, naming the line.
    EXPECT_THROW(ParseSimaText("A01,1,P,10.5\r\n"), Error);
    EXPECT_THROW(ParseSimaText("D00,1\r\n"), Error);
}

} // namespace
} // namespace vemo
