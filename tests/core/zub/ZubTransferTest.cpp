// The transfer of a field book into the traverse table: which records give rows, in what order, with
// which heights, and that a bad field leaves the traverse as it was.
#include "core/zub/ZubTransfer.h"
#include "core/text/Cp932.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsOptions.h"
#include "core/traverse/TrvsTable.h"
#include "core/zub/ZubFile.h"
#include "support/ErrorMessage.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vemo::test {
namespace {

struct Traverse {
    TrvsOptions options;
    TrvsHeader header;
    TrvsTable table;
    void From(const std::vector<ZubRow>& rows) { TransferZubToTraverse(rows, options, "26/12/10", header, table); }
};

TEST(ZubTransfer, DirectObservationsBecomeRowsWithTheStationHeightOnItsFirstSight) {
    Traverse t;
    t.header.T0No = "old";
    t.From(ParseZubText(ReadBytes(DataFile("zub/field.ZUB"))));
    EXPECT_EQ(t.header.TrvsType, kTrvsRadial);
    EXPECT_EQ(t.header.T0No, "T1");
    EXPECT_EQ(Cp932ToUtf8(t.header.remark), "境界測量");
    EXPECT_EQ(t.header.date, "26/12/09");
    // D T1 (1.500): F r T2, F l T2 (skipped), F r T3; D T2 (1.450): F r T4.
    const std::vector<TrvsRow> expected = {
        {"1", "K", "", "", "T2", "90.0530", "89.5930", "123.456", "1.500", "1.600"},
        {"2", "K", "", "", "T3", "180.1000", "90.0010", "98.765", "", "1.600"},
        {"3", "K", "", "", "T4", "200.3000", "90.0000", "80.000", "1.450", "1.600"},
    };
    ASSERT_EQ(t.table.ObservationRows(), 3);
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(t.table.Row(row), expected[row - 1]) << "row " << row;
    }
}

TEST(ZubTransfer, NumbersAreRewrittenAndTheFirstRowAlwaysHasHeights) {
    ZubRow d{"D", "S", "", "1.5"};
    ZubRow f{"F", "P", "", "", "r2003", "12.5", "", "7"};
    ZubRow reverse{"F", "P", "", "", "l2003", "192.5", "", "7"};
    Traverse t;
    t.From({reverse, f, d});
    ASSERT_EQ(t.table.ObservationRows(), 1) << "an observation before any station still counts";
    EXPECT_EQ(t.table.Row(1), (TrvsRow{"1", "K", "", "", "P", "12.5000", "", "7.000", "0.000", "0.000"}));
    EXPECT_EQ(t.header.T0No, "S");

    t.From({d, reverse});
    ASSERT_EQ(t.table.ObservationRows(), 1) << "no direct observation: one empty row to type into";
    EXPECT_EQ(t.table.Row(1), (TrvsRow{"1", "K", "", "", "", "", "", "", "0.000", "0.000"}));
}

TEST(ZubTransfer, BadFieldOrTooManyRowsLeavesTheTraverseAsItWas) {
    Traverse t;
    t.From(ParseZubText(ReadBytes(DataFile("zub/field.ZUB"))));
    ZubRow d{"D", "S", "", "1.5"};
    ZubRow bad{"F", "P", "", "", "r1001", "12.3x"};
    EXPECT_EQ(MessageOf([&] { t.From({d, d, bad}); }), "ZUBの 3 行目: '12.3x' は浮動小数点数ではありません");
    std::vector<ZubRow> many(kTrvsMaxRows + 1, ZubRow{"F", "P", "", "", "r1001"});
    EXPECT_EQ(MessageOf([&] { t.From(many); }), "トラバースの観測は 1997 行までです");
    EXPECT_EQ(t.header.T0No, "T1");
    EXPECT_EQ(t.table.ObservationRows(), 3);
}

} // namespace
} // namespace vemo::test
