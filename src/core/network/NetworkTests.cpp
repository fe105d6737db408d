#include "core/network/NetworkTests.h"

#include "core/network/NetworkGeometry.h"

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>

#include <cmath>
#include <numbers>

namespace vemo::network {

namespace {

// Redundancy numbers below this leave an observation uncontrolled: no residual can show its error, and
// its standardized residual is not formed.
constexpr double kUncontrolled = 1e-6;

void TestSigma0(const Network& network, NetworkAdjustment& result) {
    const int f = result.degreesOfFreedom;
    if (f <= 0) {
        result.sigma0 = 0.0;
        return;
    }
    result.sigma0 = std::sqrt(result.weightedSquareSum / f);
    const double alpha = 1.0 - network.confidence;
    const boost::math::chi_squared chi(f);
    result.chiLower = std::sqrt(boost::math::quantile(chi, alpha / 2.0) / f);
    result.chiUpper = std::sqrt(boost::math::quantile(chi, 1.0 - alpha / 2.0) / f);
    result.chiPassed = result.sigma0 >= result.chiLower && result.sigma0 <= result.chiUpper;
}

void Snoop(const Network& network, NetworkAdjustment& result) {
    const boost::math::normal normal;
    result.snoopingCritical = boost::math::quantile(normal, 1.0 - result.snoopingSignificance / 2.0);
    double largest = 0.0;
    for (size_t i = 0; i < result.observations.size(); ++i) {
        ObservationResult& o = result.observations[i];
        const double sigma = network.observations[i].sigma;
        o.standardized = o.redundancy > kUncontrolled ? o.residual / (sigma * std::sqrt(o.redundancy)) : 0.0;
        if (std::abs(o.standardized) > largest) {
            largest = std::abs(o.standardized);
            result.suspect = static_cast<int>(i);
        }
    }
    if (largest <= result.snoopingCritical) {
        result.suspect = -1;
    } else {
        result.observations[static_cast<size_t>(result.suspect)].suspect = true;
    }
}

} // namespace

ErrorEllipse EllipseOf(double varianceX, double varianceY, double covariance) {
    const double mean = 0.5 * (varianceX + varianceY);
    const double radius = std::hypot(0.5 * (varianceX - varianceY), covariance);
    double bearing = 0.5 * std::atan2(2.0 * covariance, varianceX - varianceY);
    if (bearing < 0.0) {
        bearing += std::numbers::pi;
    }
    return {std::sqrt(mean + radius), std::sqrt(std::max(0.0, mean - radius)), bearing};
}

void FinishStatistics(const Network& network, const UnknownLayout& layout, const NetworkState& state,
                      const ApproximateCoordinates& approximate, const NetworkSolver& solver,
                      NetworkAdjustment& result) {
    TestSigma0(network, result);
    Snoop(network, result);
    const bool aposteriori = network.useAposterioriSigma && result.degreesOfFreedom > 0;
    const double scale = aposteriori ? result.sigma0 * result.sigma0 : 1.0;
    for (size_t p = 0; p < network.points.size(); ++p) {
        const int c = layout.pointColumn[p];
        if (c < 0) {
            continue;
        }
        AdjustedNetworkPoint point;
        point.point = static_cast<int>(p);
        point.x = state.x[p];
        point.y = state.y[p];
        point.approximateX = approximate.x[p];
        point.approximateY = approximate.y[p];
        const double vx = scale * solver.Cofactor(c, c);
        const double vy = scale * solver.Cofactor(c + 1, c + 1);
        point.sigmaXY = scale * solver.Cofactor(c, c + 1);
        point.sigmaX = std::sqrt(std::max(0.0, vx));
        point.sigmaY = std::sqrt(std::max(0.0, vy));
        point.sigmaPosition = std::sqrt(std::max(0.0, vx + vy));
        const ErrorEllipse e = EllipseOf(vx, vy, point.sigmaXY);
        point.ellipseA = e.a;
        point.ellipseB = e.b;
        point.ellipseBearing = e.bearing;
        result.points.push_back(point);
    }
    result.orientations = state.orientation;
}

} // namespace vemo::network
