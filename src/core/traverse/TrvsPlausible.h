#pragma once

namespace vemo {

struct TrvsHeader;
class TrvsTable;

// Refuses angles no instrument can have observed, before any computation uses them: the start and end
// directions and the horizontal angles of the observed rows must lie in 0..360 degrees, the vertical
// angles in -360..360.  A value like 1e300 would otherwise turn the whole traverse into meaningless
// numbers (and overflow the whole-second sums).  Throws vemo::Error naming the field, the row and the
// bound.  Cells that are not numbers are left to the computation's own conversion message.
void CheckTraverseAngles(const TrvsHeader& header, const TrvsTable& table);

} // namespace vemo
