#include "core/calc/Construction.h"

#include "core/geometry/Constructions.h"
#include "core/geometry/Intersections.h"
#include "core/geometry/Inverse.h"
#include "core/text/MessagesCalc.h"

#include <cmath>
#include <optional>

namespace vemo {

namespace {

ConstructionResult Refused(const std::string& message) {
    ConstructionResult result;
    result.status = ConstructionResult::Status::NoResult;
    result.message = message;
    return result;
}

// A vertex the road runs straight through has no corner where the shifted legs meet: they are one
// line.  With equal widths the new point is the vertex moved square to the road by that width; with
// different widths the road would step there, which no single point can give.
std::optional<PlanePoint> StraightThroughCorner(PlanePoint a, double width1, PlanePoint b, double width2,
                                                PlanePoint c) {
    const auto in = InversePoints(a, b).direction, out = InversePoints(b, c).direction;
    if (!in || !out || width1 != width2) {
        return std::nullopt;
    }
    const double turn = std::fmod(*out - *in + 540.0, 360.0) - 180.0; // (-180, 180]
    // Within the tolerance under which the shifted legs count as parallel and have no crossing.
    if (std::fabs(turn) > kDirectionTolerance) {
        return std::nullopt; // a real turn, or the road doubling back on itself
    }
    return OffsetPoint(b, *in, 0, width1).point;
}

} // namespace

// A road widened on one side: each leg moves square to itself by its own width, the new corners are
// where neighbouring shifted legs meet, and the two ends move square to their leg.
ConstructionResult ComputeParallelShift(const std::vector<PlanePoint>& path, const std::vector<double>& widths) {
    if (path.size() > kMaxShiftPathPoints) {
        return Refused(msg::ShiftPathTooLong(kMaxShiftPathPoints, path.size()));
    }
    if (path.size() < 2 || widths.size() + 1 < path.size()) {
        return {};
    }
    const size_t last = path.size() - 1;
    const auto firstDirection = InversePoints(path[0], path[1]).direction;
    const auto lastDirection = InversePoints(path[last - 1], path[last]).direction;
    if (!firstDirection || !lastDirection) {
        return Refused(msg::ShiftPathZeroLeg());
    }
    ConstructionResult result;
    std::vector<PlanePoint> shifted{OffsetPoint(path[0], *firstDirection, 0, widths[0]).point};
    for (size_t k = 1; k < last; ++k) {
        auto corner = ShiftedCorner(path[k - 1], widths[k - 1], path[k], widths[k], path[k + 1]);
        if (!corner) {
            corner = StraightThroughCorner(path[k - 1], widths[k - 1], path[k], widths[k], path[k + 1]);
        }
        if (!corner) {
            return Refused(msg::ShiftPathStraightAt(k + 1));
        }
        result.points.push_back(*corner);
        shifted.push_back(*corner);
    }
    shifted.push_back(OffsetPoint(path[last], *lastDirection, 0, widths[last - 1]).point);
    for (size_t i = 1; i < path.size(); ++i) {
        result.overlay.segments.push_back({path[i - 1], path[i], false});
        result.overlay.segments.push_back({shifted[i - 1], shifted[i], true});
    }
    result.status = ConstructionResult::Status::Done;
    for (size_t i = 0; i < result.points.size(); ++i) {
        result.overlay.marks.push_back({result.points[i], "P" + std::to_string(i + 1)});
    }
    return result;
}

} // namespace vemo
