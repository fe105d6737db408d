#include "core/geometry/Inverse.h"

#include "core/geometry/Angles.h"

#include <cmath>

namespace vemo {

Inverse InversePoints(double x1, double y1, double x2, double y2) {
    long double dx = static_cast<long double>(x2) - x1;
    long double dy = static_cast<long double>(y2) - y1;
    Inverse result;
    result.distance = static_cast<double>(std::sqrt(dx * dx + dy * dy));
    if (result.distance == 0) {
        return result;
    }
    // The angle from north, 0..180, measured on the side of the target; atan2 of |dY| and dX is the
    // arc cosine of dX / distance without its loss of accuracy (and NaN) near 0 and 180.
    long double angle = std::atan2(std::fabs(dy), dx) * kRadToDeg;
    if (y2 < y1) {
        angle = 360.0L - angle;
    }
    double direction = static_cast<double>(angle);
    // A target a hair west of due north would round up to 360, which is outside the range: it is 0.
    result.direction = direction >= 360.0 ? 0.0 : direction;
    return result;
}

Inverse InversePoints(PlanePoint from, PlanePoint to) {
    return InversePoints(from.x, from.y, to.x, to.y);
}

} // namespace vemo
