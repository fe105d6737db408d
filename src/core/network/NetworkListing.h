#pragma once

#include "core/network/AdjustNetwork.h"
#include "core/network/Network.h"

#include <string>
#include <vector>

namespace vemo {

// The listing of an adjusted network (CP932 lines, fixed columns): the summary (points, observations,
// degrees of freedom, datum), σ0 a posteriori with its χ² test, the data-snooping verdict, the
// adjusted points with σX, σY, σP and the error ellipse (millimetres), and the residuals of the
// observations (seconds or millimetres) with their standardized residuals and redundancy numbers, the
// suspect one marked.  The command line and the printed 平均計算書 show the same lines.
std::vector<std::string> NetworkSummaryLines(const Network& network, const NetworkAdjustment& adjustment);
std::vector<std::string> NetworkPointLines(const Network& network, const NetworkAdjustment& adjustment);
std::vector<std::string> NetworkResidualLines(const Network& network, const NetworkAdjustment& adjustment);

// An angle in radians as "ddd-mm-ss.s" (degrees, minutes, seconds).
std::string FormatDms(double radians);

} // namespace vemo
