#pragma once

#include "core/geometry/PlanePoint.h"

#include <string>
#include <vector>

namespace vemo {

// Area of the polygon an inverse computation walks through, as the calculation window shows it under
// its point grid.  The trapezoid sum is the parcels' exact one (integer square millimetres); only the
// display differs from a parcel's 地積: the 坪数 here is the area truncated to 0.01 m² times 0.3025,
// shown to four decimals without a second truncation.

// The two lines of the area display: " 面積" and " 坪数" alone for fewer than three points, else
// " 面積%15.7f ㎡" and " 坪数%12.4f    坪" (CP932).  The 坪数 is rounded half up at its fourth decimal
// from its exact value.
struct AreaLines {
    std::string area;
    std::string tsubo;
};
AreaLines InverseAreaLines(const std::vector<PlanePoint>& ring);

} // namespace vemo
