#pragma once

#include "core/geometry/PlanePoint.h"

namespace vemo {

// How RoundDigits drops digits.
enum class RoundMode {
    Truncate = 0,         // 切捨て: towards zero (lot areas, tsubo figures)
    HalfAwayFromZero = 1, // 四捨五入: 2.0005 -> 2.001, -2.0005 -> -2.001 (coordinates, radii)
};

// Added to the rounded digits so that the stored double lies a hair above the exact decimal and
// printing it with the same number of decimals never shows the digit below (2.001 is stored as
// 2.0010000001, never 2.000999999...).
inline constexpr double kRoundBias = 1e-7;

// Rounds `value` to `digits` decimals (digits may be 0 or negative) in the given mode, with the bias
// above: the magnitude is rounded and the sign put back.  A result whose rounded magnitude is zero is
// returned with the positive bias, so it never prints as "-0.000".
//   RoundDigits(2.0006, 3, HalfAwayFromZero) == 2.001 (+ bias), RoundDigits(2.0006, 3, Truncate) == 2.000
double RoundDigits(double value, int digits, RoundMode mode);

// Computed coordinates and radii are stored in whole millimetres: 3 decimals, half away from zero.
inline constexpr int kMillimetreDigits = 3;
double RoundMillimetre(double metres);
PlanePoint RoundMillimetre(PlanePoint p);

} // namespace vemo
