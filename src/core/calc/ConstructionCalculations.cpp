// The constructions as calculations: lines and circles given by point names (a line by two points, or
// by one point and a direction; a circle by its centre and radius, or by three points on it).  The
// listing names each result P1, P2, ... with the name proposed for it and its coordinates.
#include "core/calc/Calculation.h"
#include "core/calc/Construction.h"
#include "core/store/Store.h"
#include "core/text/Error.h"
#include "core/text/MessagesCalc.h"
#include "core/text/Numbers.h"

namespace vemo {

namespace {

using Kind = CalcInputKind;

constexpr int kConstructionHelp = 21; // F1: the constructions' page

LineInput LineOf(const CalcArguments& arguments, const Store& store, std::string_view id, std::string_view angleId) {
    const std::vector<std::string> names = arguments.Names(id, store);
    if (names.empty()) {
        return {}; // not given yet: the construction waits for it
    }
    if (names.size() > 2) {
        throw CalcInputError("--" + std::string(id) + " takes one or two point names");
    }
    LineInput line;
    line.first = CalcPointOf(store, names[0]);
    if (names.size() == 2) {
        line.second = CalcPointOf(store, names[1]);
    } else {
        line.directionDms = arguments.Number(angleId);
    }
    return line;
}

CircleInput CircleOf(const CalcArguments& arguments, const Store& store, std::string_view id,
                     std::string_view radiusId) {
    const std::vector<std::string> names = arguments.Names(id, store);
    CircleInput circle;
    if (names.empty()) {
        return circle; // not given yet
    }
    if (names.size() == 1) {
        circle.centre = CalcPointOf(store, names[0]);
        circle.radius = arguments.Number(radiusId);
        if (!(circle.radius > kMinRadius)) {
            throw CalcInputError("--" + std::string(radiusId) + " must be above 0.001 with a centre alone");
        }
    } else if (names.size() == 3) {
        for (size_t i = 0; i < 3; ++i) {
            circle.onCircle[i] = CalcPointOf(store, names[i]);
        }
    } else {
        throw CalcInputError("--" + std::string(id) + " takes a centre or three points on the circle");
    }
    return circle;
}

std::optional<PlanePoint> PointInput(const CalcArguments& arguments, const Store& store, std::string_view id) {
    const std::string& name = arguments.Text(id);
    if (name.empty()) {
        return std::nullopt; // not given yet
    }
    return CalcPointOf(store, name);
}

// `circle1` is the first circle as given, whose centre is worth registering when three points gave it.
CalcOutcome Outcome(const ConstructionResult& result, const Store& store, const CircleInput* circle1 = nullptr) {
    std::optional<PlanePoint> threePointCentre;
    if (circle1 && circle1->onCircle[0] && result.circle1) {
        threePointCentre = result.circle1->centre;
    }
    if (result.status == ConstructionResult::Status::Incomplete) {
        if (!threePointCentre) {
            throw CalcInputError("the inputs do not make the construction");
        }
        // The circle through three points is there before the rest: it is drawn, its centre offered.
        CalcOutcome outcome;
        outcome.complete = false;
        outcome.overlay = result.overlay;
        outcome.threePointCentre = threePointCentre;
        return outcome;
    }
    if (result.status == ConstructionResult::Status::NoResult) {
        throw Error(result.message.empty() ? msg::LinesParallel() : result.message);
    }
    CalcOutcome outcome;
    const std::vector<std::string> names = ProposedNames(store, result.points.size());
    for (size_t i = 0; i < result.points.size(); ++i) {
        outcome.lines.push_back(Sprintf("P%-3zu", i + 1) + CalcPointLine(names[i], result.points[i]));
        outcome.newPoints.push_back({names[i], result.points[i]});
    }
    outcome.overlay = result.overlay;
    outcome.threePointCentre = threePointCentre;
    return outcome;
}

constexpr CalcInput kLine1{.id = "line1",
                           .caption = "基線1",
                           .kind = Kind::Line,
                           .required = true,
                           .help = "A,B  line 1 through two points, or A with --line1-angle",
                           .completedBy = "line1-angle"};
constexpr CalcInput kLine1Angle{.id = "line1-angle",
                                .caption = "方向角1",
                                .kind = Kind::Angle,
                                .help = "D.MMSS  direction of line 1 from one point"};
constexpr CalcInput kLine2{.id = "line2",
                           .caption = "基線2",
                           .kind = Kind::Line,
                           .required = true,
                           .help = "A,B  line 2 through two points, or A with --line2-angle",
                           .completedBy = "line2-angle"};
constexpr CalcInput kLine2Angle{.id = "line2-angle",
                                .caption = "方向角2",
                                .kind = Kind::Angle,
                                .help = "D.MMSS  direction of line 2 from one point"};
constexpr CalcInput kCircle1{.id = "circle1",
                             .caption = "円1",
                             .kind = Kind::Circle,
                             .required = true,
                             .help = "C or P,Q,R  circle 1 by its centre (with --radius1) or three points on it",
                             .completedBy = "radius1"};
constexpr CalcInput kRadius1{
    .id = "radius1", .caption = "半径1", .kind = Kind::Distance, .minimum = 0, .help = "R  radius of circle 1"};
constexpr CalcInput kCircle2{.id = "circle2",
                             .caption = "円2",
                             .kind = Kind::Circle,
                             .required = true,
                             .help = "C or P,Q,R  circle 2 by its centre (with --radius2) or three points on it",
                             .completedBy = "radius2"};
constexpr CalcInput kRadius2{
    .id = "radius2", .caption = "半径2", .kind = Kind::Distance, .minimum = 0, .help = "R  radius of circle 2"};
constexpr CalcInput kBase{
    .id = "base", .caption = "基点", .kind = Kind::Point, .required = true, .help = "NAME  the point measured from"};

constexpr CalcInput kLineLineInputs[] = {kLine1, kLine1Angle, kLine2, kLine2Angle};
constexpr CalcInput kLineCircleInputs[] = {kLine1, kLine1Angle, kCircle1, kRadius1};
constexpr CalcInput kCircleCircleInputs[] = {kCircle1, kRadius1, kCircle2, kRadius2};
constexpr CalcInput kOffsetInputs[] = {
    kLine1,
    kLine1Angle,
    kBase,
    {.id = "along", .caption = "L", .kind = Kind::Distance, .defaultText = "0", .help = "L  metres along line 1"},
    {.id = "across",
     .caption = "H",
     .kind = Kind::Distance,
     .defaultText = "0",
     .help = "H  metres square to line 1, positive to the right"},
};
constexpr CalcInput kFootInputs[] = {kLine1, kLine1Angle, kBase};
constexpr CalcInput kCornerCutInputs[] = {
    {.id = "corner",
     .caption = "点名",
     .kind = Kind::Points,
     .required = true,
     .help = "A,B,C  the corner B between the sides to A and to C",
     .count = 3},
    {.id = "length",
     .caption = "隅切長",
     .kind = Kind::Distance,
     .required = true,
     .minimum = 0.001,
     .help = "L  length of the cut"},
};
constexpr CalcInput kParallelShiftInputs[] = {
    {.id = "path",
     .caption = "経路",
     .kind = Kind::Path,
     .required = true,
     .help = "A,B,C,...  the path",
     .completedBy = "widths"},
    {.id = "widths",
     .caption = "移動幅",
     .kind = Kind::Text,
     .required = true,
     .help = "W or W1,W2,...  width of each leg (one for all), positive to the right"},
};

CalcOutcome RunLineLine(const CalcArguments& arguments, const Store& store) {
    const ConstructionResult result = ComputeLineLine(LineOf(arguments, store, "line1", "line1-angle"),
                                                      LineOf(arguments, store, "line2", "line2-angle"));
    if (result.status == ConstructionResult::Status::NoResult && arguments.WhileTyping()) {
        // Parallel while the surveyor types: a line's direction stands at 0 until it is typed, so this is
        // a state on the way to the crossing, not an answer worth a message.
        CalcOutcome waiting;
        waiting.complete = false;
        return waiting;
    }
    return Outcome(result, store);
}

CalcOutcome RunLineCircle(const CalcArguments& arguments, const Store& store) {
    const CircleInput circle1 = CircleOf(arguments, store, "circle1", "radius1");
    return Outcome(ComputeLineCircle(LineOf(arguments, store, "line1", "line1-angle"), circle1), store, &circle1);
}

CalcOutcome RunCircleCircle(const CalcArguments& arguments, const Store& store) {
    const CircleInput circle1 = CircleOf(arguments, store, "circle1", "radius1");
    return Outcome(ComputeCircleCircle(circle1, CircleOf(arguments, store, "circle2", "radius2")), store, &circle1);
}

CalcOutcome RunOffset(const CalcArguments& arguments, const Store& store) {
    return Outcome(ComputeOffset(LineOf(arguments, store, "line1", "line1-angle"), PointInput(arguments, store, "base"),
                                 arguments.Number("along"), arguments.Number("across")),
                   store);
}

CalcOutcome RunFoot(const CalcArguments& arguments, const Store& store) {
    return Outcome(ComputeFoot(LineOf(arguments, store, "line1", "line1-angle"), PointInput(arguments, store, "base")),
                   store);
}

CalcOutcome RunCornerCut(const CalcArguments& arguments, const Store& store) {
    const std::vector<std::string> names = arguments.Names("corner", store);
    if (names.size() != 3) {
        throw CalcInputError("--corner takes three point names");
    }
    return Outcome(ComputeCornerCut(CalcPointOf(store, names[0]), CalcPointOf(store, names[1]),
                                    CalcPointOf(store, names[2]), arguments.Number("length")),
                   store);
}

CalcOutcome RunParallelShift(const CalcArguments& arguments, const Store& store) {
    std::vector<PlanePoint> path;
    for (const std::string& name : arguments.Names("path", store)) {
        path.push_back(CalcPointOf(store, name));
    }
    if (path.size() < 3) {
        throw CalcInputError("--path takes at least three point names");
    }
    std::vector<double> widths;
    for (const std::string& text : arguments.Names("widths", store)) {
        const auto width = TryStrToFloat(text);
        if (!width) {
            throw CalcInputError("--widths takes numbers, got '" + text + "'");
        }
        widths.push_back(*width);
    }
    if (widths.size() == 1) {
        widths.resize(path.size() - 1, widths[0]);
    }
    if (widths.size() + 1 != path.size()) {
        throw CalcInputError("--widths takes one width, or one for each leg of the path");
    }
    return Outcome(ComputeParallelShift(path, widths), store);
}

} // namespace

// clang-format off
extern const CalcDefinition kLineLineCalculation{"line-line", "直線 X 直線", "the crossing of two lines",
                                                 kLineLineInputs, RunLineLine, "直線×直線", kConstructionHelp};
extern const CalcDefinition kLineCircleCalculation{"line-circle", "直線 X 円", "the crossings of a line and a circle",
                                                   kLineCircleInputs, RunLineCircle, "直線×円", kConstructionHelp};
extern const CalcDefinition kCircleCircleCalculation{"circle-circle", "円 X 円", "the crossings of two circles",
                                                     kCircleCircleInputs, RunCircleCircle, "円×円", kConstructionHelp};
extern const CalcDefinition kOffsetCalculation{"offset", "ｵﾌｾｯﾄ計算",
                                               "the point L along and H square to a line from a base point",
                                               kOffsetInputs, RunOffset, "ｵﾌｾｯﾄ", kConstructionHelp};
extern const CalcDefinition kFootCalculation{"foot", "垂線の足計算", "the foot of the perpendicular from a point",
                                             kFootInputs, RunFoot, "垂線の足", kConstructionHelp};
extern const CalcDefinition kCornerCutCalculation{"corner-cut", "隅切計算", "the two points of a corner cut",
                                                  kCornerCutInputs, RunCornerCut, "隅切", kConstructionHelp};
extern const CalcDefinition kParallelShiftCalculation{"parallel-shift", "連続平行移動点計算",
                                                      "the corners of a path moved parallel by its widths",
                                                      kParallelShiftInputs, RunParallelShift, "平行移動点",
                                                      kConstructionHelp};
// clang-format on

} // namespace vemo
