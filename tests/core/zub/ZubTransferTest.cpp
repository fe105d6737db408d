// The transfer of a field book into the traverse table: which records give rows, from which station
// and backsight, with which heights, where the points then land, and what is left out and said.
#include "core/zub/ZubTransfer.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/traverse/ComputeRawTraverse.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsOptions.h"
#include "core/traverse/TrvsState.h"
#include "core/traverse/TrvsTable.h"
#include "core/zub/ZubFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace vemo::test {
namespace {

// The first note of the transfer of a book with both faces.
constexpr const char* kMeanNote =
    "転記: 正反の平均と対回の平均から 1 方向 1 行にしました（正観測のみの転記も選べます）";

struct Traverse {
    std::unique_ptr<Store> store = std::make_unique<Store>();
    TrvsOptions options;
    TrvsHeader header;
    TrvsTable table;
    std::vector<std::string> notes;
    void From(const std::vector<ZubRow>& rows, ZubReduction reduction = ZubReduction::Auto) {
        notes = TransferZubToTraverse(rows, options, TrvsKnownPoints(*store), "26/12/10", header, table, reduction);
    }
    std::vector<std::string> Notes() const {
        std::vector<std::string> utf8;
        for (const std::string& note : notes) {
            utf8.push_back(Cp932ToUtf8(note));
        }
        return utf8;
    }
};

TEST(ZubTransfer, EverySetupsRowsCarryItsStationAndBacksight) {
    Traverse t;
    t.header.T0No = "old";
    t.From(ParseZubText(ReadBytes(DataFile("zub/field.ZUB"))));
    EXPECT_EQ(t.header.TrvsType, kTrvsRadial);
    EXPECT_EQ(t.header.T0No, "T1");
    EXPECT_EQ(t.header.T1No, "T2") << "the first setup's reference direction";
    EXPECT_EQ(Cp932ToUtf8(t.header.remark), "境界測量");
    EXPECT_EQ(t.header.date, "26/12/09");
    // D T1 (1.500): F r T2 read 90°05'30" (the reference), F l T2, F r T3 read 180°10'00", so 90°04'30"
    // from T2; D T2 (1.450): F r T4, its own reference.  The book holds both faces, so T2 is the mean of
    // its faces: zenith (89°59'30" - 270°00'20" + 360°) / 2 = 89°59'35", distance (123.456 + 123.457) / 2.
    const std::vector<TrvsRow> expected = {
        {"1", "K", "T1", "T2", "T2", "0.0000", "89.5935", "123.457", "1.500", "1.600"},
        {"2", "K", "T1", "T2", "T3", "90.0430", "90.0010", "98.765", "", "1.600"},
        {"3", "K", "T2", "T4", "T4", "0.0000", "90.0000", "80.000", "1.450", "1.600"},
    };
    ASSERT_EQ(t.table.ObservationRows(), 3);
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(t.table.Row(row), expected[row - 1]) << "row " << row;
    }
    // Neither station is in the (empty) coordinate list; T2 is computed by row 1 before it is a station.
    EXPECT_EQ(t.Notes(), (std::vector<std::string>{
                             kMeanNote, "ZUBの 6 行目: 器械点 T1 の座標が座標リストにもそれより前の観測にもありません",
                             "ZUBの 6 行目: 後視点 T2 の座標が座標リストにもそれより前の観測にもありません",
                             "ZUBの 10 行目: 後視点 T4 の座標が座標リストにもそれより前の観測にもありません"}));
}

// T1 (-12345.678, 34567.890) and T0 100 m north of it are known.  Setup 1 at T1 sights T0 at 0° and T2
// at 90°: T2 lies 100 m east, (-12345.678, 34667.890).  Setup 2 at T2 sights T1 read at 10° and T3 at
// 100°, 90° clockwise from T1 (west), so T3 lies 100 m north of T2, (-12245.678, 34667.890).  Computed
// from the first station instead, T3 would land 100 m from T1 at 100°: 141 m away.
TEST(ZubTransfer, TwoSetupBookIsComputedFromEachStation) {
    Traverse t;
    t.store->xyz.ReplaceAll({{"", "T1", "-12345.678", "34567.890", "12.000"}, {"", "T0", "-12245.678", "34567.890"}});
    t.From(ParseZubText(ReadBytes(DataFile("zub/corrected.ZUB"))));
    EXPECT_EQ(t.header.T0No, "T1");
    EXPECT_EQ(t.header.T1No, "T0");
    EXPECT_EQ(t.header.T0X, " -12345.678");
    EXPECT_EQ(t.header.T1Angle, "   180.0000") << "incoming: from T0 to T1, due south";
    EXPECT_EQ(t.Notes(),
              (std::vector<std::string>{kMeanNote, "ZUBの 9 行目: G レコードは観測でないので取り込みません"}));
    ASSERT_EQ(t.table.ObservationRows(), 4);
    EXPECT_EQ(t.table.Row(3), (TrvsRow{"3", "K", "T2", "T1", "T1", "0.0000", "90.0000", "100.000", "1.450", "1.600"}));
    auto state = std::make_unique<TrvsState>();
    ComputeRawTraverse(*state, TrvsInput{t.header, t.table, t.options, TrvsKnownPoints(*t.store)});
    ASSERT_EQ(state->TrvsPointCount, 4);
    const struct {
        int slot;
        const char* name;
        double x, y;
    } points[] = {{1, "T0", -12245.678, 34567.890},
                  {2, "T2", -12345.678, 34667.890},
                  {3, "T1", -12345.678, 34567.890},
                  {4, "T3", -12245.678, 34667.890}};
    for (const auto& p : points) {
        EXPECT_EQ(state->TrvsRawPoints.name[p.slot], p.name);
        EXPECT_NEAR(state->TrvsRawPoints.x[p.slot], p.x, 0.0005) << p.name;
        EXPECT_NEAR(state->TrvsRawPoints.y[p.slot], p.y, 0.0005) << p.name;
    }
}

TEST(ZubTransfer, WhatCannotBeUsedIsSkippedAndNamed) {
    ZubRow d{"D", "S", "", "1.5"};
    ZubRow f{"F", "P", "", "", "r2003", "12.5", "", "7"};
    ZubRow reverse{"F", "P", "", "", "l2003", "192.5", "", "7"};
    ZubRow bad{"F", "Q", "", "", "r1001", "12.3x"};
    Traverse t;
    t.From({f, d, bad, reverse, f}, ZubReduction::DirectOnly);
    ASSERT_EQ(t.table.ObservationRows(), 1);
    EXPECT_EQ(t.table.Row(1), (TrvsRow{"1", "K", "S", "P", "P", "0.0000", "", "7.000", "1.500", "0.000"}));
    EXPECT_EQ(t.Notes(), (std::vector<std::string>{
                             "転記: 正観測のみを転記しました（反観測は使っていません）",
                             "ZUBの 1 行目: 器械点（D レコード）より前の観測なので取り込みません",
                             "ZUBの 3 行目: 角度・距離・高さに数でない項目があるので取り込みません",
                             "ZUBの 5 行目: 器械点 S の座標が座標リストにもそれより前の観測にもありません",
                             "ZUBの 5 行目: 後視点 P の座標が座標リストにもそれより前の観測にもありません"}));

    t.From({d, reverse}, ZubReduction::DirectOnly);
    ASSERT_EQ(t.table.ObservationRows(), 1) << "no direct observation: one empty row to type into";
    EXPECT_EQ(t.table.Row(1), (TrvsRow{"1", "K", "", "", "", "", "", "", "0.000", "0.000"}));

    std::vector<ZubRow> many(kTrvsMaxRows + 3, ZubRow{"F", "P", "", "", "r1001"});
    many.insert(many.begin(), d);
    t.From(many);
    EXPECT_EQ(t.table.ObservationRows(), kTrvsMaxRows) << "the first 1,997 are taken";
    EXPECT_EQ(t.Notes()[0], "正観測は 1997 行まで取り込みます: 残りの 3 件は取り込みません");
}

} // namespace
} // namespace vemo::test
