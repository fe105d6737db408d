#include "core/geometry/Inverse.h"
#include "core/geometry/Rounding.h"
#include "core/text/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace vemo {
namespace {

TEST(InversePoints, GivesTheCardinalDirectionsExactly) {
    EXPECT_EQ(InversePoints(0, 0, 1, 0).direction, 0.0);    // north
    EXPECT_EQ(InversePoints(0, 0, 0, 1).direction, 90.0);   // east
    EXPECT_EQ(InversePoints(0, 0, -1, 0).direction, 180.0); // south
    EXPECT_EQ(InversePoints(0, 0, 0, -1).direction, 270.0); // west
    EXPECT_DOUBLE_EQ(*InversePoints(0, 0, 1, 1).direction, 45.0);
    EXPECT_DOUBLE_EQ(*InversePoints(0, 0, -1, 1).direction, 135.0);
    EXPECT_DOUBLE_EQ(*InversePoints(0, 0, -1, -1).direction, 225.0);
    EXPECT_DOUBLE_EQ(*InversePoints(0, 0, 1, -1).direction, 315.0);
}

TEST(InversePoints, GivesDistanceAndDirectionOfA345Triangle) {
    Inverse leg = InversePoints(0, 0, 3, -4);
    EXPECT_DOUBLE_EQ(leg.distance, 5.0);
    EXPECT_NEAR(*leg.direction, 306.86989764584405, 1e-11);
    // Far from the origin, as in plane rectangular coordinates of a real site.
    Inverse far = InversePoints(PlanePoint{-45123.456, 120987.654}, PlanePoint{-45123.456 + 30, 120987.654 + 40});
    EXPECT_NEAR(far.distance, 50.0, 1e-9);
    EXPECT_NEAR(*far.direction, 53.13010235415598, 1e-9);
}

TEST(InversePoints, ReverseLegPointsTheOtherWay) {
    PlanePoint a{1234.567, -876.543};
    for (PlanePoint b : {PlanePoint{1300.1, -800.2}, PlanePoint{1000.0, -900.0}, PlanePoint{1234.567, -1000.0},
                         PlanePoint{2000.0, -876.543}}) {
        Inverse there = InversePoints(a, b);
        Inverse back = InversePoints(b, a);
        EXPECT_DOUBLE_EQ(there.distance, back.distance);
        EXPECT_NEAR(std::fmod(*there.direction + 180.0, 360.0), *back.direction, 1e-10);
    }
}

TEST(InversePoints, CoincidentPointsHaveNoDirection) {
    Inverse none = InversePoints(12.345, 67.89, 12.345, 67.89);
    EXPECT_EQ(none.distance, 0.0);
    EXPECT_FALSE(none.direction.has_value());
    double kept = 123.0;
    EXPECT_EQ(none.direction.value_or(kept), 123.0); // the caller's earlier direction survives
}

TEST(InversePoints, StaysBelow360JustWestOfNorth) {
    Inverse leg = InversePoints(0, 0, 1, -1e-300);
    ASSERT_TRUE(leg.direction.has_value());
    EXPECT_GE(*leg.direction, 0.0);
    EXPECT_LT(*leg.direction, 360.0);
    EXPECT_NEAR(*InversePoints(0, 0, 1, -1e-9).direction, 360.0 - 1e-9 * 180 / std::numbers::pi, 1e-9);
}

TEST(RoundDigits, RoundsHalfAwayFromZeroOrTruncates) {
    EXPECT_NEAR(RoundDigits(2.0006, 3, RoundMode::HalfAwayFromZero), 2.001, 1e-9);
    EXPECT_NEAR(RoundDigits(-2.0006, 3, RoundMode::HalfAwayFromZero), -2.001, 1e-9);
    EXPECT_NEAR(RoundDigits(2.0006, 3, RoundMode::Truncate), 2.000, 1e-9);
    EXPECT_NEAR(RoundDigits(-2.0009, 3, RoundMode::Truncate), -2.000, 1e-9); // towards zero
    EXPECT_NEAR(RoundDigits(123.456789, 2, RoundMode::Truncate), 123.45, 2e-9);
    EXPECT_NEAR(RoundDigits(0.1234567, 6, RoundMode::HalfAwayFromZero), 0.123457, 1e-12);
    EXPECT_NEAR(RoundDigits(1234.5, 0, RoundMode::HalfAwayFromZero), 1235, 1e-6);
    EXPECT_NEAR(RoundDigits(-1234.5, 0, RoundMode::HalfAwayFromZero), -1235, 1e-6);
}

TEST(RoundDigits, LeavesTheResultAHairAboveTheDecimal) {
    // Printed with the same decimals, the result never shows the digit below.
    for (int mm = -100000; mm <= 100000; mm += 37) {
        double noisy = mm / 1000.0 + (mm % 2 == 0 ? 3e-4 : -3e-4);
        double rounded = RoundDigits(noisy, 3, RoundMode::HalfAwayFromZero);
        ASSERT_EQ(Sprintf("%.3f", rounded), Sprintf("%.3f", mm / 1000.0)) << noisy;
        ASSERT_GT(std::fabs(rounded), std::fabs(mm / 1000.0) - 1e-12);
    }
    EXPECT_GT(RoundDigits(2.001, 3, RoundMode::HalfAwayFromZero), 2.001);
}

TEST(RoundDigits, NeverGivesANegativeZero) {
    EXPECT_EQ(Sprintf("%.3f", RoundDigits(-0.0004, 3, RoundMode::HalfAwayFromZero)), "0.000");
    EXPECT_EQ(Sprintf("%.2f", RoundDigits(-0.009, 2, RoundMode::Truncate)), "0.00");
    EXPECT_EQ(Sprintf("%.3f", RoundDigits(-0.0005001, 3, RoundMode::HalfAwayFromZero)), "-0.001");
}

TEST(RoundMillimetre, RoundsBothCoordinates) {
    PlanePoint p = RoundMillimetre(PlanePoint{1.23449, -1.23451});
    EXPECT_EQ(Format3(p.x), "1.234");
    EXPECT_EQ(Format3(p.y), "-1.235");
}

} // namespace
} // namespace vemo
