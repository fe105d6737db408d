// Editing rules of the traverse table: type change, TM toggle, row insert and delete, heights.
#include "TrvsFixture.h"

#include "core/text/Error.h"
#include "core/traverse/TrvsEntry.h"

#include <gtest/gtest.h>

namespace vemo::test {
namespace {

std::vector<std::string> Tms(const TrvsTable& table) {
    std::vector<std::string> tms;
    for (int row = 1; row < table.RowCount(); ++row) {
        tms.push_back(table.Cell(row, kTrvColTm));
    }
    return tms;
}

TEST(TrvsTable, ResetGivesOneRadialRowWithHeights) {
    TrvsTable table;
    table.SetZCalc(true);
    table.Reset();
    EXPECT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.Cell(1, kTrvColNo), "1");
    EXPECT_EQ(table.Cell(1, kTrvColTm), "K");
    EXPECT_EQ(table.Cell(1, kTrvColInstH), "0.000");
    EXPECT_EQ(Cp932ToUtf8(table.Cell(0, kTrvColSlope)), "斜距離");
    EXPECT_EQ(table.ColCount(), 10); // Z calculation keeps its state
}

TEST(TrvsTable, TypeChangeRewritesTheTurningModes) {
    TrvsFixture f;
    for (const char* tm : {"K", "O", "K", "O", "T"}) {
        f.Row(tm, "P", "0", "90", "1");
    }
    f.table.ApplyType(kTrvsClosed); // open -> closed: O becomes T, K stays
    EXPECT_EQ(Tms(f.table), (std::vector<std::string>{"T", "T", "K", "T", "T"}));
    f.table.ApplyType(kTrvsOpen);
    EXPECT_EQ(Tms(f.table), (std::vector<std::string>{"O", "O", "K", "O", "O"}));
    f.table.ApplyType(kTrvsRadial);
    EXPECT_EQ(Tms(f.table), (std::vector<std::string>{"K", "K", "K", "K", "K"}));
}

TEST(TrvsTable, TmToggle) {
    TrvsFixture f;
    f.Row("K", "P", "0", "90", "1");
    f.Row("", "P", "0", "90", "1");
    f.table.ToggleTm(1, kTrvsOpen);
    f.table.ToggleTm(2, kTrvsClosed);
    EXPECT_EQ(Tms(f.table), (std::vector<std::string>{"O", "T"}));
    f.table.ToggleTm(1, kTrvsOpen);
    EXPECT_EQ(f.table.Cell(1, kTrvColTm), "K");
}

TEST(TrvsTable, InsertAndDeleteKeepNumbersAndFirstRowHeights) {
    TrvsFixture f;
    f.Row("T", "P1", "0", "90", "1", "", "", "1.500", "1.600");
    f.Row("T", "P2", "0", "90", "1");
    f.table.InsertRow(1, "T");
    EXPECT_EQ(f.table.Cell(1, kTrvColTarget), "");
    EXPECT_EQ(f.table.Cell(1, kTrvColInstH), "1.500");
    EXPECT_EQ(f.table.Cell(3, kTrvColNo), "3");
    EXPECT_EQ(f.table.Cell(3, kTrvColTarget), "P2");
    f.table.DeleteRow(1, "T");
    f.table.DeleteRow(1, "T"); // P2 moves up and takes over the heights it inherited
    EXPECT_EQ(f.table.Cell(1, kTrvColTarget), "P2");
    EXPECT_EQ(f.table.Cell(1, kTrvColNo), "1");
    EXPECT_EQ(f.table.Cell(1, kTrvColTargetH), "1.600");
    f.table.DeleteRow(1, "O"); // the only row is emptied
    EXPECT_EQ(f.table.RowCount(), 2);
    EXPECT_EQ(f.table.Cell(1, kTrvColTarget), "");
    EXPECT_EQ(f.table.Cell(1, kTrvColTm), "O");
    EXPECT_EQ(f.table.Cell(1, kTrvColInstH), "0.000");
}

TEST(TrvsTable, DeletingTheLastRowOnlyEmptiesIt) {
    TrvsFixture f;
    f.Row("T", "P1", "0", "90", "1");
    f.Row("T", "P2", "0", "90", "1");
    f.table.DeleteRow(2, "T");
    EXPECT_EQ(f.table.RowCount(), 3);
    EXPECT_EQ(f.table.Cell(2, kTrvColTarget), "");
}

TEST(TrvsTable, HeightsAreInheritedFromTheRowsAbove) {
    TrvsFixture f;
    f.Row("K", "P1", "0", "90", "1", "", "", "1.500", "2.000");
    f.Row("K", "P2", "0", "90", "1", "", "", "", "1.000");
    f.Row("K", "P3", "0", "90", "1");
    EXPECT_EQ(f.table.InheritedHeight(3, kTrvColInstH), "1.500");
    EXPECT_EQ(f.table.InheritedHeight(3, kTrvColTargetH), "1.000");
}

TEST(TrvsTable, AtMost1997Rows) {
    TrvsTable table;
    std::vector<TrvsRow> rows(kTrvsMaxRows);
    table.SetRows(rows, "K");
    EXPECT_THROW(table.AppendRow("K", "X"), Error);
    EXPECT_THROW(table.InsertRow(1, "K"), Error);
    EXPECT_EQ(table.ObservationRows(), kTrvsMaxRows);
    rows.emplace_back();
    EXPECT_THROW(table.SetRows(rows, "K"), Error);
}

TEST(TrvsTable, NextRowAfterASlopeDistance) {
    TrvsFixture f;
    f.Row("T", "T009", "0", "90", "");
    EXPECT_FALSE(AppendNextRow(f.table, kTrvsClosed)); // no slope distance yet
    f.table.SetCell(1, kTrvColSlope, "12.000");
    EXPECT_TRUE(AppendNextRow(f.table, kTrvsClosed));
    EXPECT_EQ(f.table.Cell(2, kTrvColNo), "2");
    EXPECT_EQ(f.table.Cell(2, kTrvColTm), "T");
    EXPECT_EQ(f.table.Cell(2, kTrvColTarget), "T010");
    f.table.InsertRow(2, "T");
    ProposeNextTarget(f.table, 1);
    EXPECT_EQ(f.table.Cell(2, kTrvColTarget), "T010");
}

} // namespace
} // namespace vemo::test
