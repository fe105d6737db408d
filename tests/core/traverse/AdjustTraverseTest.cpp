// Adjustment of closed and connected traverses against figures worked out by hand.
#include "TrvsFixture.h"

#include "core/text/Error.h"
#include "core/traverse/AdjustTraverse.h"
#include "core/traverse/TrvsAngles.h"
#include "core/traverse/TrvsListing.h"
#include "core/traverse/TrvsResults.h"

#include <gtest/gtest.h>

namespace vemo::test {
namespace {

constexpr double kMm = 0.0005;

// A square of 100 m walked anticlockwise A (1000, 1000) -> B (1000, 1100) -> C (1100, 1100) ->
// D (1100, 1000) -> A, so every angle from the backsight clockwise to the next station is an interior
// 90°.  At A the backsight is D, due north: an outgoing direction of 0.
struct SquareFixture : TrvsFixture {
    explicit SquareFixture(const char* h1 = "90.0000", const char* h2 = "90.0000", const char* h3 = "90.0000",
                           const char* h4 = "90.0000") {
        Start(kTrvsClosed, "A", "1000.000", "1000.000", "D", "0.0000", false);
        Row("T", "B", h1, "90.0000", "100.000");
        Row("T", "C", h2, "90.0000", "100.000");
        Row("T", "D", h3, "90.0000", "100.000");
        Row("T", "A", h4, "90.0000", "100.000");
    }
    void ExpectSquare() const {
        const TrvsPoints& p = state.TrvsAdjPoints;
        EXPECT_EQ(state.adjSlots, (std::vector<int>{0, 1, 2, 3}));
        EXPECT_EQ(p.name[1], "B");
        EXPECT_NEAR(p.x[1], 1000.000, kMm);
        EXPECT_NEAR(p.y[1], 1100.000, kMm);
        EXPECT_NEAR(p.x[2], 1100.000, kMm);
        EXPECT_NEAR(p.y[2], 1100.000, kMm);
        EXPECT_NEAR(p.x[3], 1100.000, kMm);
        EXPECT_NEAR(p.y[3], 1000.000, kMm);
    }
};

TEST(AdjustClosed, ExactSquareHasNoMisclosure) {
    SquareFixture f;
    auto precision = AdjustTraverse(f.state, f.Input());
    ASSERT_TRUE(precision);
    EXPECT_EQ(precision->angleMisclosure, 0);
    EXPECT_EQ(precision->closure, 0.0);
    EXPECT_EQ(precision->ratio, 999999);
    EXPECT_NEAR(precision->totalDistance, 400.0, 1e-6);
    f.ExpectSquare();
    EXPECT_EQ(Utf8Lines(PrecisionDialogLines(kTrvsClosed, *precision)),
              (std::vector<std::string>{" 閉合トラバース - 精度計算", "測角合計     360°00′00″", "測角誤差     0″",
                                        "距離合計     400.000", "緯距誤差     0.000", "経距誤差     0.000",
                                        "高低誤差     0.000", "閉 合 差     0.00000", "閉 合 比     1 / 999999"}));
}

TEST(AdjustClosed, AdjustedListingCharacterForCharacter) {
    SquareFixture f;
    std::vector<std::string> listing;
    AdjustTraverse(f.state, f.Input(), &listing);
    const std::vector<std::string> expected = {
        "     >>>>>>>>　  閉合トラバース ( コンパス法則 )    <<<<<<<<",
        "測角合計 = 360°00′00″",
        "測角誤差 = 0″",
        "距離合計 = 400.000",
        "緯距誤差 = 0.000",
        "経距誤差 = 0.000",
        "高低誤差 = 0.000",
        "閉 合 差 = 0.000000",
        "閉 合 比 = 1 / 999999",
        "",
        "  測点      調整角度  調整緯距  調整経距        X           Y         Z",
        std::string(74, '-'),
        "A           90-00-00     0.000   100.000    1000.000    1000.000    0.000",
        "B           90-00-00   100.000     0.000    1000.000    1100.000    0.000",
        "C           90-00-00     0.000  -100.000    1100.000    1100.000    0.000",
        "D           90-00-00  -100.000     0.000    1100.000    1000.000    0.000",
        "",
        "№ TM 器械 後視 測点  水平角 水平距離  方向角        X          Y        Z",
        std::string(77, '-'),
    };
    EXPECT_EQ(Utf8Lines(listing), expected);
}

TEST(AdjustClosed, MissingFourSecondsGoOneToEachAngle) {
    SquareFixture f("89.5959", "89.5959", "89.5959", "89.5959");
    std::vector<std::string> listing;
    auto precision = AdjustTraverse(f.state, f.Input(), &listing);
    ASSERT_TRUE(precision);
    EXPECT_EQ(precision->angleSum, (Dms{359, 59, 56}));
    EXPECT_EQ(precision->angleMisclosure, -4); // measured minus expected: 4" short
    EXPECT_EQ(Cp932ToUtf8(listing[1]), "測角合計 = 359°59′56″");
    f.ExpectSquare();
}

TEST(AdjustClosed, FiveSecondsTooManyComeOffTwoThenOne) {
    SquareFixture f("90.0002", "90.0001", "90.0001", "90.0001");
    auto precision = AdjustTraverse(f.state, f.Input());
    ASSERT_TRUE(precision);
    EXPECT_EQ(precision->angleMisclosure, 5);
    f.ExpectSquare(); // -2, -1, -1, -1 leaves exact right angles
}

TEST(AdjustClosed, ExteriorAnglesCloseOnSixHalfTurns) {
    // Walked the other way round, every angle is exterior: 4 × 270° against (4 + 2) × 180°.
    EXPECT_EQ(ClosedAngleMisclosure({1079, 59, 50}, 4), 10);
    EXPECT_EQ(ClosedAngleMisclosure({360, 0, 5}, 4), -5);
}

TEST(AdjustAngles, DistributionInWholeSeconds) {
    EXPECT_EQ(DistributeAngleMisclosure(10, 4), (std::vector<int>{3, 3, 2, 2}));
    EXPECT_EQ(DistributeAngleMisclosure(4, 4), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(DistributeAngleMisclosure(-5, 4), (std::vector<int>{-2, -1, -1, -1}));
    EXPECT_EQ(DistributeAngleMisclosure(3, 4), (std::vector<int>{1, 1, 1, 0}));
    EXPECT_EQ(CorrectAngle(90.0, -2), (Dms{89, 59, 58}));
    EXPECT_EQ(CorrectAngle(89.5959, 1), (Dms{90, 0, 0}));
    // Connected: carried 359°59'58" against a given 0°00'03" is 5" short, not 359°59'55".
    EXPECT_EQ(ConnectedAngleMisclosure({359, 59, 58}, 0.0, 0.0003, 1), 5);
}

TEST(AdjustClosed, RadialRowsFromTheAdjustedStations) {
    TrvsFixture f;
    f.Start(kTrvsClosed, "A", "1000.000", "1000.000", "D", "0.0000", false);
    f.Row("T", "B", "90.0000", "90.0000", "100.000");
    f.Row("K", "R1", "45.0000", "90.0000", "10.000"); // from A, backsight D
    f.Row("T", "C", "90.0000", "90.0000", "100.000");
    f.Row("K", "R2", "90.0000", "90.0000", "10.000"); // from B, backsight A: due north
    f.Row("T", "D", "90.0000", "90.0000", "100.000");
    f.Row("T", "A", "90.0000", "90.0000", "100.000");
    std::vector<std::string> listing;
    ASSERT_TRUE(AdjustTraverse(f.state, f.Input(), &listing));
    const TrvsPoints& p = f.state.TrvsAdjPoints;
    EXPECT_EQ(f.state.adjSlots, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_NEAR(p.x[2], 1007.071, kMm);
    EXPECT_NEAR(p.y[2], 1007.071, kMm);
    EXPECT_NEAR(p.x[4], 1010.000, kMm);
    EXPECT_NEAR(p.y[4], 1100.000, kMm);
    EXPECT_NEAR(p.x[5], 1100.000, kMm); // station D in the slot of its row
    EXPECT_EQ(Cp932ToUtf8(listing.back()),
              "  4K B    A    R2     90.0000  10.000  90.0000   1010.000   1100.000    0.000");
}

// The program starts every traverse with the start label "入射方向角:" (HowDirAgl = 1): T1Angle is
// then the direction from the backsight D to A, due south.  Read the other way round, every point
// would land 180° off.
TEST(AdjustClosed, DefaultIncomingStartLabel) {
    TrvsFixture f; // the header as a new traverse starts it, with the default options
    f.header.TrvsType = kTrvsClosed;
    f.header.T0No = "A";
    f.header.T0X = f.header.T0Y = "1000.000";
    f.header.T1No = "D";
    f.header.T1Angle = "180.0000";
    EXPECT_EQ(Cp932ToUtf8(f.header.StartLabel()), "入射方向角:");
    f.Row("T", "B", "90.0000", "90.0000", "100.000");
    f.Row("K", "R", "45.0000", "90.0000", "10.000"); // a side shot from A, 45° from D
    f.Row("T", "C", "90.0000", "90.0000", "100.000");
    f.Row("T", "D", "90.0000", "90.0000", "100.000");
    f.Row("T", "A", "90.0000", "90.0000", "100.000");
    auto precision = AdjustTraverse(f.state, f.Input());
    ASSERT_TRUE(precision);
    EXPECT_EQ(precision->angleMisclosure, 0);
    const TrvsPoints& p = f.state.TrvsAdjPoints;
    EXPECT_NEAR(p.x[1], 1000.000, kMm);
    EXPECT_NEAR(p.y[1], 1100.000, kMm);
    EXPECT_NEAR(p.x[2], 1007.071, kMm);
    EXPECT_NEAR(p.y[2], 1007.071, kMm);
    EXPECT_NEAR(p.x[4], 1100.000, kMm);
    EXPECT_NEAR(p.y[4], 1000.000, kMm);
}

// A four-sided closed traverse A -> D -> C -> B -> A, walked so that every angle is interior, with 6"
// too much angle and a misclosure in both X and Y; side shots from A (start orientation) and from C
// with its own instrument and backsight (the adjusted D).  Expected figures from
// closed_traverse_figures.py, which works the adjustment out on its own.
struct MisclosedFixture : TrvsFixture {
    MisclosedFixture() {
        Start(kTrvsClosed, "A", "1000.000", "1000.000", "B", "191.1836", true);
        Row("T", "D", "102.3909", "90.0000", "98.520");
        Row("K", "R0", "45.0000", "90.0000", "20.000");
        Row("T", "C", "87.5026", "90.0000", "107.681");
        Row("T", "B", "88.1054", "90.0000", "117.020");
        Row("K", "R1", "30.0000", "90.0000", "25.000", "C", "D");
        Row("T", "A", "81.1937", "90.0000", "101.994");
    }
};

TEST(AdjustClosed, MisclosureInXAndYByBothRules) {
    const struct {
        int errDiv;
        double x[6], y[6]; // slots 1..5: D, R0, C, B, R1
    } rules[] = {
        {1,
         {0, 960.001, 1011.094, 1059.994, 1100.000, 1044.532},
         {0, 1090.019, 1016.641, 1130.000, 1020.013, 1110.355}},
        {0,
         {0, 959.996, 1011.094, 1059.995, 1099.994, 1044.533},
         {0, 1090.014, 1016.641, 1130.000, 1020.006, 1110.355}},
    };
    for (const auto& rule : rules) {
        MisclosedFixture f;
        f.options.ErrDiv = rule.errDiv;
        auto precision = AdjustTraverse(f.state, f.Input());
        ASSERT_TRUE(precision);
        // 6" too much, shown with the sign of fx and fy: what the observations give minus what is known.
        EXPECT_EQ(precision->angleMisclosure, 6);
        // Unrounded, so that the closure and ratio are those of what is distributed.
        EXPECT_NEAR(precision->fx, -0.055094, 1e-6);
        EXPECT_NEAR(precision->fy, 0.044492, 1e-6);
        EXPECT_NEAR(precision->totalDistance, 425.215, 1e-9);
        EXPECT_NEAR(precision->closure, 0.070816, 1e-9);
        EXPECT_EQ(precision->ratio, 6004);
        const TrvsPoints& p = f.state.TrvsAdjPoints;
        EXPECT_EQ(f.state.adjSlots, (std::vector<int>{0, 1, 2, 3, 4, 5}));
        EXPECT_EQ(p.name[5], "R1");
        for (int slot = 1; slot <= 5; ++slot) {
            EXPECT_NEAR(p.x[slot], rule.x[slot], kMm) << "rule " << rule.errDiv << " slot " << slot;
            EXPECT_NEAR(p.y[slot], rule.y[slot], kMm) << "rule " << rule.errDiv << " slot " << slot;
        }
    }
}

TEST(AdjustClosed, HeightMisclosureOfFiveMillimetres) {
    SquareFixture f;
    f.table.SetZCalc(true);
    f.header.T0Z = "10.000";
    f.table.SetCell(1, kTrvColInstH, "1.500");
    f.table.SetCell(1, kTrvColTargetH, "0.500"); // +1.000 on the first two legs
    f.table.SetCell(3, kTrvColTargetH, "2.502"); // -1.002
    f.table.SetCell(4, kTrvColTargetH, "2.503"); // -1.003: 5 mm short in all
    auto precision = AdjustTraverse(f.state, f.Input());
    ASSERT_TRUE(precision);
    EXPECT_NEAR(precision->heightMisclosure, -0.005, 1e-9);
    // p = -1 mm on every leg and the remainder of -1 mm on the first: +2, +1, +1 (and +1 closing).
    EXPECT_NEAR(f.state.TrvsAdjPoints.z[1], 11.002, kMm);
    EXPECT_NEAR(f.state.TrvsAdjPoints.z[2], 12.003, kMm);
    EXPECT_NEAR(f.state.TrvsAdjPoints.z[3], 11.002, kMm);
}

TEST(AdjustClosed, TooFewStationsAreRefusedWithAMessage) {
    TrvsFixture f;
    f.Start(kTrvsClosed, "A", "1000.000", "1000.000", "N", "0.0000", false);
    f.Row("T", "B", "90.0000", "90.0000", "100.000");
    f.Row("T", "A", "90.0000", "90.0000", "100.000");
    EXPECT_THROW(AdjustTraverse(f.state, f.Input()), Error);
}

// Connected: A (1000, 1000) north 100.010 to P1, east 100 to P2, north 100.020 to B (1200, 1100);
// the angles are exact, so the 30 mm of excess latitude is all the misclosure.
struct ConnectedFixture : TrvsFixture {
    ConnectedFixture() {
        Start(kTrvsConnected, "A", "1000.000", "1000.000", "S", "180.0000", false);
        header.T2No = "B";
        header.T2X = "1200.000";
        header.T2Y = "1100.000";
        header.T3No = "E";
        header.T3Angle = "90.0000";
        header.endIncoming = false;
        Row("T", "P1", "180.0000", "90.0000", "100.010", "", "", "1.500", "0.500");
        Row("T", "P2", "270.0000", "90.0000", "100.000", "", "", "", "0.499");
        Row("T", "B", "90.0000", "90.0000", "100.020", "", "", "", "0.498");
        Row("T", "E", "270.0000", "90.0000", "");
    }
};

TEST(AdjustConnected, CompassRuleSpreadsByLength) {
    ConnectedFixture f;
    auto precision = AdjustTraverse(f.state, f.Input());
    ASSERT_TRUE(precision);
    EXPECT_EQ(precision->angleMisclosure, 0);
    EXPECT_NEAR(precision->fx, 0.030, 1e-9);
    EXPECT_NEAR(precision->fy, 0.000, 1e-9);
    EXPECT_NEAR(precision->totalDistance, 300.030, 1e-9);
    EXPECT_NEAR(precision->closure, 0.030, 1e-9);
    EXPECT_EQ(precision->ratio, 10001);
    const TrvsPoints& p = f.state.TrvsAdjPoints;
    EXPECT_EQ(f.state.adjSlots, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_NEAR(p.x[1], 1100.000, kMm);
    EXPECT_NEAR(p.x[2], 1099.990, kMm);
    EXPECT_NEAR(p.y[2], 1100.000, kMm);
    EXPECT_EQ(p.name[3], "B"); // the end point, as given
    EXPECT_NEAR(p.x[3], 1200.000, kMm);
}

TEST(AdjustConnected, AngleAndCoordinateMisclosureTogether) {
    ConnectedFixture f;
    f.table.SetCell(2, kTrvColHAngle, "270.0010"); // 10" too much: -3, -3, -2, -2
    std::vector<std::string> listing;
    auto precision = AdjustTraverse(f.state, f.Input(), &listing);
    ASSERT_TRUE(precision);
    EXPECT_EQ(precision->angleMisclosure, 10);
    // Legs at 359°59'57", 89°59'04" and 359°59'59" put the latitudes 2 mm short of the straight case;
    // the departures miss by half a millimetre, which the closure keeps (not rounded away first).
    EXPECT_NEAR(precision->fx, 0.0280607, 1e-7);
    EXPECT_NEAR(precision->fy, -0.0004848, 1e-7);
    EXPECT_NEAR(precision->closure, 0.028065, 1e-9); // to the micrometre
    EXPECT_EQ(precision->ratio, 10690);
    const TrvsPoints& p = f.state.TrvsAdjPoints;
    EXPECT_NEAR(p.x[1], 1100.001, kMm);
    EXPECT_NEAR(p.y[1], 999.999, kMm);
    EXPECT_NEAR(p.x[2], 1099.990, kMm);
    EXPECT_NEAR(p.y[2], 1099.999, kMm);
    EXPECT_EQ(Cp932ToUtf8(listing[13]).substr(0, 20), "P1         270-00-07");
}

TEST(AdjustConnected, TransitRuleSpreadsByLatitude) {
    ConnectedFixture f;
    f.options.ErrDiv = 0;
    ASSERT_TRUE(AdjustTraverse(f.state, f.Input()));
    EXPECT_NEAR(f.state.TrvsAdjPoints.x[1], 1099.995, kMm);
    EXPECT_NEAR(f.state.TrvsAdjPoints.x[2], 1099.995, kMm); // the eastward leg has no latitude to correct
}

TEST(AdjustConnected, TransitRuleOnATraverseWithoutLatitudes) {
    // Due east all the way: no latitude to weigh the transit rule by, which must not divide by zero.
    TrvsFixture f;
    f.options.ErrDiv = 0;
    f.Start(kTrvsConnected, "A", "1000.000", "1000.000", "W", "270.0000", false);
    f.header.T2No = "B";
    f.header.T2X = "1000.000";
    f.header.T2Y = "1200.000";
    f.header.T3Angle = "90.0000";
    f.header.endIncoming = false;
    f.Row("T", "P1", "180.0000", "90.0000", "100.010");
    f.Row("T", "B", "180.0000", "90.0000", "100.000");
    f.Row("T", "E", "180.0000", "90.0000", "");
    auto precision = AdjustTraverse(f.state, f.Input());
    ASSERT_TRUE(precision);
    EXPECT_NEAR(precision->fy, 0.010, 1e-9);
    EXPECT_NEAR(f.state.TrvsAdjPoints.x[1], 1000.000, kMm);
    EXPECT_NEAR(f.state.TrvsAdjPoints.y[1], 1100.005, kMm); // 100.010 / 200.010 of the 10 mm
}

TEST(AdjustConnected, HeightsAndListing) {
    ConnectedFixture f;
    f.table.SetZCalc(true);
    f.header.T0Z = "10.000";
    f.header.T2Z = "13.000";
    std::vector<std::string> listing;
    auto precision = AdjustTraverse(f.state, f.Input(), &listing);
    ASSERT_TRUE(precision);
    EXPECT_NEAR(precision->heightMisclosure, 0.003, 1e-9);
    const std::vector<std::string> expected = {
        "     >>>>>>>>　  結合トラバース ( コンパス法則 )    <<<<<<<<",
        "測角合計 = 810°00′00″",
        "測角誤差 = 0″",
        "高低誤差 = 0.003",
        "距離合計 = 300.030",
        "緯距誤差 = 0.030",
        "経距誤差 = 0.000",
        "高低誤差 = 0.003",
        "閉 合 差 = 0.030000",
        "閉 合 比 = 1 / 10001",
        "",
        "  測点      調整角度  調整緯距  調整経距        X           Y         Z",
        std::string(74, '-'),
        "A          180-00-00   100.000     0.000    1000.000    1000.000   10.000",
        "P1         270-00-00    -0.010   100.000    1100.000    1000.000   10.999",
        "P2          90-00-00   100.010     0.000    1099.990    1100.000   11.999",
        "B          270-00-00     0.000     0.000    1200.000    1100.000   13.000",
        "",
        "№ TM 器械 後視 測点  水平角 水平距離  方向角        X          Y        Z",
        std::string(77, '-'),
    };
    EXPECT_EQ(Utf8Lines(listing), expected);
}

TEST(AdjustConnected, NeedsTwoStationsAndTheEndFields) {
    ConnectedFixture f;
    f.header.T3Angle = "";
    EXPECT_FALSE(AdjustTraverse(f.state, f.Input()));
    f.header.T3Angle = "90.0000";
    f.rows.resize(1);
    f.table.SetRows(f.rows, "T");
    EXPECT_THROW(AdjustTraverse(f.state, f.Input()), Error);
}

// A radial row that does not parse stops the adjustment after the stations: what was computed before
// it is kept for the listing and the plot.  The side shot P from A sights 45° clockwise from the
// backsight D (north), 10 m away: (1007.071, 1007.071).
TEST(AdjustClosed, BadRadialCellKeepsTheStationsAndTheRowsBeforeIt) {
    TrvsFixture f;
    f.Start(kTrvsClosed, "A", "1000.000", "1000.000", "D", "0.0000", false);
    f.Row("T", "B", "90.0000", "90.0000", "100.000");
    f.Row("K", "P", "45.0000", "90.0000", "10.000");
    f.Row("T", "C", "90.0000", "90.0000", "100.000");
    f.Row("K", "Q", "45.0000", "90.0000", "1O0");
    f.Row("T", "D", "90.0000", "90.0000", "100.000");
    f.Row("T", "A", "90.0000", "90.0000", "100.000");
    try {
        AdjustTraverse(f.Input());
        ADD_FAILURE() << "the bad slope distance was accepted";
    } catch (const TrvsStopped<AdjustedTraverse>& stopped) {
        const AdjustedTraverse& partial = stopped.Partial();
        ASSERT_EQ(partial.stations.size(), 4u);
        ASSERT_EQ(partial.radialSights.size(), 1u);
        EXPECT_EQ(partial.radialSights[0].target, "P");
        EXPECT_NEAR(partial.radialSights[0].x, 1007.071, kMm);
        EXPECT_NEAR(partial.radialSights[0].y, 1007.071, kMm);
    }
    std::vector<std::string> listing;
    EXPECT_THROW(AdjustTraverse(f.state, f.Input(), &listing), Error);
    EXPECT_EQ(f.state.adjSlots, (std::vector<int>{0, 1, 2, 3, 5}));
    EXPECT_NEAR(f.state.TrvsAdjPoints.y[3], 1100.000, kMm); // C
    ASSERT_FALSE(listing.empty());
    EXPECT_EQ(listing.back().substr(0, 20), "  2K A    D    P    ");
}

} // namespace
} // namespace vemo::test
