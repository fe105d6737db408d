#include "core/geometry/Constructions.h"
#include "GeometryTestSupport.h"
#include "core/geometry/Inverse.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vemo {
namespace {

using test::Distance;
using test::Mm;

TEST(OffsetPoint, PositiveAcrossLiesRightOfTheDirection) {
    OffsetResult r = OffsetPoint({0, 0}, 0, 10, 2);
    EXPECT_EQ(Mm(r.foot), "10.000, 0.000");
    EXPECT_EQ(Mm(r.point), "10.000, 2.000");
    r = OffsetPoint({0, 0}, 0, 10, -2);
    EXPECT_EQ(Mm(r.point), "10.000, -2.000");
    r = OffsetPoint({0, 0}, 90, 10, 2); // heading east, right is south
    EXPECT_EQ(Mm(r.foot), "0.000, 10.000");
    EXPECT_EQ(Mm(r.point), "-2.000, 10.000");
    r = OffsetPoint({100, 200}, 45, 10, 0);
    EXPECT_EQ(Mm(r.foot), "107.071, 207.071");
    EXPECT_EQ(Mm(r.point), "107.071, 207.071");
}

TEST(CornerCutPoints, CutsEqualLegsWithAChordOfTheGivenLength) {
    EXPECT_EQ(Mm(CornerCutPoints({10, 0}, {0, 0}, {0, 10}, 2)), "1.414, 0.000 / 0.000, 1.414");
    // 120° corner: each leg is 1 / sin 60° = 1.1547 long.
    EXPECT_EQ(Mm(CornerCutPoints({10, 0}, {0, 0}, {-5, 5 * std::sqrt(3.0)}, 2)), "1.155, 0.000 / -0.577, 1.000");
}

TEST(CornerCutPoints, WorksAcrossNorth) {
    // Legs at 10° and 350°: the corner is 20° wide however the directions are subtracted.
    double r10 = 10 * std::numbers::pi / 180;
    PlanePoint b{500, 500};
    PlanePoint a{b.x + 30 * std::cos(r10), b.y + 30 * std::sin(r10)};
    PlanePoint c{b.x + 30 * std::cos(r10), b.y - 30 * std::sin(r10)};
    std::optional<TwoPoints> r = CornerCutPoints(a, b, c, 3);
    ASSERT_TRUE(r);
    EXPECT_NEAR(Distance(r->first, r->second), 3, 0.002);
    EXPECT_NEAR(Distance(b, r->first), 1.5 / std::sin(r10), 0.001);
    EXPECT_NEAR(Distance(b, r->second), 1.5 / std::sin(r10), 0.001);
    EXPECT_NEAR(r->first.x, r->second.x, 1e-9); // mirror images about the north line through b
}

TEST(CornerCutPoints, LegsInOneDirectionHaveNoCut) {
    EXPECT_FALSE(CornerCutPoints({10, 0}, {0, 0}, {20, 0}, 2));
    EXPECT_FALSE(CornerCutPoints({0, 0}, {0, 0}, {0, 10}, 2)); // a coincides with the corner
    EXPECT_FALSE(CornerCutPoints({10, 0}, {0, 0}, {0, 0}, 2));
    EXPECT_TRUE(CornerCutPoints({10, 0}, {0, 0}, {-10, 0}, 2)); // straight through: the cut is the line
}

TEST(ShiftedCorner, MovesBothLegsSquareToTheRight) {
    EXPECT_EQ(Mm(*ShiftedCorner({0, 0}, 1, {10, 0}, 1, {10, 10})), "9.000, 1.000");
    EXPECT_EQ(Mm(*ShiftedCorner({0, 0}, 2, {10, 0}, 1, {10, 10})), "9.000, 2.000");
    EXPECT_EQ(Mm(*ShiftedCorner({0, 0}, -1, {10, 0}, -1, {10, 10})), "11.000, -1.000");
}

TEST(ShiftedCorner, HandlesAnEastWestFirstLeg) {
    // East along X = 0, then south along Y = 10; the right side is south, then west.
    EXPECT_EQ(Mm(*ShiftedCorner({0, 0}, 1, {0, 10}, 1, {-10, 10})), "-1.000, 9.000");
    EXPECT_EQ(Mm(*ShiftedCorner({0, 10}, 1, {0, 0}, 1, {10, 0})), "1.000, 1.000");
}

TEST(ShiftedCorner, ShiftedCornerIsAtTheWidthFromBothLegs) {
    PlanePoint a{100, 100}, b{130, 140}, c{125, 190};
    std::optional<PlanePoint> corner = ShiftedCorner(a, 2.5, b, 4, c);
    ASSERT_TRUE(corner);
    auto distanceToLine = [](PlanePoint p, PlanePoint from, PlanePoint to) {
        double cross = (to.x - from.x) * (p.y - from.y) - (to.y - from.y) * (p.x - from.x);
        return cross / Distance(from, to); // positive right of from -> to
    };
    EXPECT_NEAR(distanceToLine(*corner, a, b), 2.5, 0.001);
    EXPECT_NEAR(distanceToLine(*corner, b, c), 4, 0.001);
}

TEST(ShiftedCorner, StraightOrReversedPathHasNoCorner) {
    EXPECT_FALSE(ShiftedCorner({0, 0}, 1, {10, 0}, 1, {20, 0}));
    EXPECT_FALSE(ShiftedCorner({0, 0}, 1, {10, 0}, 2, {5, 0}));
    EXPECT_FALSE(ShiftedCorner({0, 0}, 1, {0, 0}, 1, {5, 5}));
    EXPECT_FALSE(ShiftedCorner({0, 0}, 1, {5, 5}, 1, {5, 5}));
}

TEST(LocalToGlobal, PlacesAlongAndAcross) {
    EXPECT_EQ(Mm(LocalToGlobal({0, 0}, 0, 10, 2)), "10.000, 2.000");
    EXPECT_EQ(Mm(LocalToGlobal({0, 0}, 90, 10, 2)), "-2.000, 10.000");
    EXPECT_EQ(Mm(LocalToGlobal({0, 0}, 180, 10, 2)), "-10.000, -2.000");
    EXPECT_EQ(Mm(LocalToGlobal({1000, 2000}, 30, 0, 0)), "1000.000, 2000.000");
    EXPECT_EQ(Mm(LocalToGlobal({0, 0}, 30, 2, 0)), "1.732, 1.000");
}

TEST(LocalToGlobal, ReturnsTheTargetOfAnInverse) {
    PlanePoint origin{-45123.456, 120987.654};
    for (int i = -6; i <= 6; ++i) {
        for (int j = -6; j <= 6; ++j) {
            PlanePoint target{origin.x + i * 123.457, origin.y + j * 98.765};
            Inverse leg = InversePoints(origin, target);
            PlanePoint back = LocalToGlobal(origin, leg.direction.value_or(0), leg.distance, 0);
            ASSERT_EQ(Mm(back), Mm(target)) << i << ", " << j;
            ASSERT_NEAR(back.x, target.x, 1e-6);
            ASSERT_NEAR(back.y, target.y, 1e-6);
        }
    }
}

} // namespace
} // namespace vemo
