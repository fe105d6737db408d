#include "core/store/Store.h"

#include "core/text/Cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vemo {
namespace {

XyzList ListOfNames(const std::vector<std::string>& names) {
    std::vector<XyzRow> rows;
    for (const std::string& name : names) {
        rows.push_back({"", name, "0", "0", "", "", ""});
    }
    XyzList list;
    list.ReplaceAll(std::move(rows));
    return list;
}

TEST(FindPointRow, MatchesExactPrefixAndAnywhere) {
    const XyzList list = ListOfNames({"B2", "A10", "A1", "C21", "a1"});
    EXPECT_EQ(FindPointRow(list, 0, "A1", 0), 3);
    EXPECT_EQ(FindPointRow(list, 0, "a1", 0), 5);  // case-sensitive
    EXPECT_EQ(FindPointRow(list, 0, "A1*", 0), 2); // A10 comes first
    EXPECT_EQ(FindPointRow(list, 0, "*1*", 0), 2); // first name containing 1
    EXPECT_EQ(FindPointRow(list, 0, "*21*", 0), 4);
    EXPECT_EQ(FindPointRow(list, 0, "*1", 0), 0); // a leading asterisk alone finds nothing
    EXPECT_EQ(FindPointRow(list, 0, "", 0), 0);
    EXPECT_EQ(FindPointRow(list, 0, "*", 0), 0);
    EXPECT_EQ(FindPointRow(list, 0, "A", 0), 0);
    EXPECT_EQ(FindPointRow(list, 0, "A10*", 0), 2); // the whole name is also a prefix
}

TEST(FindPointRow, SearchesFromTheCurrentRowInEitherDirection) {
    const XyzList list = ListOfNames({"P1", "Q", "P2", "Q", "P3"});
    EXPECT_EQ(FindPointRow(list, 1, "P*", 1), 3);
    EXPECT_EQ(FindPointRow(list, 1, "P*", 3), 5);
    EXPECT_EQ(FindPointRow(list, 1, "P*", 5), 0);
    EXPECT_EQ(FindPointRow(list, 2, "P*", 5), 3);
    EXPECT_EQ(FindPointRow(list, 2, "P*", 3), 1);
    EXPECT_EQ(FindPointRow(list, 2, "P*", 1), 0);
    EXPECT_EQ(FindPointRow(list, 1, "Q", 0), 2);
    EXPECT_EQ(FindPointRow(list, 2, "Q", 99), 4); // a cursor beyond the end starts from the last row
}

TEST(FindPointRow, MatchesBytesEvenInsideDoubleByteCharacters) {
    // 点 is 93 5F: "_" (0x5F) occurs as its trail byte; the search is byte-wise and finds it there.
    const XyzList list = ListOfNames({"P1", Jp("点１")});
    EXPECT_EQ(FindPointRow(list, 0, "*_*", 0), 2);
    EXPECT_EQ(FindPointRow(list, 0, Jp("点*"), 0), 2);
    EXPECT_EQ(FindPointRow(list, 0, Jp("*１*"), 0), 2);
}

TEST(Store, CaptionNamesSiteAndFiles) {
    CurrentNames names;
    EXPECT_EQ(CaptionText(names), "[Vemo]");
    names.CaseName = Jp("現場");
    EXPECT_EQ(CaptionText(names), Jp("現場 [Vemo]"));
    names.XyzName = "XYZ1";
    EXPECT_EQ(CaptionText(names), Jp("現場 - XYZ1 [Vemo]"));
    names.BlkName = "B";
    EXPECT_EQ(CaptionText(names), Jp("現場 - XYZ1 - B [Vemo]"));
    names.XyzName.clear();
    EXPECT_EQ(CaptionText(names), Jp("現場 -  - B [Vemo]"));
}

TEST(Store, LookupsSeeTheListAsOfTheLastRebuild) {
    Store store;
    store.xyz.ReplaceAll({{"", "K1", "1.2345", "-2.0005", "", "", ""}});
    EXPECT_FALSE(store.FindPointXY("K1"));
    store.RebuildNameIndex();
    const auto k1 = store.FindPointXY("K1");
    ASSERT_TRUE(k1);
    EXPECT_EQ(k1->row, 1);
    EXPECT_DOUBLE_EQ(k1->x, 1.235);
    EXPECT_DOUBLE_EQ(k1->y, -2.001);
}

} // namespace
} // namespace vemo
