#pragma once

#include "core/network/AdjustNetwork.h"
#include "core/network/ApproximateCoordinates.h"
#include "core/network/NetworkEquations.h"
#include "core/network/NetworkSolver.h"

namespace vemo::network {

// The statistics of an adjusted network, once the residuals and redundancy numbers are in `result`:
// σ0 a posteriori and its χ² test against the a priori value at the network's confidence, the
// standardized residuals and the data-snooping flag, and the points with their standard deviations and
// error ellipses.
void FinishStatistics(const Network& network, const UnknownLayout& layout, const NetworkState& state,
                      const ApproximateCoordinates& approximate, const NetworkSolver& solver,
                      NetworkAdjustment& result);

// The error ellipse of a point's covariance (X northing, Y easting): semi-axes a ≥ b and the bearing of a
// (clockwise from north, [0, π)).
struct ErrorEllipse {
    double a;
    double b;
    double bearing;
};
ErrorEllipse EllipseOf(double varianceX, double varianceY, double covariance);

} // namespace vemo::network
