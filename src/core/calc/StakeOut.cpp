#include "core/calc/StakeOut.h"

#include "core/geometry/Inverse.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesStakeOut.h"
#include "core/text/Numbers.h"

#include <cmath>

namespace vemo {

namespace {

// A distance that shows as 0.000 leaves no direction worth setting out.
constexpr double kAtStation = 0.0005;

// Decimal degrees to whole seconds, rounded half up and reduced into one turn, so that an angle a hair
// below a full turn reads 0-00-00 rather than 360-00-00.
std::int64_t TurnSeconds(double degrees) {
    const auto seconds = static_cast<std::int64_t>(std::floor(degrees * 3600.0 + 0.5));
    return ((seconds % kFullTurnSeconds) + kFullTurnSeconds) % kFullTurnSeconds;
}

std::string Row(const std::string& name, std::int64_t direction, std::int64_t angle, double distance) {
    return Sprintf("%-16s%12s%12s%12s", name.c_str(), SecondsText(direction).c_str(), SecondsText(angle).c_str(),
                   MillimetreText(distance).c_str());
}

} // namespace

std::string SecondsText(std::int64_t seconds) {
    return Sprintf("%d-%02d-%02d", static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                   static_cast<int>(seconds % 60));
}

std::string MillimetreText(double metres) {
    return Sprintf("%.3f", std::floor(metres * 1000.0 + 0.5) / 1000.0);
}

StakeOutPlan PlanStakeOut(const NamedPoint& station, const NamedPoint& backsight,
                          const std::vector<NamedPoint>& targets) {
    StakeOutPlan plan;
    plan.station = station;
    plan.backsight = backsight;
    const Inverse back = InversePoints(station.point, backsight.point);
    if (back.distance < kAtStation || !back.direction) {
        throw Error(msg::BacksightAtStation());
    }
    plan.backsightDirectionSeconds = TurnSeconds(*back.direction);
    plan.backsightDistance = back.distance;
    for (const NamedPoint& target : targets) {
        const Inverse leg = InversePoints(station.point, target.point);
        if (leg.distance < kAtStation || !leg.direction) {
            throw Error(msg::TargetAtStation(target.name));
        }
        // The angle from the unrounded directions, so that it is not off by the two roundings.
        plan.rows.push_back(
            {target, TurnSeconds(*leg.direction), TurnSeconds(*leg.direction - *back.direction), leg.distance});
    }
    for (size_t i = 1; i < plan.rows.size(); ++i) {
        plan.spacing.push_back(InversePoints(plan.rows[i - 1].target.point, plan.rows[i].target.point).distance);
    }
    return plan;
}

std::vector<StakedCheckRow> CheckStakes(const StakeOutPlan& plan, const std::vector<StakedPoint>& staked,
                                        StakeTolerance tolerance) {
    std::vector<StakedCheckRow> rows;
    for (const StakedPoint& stake : staked) {
        const StakeOutRow* row = nullptr;
        for (const StakeOutRow& candidate : plan.rows) {
            if (candidate.target.name == stake.target) {
                row = &candidate;
                break;
            }
        }
        if (!row) {
            throw Error(msg::StakedPointNotATarget(stake.target));
        }
        StakedCheckRow check;
        check.target = stake.target;
        check.staked = stake.measured.name;
        check.dx = stake.measured.point.x - row->target.point.x;
        check.dy = stake.measured.point.y - row->target.point.y;
        check.ds = std::hypot(check.dx, check.dy);
        check.limit = (tolerance.fixedMm + tolerance.perRootMetreMm * std::sqrt(row->distance)) / 1000.0;
        check.within = std::floor(check.ds * 1000.0 + 0.5) <= check.limit * 1000.0 + 1e-9;
        rows.push_back(std::move(check));
    }
    return rows;
}

std::vector<std::string> StakeOutLines(const StakeOutPlan& plan) {
    std::vector<std::string> lines;
    lines.push_back(Jp("器械点 ") + plan.station.name + Jp("  後視点 ") + plan.backsight.name);
    lines.push_back(Sprintf("%-16s", Jp("点名").c_str()) + Sprintf("%12s", Jp("方向角").c_str()) +
                    Sprintf("%12s", Jp("水平角").c_str()) + Sprintf("%12s", Jp("水平距離").c_str()));
    lines.push_back(Row(plan.backsight.name + Jp("(後視)"), plan.backsightDirectionSeconds, 0, plan.backsightDistance));
    for (const StakeOutRow& row : plan.rows) {
        lines.push_back(Row(row.target.name, row.directionSeconds, row.angleSeconds, row.distance));
    }
    if (!plan.spacing.empty()) {
        lines.push_back(Jp("杭間"));
        for (size_t i = 0; i < plan.spacing.size(); ++i) {
            const std::string pair = plan.rows[i].target.name + " - " + plan.rows[i + 1].target.name;
            lines.push_back(Sprintf("%-40s%12s", pair.c_str(), MillimetreText(plan.spacing[i]).c_str()));
        }
    }
    return lines;
}

std::vector<std::string> StakedCheckLines(const std::vector<StakedCheckRow>& rows, StakeTolerance tolerance) {
    std::vector<std::string> lines;
    lines.push_back(Jp("出来形 (許容 ±(") + FormatGeneral(tolerance.fixedMm) + "mm + " +
                    FormatGeneral(tolerance.perRootMetreMm) + Jp("mm√S))"));
    lines.push_back(Sprintf("%-16s", Jp("点名").c_str()) +
                    Sprintf("%9s%9s%9s%9s  ", "dX", "dY", "dS", Jp("許容").c_str()) + Jp("判定"));
    for (const StakedCheckRow& row : rows) {
        lines.push_back(Sprintf("%-16s%9s%9s%9s%9s  ", row.target.c_str(), MillimetreText(row.dx).c_str(),
                                MillimetreText(row.dy).c_str(), MillimetreText(row.ds).c_str(),
                                MillimetreText(row.limit).c_str()) +
                        Jp(row.within ? "良" : "不良"));
    }
    return lines;
}

} // namespace vemo
