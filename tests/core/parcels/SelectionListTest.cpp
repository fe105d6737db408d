#include "core/parcels/SelectionList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vemo {
namespace {

using Names = std::vector<std::string>;

XyzList ListOf(const Names& names) {
    std::vector<XyzRow> rows;
    for (const std::string& name : names) {
        rows.push_back(XyzRow{"", name, "1.000", "2.000", "", "", ""});
    }
    XyzList list;
    list.ReplaceAll(std::move(rows));
    return list;
}

// Every route of adding keeps each name once and in the order it came.
TEST(SelectionList, AddingRoutesToggleAndSort) {
    XyzList list = ListOf({"T1", "K1", "T2", "T3", "TT"});
    SelectionList selection;
    EXPECT_EQ(selection.AddPrefix(list, "T"), (Names{"T1", "T2", "T3", "TT"}));
    EXPECT_EQ(selection.AddPrefix(list, "T"), Names{}); // again: nothing new
    EXPECT_FALSE(selection.Add("T2"));
    EXPECT_EQ(selection.AddAll({"K1", "T1", "B"}), (Names{"K1", "B"}));

    EXPECT_FALSE(selection.Toggle("T2")); // selected: taken out, the rest moves up
    EXPECT_EQ(selection.Names(), (Names{"T1", "T3", "TT", "K1", "B"}));
    EXPECT_TRUE(selection.Toggle("T2")); // again: back in, at the end
    EXPECT_EQ(selection.Names().back(), "T2");

    SelectionList sorted;
    sorted.AddAll({"B", "A10", "A2"});
    sorted.Sort();
    EXPECT_EQ(sorted.Names(), (Names{"A10", "A2", "B"})); // byte order, not numeric
}

TEST(SelectionList, LinkRowsWhilePanelShown) {
    XyzList list = ListOf({"A", "B", "A"});
    list.SetCell(3, kColZ, "9.000");                     // the second A: not the one written
    EXPECT_TRUE(SelectionLinkRows(list, {"A"}).empty()); // one name: no file
    std::vector<XyzRow> rows = SelectionLinkRows(list, {"B", "GONE", "A"});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][kColName], "B");
    EXPECT_EQ(rows[1][kColName], "A");
    EXPECT_EQ(rows[1][kColZ], "");
}

} // namespace
} // namespace vemo
