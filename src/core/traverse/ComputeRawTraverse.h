#pragma once

#include "core/traverse/TrvsResults.h"

#include <string>
#include <vector>

namespace vemo {

struct TrvsInput;
struct TrvsState;

// The unadjusted traverse: every complete row reduced and carried forward from its instrument point
// with the angles as measured.  The result of open and radial traverses, and what the plot shows for
// every type.
//
// Nothing is computed (`started` false) while T0No, T0X, T0Y or T1Angle is empty.  A row whose own
// instrument or backsight is found neither in the coordinate list nor among the points computed before
// it, or whose instrument and backsight coincide, is not computed and is named in `problems`.  A cell
// that does not parse stops with the conversion message: TrvsStopped<RawTraverse>, a vemo::Error that
// carries the rows computed before it.
RawTraverse ComputeRawTraverse(const TrvsInput& input);

// The window's and the registration's step: computes, shows the result in `state` (also the part a
// stopping cell leaves) and, with `listing`, appends its raw listing lines.
void ComputeRawTraverse(TrvsState& state, const TrvsInput& input, std::vector<std::string>* listing = nullptr);

} // namespace vemo
