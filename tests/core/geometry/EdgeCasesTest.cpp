#include "core/geometry/Angles.h"
#include "core/geometry/Constructions.h"
#include "core/geometry/Intersections.h"
#include "core/geometry/Inverse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

namespace vemo {
namespace {

// Every construction is fed the awkward directions and point sets a surveyor can type: cardinal
// directions, values a hair off them, full turns and negative angles, coincident and collinear
// points.  Whatever the answer, it is either "no result" or finite numbers: a NaN would be written
// into the coordinate list as text and signed by the surveyor.

constexpr double kDirections[] = {0,         1e-9, 45,       89.99995, 89.9999, 90,       90.00005, 135, 180,   225,
                                  269.99995, 270,  270.0001, 315,      360,     359.9999, -90,      450, -1e-9, 1e6};

const PlanePoint kPoints[] = {{0, 0},  {0, 0},    {10, 0}, {0, 10}, {10, 10}, {-45123.456, 120987.654},
                              {20, 0}, {1e-9, 0}, {5, 5}};

bool Finite(PlanePoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

TEST(EdgeCases, LineConstructionsNeverGiveNaN) {
    for (double d1 : kDirections) {
        for (double d2 : kDirections) {
            for (PlanePoint p : kPoints) {
                std::optional<PlanePoint> cross = LineLineCross({3, 4}, d1, p, d2);
                ASSERT_TRUE(!cross || Finite(*cross)) << d1 << " " << d2;
                std::optional<SegmentLineCrossing> seg = SegmentLineCross({3, 4}, p, {1, 2}, d2);
                ASSERT_TRUE(!seg || Finite(seg->point)) << d2;
            }
            ASSERT_TRUE(Finite(FootOfPerpendicular({3, 4}, d1, {7, -2})));
            ASSERT_TRUE(Finite(LocalToGlobal({3, 4}, d1, 12.5, -3)));
            OffsetResult offset = OffsetPoint({3, 4}, d1, 12.5, -3);
            ASSERT_TRUE(Finite(offset.foot) && Finite(offset.point));
        }
    }
}

TEST(EdgeCases, CircleConstructionsNeverGiveNaN) {
    for (double d : kDirections) {
        for (PlanePoint p : kPoints) {
            for (double r : {0.0, 1e-9, 5.0, 10.0, 1e5}) {
                std::optional<TwoPoints> line = LineCircleCross(p, d, {5, 5}, r);
                ASSERT_TRUE(!line || (Finite(line->first) && Finite(line->second))) << d << " " << r;
                std::optional<TwoPoints> circles = CircleCircleCross({5, 5}, 5, p, r);
                ASSERT_TRUE(!circles || (Finite(circles->first) && Finite(circles->second))) << r;
            }
        }
    }
}

TEST(EdgeCases, ThreePointConstructionsNeverGiveNaN) {
    for (PlanePoint a : kPoints) {
        for (PlanePoint b : kPoints) {
            for (PlanePoint c : kPoints) {
                std::optional<Circle> circle = CircleBy3Points(a, b, c);
                ASSERT_TRUE(!circle || (Finite(circle->centre) && std::isfinite(circle->radius)));
                std::optional<TwoPoints> cut = CornerCutPoints(a, b, c, 2);
                ASSERT_TRUE(!cut || (Finite(cut->first) && Finite(cut->second)));
                std::optional<PlanePoint> corner = ShiftedCorner(a, 1, b, -2, c);
                ASSERT_TRUE(!corner || Finite(*corner));
            }
        }
    }
}

TEST(EdgeCases, AngleConversionsStayFiniteAndInRange) {
    for (double d : kDirections) {
        ASSERT_TRUE(std::isfinite(DegToDms(d)) && std::isfinite(DmsToDeg(d)));
        double included = IncludedAngle(d, 90, kIncludedAngleRadialGuard);
        ASSERT_GE(included, 0) << d;
        ASSERT_LT(included, 360) << d;
    }
}

} // namespace
} // namespace vemo
