#pragma once

#include <string>
#include <vector>

namespace vemo {

struct TrvsInput;
struct TrvsState;

// The unadjusted traverse: every complete row reduced and carried forward from its instrument point
// with the angles as measured.  The result of open and radial traverses, and what the plot shows for
// every type.  Fills state.TrvsRawPoints (slot r for table row r), TrvsPointCount, rawSlots,
// TrvsExtents, the direction markers and, for a connected traverse, the end point after the rows.
//
// Nothing is computed (TrvsPointCount 0) while T0No, T0X, T0Y or T1Angle is empty.  A row whose own
// instrument or backsight is found neither in the coordinate list nor among the points computed before
// it, or whose instrument and backsight coincide, is not computed and is named in state.problems.
// With `listing` the raw listing lines are appended.  A cell that does not parse stops with the
// conversion message (vemo::Error).
void ComputeRawTraverse(TrvsState& state, const TrvsInput& input, std::vector<std::string>* listing = nullptr);

} // namespace vemo
