// Traverse routes adjusted as a network.
#include "core/network/RouteNetwork.h"
#include "core/network/AdjustNetwork.h"
#include "core/traverse/TrvsFixture.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

// Connected: A (1000, 1000) north 100 to P1, east 100 to P2, north 100 to B (1200, 1100); the start
// direction A→S is 180°, the end direction B→E 90°.  The angles are exact.
struct ConnectedRoute : test::TrvsFixture {
    ConnectedRoute(const char* first, const char* last) {
        Start(kTrvsConnected, "A", "1000.000", "1000.000", "S", "180.0000", false);
        header.T2No = "B";
        header.T2X = "1200.000";
        header.T2Y = "1100.000";
        header.T3No = "E";
        header.T3Angle = "90.0000";
        header.endIncoming = false;
        Row("T", "P1", "180.0000", "90.0000", first);
        Row("T", "P2", "270.0000", "90.0000", "100.000");
        Row("T", "B", "90.0000", "90.0000", last);
        Row("T", "E", "270.0000", "90.0000", "");
    }
};

const AdjustedNetworkPoint& Named(const Network& net, const NetworkAdjustment& a, const std::string& name) {
    for (const AdjustedNetworkPoint& p : a.points) {
        if (net.points[static_cast<size_t>(p.point)].name == name) {
            return p;
        }
    }
    throw std::runtime_error("no point " + name);
}

TEST(RouteNetwork, AnExactConnectedTraverseComesOutAtItsPoints) {
    ConnectedRoute route("100.000", "100.000");
    RouteNetworkBuilder builder{RouteSigmas{}};
    EXPECT_TRUE(builder.AddRoute(route.header, route.table, route.options, route.known).empty());
    const Network& net = builder.network();
    // The start azimuth, two angles, three distances and the closing azimuth at B.
    ASSERT_EQ(net.observations.size(), 7u);
    const auto adjusted = AdjustNetwork(net);
    ASSERT_TRUE(adjusted.has_value()) << adjusted.error();
    EXPECT_EQ(adjusted->degreesOfFreedom, 7 - 4);
    EXPECT_NEAR(Named(net, *adjusted, "P1").x, 1100.0, 1e-6);
    EXPECT_NEAR(Named(net, *adjusted, "P1").y, 1000.0, 1e-6);
    EXPECT_NEAR(Named(net, *adjusted, "P2").x, 1100.0, 1e-6);
    EXPECT_NEAR(Named(net, *adjusted, "P2").y, 1100.0, 1e-6);
}

// 30 mm too much northing over the two northward legs of equal weight: least squares takes about 15 mm
// off each (the angles close, so nothing moves sideways but by their small share): P1 and P2 at
// X 1099.995 within 0.1 mm.
TEST(RouteNetwork, TheMisclosureOfTwoEqualLegsIsSharedEqually) {
    ConnectedRoute route("100.010", "100.020");
    RouteNetworkBuilder builder{RouteSigmas{}};
    builder.AddRoute(route.header, route.table, route.options, route.known);
    const auto adjusted = AdjustNetwork(builder.network());
    ASSERT_TRUE(adjusted.has_value()) << adjusted.error();
    EXPECT_NEAR(Named(builder.network(), *adjusted, "P1").x, 1099.995, 1e-4);
    EXPECT_NEAR(Named(builder.network(), *adjusted, "P1").y, 1000.000, 1e-4);
    EXPECT_NEAR(Named(builder.network(), *adjusted, "P2").x, 1099.995, 1e-4);
    EXPECT_NEAR(Named(builder.network(), *adjusted, "P2").y, 1100.000, 1e-4);
}

// Two routes meeting at P2: one point, adjusted together.
TEST(RouteNetwork, RoutesMeetingAtAPointAreOneNetwork) {
    ConnectedRoute first("100.000", "100.000");
    test::TrvsFixture second;
    second.Start(kTrvsConnected, "C", "1100.000", "1300.000", "S2", "90.0000", false);
    second.header.T2No = "A";
    second.header.T2X = "1000.000";
    second.header.T2Y = "1000.000";
    second.header.T3No = "S";
    second.header.T3Angle = "180.0000";
    second.header.endIncoming = false;
    second.Row("T", "P2", "180.0000", "90.0000", "200.000"); // C west 200 to P2
    second.Row("T", "A", "135.0000", "90.0000", "141.421");  // P2 south-west to A
    second.Row("T", "S", "135.0000", "90.0000", "");
    RouteNetworkBuilder builder{RouteSigmas{}};
    builder.AddRoute(first.header, first.table, first.options, first.known);
    EXPECT_TRUE(builder.AddRoute(second.header, second.table, second.options, second.known).empty());
    const Network& net = builder.network();
    EXPECT_EQ(net.points.size(), 5u); // A P1 P2 B C: the sighting points S, E, S2 stand for directions
    const auto adjusted = AdjustNetwork(net);
    ASSERT_TRUE(adjusted.has_value()) << adjusted.error();
    EXPECT_NEAR(Named(net, *adjusted, "P2").x, 1100.0, 2e-4);
    EXPECT_NEAR(Named(net, *adjusted, "P2").y, 1100.0, 2e-4);
}

} // namespace
} // namespace vemo
