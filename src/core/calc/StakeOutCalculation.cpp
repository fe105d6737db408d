// The stake-out as a calculation: the listing the crew reads at the station, the 逆打ち計算書, the
// targets handed on to the instrument or a SIMA file, and the check of the stakes as measured.
#include "core/calc/Calculation.h"
#include "core/calc/StakeOut.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesStakeOut.h"
#include "core/text/Numbers.h"

namespace vemo {

namespace {

constexpr CalcInput kStakeOutInputs[] = {
    {.id = "station",
     .caption = "器械点",
     .kind = CalcInputKind::Point,
     .required = true,
     .help = "NAME  the instrument station"},
    {.id = "backsight",
     .caption = "後視点",
     .kind = CalcInputKind::Point,
     .required = true,
     .help = "NAME  the backsight"},
    {.id = "targets",
     .caption = "測設点",
     .kind = CalcInputKind::Points,
     .required = true,
     .help = "N1,N2,...  the points to stake (A..B for a run of names, a parcel's ring as its names)"},
    {.id = "staked",
     .caption = "出来形",
     .kind = CalcInputKind::Text,
     .help = "N1:M1,...  each target with the point measured on its stake, for the as-staked check"},
    {.id = "tolerance",
     .caption = "許容誤差(mm)",
     .kind = CalcInputKind::Text,
     .defaultText = "10,2",
     .help = "A,B  the check's tolerance A mm + B mm x sqrt(S), S the distance in metres"},
};

NamedPoint Named(const Store& store, const std::string& name) {
    return {name, CalcPointOf(store, name)};
}

StakeTolerance ToleranceOf(const std::string& text) {
    const size_t comma = text.find(',');
    const auto a = TryStrToFloat(text.substr(0, comma));
    const auto b = comma == std::string::npos ? std::optional(0.0) : TryStrToFloat(text.substr(comma + 1));
    if (!a || !b || *a < 0 || *b < 0) {
        throw Error(msg::ToleranceNotReadable(text));
    }
    return {*a, *b};
}

std::vector<StakedPoint> StakedOf(const CalcArguments& arguments, const Store& store) {
    std::vector<StakedPoint> staked;
    if (arguments.Text("staked").empty()) {
        return staked;
    }
    for (const std::string& item : arguments.Names("staked", store)) {
        const size_t colon = item.find(':');
        if (colon == std::string::npos || colon == 0 || colon + 1 == item.size()) {
            throw Error(msg::StakedPairIncomplete(item));
        }
        staked.push_back({item.substr(0, colon), Named(store, item.substr(colon + 1))});
    }
    return staked;
}

std::vector<ReportLine> Report(const StakeOutPlan& plan, const std::vector<std::string>& listing,
                               const std::vector<std::string>& check) {
    std::vector<ReportLine> report{TitleLine(Jp("逆打ち計算書")), {}};
    report.push_back({Jp("器械点  ") + CalcPointLine(plan.station.name, plan.station.point)});
    report.push_back({Jp("後視点  ") + CalcPointLine(plan.backsight.name, plan.backsight.point)});
    report.push_back({});
    for (size_t i = 1; i < listing.size(); ++i) {
        report.push_back({listing[i]});
    }
    report.push_back({});
    report.push_back({Jp("測設点座標")});
    for (const StakeOutRow& row : plan.rows) {
        report.push_back({"        " + CalcPointLine(row.target.name, row.target.point)});
    }
    if (!check.empty()) {
        report.push_back({});
        for (const std::string& line : check) {
            report.push_back({line});
        }
    }
    return report;
}

CalcOutcome RunStakeOut(const CalcArguments& arguments, const Store& store) {
    const NamedPoint station = Named(store, arguments.Text("station"));
    const NamedPoint backsight = Named(store, arguments.Text("backsight"));
    std::vector<std::string> names = arguments.Names("targets", store);
    // A parcel's ring closes on its first vertex; that stake is set once.
    if (names.size() > 1 && names.back() == names.front()) {
        names.pop_back();
    }
    std::vector<NamedPoint> targets;
    for (const std::string& name : names) {
        targets.push_back(Named(store, name));
    }
    const StakeOutPlan plan = PlanStakeOut(station, backsight, targets);
    const StakeTolerance tolerance = ToleranceOf(arguments.Text("tolerance"));
    const std::vector<StakedCheckRow> checks = CheckStakes(plan, StakedOf(arguments, store), tolerance);

    CalcOutcome outcome;
    const std::vector<std::string> listing = StakeOutLines(plan);
    outcome.lines = listing;
    std::vector<std::string> checkLines;
    if (!checks.empty()) {
        checkLines = StakedCheckLines(checks, tolerance);
        outcome.lines.insert(outcome.lines.end(), checkLines.begin(), checkLines.end());
        for (const StakedCheckRow& row : checks) {
            if (!row.within) {
                outcome.warnings.push_back(msg::StakeOutsideTolerance(row.target));
            }
        }
    }
    outcome.handedOver.push_back({station.name, station.point});
    outcome.handedOver.push_back({backsight.name, backsight.point});
    outcome.overlay.segments.push_back({station.point, backsight.point, false});
    for (const StakeOutRow& row : plan.rows) {
        outcome.handedOver.push_back({row.target.name, row.target.point});
        outcome.overlay.segments.push_back({station.point, row.target.point, true});
        outcome.overlay.marks.push_back({row.target.point, row.target.name});
    }
    outcome.reportTitle = "逆打ち計算書";
    outcome.report = Report(plan, listing, checkLines);
    return outcome;
}

} // namespace

extern const CalcDefinition kStakeOutCalculation{
    "stakeout",
    "逆打ち計算",
    "stake-out: angle from the backsight and distance from the station to each target",
    kStakeOutInputs,
    RunStakeOut,
    "逆打ち",
    24 /* F1 */};

} // namespace vemo
