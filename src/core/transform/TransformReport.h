#pragma once

#include "core/transform/Transformation.h"

#include <string>
#include <vector>

namespace vemo {

// Caption of the registration dialog: "- 2点変換 -" or "- ヘルマート変換 -" (CP932).
std::string TransformCaption(TransformMethod method);

// The lines of the report memo the registration dialog shows (CP932).
//   Two-point: the translation X0, Y0 and the rotation θ as D-MM-SS.  A clockwise rotation shows as
//   it is (" 90-00-00"); an anticlockwise one keeps its sign in front of the degrees and minutes and
//   seconds in 00-59 (-0.5° is " -0-30-00"), which is how a surveyor reads a small correction.
//   Helmert: σ, the largest residual with the new-system name of its pair, a, b, X0 and Y0.  When
//   every residual is exactly zero no pair is the largest and "-" stands after "№".
std::vector<std::string> TransformReport(const Transformation& t, const std::vector<ControlPair>& pairs);

} // namespace vemo
