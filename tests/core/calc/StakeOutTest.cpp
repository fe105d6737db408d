// Stake-out figures worked out by hand on 3-4-5 triangles: a target 30 m north and 40 m east of the
// station lies at atan(40/30) = 53°07'48.37", 50.000 m away; the other quadrants mirror it
// (126°52'11.63", 233°07'48.37", 306°52'11.63").  The horizontal angle is the target's direction less
// the backsight's, turned into one full turn.
#include "core/calc/StakeOut.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <random>

namespace vemo {
namespace {

struct Shown {
    std::string direction;
    std::string angle;
    std::string distance;
    friend bool operator==(const Shown&, const Shown&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Shown& shown) {
        return out << shown.direction << " " << shown.angle << " " << shown.distance;
    }
};

std::vector<Shown> ShownRows(const StakeOutPlan& plan) {
    std::vector<Shown> rows;
    for (const StakeOutRow& row : plan.rows) {
        rows.push_back(
            {SecondsText(row.directionSeconds), SecondsText(row.angleSeconds), MillimetreText(row.distance)});
    }
    return rows;
}

NamedPoint At(const std::string& name, PlanePoint station, double north, double east) {
    return {name, {station.x + north, station.y + east}};
}

TEST(StakeOut, EveryQuadrantFromBacksightsNorthAndEastAtRealisticCoordinates) {
    for (const PlanePoint s :
         {PlanePoint{-35000.0, 12000.0}, PlanePoint{299950.0, -299950.0}, PlanePoint{-299950.0, 299950.0}}) {
        const std::vector<NamedPoint> targets{At("NE", s, 30, 40), At("SE", s, -30, 40), At("SW", s, -30, -40),
                                              At("NW", s, 30, -40)};
        const StakeOutPlan north = PlanStakeOut({"S", s}, At("B", s, 25, 0), targets);
        EXPECT_EQ(SecondsText(north.backsightDirectionSeconds), "0-00-00");
        EXPECT_EQ(MillimetreText(north.backsightDistance), "25.000");
        EXPECT_EQ(ShownRows(north), (std::vector<Shown>{{"53-07-48", "53-07-48", "50.000"},
                                                        {"126-52-12", "126-52-12", "50.000"},
                                                        {"233-07-48", "233-07-48", "50.000"},
                                                        {"306-52-12", "306-52-12", "50.000"}}));
        // 杭間: NE-SE 60 m, SE-SW 80 m, SW-NW 60 m.
        ASSERT_EQ(north.spacing.size(), 3u);
        EXPECT_EQ(MillimetreText(north.spacing[0]), "60.000");
        EXPECT_EQ(MillimetreText(north.spacing[1]), "80.000");
        EXPECT_EQ(MillimetreText(north.spacing[2]), "60.000");

        // Backsight due east (90°): 53°07'48" - 90° = -36°52'12" → 323°07'48", and so on round.
        const StakeOutPlan east = PlanStakeOut({"S", s}, At("B", s, 0, 12.5), targets);
        EXPECT_EQ(SecondsText(east.backsightDirectionSeconds), "90-00-00");
        EXPECT_EQ(ShownRows(east), (std::vector<Shown>{{"53-07-48", "323-07-48", "50.000"},
                                                       {"126-52-12", "36-52-12", "50.000"},
                                                       {"233-07-48", "143-07-48", "50.000"},
                                                       {"306-52-12", "216-52-12", "50.000"}}));
    }
}

TEST(StakeOut, OnTheBacksightLineAndOneSecondShortOfAFullTurn) {
    const PlanePoint s{-145321.456, 38211.002};
    // Beyond the backsight on its line: 0-00-00.  1 mm west at 206.265 m north: atan(0.001 / 206.265)
    // is 0.99999906", so the angle turned clockwise is 359-59-59; 1 mm east gives 0-00-01.
    const StakeOutPlan plan = PlanStakeOut({"S", s}, At("B", s, 100, 0),
                                           {At("T1", s, 150, 0), At("T2", s, 206.265, -0.001),
                                            At("T3", s, 206.265, 0.001), At("T4", s, 206.265, -0.0005)});
    EXPECT_EQ(ShownRows(plan), (std::vector<Shown>{{"0-00-00", "0-00-00", "150.000"},
                                                   {"359-59-59", "359-59-59", "206.265"},
                                                   {"0-00-01", "0-00-01", "206.265"},
                                                   // 0.4999995": rounds to the backsight line, not 360-00-00
                                                   {"0-00-00", "0-00-00", "206.265"}}));
}

TEST(StakeOut, RefusesATargetOrBacksightAtTheStation) {
    const PlanePoint s{299999.999, -299999.999};
    try {
        PlanStakeOut({"S", s}, At("B", s, 10, 0), {At("T1", s, 5, 5), At("T2", s, 0, 0)});
        FAIL() << "a target at the station has no direction";
    } catch (const Error& e) {
        EXPECT_EQ(Cp932ToUtf8(e.what()), "T2 は器械点と同じ位置にあるため測設できません");
    }
    EXPECT_THROW(PlanStakeOut({"S", s}, At("B", s, 0, 0), {At("T1", s, 5, 5)}), Error);
}

// The angle from the backsight to the target by the vectors themselves (atan2 of their cross and dot
// products), not by the difference of two direction angles as the stake-out takes it.
long double OracleAngleSeconds(PlanePoint s, PlanePoint b, PlanePoint t) {
    const long double bx = static_cast<long double>(b.x) - s.x, by = static_cast<long double>(b.y) - s.y;
    const long double tx = static_cast<long double>(t.x) - s.x, ty = static_cast<long double>(t.y) - s.y;
    // X north, Y east: clockwise from b to t is positive when b × t (in x, y order) is positive.
    long double angle = std::atan2(bx * ty - by * tx, bx * tx + by * ty) * 180.0L / 3.14159265358979323846L;
    if (angle < 0) {
        angle += 360.0L;
    }
    return angle * 3600.0L;
}

TEST(StakeOut, AnglesAndDistancesAgreeWithVectorArithmeticAtRandom) {
    std::mt19937_64 random(40);
    std::uniform_real_distribution<double> coordinate(-300000.0, 300000.0);
    std::uniform_real_distribution<double> offset(-500.0, 500.0);
    int compared = 0;
    for (int i = 0; i < 5000; ++i) {
        const PlanePoint s{std::round(coordinate(random) * 1000) / 1000, std::round(coordinate(random) * 1000) / 1000};
        const PlanePoint b{s.x + std::round(offset(random) * 1000) / 1000,
                           s.y + std::round(offset(random) * 1000) / 1000};
        const PlanePoint t{s.x + std::round(offset(random) * 1000) / 1000,
                           s.y + std::round(offset(random) * 1000) / 1000};
        if (std::hypot(b.x - s.x, b.y - s.y) < 0.01 || std::hypot(t.x - s.x, t.y - s.y) < 0.01) {
            continue;
        }
        const long double exact = OracleAngleSeconds(s, b, t);
        // Within a hair of half a second either rounding may fall either way.
        if (std::fabs(exact - std::floor(exact) - 0.5L) < 1e-4L) {
            continue;
        }
        const auto expected = static_cast<std::int64_t>(std::floor(exact + 0.5L)) % kFullTurnSeconds;
        const StakeOutPlan plan = PlanStakeOut({"S", s}, {"B", b}, {{"T", t}});
        ASSERT_EQ(plan.rows[0].angleSeconds, expected) << "station " << s.x << "," << s.y;
        EXPECT_NEAR(plan.rows[0].distance, std::hypot(t.x - s.x, t.y - s.y), 1e-9);
        ++compared;
    }
    EXPECT_GT(compared, 4900);
}

TEST(StakedCheck, DifferencesJudgedAgainstTenMillimetresPlusTwoTimesRootS) {
    const PlanePoint s{-35000.0, 12000.0};
    const StakeOutPlan plan = PlanStakeOut({"S", s}, At("B", s, 25, 0), {At("K1", s, 30, 40), At("K2", s, 0, 100)});
    // K1 at 50 m: 10 + 2√50 = 24.142 mm.  15, -19 mm off: 24.207 mm shows 24, within; 15, -20: 25, not.
    // K2 at 100 m: 30 mm; 30 mm east is on the limit, within.
    const auto rows = CheckStakes(
        plan,
        {{"K1", At("M1", s, 30.015, 39.981)}, {"K1", At("M2", s, 30.015, 39.980)}, {"K2", At("M3", s, 0, 100.030)}},
        {10, 2});
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(MillimetreText(rows[0].dx) + " " + MillimetreText(rows[0].dy) + " " + MillimetreText(rows[0].ds),
              "0.015 -0.019 0.024");
    EXPECT_EQ(MillimetreText(rows[0].limit), "0.024");
    EXPECT_TRUE(rows[0].within);
    EXPECT_EQ(MillimetreText(rows[1].ds), "0.025");
    EXPECT_FALSE(rows[1].within);
    EXPECT_EQ(MillimetreText(rows[2].limit), "0.030");
    EXPECT_TRUE(rows[2].within);
    EXPECT_THROW(CheckStakes(plan, {{"K9", At("M4", s, 0, 0)}}, {}), Error);
}

} // namespace
} // namespace vemo
