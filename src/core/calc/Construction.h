#pragma once

#include "core/calc/CalcOverlay.h"
#include "core/geometry/Intersections.h"
#include "core/geometry/PlanePoint.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vemo {

// The construction tabs of the calculation window, computed from points already found by name
// (coordinates rounded to 0.001).  An absent optional is a field left empty.

// A base line: its first point and either its second point or a direction typed as packed D.MMSS.
struct LineInput {
    std::optional<PlanePoint> first;
    std::optional<PlanePoint> second;
    double directionDms = 0;
};
// Decimal degrees: first -> second when both are given, else the typed direction.  Empty without a
// first point or when the two points coincide.
std::optional<double> LineDirection(const LineInput& line);

// A circle: centre and radius, or three points on it (the three points win when all are given).
struct CircleInput {
    std::optional<PlanePoint> centre;
    double radius = 0;
    std::array<std::optional<PlanePoint>, 3> onCircle;
};

struct ConstructionResult {
    enum class Status {
        Incomplete, // inputs missing: nothing computed, the window keeps what it showed
        NoResult,   // the inputs have no construction; `message` says why when the surveyor must know
        Done,
    };
    Status status = Status::Incomplete;
    std::vector<PlanePoint> points; // P1, P2; for the parallel shift the corners in path order
    std::string message;            // CP932
    // Circle 1 as used (its centre is "P3" when built from three points); set from three points even
    // while the line or circle 2 is still Incomplete, with the circle and P3 in the overlay.
    std::optional<Circle> circle1;
    CalcOverlay overlay;
};

// Radii of 0.001 m or less do not make a circle.
inline constexpr double kMinRadius = 0.001;
// The result table of the parallel shift holds this many points.
inline constexpr size_t kMaxShiftPathPoints = 100;

ConstructionResult ComputeLineLine(const LineInput& line1, const LineInput& line2);
ConstructionResult ComputeLineCircle(const LineInput& line1, const CircleInput& circle1);
ConstructionResult ComputeCircleCircle(const CircleInput& circle1, const CircleInput& circle2);
// P1 lies L along line 1's direction from the base point and H square to it (positive to the right).
ConstructionResult ComputeOffset(const LineInput& line1, std::optional<PlanePoint> base, double along, double across);
ConstructionResult ComputeFoot(const LineInput& line1, std::optional<PlanePoint> base);
ConstructionResult ComputeCornerCut(std::optional<PlanePoint> a, std::optional<PlanePoint> b,
                                    std::optional<PlanePoint> c, double length);
// widths[i] is the width of the leg from path[i] to path[i + 1].  The points are the shifted corners at
// the interior vertices; the shifted start and end points are only drawn.
ConstructionResult ComputeParallelShift(const std::vector<PlanePoint>& path, const std::vector<double>& widths);

} // namespace vemo
