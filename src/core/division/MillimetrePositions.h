#pragma once

#include "core/geometry/PlanePoint.h"

#include <vector>

namespace vemo {

// A new boundary point is stored to the millimetre: half away from zero, the same double that reading
// the printed coordinate back gives.
PlanePoint RoundedToMillimetre(PlanePoint p);

// The millimetre positions a point computed on the
// edge a -> b may take: what rounding gives for the points of the edge within a millimetre of the exact
// point, that is the grid points whose rounding square (half a millimetre each way) that stretch of the
// edge passes through.  The exact point's own rounding is always among them.
std::vector<PlanePoint> MillimetrePositionsNear(PlanePoint a, PlanePoint b, PlanePoint exact);

} // namespace vemo
