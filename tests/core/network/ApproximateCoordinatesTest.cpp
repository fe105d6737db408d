// New points that only their own observations place: found without approximate coordinates and
// adjusted onto their true positions (observations written exactly from them).
#include "core/network/AdjustNetwork.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace vemo {
namespace {

constexpr double kSecond = std::numbers::pi / 180.0 / 3600.0;

struct Site {
    Network net;
    std::vector<double> x{-52310.442, -51874.106, -52605.913, -51990.027, -52150.000};
    std::vector<double> y{18120.337, 18403.882, 18690.540, 18955.121, 18560.000};

    Site() {
        for (size_t i = 0; i < x.size(); ++i) {
            NetworkPoint p;
            p.name = i + 1 < x.size() ? "K" + std::to_string(i + 1) : "P";
            p.role = i + 1 < x.size() ? NetworkPointRole::Fixed : NetworkPointRole::Adjusted;
            p.hasCoordinates = i + 1 < x.size();
            p.x = x[i];
            p.y = y[i];
            net.points.push_back(p);
        }
    }
    double Bearing(int a, int b) const {
        const double t = std::atan2(y[static_cast<size_t>(b)] - y[static_cast<size_t>(a)],
                                    x[static_cast<size_t>(b)] - x[static_cast<size_t>(a)]);
        return t < 0 ? t + 2 * std::numbers::pi : t;
    }
    // A set at P: directions read from an arbitrary zero.
    void SetAtP(std::initializer_list<int> targets) {
        const int set = net.directionSets++;
        for (int t : targets) {
            net.observations.push_back({ObservationKind::Direction, 4, t, -1, set,
                                        std::fmod(Bearing(4, t) - 1.234 + 4 * std::numbers::pi, 2 * std::numbers::pi),
                                        2 * kSecond});
        }
    }
    void Distance(int a, int b) {
        net.observations.push_back({ObservationKind::Distance, a, b, -1, -1,
                                    std::hypot(x[static_cast<size_t>(b)] - x[static_cast<size_t>(a)],
                                               y[static_cast<size_t>(b)] - y[static_cast<size_t>(a)]),
                                    0.005});
    }
    void ExpectAtTruth() const {
        const auto adjusted = AdjustNetwork(net);
        ASSERT_TRUE(adjusted.has_value()) << adjusted.error();
        EXPECT_NEAR(adjusted->points[0].x, -52150.000, 1e-6);
        EXPECT_NEAR(adjusted->points[0].y, 18560.000, 1e-6);
    }
};

TEST(ApproximateCoordinates, AResectionFromFourKnownPoints) {
    Site site;
    site.SetAtP({0, 1, 2, 3});
    site.ExpectAtTruth();
}

TEST(ApproximateCoordinates, AResectionFromTwoDirectionsAndADistance) {
    Site site;
    site.SetAtP({0, 2});
    site.Distance(4, 0);
    site.ExpectAtTruth();
}

TEST(ApproximateCoordinates, ThreeDistancesFromUnorientedStations) {
    Site site;
    site.Distance(0, 4);
    site.Distance(1, 4);
    site.Distance(3, 4);
    site.ExpectAtTruth();
}

} // namespace
} // namespace vemo
