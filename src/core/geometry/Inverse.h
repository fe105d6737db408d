#pragma once

#include "core/geometry/PlanePoint.h"

#include <optional>

namespace vemo {

// Result of the inverse computation (逆計算) from a point to a point.
struct Inverse {
    double distance = 0; // metres, >= 0
    // Direction angle from the first point to the second, decimal degrees clockwise from north, in
    // [0, 360).  Empty when the two points coincide (distance exactly 0): there is no direction, and
    // a caller that keeps an earlier direction in that case uses direction.value_or(previous).
    std::optional<double> direction;
};

// Distance and direction from (x1, y1) to (x2, y2), X north first, in metres.  A leg with y2 == y1
// gets 0 (x2 > x1) or 180 (x2 < x1).  (0, 0) to (3, -4): distance 5, direction 306.8698976...
Inverse InversePoints(double x1, double y1, double x2, double y2);
Inverse InversePoints(PlanePoint from, PlanePoint to);

} // namespace vemo
