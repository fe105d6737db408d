#include "core/parcels/ParcelEdit.h"

#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vemo {
namespace {

using Rows = std::vector<std::string>;

TEST(ParcelEdit, RegistrationChecks) {
    struct Case {
        Rows rows;
        RingCheck check;
    };
    const std::vector<Case> cases = {
        {{"A", "B", "A", ""}, RingCheck::Ok},      // two points and back: registers
        {{"A", "B", "C", "A"}, RingCheck::Ok},     // closing name in the last row itself
        {{"A", "B", "C", "A", ""}, RingCheck::Ok}, // closing name before the entry row
        {{"A", "B", ""}, RingCheck::NotFormed},    // three rows, the last empty
        {{"A", ""}, RingCheck::NotFormed},
        {{"A", "B", "C", ""}, RingCheck::NotClosed},           // never returns to A
        {{"A", "B", "C", "A", "D", ""}, RingCheck::NotClosed}, // A not in one of the last two rows
        {{"", "", "", ""}, RingCheck::NotFormed},              // empty rows "close" on the empty row 0
        {{"", "A", "B", ""}, RingCheck::NotFormed},
        {{"A", "", "", "A"}, RingCheck::NotFormed}, // one point and its repetition
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckEditorRows(c.rows), c.check) << ::testing::PrintToString(c.rows);
    }
}

TEST(ParcelEdit, RecordAndLabelPoint) {
    XyzList list;
    list.ReplaceAll({XyzRow{"", "A", "10", "20", "", "", ""}, XyzRow{"", "B", "30", "20", "", "", ""},
                     XyzRow{"", "C", "30", "60", "", "", ""}});
    XyzNameIndex index;
    index.Rebuild(list);
    // (2·A + B + C) / 4: the closing A counts twice.
    Block block = ParcelFromEditor("P", {"A", "B", "C", "A", ""}, index);
    EXPECT_EQ(block.NoList, "A,B,C,A,");
    EXPECT_EQ(block.NoRowCount, 5);
    EXPECT_DOUBLE_EQ(block.LabelX, (2 * 10 + 30 + 30) / 4.0);
    EXPECT_DOUBLE_EQ(block.LabelY, (2 * 20 + 20 + 60) / 4.0);
    EXPECT_EQ(EditorRowsOf(block), (Rows{"A", "B", "C", "A", ""}));

    // A missing name repeats the row before it; a missing first name stands on the first known point.
    LabelPoint label = EditorLabelPoint({"GONE", "B", "LOST", "C", "GONE", ""}, index);
    EXPECT_DOUBLE_EQ(label.x, (30 + 30 + 30 + 30 + 30) / 5.0);
    EXPECT_DOUBLE_EQ(label.y, (20 + 20 + 20 + 60 + 60) / 5.0);
}

} // namespace
} // namespace vemo
