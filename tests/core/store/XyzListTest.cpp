#include "core/store/XyzList.h"

#include "PointRows.h"

#include "core/text/Cp932.h"
#include "core/text/Error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vemo {
namespace {

using test::Names;
using test::Point;
using test::Points;

void ExpectNumbered(const XyzList& list) {
    for (int row = 1; row < list.RowCount(); ++row) {
        ASSERT_EQ(list.Cell(row, kColNo), std::to_string(row));
    }
}

// Records each notification together with the row count the list has at that moment, so that the test
// sees whether "about to" came before the change and the report after it.
class Recorder : public XyzListObserver {
public:
    explicit Recorder(const XyzList& list) : list_(list) {}
    std::vector<std::string> log;

    void CellsChanged(int r0, int r1, int c0, int c1) override { Add("cells", r0, r1, c0, c1); }
    void RowsAboutToBeInserted(int a, int b) override { Add("aboutInsert", a, b); }
    void RowsInserted(int a, int b) override { Add("inserted", a, b); }
    void RowsAboutToBeRemoved(int a, int b) override { Add("aboutRemove", a, b); }
    void RowsRemoved(int a, int b) override { Add("removed", a, b); }
    void AboutToReset() override { Add("aboutReset"); }
    void Reset() override { Add("reset"); }

private:
    void Add(const std::string& what, int a = -1, int b = -1, int c = -1, int d = -1) {
        std::string entry = what;
        for (int v : {a, b, c, d}) {
            if (v >= 0) {
                entry += " " + std::to_string(v);
            }
        }
        log.push_back(entry + " @" + std::to_string(list_.RowCount()));
    }
    const XyzList& list_;
};

TEST(XyzList, ClearedListHasHeaderAndOneEmptyRowNumberedOne) {
    XyzList list;
    list.AppendRows(Points(3));
    list.Clear();
    ASSERT_EQ(list.RowCount(), 2);
    EXPECT_FALSE(list.HasData());
    const XyzRow header{"\x87\x82", "\x93\x5F\x96\xBC", "X", "Y", "Z", "\x93\x5F\x8E\xED", "\x94\xF5\x8D\x6C"};
    EXPECT_EQ(list.Row(0), header); // CP932 bytes of "№", "点名", "点種", "備考"
    EXPECT_EQ(list.Row(1), (XyzRow{"1", "", "", "", "", "", ""}));
}

TEST(XyzList, CompleteNeedsNameXAndY) {
    XyzList list;
    list.AppendRows({Point("A"), Point("", "1", "2"), Point("B", "", "2"), Point("C", "1", "")});
    EXPECT_FALSE(list.IsComplete(1)); // the empty row of the cleared list
    EXPECT_TRUE(list.IsComplete(2));
    EXPECT_FALSE(list.IsComplete(3));
    EXPECT_FALSE(list.IsComplete(4));
    EXPECT_FALSE(list.IsComplete(5));
}

TEST(XyzList, InsertAndRemoveRenumberColumnZero) {
    XyzList list;
    list.ReplaceAll(Points(4));
    list.InsertRows(2, {Point("N1"), Point("N2")});
    EXPECT_EQ(Names(list), (std::vector<std::string>{"P1", "N1", "N2", "P2", "P3", "P4"}));
    ExpectNumbered(list);
    list.InsertEmptyRows(1, 1);
    EXPECT_EQ(list.Cell(1, kColName), "");
    ExpectNumbered(list);
    list.RemoveRows(3, 3);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"", "P1", "P3", "P4"}));
    ExpectNumbered(list);
    list.AppendRows({Point("Z")});
    EXPECT_EQ(list.Cell(5, kColNo), "5");
    EXPECT_EQ(list.Cell(5, kColName), "Z");
}

TEST(XyzList, RowNumberGivenByCallerIsIgnored) {
    XyzList list;
    XyzRow row = Point("A");
    row[kColNo] = "77";
    list.ReplaceAll({row});
    list.SetRow(1, row);
    EXPECT_EQ(list.Cell(1, kColNo), "1");
    EXPECT_THROW(list.SetCell(1, kColNo, "9"), std::out_of_range);
    EXPECT_THROW(list.SetCell(0, kColName, "x"), std::out_of_range);
    EXPECT_THROW(list.SetCell(2, kColName, "x"), std::out_of_range);
    EXPECT_EQ(list.Cell(1, kColNo), "1");
}

TEST(XyzList, RemovingEveryRowLeavesOneEmptyRow) {
    XyzList list;
    list.ReplaceAll(Points(3));
    Recorder recorder(list);
    list.AddObserver(&recorder);
    list.RemoveRows(1, 3);
    EXPECT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.Row(1), (XyzRow{"1", "", "", "", "", "", ""}));
    // Rows 2..3 go, then row 1 is emptied: the list is never without its point row.
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"aboutRemove 2 3 @4", "removed 2 3 @2", "cells 1 1 1 6 @2"}));
}

TEST(XyzList, ObserversBracketInsertAndRemove) {
    XyzList list;
    list.ReplaceAll(Points(3));
    Recorder recorder(list);
    list.AddObserver(&recorder);
    list.InsertRows(2, {Point("N")});
    list.RemoveRows(1, 1);
    list.RemoveRows(3, 1); // the last row: nothing follows to renumber
    list.AppendRows({});   // nothing to insert, nothing told
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"aboutInsert 2 2 @4", "inserted 2 2 @5", "cells 3 4 0 0 @5",
                                                      "aboutRemove 1 1 @5", "removed 1 1 @4", "cells 1 3 0 0 @4",
                                                      "aboutRemove 3 3 @4", "removed 3 3 @3"}));
    recorder.log.clear();
    list.SetCell(2, kColX, "5.5");
    list.ReplaceAll(Points(1));
    list.Clear();
    EXPECT_EQ(recorder.log,
              (std::vector<std::string>{"cells 2 2 2 2 @3", "aboutReset @3", "reset @2", "aboutReset @2", "reset @2"}));
    list.RemoveObserver(&recorder);
    list.AppendRows(Points(1));
    EXPECT_EQ(recorder.log.size(), 5u);
}

TEST(XyzList, RefusesToPassThePointLimitAndChangesNothing) {
    XyzList list;
    list.ReplaceAll(Points(kMaxPointRows));
    ASSERT_EQ(list.PointRowCount(), kMaxPointRows);
    Recorder recorder(list);
    list.AddObserver(&recorder);
    try {
        list.InsertRows(1, {Point("X")});
        FAIL() << "insert past the limit was accepted";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), Jp("座標点数が上限（99998点）を超えるため追加できません"));
    }
    EXPECT_THROW(list.InsertEmptyRows(list.RowCount(), 1), Error);
    EXPECT_EQ(list.PointRowCount(), kMaxPointRows);
    EXPECT_EQ(list.Cell(1, kColName), "P1");
    EXPECT_TRUE(recorder.log.empty());

    std::vector<XyzRow> tooMany = Points(kMaxPointRows + 1, "Q");
    EXPECT_THROW(list.ReplaceAll(std::move(tooMany)), Error);
    EXPECT_EQ(list.Cell(1, kColName), "P1");
    EXPECT_TRUE(recorder.log.empty());
}

TEST(XyzList, FillsExactlyToThePointLimit) {
    XyzList list; // one empty row already
    list.InsertEmptyRows(2, kMaxPointRows - 2);
    EXPECT_THROW(list.AppendRows(Points(2)), Error);
    list.AppendRows(Points(1));
    EXPECT_EQ(list.PointRowCount(), kMaxPointRows);
    EXPECT_EQ(list.Cell(kMaxPointRows, kColNo), "99998");
}

} // namespace
} // namespace vemo
