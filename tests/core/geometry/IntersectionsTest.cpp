#include "core/geometry/Intersections.h"
#include "GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vemo {
namespace {

using test::Distance;
using test::Mm;
using test::Near;

TEST(LineLineCross, CrossesLinesInAnyDirection) {
    EXPECT_TRUE(Near(*LineLineCross({0, 0}, 0, {10, 10}, 90), {10, 0}));
    EXPECT_TRUE(Near(*LineLineCross({0, 0}, 45, {10, 0}, 135), {5, 5}));
    EXPECT_TRUE(Near(*LineLineCross({10, 0}, 135, {0, 0}, 45), {5, 5}));  // order of the lines is free
    EXPECT_TRUE(Near(*LineLineCross({0, 0}, 225, {10, 0}, 315), {5, 5})); // directions pointing away
}

TEST(LineLineCross, CrossesAnEastWestFirstLineExactly) {
    // The slope of a line running east or west is infinite; the crossing must still be exact.
    EXPECT_EQ(*LineLineCross({5, 0}, 90, {0, 3}, 0), (PlanePoint{5, 3}));
    EXPECT_EQ(*LineLineCross({5, 0}, 270, {0, 3}, 180), (PlanePoint{5, 3}));
    EXPECT_EQ(*LineLineCross({5, 0}, 90, {0, 3}, 360), (PlanePoint{5, 3}));
    EXPECT_TRUE(Near(*LineLineCross({12.5, -3}, 90, {0, 0}, 45), {12.5, 12.5}));
}

TEST(LineLineCross, StaysAccurateNearlyEastWest) {
    // From (100, 200) a hair north of due east, to the north-south line Y = 500: 300 m east, and
    // 300 × tan 0.001° = 5.236 mm south.
    EXPECT_TRUE(Near(*LineLineCross({100, 200}, 90.001, {0, 500}, 0), {99.99476401224348, 500}, 1e-9));
    EXPECT_TRUE(Near(*LineLineCross({0, 500}, 180, {100, 200}, 90.001), {99.99476401224348, 500}, 1e-9));
}

TEST(LineLineCross, ParallelLinesHaveNoCrossing) {
    EXPECT_FALSE(LineLineCross({0, 0}, 45, {10, 0}, 45.00005));
    EXPECT_FALSE(LineLineCross({0, 0}, 45, {10, 0}, 225));       // 180 apart: still parallel
    EXPECT_FALSE(LineLineCross({0, 0}, 0, {10, 5}, 360));        // the same direction written twice
    EXPECT_FALSE(LineLineCross({0, 0}, 90, {10, 5}, 270.00009)); // east-west both
    std::optional<PlanePoint> far = LineLineCross({0, 0}, 45, {10, 0}, 45.0002);
    ASSERT_TRUE(far);
    EXPECT_TRUE(std::isfinite(far->x) && std::isfinite(far->y));
}

TEST(FootOfPerpendicular, DropsThePointSquareOntoTheLine) {
    EXPECT_EQ(FootOfPerpendicular({0, 0}, 0, {5, 7}), (PlanePoint{5, 0}));
    EXPECT_EQ(FootOfPerpendicular({3, 0}, 90, {10, 4}), (PlanePoint{3, 4})); // east-west base line
    EXPECT_EQ(FootOfPerpendicular({3, 0}, 270, {10, 4}), (PlanePoint{3, 4}));
    EXPECT_TRUE(Near(FootOfPerpendicular({0, 0}, 45, {10, 0}), {5, 5}));
    EXPECT_TRUE(Near(FootOfPerpendicular({0, 0}, 45, {5, 5}), {5, 5})); // a point on the line is its own foot
}

TEST(FootOfPerpendicular, IsTheNearestPointOfTheLine) {
    PlanePoint base{1000.123, 2000.456};
    PlanePoint p{1037.5, 1980.25};
    for (double direction : {0.0, 17.3, 89.99999, 90.0, 163.2, 270.0, 301.7}) {
        PlanePoint foot = FootOfPerpendicular(base, direction, p);
        double rad = direction * std::numbers::pi / 180;
        for (double step : {-1.0, 1.0}) {
            PlanePoint beside{foot.x + step * std::cos(rad), foot.y + step * std::sin(rad)};
            // Pythagoras: one metre along the line from the foot is exactly that much further away.
            EXPECT_NEAR(Distance(beside, p) * Distance(beside, p), Distance(foot, p) * Distance(foot, p) + 1, 1e-6)
                << direction;
        }
    }
}

TEST(CircleBy3Points, FindsCentreAndRadius) {
    std::optional<Circle> c = CircleBy3Points({0, 0}, {10, 0}, {0, 10});
    ASSERT_TRUE(c);
    EXPECT_EQ(Mm(c->centre), "5.000, 5.000");
    EXPECT_EQ(Format3(c->radius), "7.071");
    c = CircleBy3Points({1500, 2000}, {1000, 2500}, {700, 1600}); // a 3-4-5 point of radius 500
    ASSERT_TRUE(c);
    EXPECT_EQ(Mm(c->centre), "1000.000, 2000.000");
    EXPECT_EQ(Format3(c->radius), "500.000");
    c = CircleBy3Points({6000, 8000}, {8000, 6000}, {10000, 0});
    ASSERT_TRUE(c);
    EXPECT_EQ(Mm(c->centre), "0.000, 0.000");
    EXPECT_EQ(Format3(c->radius), "10000.000");
}

TEST(CircleBy3Points, StaysAccurateWhenTwoPointsHaveNearlyEqualY) {
    // P1P2 rises 0.9 mm over 1 m: its bisector is steep but not vertical.  The centre lies 500 m up
    // the bisector, where treating it as vertical would put the centre 0.45 m off.
    std::optional<Circle> c = CircleBy3Points({0, 0}, {1, 0.0009}, {0, 1000});
    ASSERT_TRUE(c);
    EXPECT_EQ(Mm(c->centre), "0.050, 500.000");
    EXPECT_EQ(Format3(c->radius), "500.000");
}

TEST(CircleBy3Points, CollinearOrCoincidentPointsHaveNoCircle) {
    EXPECT_FALSE(CircleBy3Points({0, 0}, {10, 0}, {20, 0})); // on one north-south line
    EXPECT_FALSE(CircleBy3Points({0, 0}, {0, 5}, {0, 10}));  // all three with equal X
    EXPECT_FALSE(CircleBy3Points({3, 3}, {1, 1}, {2, 2}));   // first point outside the others
    EXPECT_FALSE(CircleBy3Points({1, 1}, {1, 1}, {5, 5}));   // two coincide
    EXPECT_FALSE(CircleBy3Points({1, 1}, {5, 7}, {5, 7}));
    EXPECT_FALSE(CircleBy3Points({0, 0}, {50, 0.000001}, {100, 0})); // collinear within rounding
    EXPECT_TRUE(CircleBy3Points({0, 0}, {50, 0.01}, {100, 0}));      // a flat but real arc
}

TEST(LineCircleCross, EastWestLineGivesTheEntryPointFirst) {
    EXPECT_EQ(Mm(LineCircleCross({0, -10}, 90, {0, 0}, 5)), "0.000, -5.000 / 0.000, 5.000");
    EXPECT_EQ(Mm(LineCircleCross({0, -10}, 270, {0, 0}, 5)), "0.000, 5.000 / 0.000, -5.000");
    EXPECT_EQ(Mm(LineCircleCross({3, -100}, 90, {0, 0}, 5)), "3.000, -4.000 / 3.000, 4.000");
    EXPECT_FALSE(LineCircleCross({3, 0}, 90, {0, 0}, 1));
}

TEST(LineCircleCross, OtherDirectionsOrderTheSolutionsByX) {
    // Northwards along Y = 4 the smaller X comes first; above 90 (southwards) the larger X.
    EXPECT_EQ(Mm(LineCircleCross({0, 4}, 0, {0, 0}, 5)), "-3.000, 4.000 / 3.000, 4.000");
    EXPECT_EQ(Mm(LineCircleCross({0, 4}, 180, {0, 0}, 5)), "3.000, 4.000 / -3.000, 4.000");
    EXPECT_EQ(Mm(LineCircleCross({100, 100}, 45, {100, 100}, 5 * std::sqrt(2.0))), "95.000, 95.000 / 105.000, 105.000");
}

TEST(LineCircleCross, StaysAccurateNearlyEastWest) {
    // 90.001 is outside the tolerance of an east-west line; the line drifts south as it goes east.
    EXPECT_EQ(Mm(LineCircleCross({3, -100}, 90.001, {0, 0}, 5)), "2.998, -4.001 / 2.998, 4.001");
    // Within the tolerance the line counts as exactly east-west through its point.
    EXPECT_EQ(Mm(LineCircleCross({3, -100}, 90.00005, {0, 0}, 5)), "3.000, -4.000 / 3.000, 4.000");
}

TEST(LineCircleCross, TangentLineGivesTwoEqualPoints) {
    EXPECT_EQ(Mm(LineCircleCross({5, -10}, 90, {0, 0}, 5)), "5.000, 0.000 / 5.000, 0.000");
    // Touching at 120° from the centre (100, 200), radius 10: the line runs at 30°.
    double s30 = 0.5, c30 = std::sqrt(3.0) / 2;
    PlanePoint touch{100 - 10 * s30, 200 + 10 * c30};
    EXPECT_EQ(Mm(LineCircleCross({touch.x - 50 * c30, touch.y - 50 * s30}, 30, {100, 200}, 10)),
              "95.000, 208.660 / 95.000, 208.660");
    EXPECT_FALSE(LineCircleCross({touch.x - 0.001, touch.y}, 30, {100, 200}, 10)); // half a millimetre outside
}

TEST(CircleCircleCross, FirstSolutionLiesLeftOfTheCentreLine) {
    // Looking east the left is north, looking north it is west, looking south it is east.
    EXPECT_EQ(Mm(CircleCircleCross({0, 0}, 5, {0, 8}, 5)), "3.000, 4.000 / -3.000, 4.000");
    EXPECT_EQ(Mm(CircleCircleCross({0, 0}, 5, {8, 0}, 5)), "4.000, -3.000 / 4.000, 3.000");
    EXPECT_EQ(Mm(CircleCircleCross({8, 0}, 5, {0, 0}, 5)), "4.000, 3.000 / 4.000, -3.000");
}

TEST(CircleCircleCross, MeetsAtPointsOnBothCircles) {
    // (1012, 2005) is 13 from (1000, 2000) (5-12-13) and 15 from (1000, 2014) (9-12-15).
    EXPECT_EQ(Mm(CircleCircleCross({1000, 2000}, 13, {1000, 2014}, 15)), "1012.000, 2005.000 / 988.000, 2005.000");
}

TEST(CircleCircleCross, TouchingCirclesGiveTwoEqualPoints) {
    EXPECT_EQ(Mm(CircleCircleCross({0, 0}, 3, {5, 0}, 2)), "3.000, 0.000 / 3.000, 0.000");
    EXPECT_EQ(Mm(CircleCircleCross({0, 0}, 5, {2, 0}, 3)), "5.000, 0.000 / 5.000, 0.000");
    // Touching at an awkward angle, where the cosine comes out a bit above 1.
    PlanePoint c2{0.1 * 7, 0.3 * 7};
    double d = std::hypot(c2.x, c2.y);
    EXPECT_TRUE(CircleCircleCross({0, 0}, 0.3 * d, c2, 0.7 * d));
}

TEST(CircleCircleCross, CirclesThatDoNotMeetHaveNoCrossing) {
    EXPECT_FALSE(CircleCircleCross({0, 0}, 1, {10, 0}, 1));    // apart
    EXPECT_FALSE(CircleCircleCross({0, 0}, 10, {1, 0}, 1));    // one inside the other
    EXPECT_FALSE(CircleCircleCross({0, 0}, 5, {0, 0}, 5));     // concentric
    EXPECT_FALSE(CircleCircleCross({0, 0}, 0, {3, 4}, 5));     // no first radius
    EXPECT_FALSE(CircleCircleCross({0, 0}, 3, {5.001, 0}, 2)); // a millimetre apart
}

TEST(SegmentLineCross, FindsTheCrossingAndWhetherItIsOnTheSegment) {
    std::optional<SegmentLineCrossing> r = SegmentLineCross({0, 0}, {10, 10}, {0, 5}, 0);
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->onSegment);
    EXPECT_TRUE(Near(r->point, {5, 5}));
    r = SegmentLineCross({0, 0}, {10, 10}, {0, 15}, 180); // the line Y = 15 misses the segment
    ASSERT_TRUE(r);
    EXPECT_FALSE(r->onSegment);
    EXPECT_TRUE(Near(r->point, {15, 15}));
}

TEST(SegmentLineCross, CountsAnEndPointAsOnTheSegment) {
    std::optional<SegmentLineCrossing> r = SegmentLineCross({0, 0}, {10, 10}, {10, 0}, 90);
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->onSegment);
    EXPECT_EQ(r->point, (PlanePoint{10, 10}));
    // A line through a parcel vertex is found on both edges that meet there, at the vertex itself.
    PlanePoint before{3.217, 61.004}, vertex{12.345, 67.891}, after{-4.5, 80.25};
    for (double direction : {37.5, 101.3, 250.0}) {
        std::optional<SegmentLineCrossing> in = SegmentLineCross(before, vertex, vertex, direction);
        std::optional<SegmentLineCrossing> out = SegmentLineCross(vertex, after, vertex, direction);
        ASSERT_TRUE(in && out) << direction;
        EXPECT_TRUE(in->onSegment && out->onSegment) << direction;
        EXPECT_EQ(in->point, vertex);
        EXPECT_EQ(out->point, vertex);
    }
    // The same when the line is given by another of its points, which the last bit puts a hair
    // beside the vertex.
    for (double direction = 0.5; direction < 360; direction += 7.3) {
        double rad = direction * std::numbers::pi / 180;
        for (double k : {-987.654, -3.21, 45.6, 1234.5}) {
            PlanePoint through{vertex.x + k * std::cos(rad), vertex.y + k * std::sin(rad)};
            std::optional<SegmentLineCrossing> in = SegmentLineCross(before, vertex, through, direction);
            std::optional<SegmentLineCrossing> out = SegmentLineCross(vertex, after, through, direction);
            if (in && out) {
                EXPECT_TRUE(in->onSegment && out->onSegment) << direction << " " << k;
            }
        }
    }
}

TEST(SegmentLineCross, HandlesEastWestSegmentsAndLines) {
    std::optional<SegmentLineCrossing> r = SegmentLineCross({5, 0}, {5, 10}, {0, 3}, 0);
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->onSegment);
    EXPECT_TRUE(Near(r->point, {5, 3}));
    r = SegmentLineCross({0, 0}, {10, 0}, {4, -7}, 270); // east-west line across a north-south segment
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->onSegment);
    EXPECT_TRUE(Near(r->point, {4, 0}));
}

TEST(SegmentLineCross, ParallelOrEmptySegmentHasNoCrossing) {
    EXPECT_FALSE(SegmentLineCross({0, 0}, {10, 0}, {0, 5}, 0));
    EXPECT_FALSE(SegmentLineCross({0, 0}, {10, 0}, {0, 5}, 180));
    EXPECT_FALSE(SegmentLineCross({5, 0}, {5, 10}, {0, 0}, 90));
    EXPECT_FALSE(SegmentLineCross({1, 1}, {1, 1}, {0, 0}, 45));
}

TEST(SegmentLineCross, NearlyParallelLineStillMeetsTheSegment) {
    // A dividing line within a fraction of a second of an edge's direction is not parallel to it.
    std::optional<SegmentLineCrossing> through = SegmentLineCross({0, 0}, {10, 0}, {5, 0}, 0.00005);
    ASSERT_TRUE(through);
    EXPECT_TRUE(through->onSegment);
    EXPECT_TRUE(Near(through->point, {5, 0}));
    std::optional<SegmentLineCrossing> beside = SegmentLineCross({0, 0}, {10, 0}, {0, 5}, 0.00005);
    ASSERT_TRUE(beside);
    EXPECT_FALSE(beside->onSegment);
    EXPECT_TRUE(std::isfinite(beside->point.x));
}

} // namespace
} // namespace vemo
