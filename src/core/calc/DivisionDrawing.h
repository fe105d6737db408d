#pragma once

#include "core/calc/CalcOverlay.h"
#include "core/geometry/PlanePoint.h"

#include <optional>
#include <vector>

namespace vemo {

// Drawing aids of the division tab, in world coordinates (X north, Y east, metres).

// The part of the line through `through` in `direction` (degrees clockwise from north) that lies
// inside the box [low, high]; none when the line misses the box.
std::optional<OverlaySegment> ClipLineToBox(PlanePoint through, double direction, PlanePoint low, PlanePoint high);

// Hatching of a closed ring (first point repeated at the end or not): parallel strokes at 45° to
// north, `spacing` metres apart, each cut to the inside of the ring by the even-odd rule.
std::vector<OverlaySegment> HatchRing(const std::vector<PlanePoint>& ring, double spacing);

// The closed outline of a ring as overlay segments.
std::vector<OverlaySegment> RingSegments(const std::vector<PlanePoint>& ring);

} // namespace vemo
