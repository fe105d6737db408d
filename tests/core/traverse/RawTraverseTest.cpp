// The unadjusted computation of open and radial traverses, checked against hand-computed positions.
#include "TrvsFixture.h"

#include "core/text/Error.h"
#include "core/traverse/ComputeRawTraverse.h"

#include <gtest/gtest.h>

namespace vemo::test {
namespace {

constexpr double kMm = 0.0005;

// Start T.1 (1000, 2000) with the backsight due north: the horizontal angle is then the direction.
struct RadialFixture : TrvsFixture {
    RadialFixture() { Start(kTrvsRadial, "T.1", "1000.000", "2000.000", "N", "180.0000", true); }
};

TEST(RawTraverse, RadialRowsGoOutFromTheStartPoint) {
    RadialFixture f;
    f.Row("K", "P1", "0.0000", "90.0000", "100.000");
    f.Row("K", "P2", "90.0000", "60.0000", "100.000"); // zenith 60°: 86.603 level, 50 up
    f.Row("K", "P3", "45.3000", "90.0000", "50.000");
    ComputeRawTraverse(f.state, f.Input());
    const TrvsPoints& p = f.state.TrvsRawPoints;
    EXPECT_EQ(f.state.TrvsPointCount, 3);
    EXPECT_EQ(f.state.rawSlots, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(p.name[0], "T.1");
    EXPECT_NEAR(p.x[1], 1100.000, kMm);
    EXPECT_NEAR(p.y[1], 2000.000, kMm);
    EXPECT_NEAR(p.x[2], 1000.000, kMm);
    EXPECT_NEAR(p.y[2], 2086.603, kMm);
    EXPECT_NEAR(p.z[2], 50.000, kMm);
    EXPECT_NEAR(p.x[3], 1035.045, kMm);
    EXPECT_NEAR(p.y[3], 2035.663, kMm);
    EXPECT_TRUE(f.state.problems.empty());
}

TEST(RawTraverse, ElevationAnglesAndHeights) {
    RadialFixture f;
    f.options.Ver0 = 0;
    f.header.T0Z = "10.000";
    f.Row("K", "P1", "0.0000", "30.0000", "100.000", "", "", "1.500", "2.000"); // elevation 30°
    f.Row("K", "P2", "0.0000", "0.0000", "100.000", "", "", "", "1.000");       // level: hd = S, dv = 0
    ComputeRawTraverse(f.state, f.Input());
    const TrvsPoints& p = f.state.TrvsRawPoints;
    EXPECT_NEAR(p.x[1], 1086.603, kMm);
    EXPECT_NEAR(p.z[1], 10.000 + 50.000 + 1.500 - 2.000, kMm);
    EXPECT_NEAR(p.x[2], 1100.000, kMm);
    // The instrument height is carried down from row 1, the target height replaced.
    EXPECT_NEAR(p.z[2], 10.000 + 1.500 - 1.000, kMm);
}

TEST(RawTraverse, EmptyHeightOfTheFirstRowStopsWithTheConversionMessage) {
    RadialFixture f;
    f.Row("K", "P1", "0.0000", "90.0000", "100.000");
    f.table.SetCell(1, kTrvColInstH, "");
    EXPECT_THROW(ComputeRawTraverse(f.state, f.Input()), Error);
}

// Open traverse from A (1000, 1000), backsight north given as an outgoing direction of 0.
struct OpenFixture : TrvsFixture {
    OpenFixture() {
        Start(kTrvsOpen, "A", "1000.000", "1000.000", "N", "0.0000", false);
        Row("O", "P1", "90.0000", "90.0000", "100.000");  // east to (1000, 1100)
        Row("K", "R1", "0.0000", "90.0000", "10.000");    // side shot from A, north
        Row("O", "P2", "270.0000", "90.0000", "100.000"); // at P1 from A turn 270: south
        Row("K", "R2", "0.0000", "90.0000", "50.000");    // from P1 sighting back to A
    }
};

TEST(RawTraverse, LegsCarryTheSetupAndSideShotsUseTheLegBeforeThem) {
    OpenFixture f;
    ComputeRawTraverse(f.state, f.Input());
    const TrvsPoints& p = f.state.TrvsRawPoints;
    EXPECT_NEAR(p.x[1], 1000.000, kMm);
    EXPECT_NEAR(p.y[1], 1100.000, kMm);
    EXPECT_NEAR(p.x[2], 1010.000, kMm); // from the start with the start orientation
    EXPECT_NEAR(p.y[2], 1000.000, kMm);
    EXPECT_NEAR(p.x[3], 900.000, kMm);
    EXPECT_NEAR(p.y[3], 1100.000, kMm);
    EXPECT_NEAR(p.x[4], 1000.000, kMm); // from P1, oriented A -> P1
    EXPECT_NEAR(p.y[4], 1050.000, kMm);
}

TEST(RawTraverse, RawListingCharacterForCharacter) {
    OpenFixture f;
    f.header.T1No = "N";
    std::vector<std::string> listing;
    ComputeRawTraverse(f.state, f.Input(), &listing);
    std::vector<std::string> expected = {
        "            >>>>>>>>      開放トラバース      <<<<<<<<",
        "",
        "№ TM 器械 後視 測点  水平角 水平距離  方向角        X          Y        Z",
        std::string(77, '-'),
        "               A                                 1000.000   1000.000    0.000",
        "  1O A    N    P1     90.0000 100.000 180.0000   1000.000   1100.000    0.000",
        "  2K A    N    R1      0.0000  10.000 180.0000   1010.000   1000.000    0.000",
        "  3O P1   A    P2    270.0000 100.000  90.0000    900.000   1100.000    0.000",
        "  4K P1   A    R2      0.0000  50.000  90.0000   1000.000   1050.000    0.000",
    };
    EXPECT_EQ(Utf8Lines(listing), expected);
}

TEST(RawTraverse, OwnInstrumentAndBacksight) {
    OpenFixture f;
    f.AddPoint("K1", "1000.000", "1200.000");
    // From the computed P1, sighting back to the listed K1 (east of P1): the angle 90 turns south.
    f.Row("K", "S1", "90.0000", "90.0000", "20.000", "P1", "K1");
    // No instrument of its own: stays on P1 with that orientation.
    f.Row("K", "S2", "180.0000", "90.0000", "20.000");
    ComputeRawTraverse(f.state, f.Input());
    const TrvsPoints& p = f.state.TrvsRawPoints;
    EXPECT_NEAR(p.x[5], 980.000, kMm);
    EXPECT_NEAR(p.y[5], 1100.000, kMm);
    EXPECT_NEAR(p.x[6], 1000.000, kMm);
    EXPECT_NEAR(p.y[6], 1080.000, kMm);
}

TEST(RawTraverse, UnknownInstrumentIsReportedAndNothingStaleIsUsed) {
    OpenFixture f;
    f.Row("K", "S1", "90.0000", "90.0000", "20.000", "NOPE", "A");
    ComputeRawTraverse(f.state, f.Input());
    EXPECT_EQ(f.state.TrvsPointCount, 4);
    EXPECT_EQ(f.state.rawSlots, (std::vector<int>{0, 1, 2, 3, 4}));
    ASSERT_EQ(f.state.problems.size(), 1u);
    EXPECT_NE(f.state.problems[0].find("NOPE"), std::string::npos);
}

TEST(RawTraverse, NothingWithoutTheStartFields) {
    OpenFixture f;
    ComputeRawTraverse(f.state, f.Input());
    f.header.T1Angle = " ";
    ComputeRawTraverse(f.state, f.Input());
    EXPECT_EQ(f.state.TrvsPointCount, 0);
    EXPECT_TRUE(f.state.rawSlots.empty());
}

TEST(RawTraverse, DirectionMarkersAndTheConnectedEndPoint) {
    TrvsFixture f;
    f.Start(kTrvsConnected, "A", "1000.000", "1000.000", "N", "180.0000", true);
    f.header.T2No = "B";
    f.header.T2X = "1000.000";
    f.header.T2Y = "1100.000";
    f.header.T3Angle = "90.0000"; // incoming: the sighting point lies west of B
    f.Row("T", "B", "90.0000", "90.0000", "100.000");
    ComputeRawTraverse(f.state, f.Input());
    // Extents 0 m by 100 m: markers 10 m long.
    EXPECT_NEAR(f.state.startMarker.x, 1010.0, 1e-9);
    EXPECT_NEAR(f.state.startMarker.y, 1000.0, 1e-9);
    EXPECT_EQ(f.state.TrvsPointCount, 2);
    EXPECT_EQ(f.state.endPointSlot, 2);
    EXPECT_EQ(f.state.TrvsRawPoints.name[2], "B");
    ASSERT_TRUE(f.state.hasEndMarker);
    EXPECT_NEAR(f.state.endMarker.x, 1000.0, 1e-9);
    EXPECT_NEAR(f.state.endMarker.y, 1090.0, 1e-9);
}

TEST(RawTraverse, ConnectedEndPointNeverOverwritesAComputedRow) {
    TrvsFixture f;
    f.Start(kTrvsConnected, "A", "1000.000", "1000.000", "N", "180.0000", true);
    f.header.T2No = "E";
    f.header.T2X = "1200.000";
    f.header.T2Y = "1000.000";
    f.header.T3Angle = "0.0000";
    f.Row("T", "P1", "0.0000", "90.0000", "100.000");
    f.Row("T", "P2", "180.0000", "90.0000", ""); // no distance yet: skipped
    f.Row("T", "P3", "180.0000", "90.0000", "100.000");
    ComputeRawTraverse(f.state, f.Input());
    EXPECT_EQ(f.state.TrvsRawPoints.name[3], "P3");
    EXPECT_EQ(f.state.endPointSlot, 4);
    EXPECT_EQ(f.state.TrvsRawPoints.name[4], "E");
    EXPECT_EQ(f.state.TrvsPointCount, 3);
}

} // namespace
} // namespace vemo::test
