#include "core/calc/Construction.h"
#include "core/text/Cp932.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

using Status = ConstructionResult::Status;

void ExpectPoints(const ConstructionResult& result, std::vector<PlanePoint> expected) {
    ASSERT_EQ(result.status, Status::Done) << Cp932ToUtf8(result.message);
    ASSERT_EQ(result.points.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(result.points[i].x, expected[i].x, 5e-4) << "P" << i + 1;
        EXPECT_NEAR(result.points[i].y, expected[i].y, 5e-4) << "P" << i + 1;
    }
}

LineInput Through(PlanePoint first, double directionDms) {
    return {first, std::nullopt, directionDms};
}
LineInput Between(PlanePoint first, PlanePoint second) {
    return {first, second, 0};
}

TEST(LineLine, CrossesLinesGivenByDirectionOrBySecondPoint) {
    ExpectPoints(ComputeLineLine(Through({0, 0}, 0), Through({10, 10}, 90)), {{10, 0}});
    // y = x (NE) and the line through (0, 10) and (10, 0): they meet at (5, 5).
    ExpectPoints(ComputeLineLine(Through({0, 0}, 45), Between({0, 10}, {10, 0})), {{5, 5}});
    // Parallel lines leave the shown crossing alone, silently.
    const auto parallel = ComputeLineLine(Through({0, 0}, 45), Through({0, 5}, 45));
    EXPECT_EQ(parallel.status, Status::NoResult);
    EXPECT_TRUE(parallel.message.empty());
    EXPECT_EQ(ComputeLineLine(LineInput{}, Through({0, 5}, 45)).status, Status::Incomplete);
}

TEST(LineCircle, GivesBothCrossingsOrTheNoCrossingMessage) {
    // Line north along Y = 0, circle centre (5, 3) radius 5: (x - 5)² + 9 = 25, x = 1 or 9, smaller X first.
    CircleInput circle{PlanePoint{5, 3}, 5, {}};
    ExpectPoints(ComputeLineCircle(Through({0, 0}, 0), circle), {{1, 0}, {9, 0}});
    // The same circle through three of its points; a line due east through (5, 0) meets it at
    // Y = 3 ± 5, the one met first first.
    CircleInput threePoints{std::nullopt, 0, {PlanePoint{1, 0}, PlanePoint{9, 0}, PlanePoint{10, 3}}};
    const auto east = ComputeLineCircle(Through({5, 0}, 90), threePoints);
    ExpectPoints(east, {{5, -2}, {5, 8}});
    ASSERT_TRUE(east.circle1);
    EXPECT_NEAR(east.circle1->centre.x, 5, 5e-4);
    EXPECT_NEAR(east.circle1->radius, 5, 5e-4);

    // Three points on the circle win over a centre and radius given as well.
    CircleInput both = threePoints;
    both.centre = PlanePoint{50, 50};
    both.radius = 2;
    ExpectPoints(ComputeLineCircle(Through({5, 0}, 90), both), {{5, -2}, {5, 8}});

    // Without the line, the centre of the three points is there at once, marked P3.
    for (const auto& alone :
         {ComputeLineCircle(LineInput{}, threePoints), ComputeCircleCircle(threePoints, CircleInput{})}) {
        EXPECT_EQ(alone.status, Status::Incomplete);
        ASSERT_TRUE(alone.circle1);
        EXPECT_NEAR(alone.circle1->centre.y, 3, 5e-4);
        ASSERT_EQ(alone.overlay.marks.size(), 1u);
        EXPECT_EQ(alone.overlay.marks[0].label, "P3");
    }
    EXPECT_FALSE(ComputeLineCircle(LineInput{}, circle).circle1); // a centre typed is no P3

    const auto miss = ComputeLineCircle(Through({20, 0}, 90), circle);
    EXPECT_EQ(miss.status, Status::NoResult);
    EXPECT_EQ(Cp932ToUtf8(miss.message), "直線と円が交差していません！");
    EXPECT_EQ(ComputeLineCircle(Through({0, 0}, 0), CircleInput{PlanePoint{5, 3}, 0.001, {}}).status,
              Status::Incomplete);
}

TEST(CircleCircle, PutsTheLeftCrossingFirst) {
    CircleInput c1{PlanePoint{0, 0}, 5, {}};
    CircleInput c2{PlanePoint{0, 8}, 5, {}};
    // Looking east from (0,0) to (0,8), left is north.
    ExpectPoints(ComputeCircleCircle(c1, c2), {{3, 4}, {-3, 4}});
    // Centres (0,0) and (12, 0), both r 10 = √(36+64): they meet where x = 6, y = ±8; looking north, left is west.
    CircleInput c3{PlanePoint{12, 0}, 10, {}};
    ExpectPoints(ComputeCircleCircle(CircleInput{PlanePoint{0, 0}, 10, {}}, c3), {{6, -8}, {6, 8}});
    const auto apart = ComputeCircleCircle(CircleInput{PlanePoint{0, 0}, 1, {}}, c2);
    EXPECT_EQ(Cp932ToUtf8(apart.message), "円と円が交差していません！");
}

TEST(OffsetAndFoot, BuildFromTheBasePointAlongLineOne) {
    ExpectPoints(ComputeOffset(Through({0, 0}, 0), PlanePoint{0, 0}, 10, -2), {{10, -2}});
    // Direction 45: 10 along reaches (7.071, 7.071), 2 to the right (south-east) adds (-1.414, 1.414).
    ExpectPoints(ComputeOffset(Through({0, 0}, 45), PlanePoint{0, 0}, 10, 2), {{5.657, 8.485}});
    EXPECT_EQ(ComputeOffset(Through({0, 0}, 0), PlanePoint{0, 0}, 0, 0).status, Status::Incomplete);
    ExpectPoints(ComputeFoot(Through({0, 0}, 45), PlanePoint{10, 0}), {{5, 5}});
}

TEST(CornerCut, CutsTheCornerWithTheChordLength) {
    ExpectPoints(ComputeCornerCut(PlanePoint{10, 0}, PlanePoint{0, 0}, PlanePoint{0, 10}, 2), {{1.414, 0}, {0, 1.414}});
    // A 120° corner: the chord subtends 120° at B, so each leg takes L / (2 sin 60°) = 3 / √3 = 1.732.
    ExpectPoints(ComputeCornerCut(PlanePoint{10, 0}, PlanePoint{0, 0}, PlanePoint{-5, 8.660254}, 3),
                 {{1.732, 0}, {-0.866, 1.5}});
    EXPECT_EQ(ComputeCornerCut(PlanePoint{10, 0}, PlanePoint{0, 0}, PlanePoint{20, 0}, 2).status, Status::NoResult);
}

TEST(ParallelShift, ShiftsTheCornersOfThePath) {
    const auto shifted = ComputeParallelShift({{0, 0}, {10, 0}, {10, 10}}, {1, 1});
    ExpectPoints(shifted, {{9, 1}});
    // The drawn shifted path starts at (0, 1) and ends at (9, 10).
    ASSERT_EQ(shifted.overlay.segments.size(), 4u);
    EXPECT_NEAR(shifted.overlay.segments[1].from.y, 1, 5e-4);
    EXPECT_NEAR(shifted.overlay.segments[1].from.x, 0, 5e-4);
    EXPECT_NEAR(shifted.overlay.segments[3].to.x, 9, 5e-4);
    EXPECT_NEAR(shifted.overlay.segments[3].to.y, 10, 5e-4);
    // Different widths per leg: north leg 2 to the right (east), the east leg 3 to the right (south).
    ExpectPoints(ComputeParallelShift({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {2, 3, 0}), {{7, 2}, {7, 10}});

    // A vertex the road runs straight through, with equal widths on both sides of it: the vertex moved
    // square to the road, (10, 1) east of (10, 0), and the same at a site far from the origin.
    ExpectPoints(ComputeParallelShift({{0, 0}, {10, 0}, {20, 0}}, {1, 1}), {{10, 1}});
    ExpectPoints(
        ComputeParallelShift({{-12345.678, 23456.789}, {-12245.678, 23456.789}, {-12045.678, 23456.789}}, {4.5, 4.5}),
        {{-12245.678, 23461.289}});
    // With different widths the road would step there: no single point, and the vertex is named.
    const auto straight = ComputeParallelShift({{0, 0}, {10, 0}, {20, 0}}, {1, 2});
    EXPECT_EQ(straight.status, Status::NoResult);
    EXPECT_NE(Cp932ToUtf8(straight.message).find("2番目"), std::string::npos);
    // Doubling back on itself is no straight run either.
    EXPECT_EQ(ComputeParallelShift({{0, 0}, {10, 0}, {5, 0}}, {1, 1}).status, Status::NoResult);

    std::vector<PlanePoint> longPath;
    for (int i = 0; i < 101; ++i) {
        longPath.push_back({static_cast<double>(i), static_cast<double>(i % 2)});
    }
    const auto tooLong = ComputeParallelShift(longPath, std::vector<double>(100, 1.0));
    EXPECT_EQ(Cp932ToUtf8(tooLong.message), "平行移動点の経路は100点までです（101点あります）");
}

} // namespace
} // namespace vemo
