#pragma once

#include "core/geometry/PlanePoint.h"

#include <vector>

namespace vemo {

// Shape checks of the rings a division works on: only a simple ring (no two edges meeting except
// neighbours at their shared vertex) has the area its trapezoid sum gives.

// Whether the segments a-b and c-d have a point in common (touching and overlapping included).
bool SegmentsMeet(PlanePoint a, PlanePoint b, PlanePoint c, PlanePoint d);

// Whether the closed ring (first vertex not repeated) is simple.  Zero-length edges (a vertex given
// twice in a row) are passed over.
bool IsSimpleRing(const std::vector<PlanePoint>& ring);

// Whether p lies inside the closed ring (even-odd rule; a point on the boundary may go either way).
bool InsideRing(const std::vector<PlanePoint>& ring, PlanePoint p);

} // namespace vemo
