#include "core/parcels/AreaReports.h"

#include "core/parcels/SequenceEntry.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "support/Utf8Lines.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vemo {
namespace {

using Lines = std::vector<std::string>;

XyzList ListOfNames(const std::vector<std::array<const char*, 3>>& points) {
    std::vector<XyzRow> rows;
    for (const auto& [name, x, y] : points) {
        rows.push_back(XyzRow{"", name, x, y, "", "", ""});
    }
    XyzList list;
    list.ReplaceAll(std::move(rows));
    return list;
}

using test::Utf8;

struct Fixture {
    // A 10 m square running east, north, west, south: anticlockwise on the map, positive sum 200.
    XyzList list = ListOfNames({{"A", "0", "0"}, {"B", "0", "10"}, {"C", "10", "10"}, {"D", "10", "0"}});
    XyzNameIndex index;
    BlockList blocks;
    Fixture() {
        index.Rebuild(list);
        blocks.Add(Block{Jp("一番"), "A,B,NONE,C,D,A,", 7, 0, 0});
        blocks.Add(Block{"TRI", "A,B,C", 4, 0, 0});
    }
};

const std::string kIndent(8, ' ');
const std::string kRule = kIndent + std::string(84, '-');
const std::string kFigures = kIndent + std::string(54, ' ');

// Expected rows worked by hand: differences, sums, products and sides of the square's edges.  The
// missing NONE stands on B: no difference, no side.  The closing row returns to A.
TEST(AreaReports, AreaReportCharacterForCharacter) {
    Fixture f;
    Lines expected = {
        "",
        "　　　座標面積計算書",
        "",
        kIndent + "一番",
        kRule,
        "            点名            X           Y      X-Y(n-1)  Y+Y(n-1)         倍面積       辺長",
        kRule,
        kIndent + " B                  0.000      10.000    0.000      10.000         0.000000  10.000",
        kIndent + " NONE               0.000      10.000    0.000      20.000         0.000000   0.000",
        kIndent + " C                 10.000      10.000   10.000      20.000       200.000000  10.000",
        kIndent + " D                 10.000       0.000    0.000      10.000         0.000000  10.000",
        kIndent + " A                  0.000       0.000  -10.000       0.000         0.000000  10.000",
        kRule,
        kFigures + "倍面積     200.0000000",
        kFigures + "面　積     100.0000000",
        kFigures + "地　積     100.00 ㎡",
        kFigures + "坪　数      30.25 坪",
        kRule,
        "",
        kRule,
        kFigures + "合　計",
        kFigures + "面　積     100.0000000",
        kFigures + "地　積     100.00 ㎡",
        kFigures + "坪　数      30.25 坪",
        kRule,
    };
    EXPECT_EQ(Utf8(AreaReportLines(f.blocks, {0}, f.index)), expected);
    EXPECT_EQ(AreaReportLines(f.blocks, {0}, f.index)[1].style, ReportLine::Style::Title);

    // No parcels: the title, the totals at zero and the rules.
    Lines empty = Utf8(AreaReportLines(f.blocks, {}, f.index));
    ASSERT_EQ(empty.size(), 9u);
    EXPECT_EQ(empty[5], kFigures + "面　積       0.0000000");
}

TEST(AreaReports, AreaListAndParcelListPrint) {
    Fixture f;
    // Triangle A B C: half the square.  坪数 of 50.00: 5000 × 0.3025 = 1512.5 -> 15.12.
    Lines expected = {"一番", "面積     100.0000000", "地積     100.00 ㎡", "坪数      30.25 坪", "",
                      "TRI",  "面積      50.0000000", "地積      50.00 ㎡", "坪数      15.12 坪", "",
                      "合計", "面積     150.0000000", "地積     150.00 ㎡", "坪数      45.37 坪"};
    EXPECT_EQ(Utf8(AreaListLines(f.blocks, {0, 1}, f.index)), expected);
    EXPECT_EQ(Utf8(AreaListLines(f.blocks, {}, f.index)),
              (Lines{"合計", "面積       0.0000000", "地積       0.00 ㎡", "坪数       0.00 坪"}));

    // The vertex list exactly as stored, trailing comma included.
    EXPECT_EQ(Utf8(ParcelListPrintLines(f.blocks)),
              (Lines{"", "", "", "一番", "A,B,NONE,C,D,A,", "", "", "TRI", "A,B,C", ""}));
}

TEST(SequenceEntry, RunsBetweenTwoNumbers) {
    XyzList list =
        ListOfNames({{"T1", "1", "1"},   {"T2", "1", "1"},  {"T3", "1", "1"},   {"T4", "1", "1"},   {"T5", "1", "1"},
                     {"T7", "1", "1"},   {"T8", "1", "1"},  {"T9", "1", "1"},   {"T10", "1", "1"},  {"T010", "1", "1"},
                     {"T05", "1", "1"},  {"K3", "1", "1"},  {"P009", "1", "1"}, {"P010", "1", "1"}, {"P011", "1", "1"},
                     {"P012", "1", "1"}, {"P10", "1", "1"}, {"2", "1", "1"},    {"3", "1", "1"},    {"4", "1", "1"},
                     {"5", "1", "1"}});
    XyzNameIndex index;
    index.Rebuild(list);
    struct Case {
        const char* previous;
        const char* target;
        std::optional<Lines> names;
    };
    const std::vector<Case> cases = {
        {"T5", "T8", Lines{"T7", "T8"}},                 // T6 is not in the list: skipped
        {"T5", "T2", Lines{"T4", "T3", "T2"}},           // counting down
        {"T5", "K3", std::nullopt},                      // another prefix
        {"T5", "T5", std::nullopt},                      // the same point
        {"T5", "T99", std::nullopt},                     // target not in the list
        {"P009", "P012", Lines{"P010", "P011", "P012"}}, // the width is kept: P10 is not in this run
        {"T5", "T010", Lines{"T7", "T8", "T9", "T010"}}, // never meets T010: ends at number 10, then T010
        {"T05", "T5", Lines{"T5"}},                      // the same number written differently
        {"5", "2", Lines{"4", "3", "2"}},                // a lone digit counts down like any number
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.previous) + " +" + c.target);
        EXPECT_EQ(SequenceNames(c.previous, c.target, index), c.names);
    }
}

} // namespace
} // namespace vemo
