#pragma once

#include "core/network/Network.h"

#include <optional>
#include <string>
#include <vector>

namespace vemo {

// One new (or constrained) point after the adjustment.  Standard deviations in metres, from σ0 a
// posteriori or a priori as the network asks; the error ellipse's semi-axes a ≥ b and the bearing of a
// (radians, clockwise from north, in [0, π)).
struct AdjustedNetworkPoint {
    int point = -1; // index into Network::points
    double x = 0.0;
    double y = 0.0;
    double approximateX = 0.0;
    double approximateY = 0.0;
    double sigmaX = 0.0;
    double sigmaY = 0.0;
    double sigmaXY = 0.0;       // covariance (m²)
    double sigmaPosition = 0.0; // √(σX² + σY²)
    double ellipseA = 0.0;
    double ellipseB = 0.0;
    double ellipseBearing = 0.0;
};

// One observation after the adjustment.  The residual is adjusted − observed (radians or metres).  The
// redundancy number r tells how much of an error in this observation shows in its own residual; the
// standardized residual is v / (σ·√r) with the a priori σ (the data-snooping statistic).
struct ObservationResult {
    double residual = 0.0;
    double adjusted = 0.0;
    double sigmaAdjusted = 0.0; // a priori, of the adjusted value
    double redundancy = 0.0;
    double standardized = 0.0;
    bool suspect = false; // the largest standardized residual, beyond the critical value
};

enum class NetworkDatum { Fixed, Constrained, FreeMinimumNorm };

struct NetworkAdjustment {
    std::vector<AdjustedNetworkPoint> points;    // the new and constrained points, in network order
    std::vector<ObservationResult> observations; // one per Network::observations, same order
    std::vector<double> orientations;            // per direction set (radians)
    NetworkDatum datum = NetworkDatum::Fixed;
    int equations = 0;
    int unknowns = 0;
    int datumDefect = 0; // free network: the conditions of the minimum-norm datum
    int degreesOfFreedom = 0;
    int iterations = 0;
    double weightedSquareSum = 0.0; // vᵀPv
    double sigma0 = 0.0;            // a posteriori, as a ratio to the a priori σ0 (1 when they agree)
    double chiLower = 0.0;          // bounds of σ0 a posteriori (as a ratio) at the network's confidence
    double chiUpper = 0.0;
    bool chiPassed = true;
    double snoopingSignificance = 0.001; // of each observation's test (two-sided)
    double snoopingCritical = 0.0;
    int suspect = -1;               // the observation flagged as a probable blunder, or -1
    std::vector<std::string> notes; // CP932
};

// The adjustment, or the message why there is none.  (std::expected would do, but the fuzz build's clang
// does not offer it with this standard library.)
class NetworkOutcome {
public:
    NetworkOutcome(NetworkAdjustment adjustment) : adjustment_(std::move(adjustment)) {}
    static NetworkOutcome Failure(std::string message) { return NetworkOutcome(std::move(message)); }

    bool has_value() const { return adjustment_.has_value(); }
    explicit operator bool() const { return has_value(); }
    const NetworkAdjustment& operator*() const& { return *adjustment_; }
    NetworkAdjustment&& operator*() && { return std::move(*adjustment_); }
    NetworkAdjustment& operator*() & { return *adjustment_; }
    const NetworkAdjustment* operator->() const { return &*adjustment_; }
    const std::string& error() const { return error_; }

private:
    explicit NetworkOutcome(std::string message) : error_(std::move(message)) {}
    std::optional<NetworkAdjustment> adjustment_;
    std::string error_;
};

// Adjusts the network by least squares (observation equations, Gauss–Newton) from approximate
// coordinates, given or found, until the corrections are below 0.1 mm.  A network that cannot be
// adjusted (an unconnected or undetermined point, too few observations) gives the CP932 message naming
// the point instead.
NetworkOutcome AdjustNetwork(const Network& network);

} // namespace vemo
