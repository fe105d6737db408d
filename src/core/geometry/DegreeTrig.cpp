#include "core/geometry/DegreeTrig.h"

#include "core/geometry/Angles.h"
#include "core/geometry/Intersections.h"

#include <cmath>

namespace vemo::geometry_detail {

long double NormalizeDegrees(long double degrees) {
    long double r = std::fmod(degrees, 360.0L);
    if (r < 0) {
        r += 360.0L;
    }
    // fmod of a tiny negative value plus 360 can round to 360 itself.
    return r >= 360.0L ? 0.0L : r;
}

SinCos SinCosDegrees(long double degrees) {
    long double r = NormalizeDegrees(degrees);
    long double quarter = std::nearbyint(r / 90.0L);
    long double rest = (r - 90.0L * quarter) * kDegToRad;
    long double s = std::sin(rest);
    long double c = std::cos(rest);
    switch (static_cast<int>(quarter) % 4) {
    case 0:
        return {s, c};
    case 1:
        return {c, -s};
    case 2:
        return {-s, -c};
    default:
        return {-c, s};
    }
}

bool AreParallel(SinCos u1, SinCos u2) {
    static const long double sineTolerance = std::sin(kDirectionTolerance * kDegToRad);
    long double cross = u1.cos * u2.sin - u1.sin * u2.cos; // sine of the angle between the two
    return std::fabs(cross) < sineTolerance;
}

} // namespace vemo::geometry_detail
