// The adjustment against published test networks of a free adjustment package, with their results
// read from the package's own result files (tests/data/network/README.md names source and licence).
#include "PublishedResult.h"

#include "core/network/AdjustNetwork.h"
#include "core/network/GkfReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace vemo {
namespace {

const std::filesystem::path kData = std::filesystem::path(VEMO_TEST_DATA_DIR) / "network";

// The error ellipse's semi-axes of a 2×2 covariance, by the closed form of its eigenvalues.
std::pair<double, double> Axes(double vx, double vy, double cxy) {
    const double m = (vx + vy) / 2.0, r = std::sqrt((vx - vy) * (vx - vy) / 4.0 + cxy * cxy);
    return {std::sqrt(m + r), std::sqrt(m - r)};
}

struct Case {
    const char* name;
    bool comparesStandardized; // the published standardized residuals use σ0 a priori
};

class PublishedNetwork : public ::testing::TestWithParam<Case> {};

TEST_P(PublishedNetwork, AgreesWithThePublishedAdjustment) {
    const std::string name = GetParam().name;
    const GkfNetwork file = ReadGkfFile(kData / (name + ".gkf"));
    const PublishedResult published = ReadPublishedResult(kData / (name + ".xml"));
    const auto adjusted = AdjustNetwork(file.network);
    ASSERT_TRUE(adjusted.has_value()) << adjusted.error();

    EXPECT_EQ(adjusted->degreesOfFreedom, published.degreesOfFreedom);
    const double sigma0 = adjusted->sigma0 * file.sigmaApriori;
    EXPECT_NEAR(sigma0, published.aposteriori, 0.001 * published.aposteriori) << "σ0 a posteriori";
    if (published.upper > 0.0) {
        EXPECT_NEAR(adjusted->chiLower, published.lower, 0.0006);
        EXPECT_NEAR(adjusted->chiUpper, published.upper, 0.0006);
    }

    ASSERT_EQ(adjusted->points.size(), published.order.size());
    for (const AdjustedNetworkPoint& point : adjusted->points) {
        const std::string id = file.network.points[static_cast<size_t>(point.point)].name;
        SCOPED_TRACE(id);
        ASSERT_TRUE(published.points.contains(id));
        const PublishedPoint& expected = published.points.at(id);
        double x = 0.0, y = 0.0;
        file.axes.FromNorthEast(point.x, point.y, x, y);
        EXPECT_NEAR(x, expected.x, 1e-4);
        EXPECT_NEAR(y, expected.y, 1e-4);
        // Standard deviations in the file's axes: the covariance turned by the axes.
        const double cx = std::cos(file.axes.xBearing), sx = std::sin(file.axes.xBearing);
        const double cy = std::cos(file.axes.yBearing), sy = std::sin(file.axes.yBearing);
        const double vn = point.sigmaX * point.sigmaX, ve = point.sigmaY * point.sigmaY, c = point.sigmaXY;
        const double varX = (cx * cx * vn + 2 * cx * sx * c + sx * sx * ve) * 1e6;
        const double varY = (cy * cy * vn + 2 * cy * sy * c + sy * sy * ve) * 1e6;
        EXPECT_NEAR(std::sqrt(varX), std::sqrt(expected.varX), 0.01 * std::sqrt(expected.varX)) << "σx";
        EXPECT_NEAR(std::sqrt(varY), std::sqrt(expected.varY), 0.01 * std::sqrt(expected.varY)) << "σy";
        const auto [a, b] = Axes(expected.varX, expected.varY, expected.covXY);
        EXPECT_NEAR(point.ellipseA * 1000.0, a, 0.01 * a) << "ellipse a";
        EXPECT_NEAR(point.ellipseB * 1000.0, b, 0.01 * b) << "ellipse b";
    }

    // Observations come out in the order of the file.
    ASSERT_EQ(adjusted->observations.size(), published.observations.size());
    const double gonUnit = std::numbers::pi / 200.0 / 10000.0;
    for (size_t i = 0; i < published.observations.size(); ++i) {
        const PublishedObservation& expected = published.observations[i];
        const Observation& o = file.network.observations[i];
        SCOPED_TRACE(expected.kind + " " + expected.from + " " + expected.to);
        const double unit = o.kind == ObservationKind::Distance ? 1e-3 : gonUnit;
        const double scale = file.network.useAposterioriSigma ? adjusted->sigma0 : 1.0;
        const double stdev = adjusted->observations[i].sigmaAdjusted * scale / unit;
        EXPECT_NEAR(stdev, expected.stdev, 0.01 * expected.stdev + 1e-3) << "σ of the adjusted observation";
        if (GetParam().comparesStandardized) {
            EXPECT_NEAR(std::abs(adjusted->observations[i].standardized), expected.standardized, 0.0015)
                << "standardized residual";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Gama, PublishedNetwork,
                         ::testing::Values(Case{"zoltan-test_2d_dms", true}, Case{"zoltan-test_2d_gon", true},
                                           Case{"gama-local", false}, Case{"fixed-azimuth", false}),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (char& c : n) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return n;
                         });

} // namespace
} // namespace vemo
