#include "core/parcels/ParcelArea.h"

#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace vemo {
namespace {

struct Pt {
    std::string name;
    std::string x;
    std::string y;
};

XyzNameIndex IndexOf(const std::vector<Pt>& points) {
    std::vector<XyzRow> rows;
    for (const Pt& p : points) {
        rows.push_back(XyzRow{"", p.name, p.x, p.y, "", "", ""});
    }
    XyzList list;
    list.ReplaceAll(std::move(rows));
    XyzNameIndex index;
    index.Rebuild(list);
    return index;
}

// Figures worked by hand (base × height, rectangle sides), not from the code's sums.
TEST(ParcelArea, LegalFiguresOfKnownShapes) {
    struct Case {
        const char* what;
        std::vector<Pt> points;
        const char* noList;
        double doubleArea;
        double area;
        double chiseki;
        double tsubo;
    };
    const std::vector<Case> cases = {
        // X north, Y east: north, east, south, west is clockwise on the map and gives a negative sum.
        {"unit square clockwise",
         {{"A", "0", "0"}, {"B", "1", "0"}, {"C", "1", "1"}, {"D", "0", "1"}},
         "A,B,C,D,A",
         -2,
         1,
         1.00,
         0.30},
        {"unit square anticlockwise",
         {{"A", "0", "0"}, {"B", "1", "0"}, {"C", "1", "1"}, {"D", "0", "1"}},
         "A,D,C,B,A",
         2,
         1,
         1.00,
         0.30},
        // 33.333 × 3 = 99.999: truncated, not rounded, to 99.99; 9999 × 0.3025 = 3024.6975 -> 30.24.
        {"99.999 m2",
         {{"A", "0", "0"}, {"B", "33.333", "0"}, {"C", "33.333", "3"}, {"D", "0", "3"}},
         "A,B,C,D",
         -199.998,
         99.999,
         99.99,
         30.24},
        // 0.29 × 1: a binary sum lands just below 0.29 and would truncate to 0.28.
        {"exactly 0.29 m2",
         {{"A", "0", "0"}, {"B", "0.29", "0"}, {"C", "0.29", "1"}, {"D", "0", "1"}},
         "A,B,C,D",
         -0.58,
         0.29,
         0.29,
         0.08},
        // ±0.0005 round half away from zero to ±0.001: a strip 0.002 m wide and 1000 m long.
        {"half millimetres",
         {{"A", "-0.0005", "0"}, {"B", "0.0005", "0"}, {"C", "0.0005", "1000"}, {"D", "-0.0005", "1000"}},
         "A,B,C,D",
         -4,
         2,
         2.00,
         0.60},
        // 1.001 × 100: 1.001 × 1000 is 1000.9999… in binary, so only rounding (not truncation) to the
        // millimetre gives 100.1 m²; 10010 × 0.3025 = 3028.025 -> 30.28 坪.
        {"1.001 m by 100 m",
         {{"A", "0", "0"}, {"B", "1.001", "0"}, {"C", "1.001", "100"}, {"D", "0", "100"}},
         "A,B,C,D,A,",
         -200.2,
         100.1,
         100.10,
         30.28},
        // Triangle on public coordinates: base 30 m along X, apex 17.777 m east: 0.5 × 30 × 17.777.
        {"public-coordinate triangle",
         {{"P1", "-12345.678", "23456.789"}, {"P2", "-12315.678", "23456.789"}, {"P3", "-12333.333", "23474.566"}},
         "P1,P2,P3,P1,",
         -533.31,
         266.655,
         266.65,
         80.66},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ParcelAreaFigures f = ParcelFigures(c.noList, IndexOf(c.points));
        EXPECT_NEAR(f.doubleArea, c.doubleArea, 1e-9);
        EXPECT_NEAR(f.area, c.area, 1e-9);
        EXPECT_DOUBLE_EQ(f.chiseki, c.chiseki);
        EXPECT_DOUBLE_EQ(f.tsubo, c.tsubo);
    }
}

// Which names make the ring, and where names missing from the coordinate list stand.
TEST(ParcelArea, RingRules) {
    // A 10 m square away from the origin, so that a vertex left at (0, 0) would show in the area.
    XyzNameIndex index = IndexOf({{"A", "100", "100"}, {"B", "100", "110"}, {"C", "110", "110"}, {"D", "110", "100"}});
    struct Case {
        const char* noList;
        std::vector<std::string> ring;
        double area;
    };
    const std::vector<Case> cases = {
        {"A,B,C,D,A,", {"A", "B", "C", "D"}, 100},           // stored closed, editor's trailing empty item
        {"A,B,C,D", {"A", "B", "C", "D"}, 100},              // not closed: the closing edge is added anyway
        {"A,B,C,D,A,C,B", {"A", "B", "C", "D"}, 100},        // nothing after the repetition of the first name
        {"A,,B,C,D", {"A", "B", "C", "D"}, 100},             // empty names dropped
        {"A,B,C,D,B", {"A", "B", "C", "D", "B"}, 50},        // an inner repetition counts: triangle B C D is left
        {"A,B,NONE,C,D", {"A", "B", "NONE", "C", "D"}, 100}, // a missing name stands on the vertex before it
        {"NONE,A,B,C,D", {"NONE", "A", "B", "C", "D"}, 100}, // a missing first name stands on the first known one
        {"X,Y,Z", {"X", "Y", "Z"}, 0},                       // nothing known: no area
        {"", {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.noList);
        EXPECT_EQ(RingNames(c.noList), c.ring);
        EXPECT_NEAR(ParcelFigures(c.noList, index).area, c.area, 1e-9);
    }
    std::vector<RingPoint> ring = ParcelRingPoints("NONE,A,B,LOST", index);
    EXPECT_EQ(std::pair(ring[0].x, ring[0].y), std::pair(100.0, 100.0));
    EXPECT_EQ(std::pair(ring[3].x, ring[3].y), std::pair(100.0, 110.0));
    EXPECT_FALSE(ring[0].found);
    EXPECT_TRUE(ring[1].found);
    // Every output names the missing points, each once, in ring order.
    EXPECT_EQ(MissingRingNames(ParcelRingPoints("NONE,A,LOST,B,NONE,C,A,", index)),
              (std::vector<std::string>{"NONE", "LOST"}));
    EXPECT_TRUE(MissingRingNames(ParcelRingPoints("A,B,C,A,", index)).empty());
}

TEST(ParcelArea, TotalsAddTruncatedFigures) {
    XyzNameIndex index = IndexOf({{"A", "0", "0"}, {"B", "33.333", "0"}, {"C", "33.333", "3"}, {"D", "0", "3"}});
    AreaTotals totals;
    totals.Add(ParcelFigures("A,B,C,D", index));
    totals.Add(ParcelFigures("D,C,B,A", index));
    EXPECT_NEAR(totals.area, 199.998, 1e-9);
    EXPECT_DOUBLE_EQ(totals.Chiseki(), 199.98); // not 199.99, the truncation of the summed area
    EXPECT_DOUBLE_EQ(totals.Tsubo(), 60.48);    // not 60.49 (19999 × 0.3025 = 6049.69)
}

TEST(ParcelArea, SelectionRule) {
    using P = std::vector<int>;
    const std::vector<std::pair<P, P>> cases = {
        {{}, {0, 1, 2, 3}},  // nothing selected: all parcels
        {{2}, {0, 1, 2, 3}}, // one row selected is no choice: all parcels
        {{3, 1}, {1, 3}},    // two or more: only those, in list order
        {{0, 1, 2, 3}, {0, 1, 2, 3}},
    };
    for (const auto& [selected, covered] : cases) {
        EXPECT_EQ(CoveredParcelPositions(4, selected), covered);
    }
    EXPECT_EQ(CoveredParcelPositions(0, {}), P{});
}

} // namespace
} // namespace vemo
