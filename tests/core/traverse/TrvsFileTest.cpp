// Reading and writing traverse files: golden bytes, round trips, backups and the auto-save variant.
#include "TrvsFixture.h"

#include "core/text/Error.h"
#include "core/traverse/TrvsFile.h"
#include "support/ErrorMessage.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vemo::test {
namespace {

const std::string kToday = "26/12/09";

TEST(TrvsFile, GoldenFileReadsAndWritesBackByteForByte) {
    const std::string bytes = ReadBytes(DataFile("traverse/square.Trv"));
    TrvsFixture f;
    DecodeTrvFile(bytes, f.options, kToday, f.header, f.table);
    EXPECT_EQ(f.header.TrvsType, kTrvsClosed);
    EXPECT_EQ(Cp932ToUtf8(f.header.remark), "境界 確認");
    EXPECT_EQ(f.header.T0No, "A");
    EXPECT_EQ(f.header.T0X, "   1000.000");
    EXPECT_EQ(f.header.T0Z, "    0.000");
    EXPECT_EQ(f.header.T1No, "D");
    EXPECT_FALSE(f.header.startIncoming);
    EXPECT_EQ(f.header.T1Angle, "     0.0000");
    EXPECT_FALSE(f.table.ZCalc());
    ASSERT_EQ(f.table.ObservationRows(), 4);
    EXPECT_EQ(f.table.Cell(4, kTrvColTarget), "A");
    EXPECT_EQ(f.table.Cell(1, kTrvColInstH), "0.000"); // row 1 always has its heights
    EXPECT_EQ(EncodeTrvFile(f.header, f.table), bytes);
}

TEST(TrvsFile, SaveAndLoadKeepEverything) {
    TempDir dir;
    TrvsFixture f;
    f.Start(kTrvsConnected, "A 1", "-12.5", "7", "N", "180.0000", true); // a name with a blank
    f.header.remark = Jp("境界 確認");
    f.header.T0Z = "   12.345";
    f.header.T2No = "B,2"; // and one with a comma
    f.header.T3Angle = "45.3000";
    f.header.endIncoming = false;
    f.table.SetZCalc(true);
    f.Row("T", "P1", "90.0000", "90.0000", "100.000", "", "", "1.500", "1.600");
    f.Row("T", "P 2", "180.0000", "", "50.000", "P1", "A 1");
    const std::string path = dir.File("work.Trv");
    SaveTrvFile(path, f.header, f.table, true);
    EXPECT_FALSE(std::filesystem::exists(dir.File("work.TBk"))); // nothing to back up yet

    TrvsFixture g;
    LoadTrvFile(path, g.options, kToday, g.header, g.table);
    EXPECT_EQ(g.header.TrvsType, kTrvsConnected);
    EXPECT_EQ(g.header.remark, f.header.remark);
    EXPECT_EQ(g.header.T0No, "A 1");
    EXPECT_EQ(g.header.T0X, "    -12.500");
    EXPECT_EQ(g.header.T0Z, "   12.345");
    EXPECT_TRUE(g.header.startIncoming);
    EXPECT_EQ(g.header.T2No, "B,2");
    EXPECT_EQ(g.header.T3Angle, "    45.3000");
    EXPECT_FALSE(g.header.endIncoming);
    EXPECT_TRUE(g.table.ZCalc()); // the start height is not 0.000
    ASSERT_EQ(g.table.ObservationRows(), 2);
    for (int col = 0; col < kTrvsCellCount; ++col) {
        EXPECT_EQ(g.table.Cell(2, col), f.table.Cell(2, col)) << col;
    }
    EXPECT_EQ(g.table.Cell(1, kTrvColTargetH), "1.600");
}

TEST(TrvsFile, StartHeightDecidesZCalculation) {
    TrvsFixture f;
    DecodeTrvFile("2\r\n\r\n\r\nT.1,100.000,200.000,0.000\r\n", f.options, kToday, f.header, f.table);
    EXPECT_FALSE(f.table.ZCalc());
    DecodeTrvFile("2\r\n\r\n\r\nT.1,100.000,200.000,12.345\r\n", f.options, kToday, f.header, f.table);
    EXPECT_TRUE(f.table.ZCalc());
    EXPECT_EQ(f.table.ObservationRows(), 1); // a file without rows still gives one row to type into
    EXPECT_EQ(f.table.Cell(1, kTrvColTm), "O");
}

TEST(TrvsFile, FirstRowTakesItsSetupFromTheHeader) {
    TrvsFixture f;
    DecodeTrvFile("3\r\n\r\n\r\nT.1,0,0,0\r\nN,0,180\r\n,,,\r\n,0,0\r\n1,K,X,Y,P1,1,2,3,,\r\n2,K,\" \",,P2\r\n",
                  f.options, kToday, f.header, f.table);
    EXPECT_EQ(f.table.Cell(1, kTrvColInst), "");
    EXPECT_EQ(f.table.Cell(1, kTrvColBack), "");
    EXPECT_EQ(f.table.Cell(1, kTrvColInstH), "0.000");
    EXPECT_EQ(f.table.Cell(2, kTrvColInst), ""); // a single blank counts as empty
    EXPECT_EQ(f.header.T1Angle, "   180.0000");
}

TEST(TrvsFile, BadFilesChangeNothing) {
    TrvsFixture f;
    f.header.T0No = "KEEP";
    EXPECT_THROW(DecodeTrvFile("7\r\n", f.options, kToday, f.header, f.table), Error);
    EXPECT_THROW(DecodeTrvFile("1\r\n\r\n\r\nA,1x,0\r\n", f.options, kToday, f.header, f.table), Error);
    std::string tooLong = "3\r\n\r\n\r\nA,0,0\r\nN,0,180\r\n\r\n\r\n";
    for (int row = 1; row <= kTrvsMaxRows + 1; ++row) {
        tooLong += std::to_string(row) + ",K\r\n";
    }
    EXPECT_THROW(DecodeTrvFile(tooLong, f.options, kToday, f.header, f.table), Error);
    EXPECT_EQ(f.header.T0No, "KEEP");
    EXPECT_THROW(LoadTrvFile("/nonexistent/x.Trv", f.options, kToday, f.header, f.table), Error);
}

// A damaged line is named by its number (the surveyor mends it in an editor); a row whose TM or
// number cells would stop every later computation is refused while the file is read.
TEST(TrvsFile, DamagedLinesAreNamed) {
    const std::string head = "0\r\n\r\n\r\nA,0,0,0\r\nN,0,180\r\n,0,0,0\r\n,0,0\r\n";
    const struct {
        std::string bytes;
        const char* message;
    } cases[] = {
        {"7\r\n", "トラバースファイルの 1 行目: トラバースの型が正しくありません: 7"},
        {"1\r\n\r\n\r\nA,1x,0\r\n", "トラバースファイルの 4 行目: "},
        {"0\r\n\r\n\r\nA,0,0,0\r\nN,0,18o\r\n", "トラバースファイルの 5 行目: "},
        {head + "1,T,,,B,90.0000,90.0000,100.000\r\n2,X,,,C,90.0000,90.0000,100.000\r\n",
         "トラバースファイルの 9 行目: TM は T, O, K のどれかです: X"},
        {head + "1,T,,,B,90.0000,90.0000,100.000\r\n2,T,,,C,9O.0000,90.0000,100.000\r\n",
         "トラバースファイルの 9 行目: 水平角 '9O.0000' は数値ではありません"},
    };
    for (const auto& c : cases) {
        TrvsFixture f;
        f.header.T0No = "KEEP";
        const std::string message = MessageOf([&] { DecodeTrvFile(c.bytes, f.options, kToday, f.header, f.table); });
        EXPECT_EQ(message.substr(0, std::string(c.message).size()), c.message) << message;
        EXPECT_EQ(f.header.T0No, "KEEP");
    }
}

TEST(TrvsFile, BackupKeepsThePreviousVersion) {
    TempDir dir;
    TrvsFixture f;
    const std::string path = dir.File("job.Trv");
    f.header.remark = "first";
    SaveTrvFile(path, f.header, f.table, true);
    f.header.remark = "second";
    SaveTrvFile(path, f.header, f.table, true);
    f.header.remark = "third";
    SaveTrvFile(path, f.header, f.table, true);
    EXPECT_NE(ReadBytes(dir.File("job.TBk")).find("second\r\n"), std::string::npos);
    EXPECT_NE(ReadBytes(path).find("third\r\n"), std::string::npos);
    f.header.remark = "fourth";
    SaveTrvFile(path, f.header, f.table, false);
    EXPECT_NE(ReadBytes(dir.File("job.TBk")).find("second\r\n"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2); // no temporary left
}

// "Auto.Trv" keeps the start and end heights; one written without them still reads.
TEST(TrvsFile, AutoSaveKeepsTheHeights) {
    TempDir dir;
    TrvsFixture f;
    f.Start(kTrvsConnected, "A", "1.000", "2.000", "N", "180.0000", true);
    f.header.T0Z = "5.000";
    f.header.T2No = "B";
    f.header.T2X = "3.000";
    f.header.T2Y = "4.000";
    f.header.T2Z = "6.000";
    SaveAutoTrv(dir.Str(), f.header, f.table);
    const std::string bytes = ReadBytes(AutoTrvPath(dir.Str()));
    EXPECT_NE(bytes.find("\r\nA,1.000,2.000,5.000\r\nN,0,180.0000\r\nB,3.000,4.000,6.000\r\n"), std::string::npos);

    TrvsFixture g;
    DecodeTrvFile("1\r\n26/12/09\r\n\r\nA,1.000,2.000\r\nN,0,180.0000\r\nB,3.000,4.000\r\n,1,0.0000\r\n", g.options,
                  kToday, g.header, g.table);
    EXPECT_EQ(g.header.T0Z, "    0.000");
    EXPECT_EQ(g.header.T2X, "      3.000");
}

// Rows written with their height cells turn Z calculation on, also when the start height is 0.000,
// and are written back with them; rows of 8 cells and a start height of 0.000 leave it off.
TEST(TrvsFile, RowsWithHeightsTurnZCalculationOn) {
    const std::string bytes = "0\r\n26/12/09\r\n\r\nA,1000.000,1000.000,0.000\r\nD,1,0.0000\r\n"
                              ",0.000,0.000,0.000\r\n,0,0.0000\r\n1,T,,,B,90.0000,90.0000,100.000,1.500,1.600\r\n"
                              "2,K,,,C,90.0000,90.0000,100.000,,\r\n";
    TrvsFixture f;
    DecodeTrvFile(bytes, f.options, kToday, f.header, f.table);
    EXPECT_TRUE(f.table.ZCalc());
    EXPECT_EQ(f.table.Cell(2, kTrvColTm), "K"); // as stored, whatever the type
    EXPECT_EQ(EncodeTrvFile(f.header, f.table), bytes);

    TrvsFixture g;
    DecodeTrvFile(ReadBytes(DataFile("traverse/square.Trv")), g.options, kToday, g.header, g.table);
    EXPECT_FALSE(g.table.ZCalc());
}

// An empty traverse is what a reset leaves; any name, remark or observation is something to keep.
TEST(TrvsFile, EmptyTraverseIsOnlyTheResetOne) {
    TrvsFixture f;
    EXPECT_TRUE(IsEmptyTraverse(f.header, f.table));
    f.header.remark = " ";
    EXPECT_TRUE(IsEmptyTraverse(f.header, f.table));
    f.header.T2No = "B";
    EXPECT_FALSE(IsEmptyTraverse(f.header, f.table));
    TrvsFixture g;
    g.Row("K", "", "", "", "12.5");
    EXPECT_FALSE(IsEmptyTraverse(g.header, g.table));
}

} // namespace
} // namespace vemo::test
