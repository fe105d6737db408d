#pragma once

#include <cmath>
#include <numbers>

namespace vemo::network {

// Bearings in radians, clockwise from north (X), as the surveyor reads them.

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// The bearing from (x1, y1) to (x2, y2), in [0, 2π).
inline double Bearing(double x1, double y1, double x2, double y2) {
    const double t = std::atan2(y2 - y1, x2 - x1);
    return t < 0.0 ? t + kTwoPi : t;
}

// An angle difference brought into (−π, π], so a misclosure near north is not a full turn.
inline double Wrap(double angle) {
    double a = std::fmod(angle, kTwoPi);
    if (a <= -std::numbers::pi) {
        a += kTwoPi;
    } else if (a > std::numbers::pi) {
        a -= kTwoPi;
    }
    return a;
}

// An angle brought into [0, 2π).
inline double Positive(double angle) {
    double a = std::fmod(angle, kTwoPi);
    return a < 0.0 ? a + kTwoPi : a;
}

} // namespace vemo::network
