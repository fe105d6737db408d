#include "core/calc/CalcEntry.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

XyzList ListOf(std::vector<std::array<const char*, 3>> points) {
    XyzList list;
    std::vector<XyzRow> rows;
    for (const auto& p : points) {
        rows.push_back(XyzRow{"", p[0], p[1], p[2], "", "", ""});
    }
    list.ReplaceAll(rows);
    return list;
}

XyzNameIndex IndexOf(const XyzList& list) {
    XyzNameIndex index;
    index.Rebuild(list);
    return index;
}

TEST(SerialEntry, StepsTowardsTheTargetWhileThePointsExist) {
    const auto all = ListOf({{"A1", "0", "0"},
                             {"A2", "1", "0"},
                             {"A3", "2", "0"},
                             {"A4", "3", "0"},
                             {"A5", "4", "0"},
                             {"B5", "5", "0"},
                             {"T009", "0", "1"},
                             {"T010", "0", "2"}});
    const auto index = IndexOf(all);
    using Names = std::vector<std::string>;
    EXPECT_EQ(SerialEntryNames("A1", "A5", index), (Names{"A2", "A3", "A4", "A5"}));
    EXPECT_EQ(SerialEntryNames("A5", "A2", index), (Names{"A4", "A3", "A2"}));
    EXPECT_EQ(SerialEntryNames("T009", "T010", index), (Names{"T010"}));
    EXPECT_TRUE(SerialEntryNames("A1", "B5", index).empty()); // different heads
    EXPECT_TRUE(SerialEntryNames("A1", "A1", index).empty());
    EXPECT_TRUE(SerialEntryNames("A1", "A9", index).empty()); // target unknown

    const auto gap = ListOf({{"A1", "0", "0"}, {"A2", "1", "0"}, {"A4", "3", "0"}, {"A5", "4", "0"}});
    EXPECT_EQ(SerialEntryNames("A1", "A5", IndexOf(gap)), (Names{"A2"}));
}

TEST(GridNameRefusal, RefusesRepeatsTheInstrumentPointAndUnknownNames) {
    const auto index = IndexOf(ListOf({{"A1", "0", "0"}, {"A2", "1", "0"}, {"A3", "2", "0"}}));
    const std::vector<std::string> names{"A1", "A2", "A3"};
    struct Case {
        int row;
        const char* name;
        bool radial;
        const char* message;
    };
    const Case cases[] = {
        {4, "A3", false, "前点と重複"},
        {4, "A2", true, "基点と同一点"},
        {4, "A2", false, ""},
        {2, "A2", true, ""},
        {4, "Z9", false, "Z9 は見つかりません"},
        {1, "A1", false, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cp932ToUtf8(GridNameRefusal(names, c.row, c.name, c.radial, index)), c.message)
            << c.row << " " << c.name;
    }
}

TEST(RegisterCalcPoint, AppendsAfterTheLastRowWithoutOverwritingAPointAtTheOrigin) {
    auto list = ListOf({{"K1", "5.000", "5.000"}, {"K2", "0.000", "0.000"}});
    EXPECT_EQ(ProposeNewPointName(list), "K2"); // proposed after the last row with coordinates
    const int row = RegisterCalcPoint(list, "P1", {1.2344, -3.0}, Jp("交点"));
    EXPECT_EQ(row, 3);
    EXPECT_EQ(list.Cell(2, kColName), "K2");
    const XyzRow expected{"3", "P1", "1.234", "-3.000", "0.000", "", Jp("交点")};
    EXPECT_EQ(list.Row(3), expected);

    XyzList empty;
    EXPECT_EQ(RegisterCalcPoint(empty, "N1", {1, 2}, "x"), 1); // the empty first row is used
    EXPECT_EQ(empty.RowCount(), 2);
}

TEST(GridParcel, NamesTheParcelAfterTheCountAndLabelsItAtTheMean) {
    const auto index = IndexOf(ListOf({{"A1", "0", "0"}, {"A2", "10", "0"}, {"A3", "10", "10"}}));
    const Block block = GridParcel({"A1", "A2", "A3", ""}, index, 4);
    EXPECT_EQ(block.BlockName, "*5");
    EXPECT_EQ(block.NoList, "A1,A2,A3,"); // the empty input row gives the trailing empty item
    EXPECT_EQ(block.NoRowCount, 4);
    EXPECT_NEAR(block.LabelX, 20.0 / 3, 1e-9);
    EXPECT_NEAR(block.LabelY, 10.0 / 3, 1e-9);
}

} // namespace
} // namespace vemo
