#include "core/calc/DivisionDrawing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vemo::test {
namespace {

// The dividing direction drawn across the frame, in every direction: north-south and east-west lines
// (where a slope form breaks down), a diagonal, and a line that misses the frame.
TEST(DivisionDrawing, DirectionIsClippedToTheFrameInEveryDirection) {
    struct Case {
        PlanePoint through;
        double direction;
        bool hits;
        PlanePoint from;
        PlanePoint to;
    };
    const PlanePoint low{0, 0};
    const PlanePoint high{10, 20};
    const Case cases[] = {
        {{5, 5}, 0, true, {0, 5}, {10, 5}},   // due north: X from bottom to top at Y = 5
        {{5, 5}, 90, true, {5, 0}, {5, 20}},  // due east
        {{5, 5}, 270, true, {5, 20}, {5, 0}}, // due west: the same segment, ends swapped
        {{0, 0}, 45, true, {0, 0}, {10, 10}}, // north-east from the corner
        {{30, 5}, 90, false, {}, {}},         // east-west line north of the frame
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.direction);
        const auto segment = ClipLineToBox(c.through, c.direction, low, high);
        ASSERT_EQ(segment.has_value(), c.hits);
        if (c.hits) {
            EXPECT_NEAR(segment->from.x, c.from.x, 1e-9);
            EXPECT_NEAR(segment->from.y, c.from.y, 1e-9);
            EXPECT_NEAR(segment->to.x, c.to.x, 1e-9);
            EXPECT_NEAR(segment->to.y, c.to.y, 1e-9);
        }
    }
}

// Strokes cover the inside only: their total length times the spacing is the area (within the
// partial strips at the two ends), for a convex and for a concave ring, which a wrong pairing of the
// crossings would double or leave empty.
TEST(DivisionDrawing, HatchingFillsTheInsideOfTheRing) {
    struct Case {
        std::vector<PlanePoint> ring;
        double area;
    };
    const Case cases[] = {
        {{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}, 100},
        // An L: the 10 m square without its 5 m north-east quarter.
        {{{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, 10}, {0, 10}}, 75},
    };
    const double spacing = 0.25;
    for (const Case& c : cases) {
        double length = 0;
        for (const OverlaySegment& s : HatchRing(c.ring, spacing)) {
            length += std::hypot(s.to.x - s.from.x, s.to.y - s.from.y);
            for (const PlanePoint& end : {s.from, s.to}) {
                EXPECT_GE(end.x, -1e-9);
                EXPECT_LE(end.x, 10 + 1e-9);
                EXPECT_GE(end.y, -1e-9);
                EXPECT_LE(end.y, 10 + 1e-9);
                EXPECT_FALSE(c.area == 75 && end.x > 5 + 1e-9 && end.y > 5 + 1e-9); // not in the cut-out
            }
        }
        EXPECT_NEAR(length * spacing, c.area, 0.5);
    }
}

} // namespace
} // namespace vemo::test
