#include "core/calc/Construction.h"

#include "core/geometry/Angles.h"
#include "core/geometry/Constructions.h"
#include "core/geometry/Inverse.h"
#include "core/text/MessagesCalc.h"

namespace vemo {

namespace {

using Status = ConstructionResult::Status;

ConstructionResult NoResult(std::string message = {}) {
    ConstructionResult result;
    result.status = Status::NoResult;
    result.message = std::move(message);
    return result;
}

// Marks the result points "P1", "P2", ... and declares the result done.
void Finish(ConstructionResult& result) {
    result.status = Status::Done;
    for (size_t i = 0; i < result.points.size(); ++i) {
        result.overlay.marks.push_back({result.points[i], "P" + std::to_string(i + 1)});
    }
}

// The circle a circle group stands for.  Three points on one line (or two of them equal) have none.
struct CircleChoice {
    std::optional<Circle> circle;
    bool fromThreePoints = false;
};
CircleChoice ChooseCircle(const CircleInput& input) {
    const auto& on = input.onCircle;
    if (on[0] && on[1] && on[2]) {
        return {CircleBy3Points(*on[0], *on[1], *on[2]), true};
    }
    if (input.centre && input.radius > kMinRadius) {
        return {Circle{*input.centre, input.radius}, false};
    }
    return {};
}

void AddCircle(ConstructionResult& result, const CircleChoice& choice) {
    result.overlay.circles.push_back({choice.circle->centre, choice.circle->radius});
    if (choice.fromThreePoints) {
        result.overlay.marks.push_back({choice.circle->centre, "P3"});
    }
}

// Circle 1 from three points while the other input is still missing: its centre is shown as "P3"
// and can be registered at once.
ConstructionResult CircleOnly(const CircleChoice& choice) {
    ConstructionResult result;
    if (choice.fromThreePoints && choice.circle) {
        result.circle1 = choice.circle;
        AddCircle(result, choice);
    }
    return result;
}

} // namespace

std::optional<double> LineDirection(const LineInput& line) {
    if (!line.first) {
        return std::nullopt;
    }
    if (line.second) {
        return InversePoints(*line.first, *line.second).direction;
    }
    return DmsToDeg(line.directionDms);
}

ConstructionResult ComputeLineLine(const LineInput& line1, const LineInput& line2) {
    const auto theta1 = LineDirection(line1);
    const auto theta2 = LineDirection(line2);
    if (!theta1 || !theta2) {
        return {};
    }
    // Parallel lines (or lines 180 degrees apart) keep the crossing shown before.
    const auto cross = LineLineCross(*line1.first, *theta1, *line2.first, *theta2);
    if (!cross) {
        return NoResult();
    }
    ConstructionResult result;
    result.points = {*cross};
    result.overlay.segments = {{*line1.first, *cross, false}, {*line2.first, *cross, false}};
    Finish(result);
    return result;
}

ConstructionResult ComputeLineCircle(const LineInput& line1, const CircleInput& circle1) {
    const auto theta = LineDirection(line1);
    const CircleChoice choice = ChooseCircle(circle1);
    if (choice.fromThreePoints && !choice.circle) {
        return NoResult(msg::CircleThroughCollinearPoints());
    }
    if (!theta || !choice.circle) {
        return CircleOnly(choice);
    }
    const auto cross = LineCircleCross(*line1.first, *theta, choice.circle->centre, choice.circle->radius);
    if (!cross) {
        ConstructionResult result = NoResult(msg::LineMissesCircle());
        result.circle1 = choice.circle;
        return result;
    }
    ConstructionResult result;
    result.circle1 = choice.circle;
    result.points = {cross->first, cross->second};
    AddCircle(result, choice);
    result.overlay.segments = {{*line1.first, cross->first, false}, {*line1.first, cross->second, false}};
    Finish(result);
    return result;
}

ConstructionResult ComputeCircleCircle(const CircleInput& circle1, const CircleInput& circle2) {
    const CircleChoice first = ChooseCircle(circle1);
    const CircleChoice second = ChooseCircle(circle2);
    if ((first.fromThreePoints && !first.circle) || (second.fromThreePoints && !second.circle)) {
        return NoResult(msg::CircleThroughCollinearPoints());
    }
    if (!first.circle || !second.circle) {
        return CircleOnly(first);
    }
    const auto cross =
        CircleCircleCross(first.circle->centre, first.circle->radius, second.circle->centre, second.circle->radius);
    if (!cross) {
        ConstructionResult result = NoResult(msg::CirclesDoNotMeet());
        result.circle1 = first.circle;
        return result;
    }
    ConstructionResult result;
    result.circle1 = first.circle;
    result.points = {cross->first, cross->second};
    AddCircle(result, first);
    AddCircle(result, second);
    result.overlay.segments = {{first.circle->centre, second.circle->centre, true}};
    Finish(result);
    return result;
}

ConstructionResult ComputeOffset(const LineInput& line1, std::optional<PlanePoint> base, double along, double across) {
    const auto theta = LineDirection(line1);
    if (!theta || !base || (along == 0 && across == 0)) {
        return {};
    }
    const OffsetResult offset = OffsetPoint(*base, *theta, along, across);
    ConstructionResult result;
    result.points = {offset.point};
    result.overlay.segments = {
        {*line1.first, offset.foot, false}, {*base, offset.foot, true}, {offset.foot, offset.point, true}};
    Finish(result);
    return result;
}

ConstructionResult ComputeFoot(const LineInput& line1, std::optional<PlanePoint> base) {
    const auto theta = LineDirection(line1);
    if (!theta || !base) {
        return {};
    }
    const PlanePoint foot = FootOfPerpendicular(*line1.first, *theta, *base);
    ConstructionResult result;
    result.points = {foot};
    result.overlay.segments = {{*line1.first, foot, false}, {*base, foot, true}};
    Finish(result);
    return result;
}

ConstructionResult ComputeCornerCut(std::optional<PlanePoint> a, std::optional<PlanePoint> b,
                                    std::optional<PlanePoint> c, double length) {
    if (!a || !b || !c || !(length > 0)) {
        return {};
    }
    const auto cut = CornerCutPoints(*a, *b, *c, length);
    if (!cut) {
        return NoResult(msg::CornerSidesCollinear());
    }
    ConstructionResult result;
    result.points = {cut->first, cut->second};
    result.overlay.segments = {{*b, *a, false}, {*b, *c, false}, {cut->first, cut->second, false}};
    Finish(result);
    return result;
}

} // namespace vemo
