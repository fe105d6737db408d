#pragma once

#include "core/geometry/PlanePoint.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vemo {

// Stake-out (測設, 逆打ち計算): from an instrument station sighting a backsight, the direction angle, the
// horizontal angle turned clockwise from the backsight and the horizontal distance to each point to be
// staked.  Angles are whole seconds: the crew reads and sets them to 1″; distances to 1 mm.

struct NamedPoint {
    std::string name; // CP932
    PlanePoint point;
};

struct StakeOutRow {
    NamedPoint target;
    std::int64_t directionSeconds = 0; // direction angle (方向角) from the station, [0, 1296000)
    std::int64_t angleSeconds = 0;     // clockwise from the backsight, [0, 1296000): on its line 0
    double distance = 0;               // metres, unrounded
};

struct StakeOutPlan {
    NamedPoint station;
    NamedPoint backsight;
    std::int64_t backsightDirectionSeconds = 0;
    double backsightDistance = 0;
    std::vector<StakeOutRow> rows;
    std::vector<double> spacing; // 杭間: spacing[i] from rows[i] to rows[i + 1]
};

inline constexpr std::int64_t kFullTurnSeconds = 360 * 3600;

// Throws vemo::Error when the backsight or a target stands at the station (no direction to it).
StakeOutPlan PlanStakeOut(const NamedPoint& station, const NamedPoint& backsight,
                          const std::vector<NamedPoint>& targets);

// Whole seconds as "D-MM-SS" (0 to 359-59-59).
std::string SecondsText(std::int64_t seconds);
// Metres rounded half up to the millimetre, "%.3f".
std::string MillimetreText(double metres);

// The as-staked check: a stake's position measured after setting it, against the target.  The
// tolerance is a + b·√S millimetres, S the horizontal distance from the station to the target in metres.
struct StakeTolerance {
    double fixedMm = 10;
    double perRootMetreMm = 2;
};

struct StakedCheckRow {
    std::string target; // CP932
    std::string staked; // the measured point's name
    double dx = 0;      // staked minus target, metres
    double dy = 0;
    double ds = 0;      // horizontal distance between the two, metres
    double limit = 0;   // metres
    bool within = true; // ds rounded to the millimetre is not above the limit
};

// A stake as measured: the target it was set for and the measured point.
struct StakedPoint {
    std::string target; // CP932
    NamedPoint measured;
};

// One row per staked point, in the order given.  Throws vemo::Error for a target the plan does not hold.
std::vector<StakedCheckRow> CheckStakes(const StakeOutPlan& plan, const std::vector<StakedPoint>& staked,
                                        StakeTolerance tolerance);

// The listing (CP932): station and backsight, the backsight row, one row per target, the 杭間.
std::vector<std::string> StakeOutLines(const StakeOutPlan& plan);
// The check's lines (CP932) with the tolerance in its heading.
std::vector<std::string> StakedCheckLines(const std::vector<StakedCheckRow>& rows, StakeTolerance tolerance);

} // namespace vemo
