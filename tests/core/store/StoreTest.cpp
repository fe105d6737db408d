#include "core/store/Store.h"

#include "core/text/Cp932.h"
#include "support/ErrorMessage.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
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

// The index follows every route by which the list changes, so no lookup sees a list that is gone
// (a stale index gave the previous site's coordinates for a matching name).
TEST(Store, EveryLookupSeesTheListAsItStands) {
    Store store;
    store.xyz.ReplaceAll({{"", "K1", "1.2345", "-2.0005", "", "", ""}, {"", "K2", "5", "6", "", "", ""}});
    const auto k1 = store.FindPointXY("K1");
    ASSERT_TRUE(k1);
    EXPECT_EQ(k1->row, 1);
    EXPECT_DOUBLE_EQ(k1->x, 1.235);
    EXPECT_DOUBLE_EQ(k1->y, -2.001);

    struct Step {
        const char* what;
        std::function<void(XyzList&)> change;
        const char* name;
        std::optional<double> x; // nullopt: not found
    };
    const std::vector<Step> steps = {
        {"cell typed", [](XyzList& l) { l.SetCell(1, kColX, "7.5"); }, "K1", 7.5},
        {"name typed", [](XyzList& l) { l.SetCell(2, kColName, "K9"); }, "K2", std::nullopt},
        {"row inserted",
         [](XyzList& l) {
             l.InsertRows(1, {{"", "N", "3", "4", "", "", ""}});
         },
         "N", 3.0},
        {"row removed", [](XyzList& l) { l.RemoveRows(1, 1); }, "N", std::nullopt},
        {"list replaced",
         [](XyzList& l) {
             l.ReplaceAll({{"", "K9", "-1", "2", "", "", ""}});
         },
         "K9", -1.0},
        {"list cleared", [](XyzList& l) { l.Clear(); }, "K9", std::nullopt},
        {"rows appended",
         [](XyzList& l) {
             l.AppendRows({{"", "A", "8", "9", "", "", ""}});
         },
         "A", 8.0},
    };
    for (const Step& step : steps) {
        step.change(store.xyz);
        const auto found = store.FindPointXY(step.name);
        EXPECT_EQ(found.has_value(), step.x.has_value()) << step.what;
        if (found && step.x) {
            EXPECT_DOUBLE_EQ(found->x, *step.x) << step.what;
        }
    }
    // The cleared list's empty row 1 counts as the origin for the extents.
    EXPECT_DOUBLE_EQ(store.Index().Extents().minX, 0.0);
    EXPECT_DOUBLE_EQ(store.Index().Extents().maxX, 8.0);
}

// Z, 点種 and 備考 are not in the index: typing them must not cost a rebuild of a full list at the next
// repaint, while a Y cell must.
TEST(Store, OnlyNamesAndCoordinatesMakeTheIndexStale) {
    Store store;
    store.xyz.ReplaceAll({{"", "K1", "1", "2", "", "", ""}});
    store.RebuildNameIndex();
    for (int col : {kColZ, kColTensyu, kColBiko}) {
        store.xyz.SetCell(1, col, "9");
        EXPECT_FALSE(store.IndexIsStale()) << col;
    }
    store.xyz.SetCell(1, kColY, "3");
    EXPECT_TRUE(store.IndexIsStale());
    EXPECT_DOUBLE_EQ(store.FindPointXY("K1")->y, 3.0);
}

// A cell that is not a number: every lookup says so until the list changes, drawing keeps the last good
// index, and the first change that mends the cell brings lookups back.
TEST(Store, ABadCellStopsLookupsUntilTheListChanges) {
    Store store;
    store.xyz.ReplaceAll({{"", "P", "1", "2", "", "", ""}});
    ASSERT_TRUE(store.FindPointXY("P"));
    store.xyz.AppendRows({{"", "Q", "1O0", "2", "", "", ""}});
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(test::MessageOf([&] { store.FindPointXY("P"); }), "'1O0' は浮動小数点数ではありません");
    }
    EXPECT_EQ(store.IndexForDrawing().Count(), 1);
    store.xyz.SetCell(2, kColX, "100");
    ASSERT_TRUE(store.FindPointXY("Q"));
    EXPECT_DOUBLE_EQ(store.FindPointXY("Q")->x, 100.0);
}

} // namespace
} // namespace vemo
