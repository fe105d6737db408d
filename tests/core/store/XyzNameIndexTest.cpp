#include "core/store/XyzNameIndex.h"

#include "core/store/XyzList.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

namespace vemo {
namespace {

XyzRow Point(const std::string& name, const std::string& x, const std::string& y) {
    return {"", name, x, y, "", "", ""};
}

XyzList ListOf(std::vector<XyzRow> rows) {
    XyzList list;
    list.ReplaceAll(std::move(rows));
    return list;
}

std::vector<std::string> IndexNames(const XyzNameIndex& index) {
    std::vector<std::string> names;
    for (int i = 0; i < index.Count(); ++i) {
        names.push_back(index.NameAt(i));
    }
    return names;
}

TEST(XyzNameIndex, EmptyIndexFindsNothing) {
    XyzNameIndex index;
    EXPECT_EQ(index.Count(), 0);
    EXPECT_FALSE(index.Find("A"));
    EXPECT_FALSE(index.Find(""));
    index.Rebuild(XyzList{});
    EXPECT_EQ(index.Count(), 0);
    EXPECT_FALSE(index.Find(""));
}

TEST(XyzNameIndex, FindsBothPointsOfATwoPointList) {
    XyzNameIndex index;
    index.Rebuild(ListOf({Point("B", "10.000", "20.000"), Point("A", "-5.250", "7.125")}));
    ASSERT_EQ(index.Count(), 2);
    const auto a = index.Find("A");
    const auto b = index.Find("B");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->row, 2);
    EXPECT_DOUBLE_EQ(a->x, -5.25);
    EXPECT_DOUBLE_EQ(a->y, 7.125);
    EXPECT_EQ(b->row, 1);
    EXPECT_DOUBLE_EQ(b->x, 10.0);
    EXPECT_FALSE(index.Find("C"));
    EXPECT_FALSE(index.Find("a")); // case-sensitive
}

TEST(XyzNameIndex, IndexesOnlyCompleteRows) {
    XyzNameIndex index;
    index.Rebuild(ListOf(
        {Point("A", "1", "2"), Point("B", "", "2"), Point("C", "1", ""), Point("", "1", "2"), Point("D", "3", "4")}));
    EXPECT_EQ(IndexNames(index), (std::vector<std::string>{"A", "D"}));
    EXPECT_EQ(index.Find("D")->row, 5);
    EXPECT_DOUBLE_EQ(index.RowX(5), 3.0);
    EXPECT_DOUBLE_EQ(index.RowX(2), 0.0);
}

TEST(XyzNameIndex, SortsByUnsignedByteValue) {
    // Double-byte names start with lead bytes 0x81 and up and must sort after ASCII; a signed char
    // comparison would put them first and break the binary search.
    const std::string ten1 = Jp("点１"), ten2 = Jp("点２"), a = Jp("Ａ");
    XyzNameIndex index;
    index.Rebuild(ListOf({Point(ten2, "1", "1"), Point("Z9", "2", "2"), Point(a, "3", "3"), Point(ten1, "4", "4"),
                          Point("A1", "5", "5"), Point("a1", "6", "6")}));
    EXPECT_EQ(IndexNames(index), (std::vector<std::string>{"A1", "Z9", "a1", a, ten1, ten2}));
    EXPECT_EQ(index.Find(ten1)->row, 4);
    EXPECT_EQ(index.Find(ten2)->row, 1);
    EXPECT_EQ(index.Find(a)->row, 3);
    EXPECT_EQ(index.Find("a1")->row, 6);
}

TEST(XyzNameIndex, LongNamesSharingTheirFirstBytesSortAndAreFound) {
    // Names alike in their first eight bytes are told apart by the rest, and a name that is a prefix of
    // another comes first.
    const std::vector<std::string> names = {"BOUNDARY10",          "BOUNDARY", "BOUNDARY2",
                                            "BOUNDARY" + Jp("点"), "BOUNDAR",  "BOUNDARY1"};
    std::vector<XyzRow> rows;
    for (size_t i = 0; i < names.size(); ++i) {
        rows.push_back(Point(names[i], std::to_string(i) + ".000", "0.000"));
    }
    XyzNameIndex index;
    index.Rebuild(ListOf(rows));
    EXPECT_EQ(IndexNames(index), (std::vector<std::string>{"BOUNDAR", "BOUNDARY", "BOUNDARY1", "BOUNDARY10",
                                                           "BOUNDARY2", "BOUNDARY" + Jp("点")}));
    for (size_t i = 0; i < names.size(); ++i) {
        auto found = index.Find(names[i]);
        ASSERT_TRUE(found) << names[i];
        EXPECT_EQ(found->row, static_cast<int>(i) + 1);
    }
}

TEST(XyzNameIndex, EqualNamesFindTheFirstInListOrder) {
    std::vector<XyzRow> rows;
    for (int i = 0; i < 50; ++i) {
        rows.push_back(Point(i % 2 ? "DUP" : "P" + std::to_string(i), std::to_string(i), "0"));
    }
    XyzNameIndex index;
    index.Rebuild(ListOf(rows));
    const auto dup = index.Find("DUP");
    ASSERT_TRUE(dup);
    EXPECT_EQ(dup->row, 2);
    EXPECT_DOUBLE_EQ(dup->x, 1.0);
}

TEST(XyzNameIndex, RoundsToMillimetreHalfAwayFromZero) {
    EXPECT_DOUBLE_EQ(RoundToMillimetre(-0.0005), -0.001);
    EXPECT_DOUBLE_EQ(RoundToMillimetre(0.0005), 0.001);
    EXPECT_DOUBLE_EQ(RoundToMillimetre(12.3454), 12.345);
    EXPECT_DOUBLE_EQ(RoundToMillimetre(-12.3456), -12.346);
    EXPECT_EQ(RoundToMillimetre(12.345), 12.345); // exactly the number "12.345" reads as
    EXPECT_FALSE(std::signbit(RoundToMillimetre(-0.0001)));

    XyzNameIndex index;
    index.Rebuild(ListOf({Point("A", "-0.0005", "12.3454")}));
    const auto a = index.Find("A");
    ASSERT_TRUE(a);
    EXPECT_DOUBLE_EQ(a->x, -0.001);
    EXPECT_DOUBLE_EQ(a->y, 12.345);
    EXPECT_DOUBLE_EQ(index.RowY(1), 12.3454); // the row value itself stays unrounded
}

TEST(XyzNameIndex, ExtentsStartFromRowOneEvenWhenItIsEmpty) {
    XyzNameIndex index;
    index.Rebuild(ListOf({Point("", "", ""), Point("A", "100", "200"), Point("B", "150", "250")}));
    const XyzExtents& e = index.Extents();
    EXPECT_DOUBLE_EQ(e.minX, 0.0);
    EXPECT_DOUBLE_EQ(e.maxX, 150.0);
    EXPECT_DOUBLE_EQ(e.minY, 0.0);
    EXPECT_DOUBLE_EQ(e.maxY, 250.0);
}

TEST(XyzNameIndex, ExtentsSeedReadsRowOneAsItsOwnValue) {
    // Row 1 has no name (not indexed) but seeds the extents; "12" is 12, a half-typed "-" counts as 0.
    XyzNameIndex index;
    index.Rebuild(ListOf({Point("", "12", "-"), Point("A", "20", "30")}));
    const XyzExtents& e = index.Extents();
    EXPECT_DOUBLE_EQ(e.minX, 12.0);
    EXPECT_DOUBLE_EQ(e.maxX, 20.0);
    EXPECT_DOUBLE_EQ(e.minY, 0.0);
    EXPECT_DOUBLE_EQ(e.maxY, 30.0);
    EXPECT_EQ(index.Count(), 1);
}

TEST(XyzNameIndex, FailingRebuildKeepsThePreviousIndex) {
    XyzNameIndex index;
    index.Rebuild(ListOf({Point("A", "1", "2")}));
    try {
        index.Rebuild(ListOf({Point("B", "3", "4"), Point("C", "1x", "2")}));
        FAIL() << "a non-numeric X was accepted";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), Jp("'1x' は浮動小数点数ではありません"));
    }
    EXPECT_TRUE(index.Find("A"));
    EXPECT_FALSE(index.Find("B"));
    EXPECT_DOUBLE_EQ(index.Extents().maxX, 1.0);
    EXPECT_DOUBLE_EQ(index.RowX(1), 1.0);
}

TEST(XyzNameIndex, SnapshotIgnoresLaterEditsUntilRebuilt) {
    XyzList list = ListOf({Point("A", "1", "2")});
    XyzNameIndex index;
    index.Rebuild(list);
    list.SetCell(1, kColX, "9");
    list.InsertRows(1, {Point("B", "5", "5")});
    EXPECT_DOUBLE_EQ(index.Find("A")->x, 1.0);
    EXPECT_FALSE(index.Find("B"));
    index.Rebuild(list);
    EXPECT_EQ(index.Find("A")->row, 2);
    EXPECT_DOUBLE_EQ(index.Find("A")->x, 9.0);
    index.Clear();
    EXPECT_FALSE(index.Find("A"));
}

} // namespace
} // namespace vemo
