// Registration of computed traverse points into the coordinate list.
#include "TrvsFixture.h"

#include "core/text/Error.h"
#include "core/text/MessagesTraverse.h"
#include "core/traverse/RegisterTraverse.h"

#include <gtest/gtest.h>

namespace vemo::test {
namespace {

struct RadialFixture : TrvsFixture {
    RadialFixture() {
        Start(kTrvsRadial, "T.1", "1000.000", "2000.000", "N", "180.0000", true);
        Row("K", "P1", "0.0000", "90.0000", "100.000");
        Row("K", "P2", "90.0000", "90.0000", "100.000");
        Row("K", "P3", "180.0000", "90.0000", "100.000");
    }
    std::optional<int> Register() { return RegisterTraverse(state, Input(), store.xyz); }
};

TEST(RegisterTraverse, RadialTraverseAppendsStartAndPoints) {
    RadialFixture f;
    f.AddPoint("K1", "500.000", "500.000", "1.000");
    EXPECT_EQ(f.Register(), 4);
    const XyzList& list = f.store.xyz;
    ASSERT_EQ(list.RowCount(), 6);
    EXPECT_EQ(list.Cell(2, kColNo), "2");
    EXPECT_EQ(list.Cell(2, kColName), "T.1");
    EXPECT_EQ(list.Cell(3, kColName), "P1");
    EXPECT_EQ(list.Cell(3, kColX), "1100.000");
    EXPECT_EQ(list.Cell(4, kColY), "2100.000");
    EXPECT_EQ(list.Cell(5, kColX), "900.000");
    EXPECT_EQ(list.Cell(5, kColZ), "0.000");
    EXPECT_EQ(list.Cell(5, kColBiko), "Trvs:");
    EXPECT_EQ(list.Cell(1, kColBiko), ""); // existing points untouched
    // Registering again never gives a name to a second row.  Points computed onto the coordinates
    // they have are left alone; a corrected one is refused unless the surveyor lets it be replaced.
    EXPECT_EQ(f.Register(), 0);
    f.table.SetCell(1, kTrvColSlope, "200.000");
    EXPECT_THROW(f.Register(), Error);
    EXPECT_EQ(list.RowCount(), 6);
    EXPECT_EQ(list.Cell(3, kColX), "1100.000");
    std::vector<std::string> asked;
    const auto yes = [&](const std::vector<std::string>& held) {
        asked = held;
        return true;
    };
    EXPECT_EQ(RegisterTraverse(f.state, f.Input(), f.store.xyz, yes), 1);
    EXPECT_EQ(asked, std::vector<std::string>{"P1"});
    EXPECT_EQ(list.RowCount(), 6);
    EXPECT_EQ(list.Cell(3, kColX), "1200.000");
    EXPECT_EQ(list.Cell(3, kColBiko), "Trvs:");
}

// A point computed exactly on an axis is a real point: only the slots the run wrote decide.
TEST(RegisterTraverse, PointsOnAnAxisAreRegistered) {
    RadialFixture f;
    f.table.SetCell(1, kTrvColHAngle, "180.0000"); // P1 1000 m south: X = 0
    f.table.SetCell(1, kTrvColSlope, "1000.000");
    f.table.SetCell(2, kTrvColHAngle, "270.0000"); // P2 2000 m west: Y = 0
    f.table.SetCell(2, kTrvColSlope, "2000.000");
    f.table.SetCell(3, kTrvColHAngle, "0.0000");
    EXPECT_EQ(f.Register(), 4);
    const XyzList& list = f.store.xyz;
    EXPECT_EQ(list.Cell(2, kColName), "P1");
    EXPECT_EQ(list.Cell(2, kColX), "0.000");
    EXPECT_EQ(list.Cell(3, kColName), "P2");
    EXPECT_EQ(list.Cell(3, kColY), "0.000");
}

// Only trailing rows holding nothing are reused; a named point at the local origin stays.
TEST(RegisterTraverse, OnlyEmptyTrailingRowsAreReused) {
    RadialFixture f;
    f.AddPoint("K1", "500.000", "500.000");
    f.AddPoint("ORG", "0.000", "0.000");
    f.AddPoint("", "0.000", "0.000");
    f.AddPoint("", "", "");
    EXPECT_EQ(f.Register(), 4);
    const XyzList& list = f.store.xyz;
    ASSERT_EQ(list.RowCount(), 7);
    EXPECT_EQ(list.Cell(2, kColName), "ORG");
    EXPECT_EQ(list.Cell(2, kColX), "0.000");
    EXPECT_EQ(list.Cell(2, kColBiko), "");
    EXPECT_EQ(list.Cell(3, kColName), "T.1");
    EXPECT_EQ(list.Cell(4, kColName), "P1");
    EXPECT_EQ(list.Cell(6, kColName), "P3");
    EXPECT_EQ(list.Cell(6, kColNo), "6");
}

TEST(RegisterTraverse, ClosedTraverseRegistersAdjustedStationsWithHeights) {
    TrvsFixture f;
    f.Start(kTrvsClosed, "A", "1000.000", "1000.000", "D", "0.0000", false);
    f.header.T0Z = "10.000";
    f.table.SetZCalc(true);
    f.Row("T", "B", "90.0000", "90.0000", "100.000", "", "", "1.500", "0.500");
    f.Row("K", "R", "0.0000", "90.0000", "10.000");
    f.Row("T", "C", "90.0000", "90.0000", "100.000", "", "", "", "1.500");
    f.Row("T", "D", "90.0000", "90.0000", "100.000", "", "", "", "2.500");
    f.Row("T", "A", "90.0000", "90.0000", "100.000", "", "", "", "1.500");
    EXPECT_EQ(RegisterTraverse(f.state, f.Input(), f.store.xyz), 5); // A, B, R, C, D
    const XyzList& list = f.store.xyz;
    EXPECT_EQ(list.Cell(2, kColName), "B");
    EXPECT_EQ(list.Cell(2, kColZ), "11.000");
    EXPECT_EQ(list.Cell(3, kColName), "R");
    EXPECT_EQ(list.Cell(3, kColZ), "11.000"); // from A with A's instrument height, target height 0.500
    EXPECT_EQ(list.Cell(5, kColName), "D");
    EXPECT_EQ(list.Cell(5, kColZ), "10.000");
    EXPECT_EQ(RegisterTraverse(f.state, f.Input(), f.store.xyz), 0); // the same points again: left alone
    EXPECT_EQ(list.RowCount(), 6);
}

// A connected traverse K1 (backsight K2) -> T1 -> T2 -> K6 (sighting K5) hangs on known points:
// only T1 and T2 are new.  A start point typed with its coordinates (not in the list) is registered.
TEST(RegisterTraverse, KnownStartAndEndPointsAreNotRegisteredAgain) {
    TrvsFixture f;
    f.AddPoint("K1", "1000.000", "1000.000");
    f.AddPoint("K6", "1000.000", "1300.000");
    f.Start(kTrvsConnected, "K1", "1000.000", "1000.000", "K2", "0.0000", true);
    f.header.T2No = "K6";
    f.header.T2X = "1000.000";
    f.header.T2Y = "1300.000";
    f.header.T3No = "K5";
    f.header.T3Angle = "90.0000";
    f.header.endIncoming = false;
    f.Row("T", "T1", "270.0000", "90.0000", "100.000");
    f.Row("T", "T2", "180.0000", "90.0000", "100.000");
    f.Row("T", "K6", "180.0000", "90.0000", "100.000");
    f.Row("T", "K5", "180.0000", "90.0000", "100.000");
    auto plan = PlanTraverseRegistration(f.state, f.Input());
    ASSERT_TRUE(plan && plan->precision);
    EXPECT_EQ(plan->precision->angleMisclosure, 0);
    ASSERT_EQ(plan->points.size(), 2u);
    EXPECT_EQ(plan->points[0].name, "T1");
    EXPECT_EQ(plan->points[0].x, "1000.000");
    EXPECT_EQ(plan->points[0].y, "1100.000");
    EXPECT_EQ(plan->points[1].name, "T2");
    EXPECT_EQ(plan->points[1].y, "1200.000");

    f.header.T0No = "S";
    plan = PlanTraverseRegistration(f.state, f.Input());
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->points.size(), 3u);
    EXPECT_EQ(plan->points[0].name, "S");
}

TEST(RegisterTraverse, NothingWithoutAStartPoint) {
    RadialFixture f;
    f.header.T0No = "";
    EXPECT_EQ(f.Register(), std::nullopt);
    EXPECT_EQ(f.store.xyz.RowCount(), 2);
}

} // namespace
} // namespace vemo::test
