// Data snooping finds a planted blunder (10′ in a direction or 0.5 m in a distance) at the observation
// it was planted in.
#include "RandomNetwork.h"

#include "core/network/AdjustNetwork.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <numbers>

namespace vemo {
namespace {

TEST(DataSnooping, FlagsAPlantedBlunderAtItsObservationInAtLeast95PercentOf500Networks) {
    std::mt19937 random(41);
    int found = 0, clean = 0;
    constexpr int kCases = 500;
    for (int trial = 0; trial < kCases; ++trial) {
        testing_network::RandomNetwork made = testing_network::MakeRandomNetwork(random, 4, 6, 5);
        Network& net = made.network;
        if (const auto unplanted = AdjustNetwork(net); unplanted && unplanted->suspect < 0) {
            ++clean; // without a blunder nothing is flagged, as a rule
        }
        const auto planted = static_cast<int>(random() % net.observations.size());
        Observation& o = net.observations[static_cast<size_t>(planted)];
        const double sign = random() % 2 == 0 ? 1.0 : -1.0;
        o.value += o.kind == ObservationKind::Distance ? sign * 0.5 : sign * 10.0 / 60.0 * std::numbers::pi / 180.0;
        const auto adjusted = AdjustNetwork(net);
        ASSERT_TRUE(adjusted.has_value()) << adjusted.error();
        found += adjusted->suspect == planted ? 1 : 0;
    }
    std::printf("planted blunders found: %d of %d; clean networks left unflagged: %d of %d\n", found, kCases, clean,
                kCases);
    EXPECT_GE(found, kCases * 95 / 100);
    // Each of the about 85 observations is tested at 0.001: a clean network raises a false alarm with a
    // probability of about 1 − 0.999⁸⁵ ≈ 8 %.
    EXPECT_GE(clean, kCases * 85 / 100);
}

} // namespace
} // namespace vemo
