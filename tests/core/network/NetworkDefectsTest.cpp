// Networks that cannot be adjusted get a message naming the point; a free network is adjusted with its
// datum said.
#include "core/network/AdjustNetwork.h"
#include "core/text/Cp932.h"
#include "core/text/MessagesNetwork.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace vemo {
namespace {

constexpr double kSecond = std::numbers::pi / 180.0 / 3600.0;

NetworkPoint Point(const char* name, NetworkPointRole role, double x = 0.0, double y = 0.0, bool has = false) {
    NetworkPoint p;
    p.name = name;
    p.role = role;
    p.x = x;
    p.y = y;
    p.hasCoordinates = has || role != NetworkPointRole::Adjusted;
    return p;
}

double BearingOf(const Network& n, int a, int b) {
    const auto& p = n.points;
    const double t = std::atan2(p[static_cast<size_t>(b)].y - p[static_cast<size_t>(a)].y,
                                p[static_cast<size_t>(b)].x - p[static_cast<size_t>(a)].x);
    return t < 0 ? t + 2 * std::numbers::pi : t;
}

double DistanceOf(const Network& n, int a, int b) {
    const auto& p = n.points;
    return std::hypot(p[static_cast<size_t>(b)].x - p[static_cast<size_t>(a)].x,
                      p[static_cast<size_t>(b)].y - p[static_cast<size_t>(a)].y);
}

// Two known points and a new point P fixed by a direction set at each known point and a distance,
// written from true coordinates (the new point's are taken out afterwards).
Network Triangle() {
    Network n;
    n.points = {Point("K1", NetworkPointRole::Fixed, -146234.512, 22345.678),
                Point("K2", NetworkPointRole::Fixed, -146012.004, 22701.300),
                Point("P", NetworkPointRole::Adjusted, -145890.250, 22410.125, true)};
    n.directionSets = 2;
    n.observations = {{ObservationKind::Direction, 0, 1, -1, 0, 0.0, 2 * kSecond},
                      {ObservationKind::Direction, 0, 2, -1, 0, BearingOf(n, 0, 2) - BearingOf(n, 0, 1), 2 * kSecond},
                      {ObservationKind::Direction, 1, 0, -1, 1, 0.0, 2 * kSecond},
                      {ObservationKind::Direction, 1, 2, -1, 1,
                       std::fmod(BearingOf(n, 1, 2) - BearingOf(n, 1, 0) + 4 * std::numbers::pi, 2 * std::numbers::pi),
                       2 * kSecond},
                      {ObservationKind::Distance, 0, 2, -1, -1, DistanceOf(n, 0, 2), 0.010}};
    n.points[2].hasCoordinates = false;
    return n;
}

TEST(NetworkDefects, AConsistentTriangleComesOutAtItsTrueCoordinates) {
    const auto adjusted = AdjustNetwork(Triangle());
    ASSERT_TRUE(adjusted.has_value()) << adjusted.error();
    ASSERT_EQ(adjusted->points.size(), 1u);
    EXPECT_NEAR(adjusted->points[0].x, -145890.250, 1e-6);
    EXPECT_NEAR(adjusted->points[0].y, 22410.125, 1e-6);
    EXPECT_EQ(adjusted->degreesOfFreedom, 5 - 4);
    EXPECT_EQ(adjusted->suspect, -1);
}

TEST(NetworkDefects, APointTiedOnlyToAnotherNewPointIsNamedAsUnconnected) {
    Network n = Triangle();
    n.points.push_back(Point("Q", NetworkPointRole::Adjusted));
    n.points.push_back(Point("R", NetworkPointRole::Adjusted));
    n.observations.push_back({ObservationKind::Distance, 3, 4, -1, -1, 120.0, 0.010});
    const auto adjusted = AdjustNetwork(n);
    ASSERT_FALSE(adjusted.has_value());
    EXPECT_EQ(adjusted.error(), msg::NetworkPointUnconnected("Q"));
}

TEST(NetworkDefects, APointHeldByASingleDistanceIsNamedAsUndetermined) {
    Network n = Triangle();
    // Q has an approximate position, so it is the adjustment itself that meets the defect.
    n.points.push_back(Point("Q", NetworkPointRole::Adjusted, -145700.0, 22500.0, true));
    n.observations.push_back({ObservationKind::Distance, 2, 3, -1, -1, 212.0, 0.010});
    const auto adjusted = AdjustNetwork(n);
    ASSERT_FALSE(adjusted.has_value());
    EXPECT_EQ(adjusted.error(), msg::NetworkPointUndetermined("Q"));

    // Without the approximate position it is already the search for one that fails, naming Q.
    n.points[3].hasCoordinates = false;
    const auto found = AdjustNetwork(n);
    ASSERT_FALSE(found.has_value());
    EXPECT_EQ(found.error(), msg::NetworkPointNoApproximate("Q"));
}

TEST(NetworkDefects, ASetObservedAtTheNewPointAddsItsOrientationUnknown) {
    Network n = Triangle();
    // One direction at P: its set brings an orientation unknown of its own, and no redundancy.
    n.observations.push_back({ObservationKind::Direction, 2, 0, -1, 2, 0.0, 2 * kSecond});
    n.directionSets = 3;
    const auto adjusted = AdjustNetwork(n);
    ASSERT_TRUE(adjusted.has_value()) << adjusted.error();
    EXPECT_EQ(adjusted->degreesOfFreedom, 6 - 5); // one direction, one orientation more
}

TEST(NetworkDefects, AFreeNetworkKeepsTheCentroidOfItsApproximateCoordinatesAndSaysSo) {
    Network n = Triangle();
    for (NetworkPoint& p : n.points) {
        p.role = NetworkPointRole::Adjusted;
        p.hasCoordinates = true;
    }
    n.points[2].x += 0.05; // a poor approximate position: the adjustment pulls the shape right
    const double cx = (n.points[0].x + n.points[1].x + n.points[2].x) / 3.0;
    const double cy = (n.points[0].y + n.points[1].y + n.points[2].y) / 3.0;
    const auto adjusted = AdjustNetwork(n);
    ASSERT_TRUE(adjusted.has_value()) << adjusted.error();
    EXPECT_EQ(adjusted->datum, NetworkDatum::FreeMinimumNorm);
    ASSERT_EQ(adjusted->notes.size(), 1u);
    EXPECT_EQ(adjusted->notes[0], msg::NetworkFreeDatum());
    EXPECT_EQ(adjusted->datumDefect, 3); // shift in X and Y, and a turn (a distance gives the scale)
    double sx = 0, sy = 0;
    for (const auto& p : adjusted->points) {
        sx += p.x;
        sy += p.y;
    }
    EXPECT_NEAR(sx / 3.0, cx, 1e-6);
    EXPECT_NEAR(sy / 3.0, cy, 1e-6);
    // The shape is the true one: the adjusted distance K1-P equals the observed one.
    EXPECT_NEAR(
        std::hypot(adjusted->points[2].x - adjusted->points[0].x, adjusted->points[2].y - adjusted->points[0].y),
        n.observations[4].value, 1e-6);
}

// A free network whose datum rests on one marked point cannot hold its turn: one point has no bearing
// to keep.  The adjustment names that point instead of solving; two marked points hold it.
TEST(NetworkDefects, AFreeNetworkOnASingleDatumPointNamesIt) {
    Network n = Triangle();
    for (NetworkPoint& p : n.points) {
        p.role = NetworkPointRole::Adjusted;
        p.hasCoordinates = true;
    }
    n.points[2].x += 0.05;
    n.points[1].datum = true;
    const auto adjusted = AdjustNetwork(n);
    ASSERT_FALSE(adjusted.has_value());
    EXPECT_EQ(adjusted.error(), msg::NetworkPointUndetermined("K2"));
    n.points[0].datum = true;
    const auto held = AdjustNetwork(n);
    ASSERT_TRUE(held.has_value()) << held.error();
    // K1 and K2 keep their centroid; P, not a datum point, takes the 5 cm.
    EXPECT_NEAR(held->points[0].x + held->points[1].x, n.points[0].x + n.points[1].x, 1e-6);
    EXPECT_NEAR(held->points[2].x, n.points[2].x - 0.05, 0.002);
}

} // namespace
} // namespace vemo

namespace vemo {
namespace {

// A known point held by standard deviations: a tight one acts as fixed, a loose one lets the point
// move to where the observations put it, and its σ comes out no larger than the one given.
TEST(ConstrainedKnownPoints, TightAsFixedLooseFollowsTheObservations) {
    Network fixed = Triangle();
    fixed.observations[4].value += 0.004; // 4 mm disagreement, so that something has to give
    const auto reference = AdjustNetwork(fixed);
    ASSERT_TRUE(reference.has_value()) << reference.error();

    Network tight = fixed;
    tight.points[0].role = NetworkPointRole::Constrained;
    tight.points[0].sigmaX = tight.points[0].sigmaY = 1e-7;
    const auto held = AdjustNetwork(tight);
    ASSERT_TRUE(held.has_value()) << held.error();
    EXPECT_EQ(held->datum, NetworkDatum::Constrained);
    ASSERT_EQ(held->points.size(), 2u); // K1 and P
    EXPECT_NEAR(held->points[0].x, -146234.512, 1e-6);
    EXPECT_NEAR(held->points[1].x, reference->points[0].x, 1e-6);
    EXPECT_NEAR(held->points[1].y, reference->points[0].y, 1e-6);
    EXPECT_EQ(held->degreesOfFreedom, reference->degreesOfFreedom); // two equations, two unknowns more

    Network loose = fixed;
    loose.points[0].role = NetworkPointRole::Constrained;
    loose.points[0].sigmaX = loose.points[0].sigmaY = 0.050;
    const auto moved = AdjustNetwork(loose);
    ASSERT_TRUE(moved.has_value()) << moved.error();
    // K1 gives way by about the 4 mm the distance disagrees by, far less than the 5 cm it is allowed.
    const double shift = std::hypot(moved->points[0].x + 146234.512, moved->points[0].y - 22345.678);
    EXPECT_GT(shift, 0.0005);
    EXPECT_LT(shift, 0.006);
    EXPECT_LT(moved->points[0].sigmaX, 0.050 * std::max(1.0, moved->sigma0));
}

} // namespace
} // namespace vemo
