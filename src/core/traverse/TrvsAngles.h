#pragma once

#include "core/geometry/Angles.h"

#include <cstdint>
#include <vector>

namespace vemo {

// Whole-second angle arithmetic of the traverse adjustment.

// The angle misclosure ε of a closed traverse of n stations (expected minus measured, seconds):
// the interior sum (n - 2) × 180° or the exterior sum (n + 2) × 180°, whichever is nearer.
std::int64_t ClosedAngleMisclosure(const Dms& measuredSum, int n);

// The angle misclosure of a connected traverse: the given end direction e against the direction
// carried from the start direction w through the measured angles, (sum + w + (n - 1) × 180°), brought
// into (-180°, 180°].  e and w are packed D.MMSS (outgoing directions).
std::int64_t ConnectedAngleMisclosure(const Dms& measuredSum, double startOutgoing, double endOutgoing, int n);

// ε spread over n angles in whole seconds: |ε| / n each, and one second more (with the sign of ε) on
// the first |ε| mod n angles, so that the corrections add up to ε exactly.
std::vector<int> DistributeAngleMisclosure(std::int64_t misclosure, int n);

// A packed angle corrected by a number of seconds, exactly: borrowing and carrying at 60.  A result
// below zero is taken round by 360°.
Dms CorrectAngle(double packed, int seconds);

} // namespace vemo
