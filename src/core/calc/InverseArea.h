#pragma once

#include "core/geometry/PlanePoint.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vemo {

// Area of the polygon an inverse computation walks through, as the calculation window shows it under
// its point grid.  The coordinates are those of the name index, already in whole millimetres, so the
// trapezoid sum is formed exactly in square millimetres: no rounding of binary fractions can move a
// figure across a 0.01 m² boundary.
//
// This is the quick area of the calculation window, not the 地積 of a parcel report: the 坪数 here is
// the area truncated to 0.01 m² times 0.3025, shown to four decimals without a second truncation.

// Twice the signed area in square millimetres, Σ (X_i − X_{i−1})·(Y_i + Y_{i−1}) over the legs and the
// closing leg back to the first point.  Fewer than three points give 0.
__int128 TwiceAreaSquareMillimetres(const std::vector<PlanePoint>& ring);

// The two lines of the area display: " 面積" and " 坪数" alone for fewer than three points, else
// " 面積%15.7f ㎡" and " 坪数%12.4f    坪" (CP932).  The 坪数 is rounded half up at its fourth decimal
// from its exact value.
struct AreaLines {
    std::string area;
    std::string tsubo;
};
AreaLines InverseAreaLines(const std::vector<PlanePoint>& ring);

} // namespace vemo
