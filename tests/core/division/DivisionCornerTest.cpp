// Cuts that run through a corner of the parcel, chords that would leave it, targets met exactly and
// boundaries that cross or touch themselves, at a site in plane coordinates (all figures by hand).
#include "support/ErrorMessage.h"

#include "core/division/ParallelDivision.h"
#include "core/division/RegisterDivision.h"
#include "core/division/RingShape.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace vemo::test {
namespace {

using Names = std::vector<std::string>;

// The site's origin: every figure below is metres from it.
constexpr double kX = -45210.123, kY = 37650.456;

DivisionParcel Parcel(const std::vector<std::pair<std::string, PlanePoint>>& corners) {
    DivisionParcel parcel;
    for (const auto& [name, p] : corners) {
        parcel.names.push_back(name);
        parcel.points.push_back({kX + p.x, kY + p.y});
    }
    parcel.area = MillimetreRingFigures(parcel.points).area;
    return parcel;
}

void ExpectAt(PlanePoint actual, double x, double y) {
    EXPECT_NEAR(actual.x, kX + x, 1e-6);
    EXPECT_NEAR(actual.y, kY + y, 1e-6);
}

DivisionParcel Square() {
    return Parcel({{"1", {0, 0}}, {"2", {10, 0}}, {"3", {10, 10}}, {"4", {0, 10}}});
}

// Half the 10 m square is the diagonal from 1 to 3: the corner 3 is P1, no new point is made and the
// parts add up exactly.  49.999 m² puts the exact P1 0.2 mm short of the corner, which rounds onto it:
// the corner again, holding 50 m².
TEST(DivisionCorner, OnePointCutThroughACornerUsesTheCorner) {
    const DivisionParcel square = Square();
    for (double target : {50.0, 49.999}) {
        SCOPED_TRACE(target);
        const DivisionResult r = DivideFromFirstPoint(square, target);
        EXPECT_EQ(r.p1Vertex, "3");
        ExpectAt(r.p1, 10, 10);
        EXPECT_EQ(r.secured.names, (Names{"1", "2", "3", "1"}));
        EXPECT_EQ(r.remainder.names, (Names{"1", "3", "4", "1"}));
        EXPECT_DOUBLE_EQ(r.secured.figures.area, 50.0);
        EXPECT_DOUBLE_EQ(r.remainder.figures.area, 50.0);
        const std::vector<std::string> sums = DivisionSumTexts(r);
        ASSERT_EQ(sums.size(), 3u); // no difference, so no reason
        EXPECT_EQ(Cp932ToUtf8(sums[2]), "差   :      0.0000000 ㎡");
    }
}

// A pentagon whose west side bulges at B: the line along X through B leaves 110 m² on the side of A.
// Both ends of the exact cut are millimetre points, B a corner: it is used as it stands, the other end
// (10, 10) is new, and the target is met exactly (a line holding the target exactly is the best one).
TEST(DivisionCorner, ParallelLineThroughACornerUsesTheCornerAndMeetsTheTargetExactly) {
    const DivisionParcel pentagon =
        Parcel({{"A", {0, 0}}, {"B", {-2, 10}}, {"C", {0, 20}}, {"D", {10, 20}}, {"E", {10, 0}}});
    ASSERT_DOUBLE_EQ(pentagon.area, 220.0);
    const DivisionResult r = DivideParallel(pentagon, 0.0, 0, 110.0);
    const bool p1IsB = r.p1Vertex == "B";
    EXPECT_TRUE(p1IsB || r.p2Vertex == "B") << r.p1Vertex << " / " << r.p2Vertex;
    ExpectAt(p1IsB ? *r.p2 : r.p1, 10, 10);
    ExpectAt(p1IsB ? r.p1 : *r.p2, -2, 10);
    EXPECT_DOUBLE_EQ(r.secured.figures.area, 110.0);
    EXPECT_DOUBLE_EQ(r.remainder.figures.area, 110.0);
    EXPECT_EQ(std::count(r.secured.names.begin(), r.secured.names.end(), "B"), 1);

    // Without a corner: a 10 m by 20 m lot halved across its length holds 100 m² exactly.
    const DivisionParcel lot = Parcel({{"1", {0, 0}}, {"2", {0, 20}}, {"3", {10, 20}}, {"4", {10, 0}}});
    const DivisionResult half = DivideParallel(lot, 0.0, 0, 100.0);
    EXPECT_DOUBLE_EQ(half.secured.figures.area, 100.0);
    EXPECT_EQ(Cp932ToUtf8(DivisionExcessText(half)), "超過 :      0.0000000 ㎡");
}

// A parallelogram A (0, 0), B (30, 40), C (51, 50), D (21, 10) of 540 m², divided parallel to A-B from
// A.  The cut through the millimetre points (8.253, 3.93) on A-D and (38.253, 43.93) on B-C holds
// |AB × AQ1| = 40 × 8.253 - 30 × 3.93 = 212.22 m² exactly, 4.2444 m from A-B: between two millimetre
// steps of the line, whose crossings lie a millimetre or more along the slanting sides from those
// points.  Only the pair at the exact cut meets the target exactly, and it is the one taken.
TEST(DivisionCorner, ParallelPairMeetingTheTargetExactlyIsTaken) {
    const DivisionParcel lot = Parcel({{"A", {0, 0}}, {"B", {30, 40}}, {"C", {51, 50}}, {"D", {21, 10}}});
    ASSERT_DOUBLE_EQ(lot.area, 540.0);
    const DivisionResult r = DivideParallel(lot, std::atan2(40.0, 30.0) * 180 / std::numbers::pi, 0, 212.22);
    EXPECT_NEAR(r.secured.figures.area, 212.22, 1e-9);
    const bool p1OnAD = std::fabs(r.p1.x - kX) < 20;
    ExpectAt(p1OnAD ? r.p1 : *r.p2, 8.253, 3.93);
    ExpectAt(p1OnAD ? *r.p2 : r.p1, 38.253, 43.93);
}

// An L-shaped lot of 300 m² divided along Y from its west side: 200 m² is the line X = 10, which runs
// along the edge from (10, 20) to the inner corner (10, 10) and then crosses the lot to (10, 0).  The
// inner corner is one end of the cut, used as it stands; (10, 0) is the one new point.
TEST(DivisionCorner, ParallelLineAlongAnEdgeEndsAtItsCorner) {
    const DivisionParcel lot =
        Parcel({{"1", {0, 0}}, {"2", {0, 20}}, {"3", {10, 20}}, {"4", {10, 10}}, {"5", {20, 10}}, {"6", {20, 0}}});
    ASSERT_DOUBLE_EQ(lot.area, 300.0);
    const DivisionResult r = DivideParallel(lot, 90.0, 0, 200.0);
    EXPECT_DOUBLE_EQ(r.secured.figures.area, 200.0);
    EXPECT_DOUBLE_EQ(r.remainder.figures.area, 100.0);
    const bool p1IsCorner = !r.p1Vertex.empty();
    EXPECT_EQ(p1IsCorner ? r.p1Vertex : r.p2Vertex, "4");
    ExpectAt(p1IsCorner ? *r.p2 : r.p1, 10, 0);
    EXPECT_TRUE(IsSimpleRing(PartPoints(lot, r, r.secured)));
    EXPECT_TRUE(IsSimpleRing(PartPoints(lot, r, r.remainder)));
}

// Registering a division through a corner writes only the new point; the parts name the corner.
TEST(DivisionCorner, RegistrationWritesOnlyTheNewPoint) {
    Store store;
    store.xyz.ReplaceAll({{"", "A", Format3(kX), Format3(kY)},
                          {"", "B", Format3(kX - 2), Format3(kY + 10)},
                          {"", "C", Format3(kX), Format3(kY + 20)},
                          {"", "D", Format3(kX + 10), Format3(kY + 20)},
                          {"", "E", Format3(kX + 10), Format3(kY)}});
    const DivisionParcel pentagon = LoadDivisionParcel({"A", "B", "C", "D", "E"}, store.Index());
    const DivisionResult r = DivideParallel(pentagon, 0.0, 0, 110.0);
    DivisionRegistration names = SuggestDivisionNames(store);
    names.p1Name = r.p1Vertex.empty() ? "N1" : r.p1Vertex;
    names.p2Name = r.p2Vertex.empty() ? "N1" : r.p2Vertex;
    names.keepRemainder = true;
    RegisterDivision(store, r, names);
    const auto n1 = store.FindPointXY("N1");
    ASSERT_TRUE(n1);
    EXPECT_NEAR(n1->x, kX + 10, 1e-6);
    EXPECT_NEAR(n1->y, kY + 10, 1e-6);
    int rowsNamedB = 0;
    for (int row = 1; row < store.xyz.RowCount(); ++row) {
        rowsNamedB += store.xyz.Cell(row, kColName) == "B";
    }
    EXPECT_EQ(rowsNamedB, 1);
    ASSERT_EQ(store.blocks.Count(), 2);
    const std::string secured = store.blocks.At(0).NoList;
    EXPECT_NE(secured.find("B"), std::string::npos);
    EXPECT_NE(secured.find("N1"), std::string::npos);
}

// A notched lot: the fan from vertex 0 first holds 360 m² at (30, 24) on the east side, but that chord
// crosses the notch; on the notch's far side (12, 10.8) the chord runs inside.  The division takes the
// later chord, and both parts come out simple.
TEST(DivisionCorner, OnePointSkipsAChordThatLeavesTheParcel) {
    const DivisionParcel notched =
        Parcel({{"V0", {0, 0}}, {"V1", {30, 0}}, {"V2", {30, 30}}, {"V3", {15, 6}}, {"V4", {0, 30}}});
    ASSERT_DOUBLE_EQ(notched.area, 540.0);
    const DivisionResult r = DivideFromFirstPoint(notched, 360.0);
    ExpectAt(r.p1, 12, 10.8);
    EXPECT_EQ(r.secured.names, (Names{"V0", "V1", "V2", "V3", kP1Placeholder, "V0"}));
    EXPECT_DOUBLE_EQ(r.secured.figures.area, 360.0);
    EXPECT_TRUE(IsSimpleRing(PartPoints(notched, r, r.secured)));
    EXPECT_TRUE(IsSimpleRing(PartPoints(notched, r, r.remainder)));
}

// A bow-tie has no area to divide: the message says the boundary crosses itself, for either method,
// whatever the target; so does a ring that only touches itself at a corner, where the edges that meet
// there have boxes that only touch.
TEST(DivisionCorner, BoundaryCrossingOrTouchingItselfIsNamedAsSuch) {
    const char* crosses = "分割元地の境界が交差しているため分割できません";
    const DivisionParcel bowTie = Parcel({{"1", {0, 0}}, {"2", {10, 10}}, {"3", {10, 0}}, {"4", {0, 10}}});
    for (double target : {1.0, 10.0, 60.0}) {
        EXPECT_EQ(MessageOf([&] { DivideFromFirstPoint(bowTie, target); }), crosses) << target;
        EXPECT_EQ(MessageOf([&] { DivideParallel(bowTie, 0.0, 0, target); }), crosses) << target;
    }
    // Two triangles meeting at (10, 10): the ring passes that point twice.
    const DivisionParcel pinched =
        Parcel({{"1", {0, 0}}, {"2", {20, 0}}, {"3", {10, 10}}, {"4", {20, 20}}, {"5", {0, 20}}, {"6", {10, 10}}});
    EXPECT_FALSE(IsSimpleRing(pinched.points));
    EXPECT_EQ(MessageOf([&] { DivideFromFirstPoint(pinched, 50.0); }), crosses);
}

} // namespace
} // namespace vemo::test
