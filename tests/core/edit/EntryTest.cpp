#include "TestLists.h"
#include "core/edit/CellRules.h"
#include "core/edit/EntryRules.h"
#include "core/edit/Shift.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

using test::Fill;

TEST(ApplyShiftTest, PublicCoordinateCases) {
    EXPECT_DOUBLE_EQ(ApplyShift(12000, 345.678), 12345.678);
    EXPECT_DOUBLE_EQ(ApplyShift(12000, 12345.678), 345.678);
    EXPECT_DOUBLE_EQ(ApplyShift(12000, 0), 12000);
    EXPECT_DOUBLE_EQ(ApplyShift(12000, 12000), 24000); // equal counts as "only the last digits"
    EXPECT_DOUBLE_EQ(ApplyShift(-12000, 345.678), -12345.678);
    EXPECT_DOUBLE_EQ(ApplyShift(0, 345.678), 345.678);
    EXPECT_DOUBLE_EQ(ApplyShift(0, -5.5), -5.5);
}

TEST(EntryRulesTest, LastEntryColumnIsTheHighestSwitchedOnColumn) {
    EXPECT_EQ(LastEntryColumn({}), kColY);
    EXPECT_EQ(LastEntryColumn({.z = true}), kColZ);
    EXPECT_EQ(LastEntryColumn({.z = true, .tensyu = true}), kColTensyu);
    EXPECT_EQ(LastEntryColumn({.biko = true}), kColBiko);
}

TEST(EntryRulesTest, TabSkipsSwitchedOffColumnsAndWraps) {
    ColumnSwitches none;
    EXPECT_EQ(NextTabCell({2, kColName}, none, 5), (GridCell{2, kColX}));
    EXPECT_EQ(NextTabCell({2, kColY}, none, 5), (GridCell{3, kColName}));
    ColumnSwitches tensyu{.tensyu = true};
    EXPECT_EQ(NextTabCell({2, kColY}, tensyu, 5), (GridCell{2, kColTensyu}));
    EXPECT_EQ(NextTabCell({2, kColTensyu}, tensyu, 5), (GridCell{3, kColName}));
    EXPECT_EQ(NextTabCell({2, kColBiko}, {.biko = true}, 5), (GridCell{3, kColName}));
    // The last row has no row after it: the cursor stays on its last cell.
    EXPECT_EQ(NextTabCell({5, kColY}, none, 5), (GridCell{5, kColY}));
    EXPECT_EQ(NextTabCell({5, kColBiko}, {.biko = true}, 5), (GridCell{5, kColBiko}));
}

TEST(EntryRulesTest, MovesIntoSwitchedOffColumnsMoveOn) {
    ColumnSwitches biko{.biko = true};
    EXPECT_EQ(SkipSwitchedOff({3, kColZ}, biko, 5, {3, kColY}), (GridCell{3, kColBiko}));
    EXPECT_EQ(SkipSwitchedOff({3, kColZ}, {}, 5, {3, kColY}), (GridCell{4, kColName}));
    EXPECT_EQ(SkipSwitchedOff({5, kColZ}, {}, 5, {5, kColY}), (GridCell{5, kColY}));
    EXPECT_EQ(SkipSwitchedOff({3, kColNo}, {}, 5, {3, kColY}), (GridCell{3, kColName}));
    EXPECT_EQ(SkipSwitchedOff({3, kColX}, {}, 5, {1, 1}), (GridCell{3, kColX}));
}

TEST(LeavingCellTest, NumbersAreNormalisedAndShifted) {
    XyzList list;
    Fill(list, {{"T1", "12.3", "-0.0004", "", "", ""}, {"T2", "345.678", "", "7"}});
    ApplyLeavingCell(list, 1, kColX, nullptr);
    ApplyLeavingCell(list, 1, kColY, nullptr);
    ApplyLeavingCell(list, 1, kColZ, nullptr);
    EXPECT_EQ(list.Cell(1, kColX), "12.300");
    EXPECT_EQ(list.Cell(1, kColY), "0.000");
    EXPECT_EQ(list.Cell(1, kColZ), "0.000"); // an empty Z becomes zero

    ShiftValues shift{.x = 12000, .y = -30000, .z = 50};
    ApplyLeavingCell(list, 2, kColX, &shift);
    ApplyLeavingCell(list, 2, kColY, &shift);
    ApplyLeavingCell(list, 2, kColZ, &shift);
    EXPECT_EQ(list.Cell(2, kColX), "12345.678");
    EXPECT_EQ(list.Cell(2, kColY), "");      // empty stays empty, shift or not
    EXPECT_EQ(list.Cell(2, kColZ), "7.000"); // no shift on Z while typing
}

TEST(LeavingCellTest, ABadNumberStopsWithTheConversionMessage) {
    XyzList list;
    Fill(list, {{"T1", "1-2", "1..2"}});
    try {
        ApplyLeavingCell(list, 1, kColX, nullptr);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "'1-2'" + Jp(" は浮動小数点数ではありません"));
    }
    EXPECT_THROW(ApplyLeavingCell(list, 1, kColY, nullptr), Error);
    EXPECT_EQ(list.Cell(1, kColX), "1-2");
}

TEST(LeavingCellTest, DuplicateNamesAreRefusedByteWise) {
    XyzList list;
    Fill(list, {{"T1"}, {"t1"}, {"T1"}, {Jp("Ｔ１")}, {""}, {""}});
    EXPECT_TRUE(ApplyLeavingCell(list, 2, kColName, nullptr));  // case differs
    EXPECT_TRUE(ApplyLeavingCell(list, 4, kColName, nullptr));  // full-width differs
    EXPECT_FALSE(ApplyLeavingCell(list, 3, kColName, nullptr)); // same as row 1
    EXPECT_EQ(list.Cell(3, kColName), "");
    // Rows 3, 5 and 6 now all have no name: leaving any of them is refused.
    EXPECT_FALSE(ApplyLeavingCell(list, 5, kColName, nullptr));
    EXPECT_TRUE(ApplyLeavingCell(list, 1, kColName, nullptr));
}

TEST(FinishLastRowTest, AppendsTheNextNameOnlyForACompleteRow) {
    XyzList list;
    Fill(list, {{"T009", "1.000", "2.000"}});
    ASSERT_TRUE(FinishLastRow(list, true));
    ASSERT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.Cell(1, kColZ), "0.000");
    EXPECT_EQ(list.Cell(2, kColName), "T010");
    EXPECT_EQ(list.Cell(2, kColNo), "2");
    EXPECT_EQ(list.Cell(2, kColX), "");

    EXPECT_FALSE(FinishLastRow(list, true)); // T010 has no coordinates yet
    EXPECT_EQ(list.RowCount(), 3);

    list.SetCell(2, kColX, "5");
    list.SetCell(2, kColY, "6");
    list.SetCell(2, kColZ, "1.5");
    ASSERT_TRUE(FinishLastRow(list, false));
    EXPECT_EQ(list.Cell(2, kColZ), "1.5"); // a typed Z is left as typed
    EXPECT_EQ(list.Cell(3, kColName), "T009");
}

TEST(FinishLastRowTest, AnUnsteppableNameAppendsAnUnnamedRowAndReports) {
    XyzList list;
    Fill(list, {{"T99999999999", "1", "2"}});
    EXPECT_THROW(FinishLastRow(list, true), Error);
    ASSERT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.Cell(2, kColName), "");
}

TEST(ShiftRowsTest, ShiftsEveryFilledCellFromTheGivenRow) {
    XyzList list;
    Fill(list, {{"A", "1", "2", "3"}, {"B", "345.678", "", "1.5"}, {"C", "", "0.5", ""}});
    EXPECT_FALSE(ShiftRows(list, 1, {.x = 0.0009, .y = -0.0009, .z = 0}));
    EXPECT_EQ(list.Cell(1, kColX), "1");

    ASSERT_TRUE(ShiftRows(list, 2, {.x = 12000, .y = -30000, .z = 100}));
    EXPECT_EQ(list.Cell(1, kColX), "1"); // above the cursor row: untouched
    EXPECT_EQ(list.Cell(2, kColX), "12345.678");
    EXPECT_EQ(list.Cell(2, kColY), "");
    EXPECT_EQ(list.Cell(2, kColZ), "101.500");
    EXPECT_EQ(list.Cell(3, kColX), "");
    EXPECT_EQ(list.Cell(3, kColY), "-30000.500");
    EXPECT_EQ(list.Cell(3, kColZ), "");
}

TEST(ShiftRowsTest, ABadCellChangesNothing) {
    XyzList list;
    Fill(list, {{"A", "1", "2"}, {"B", "x", "2"}});
    EXPECT_THROW(ShiftRows(list, 1, {.x = 100}), Error);
    EXPECT_EQ(list.Cell(1, kColX), "1");
}

} // namespace
} // namespace vemo
