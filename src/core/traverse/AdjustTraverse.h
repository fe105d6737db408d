#pragma once

#include "core/traverse/TrvsPrecision.h"
#include "core/traverse/TrvsResults.h"

#include <optional>
#include <string>
#include <vector>

namespace vemo {

struct TrvsInput;
struct TrvsState;

// The precision calculation and adjustment of a closed or connected traverse.
//
// The station rows are the rows with TM "T" and a target, horizontal and vertical angle.  The angle
// misclosure is spread over their angles in whole seconds, the coordinate misclosure over the legs by
// the compass rule (ErrDiv on) or the transit rule, heights over the legs with Z calculation on; then
// the radial rows are computed from the adjusted stations.
//
// Returns nothing, silently, while the start fields (and for a connected traverse the end fields) are
// incomplete or the type is neither closed nor connected.  Throws vemo::Error for a closed traverse
// with fewer than three station rows, a connected one with fewer than two, a traverse without any
// horizontal distance, and a cell that does not parse: TrvsStopped<AdjustedTraverse>, carrying what was
// computed before it.
std::optional<AdjustedTraverse> AdjustTraverse(const TrvsInput& input);

// The window's and the registration's step: adjusts, shows the result in `state` (also the part a
// stopping cell leaves; nothing when there is no result) and, with `listing`, appends its adjusted
// listing lines.  Returns the precision figures of the result.
std::optional<TrvsPrecision> AdjustTraverse(TrvsState& state, const TrvsInput& input,
                                            std::vector<std::string>* listing = nullptr);

} // namespace vemo
