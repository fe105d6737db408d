// Speed of the network adjustment on a large survey: 2,000 new points and 10,000 observations (a grid
// of stations 200 m apart, each with a set of three directions and two distances, known points round
// the edge), adjusted with every standard deviation, ellipse and redundancy number.
#include "core/network/Network.h"
#include "core/network/AdjustNetwork.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>

namespace {

using namespace vemo;

constexpr double kSecond = std::numbers::pi / 180.0 / 3600.0;

// A fixed sequence of small disturbances (a linear congruential generator), the same on every machine.
struct Noise {
    std::uint64_t state = 88172645463325252ull;
    double Next(double sigma) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return sigma * (static_cast<double>(state >> 11) / 9007199254740992.0 - 0.5) * 3.4;
    }
};

Network Grid(int columns, int rows, bool approximate, bool free = false) {
    Network n;
    Noise noise;
    auto index = [&](int c, int r) { return r * columns + c; };
    std::vector<double> tx, ty;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            NetworkPoint p;
            p.name = "P" + std::to_string(index(c, r) + 1);
            const bool edge = !free && (r == 0 || r == rows - 1 || c == 0 || c == columns - 1) && (r + c) % 8 == 0;
            p.role = edge ? NetworkPointRole::Fixed : NetworkPointRole::Adjusted;
            tx.push_back(-120000.0 + 200.0 * r + 13.0 * std::sin(c));
            ty.push_back(35000.0 + 200.0 * c + 11.0 * std::cos(r));
            p.hasCoordinates = edge || approximate;
            p.x = tx.back() + (edge ? 0.0 : noise.Next(0.05));
            p.y = ty.back() + (edge ? 0.0 : noise.Next(0.05));
            n.points.push_back(p);
        }
    }
    auto bearing = [&](int a, int b) {
        const double t = std::atan2(ty[b] - ty[a], tx[b] - tx[a]);
        return t < 0 ? t + 2 * std::numbers::pi : t;
    };
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const int s = index(c, r);
            const int set = n.directionSets++;
            int targets[3] = {c + 1 < columns ? index(c + 1, r) : index(c - 1, r),
                              r + 1 < rows ? index(c, r + 1) : index(c, r - 1),
                              c > 0 ? index(c - 1, r) : index(c + 1, r)};
            const double orientation = bearing(s, targets[0]);
            for (int t : targets) {
                n.observations.push_back(
                    {ObservationKind::Direction, s, t, -1, set,
                     std::fmod(bearing(s, t) - orientation + noise.Next(1.8 * kSecond) + 4 * std::numbers::pi,
                               2 * std::numbers::pi),
                     1.8 * kSecond});
            }
            for (int t : {targets[0], targets[1]}) {
                const double d = std::hypot(tx[t] - tx[s], ty[t] - ty[s]);
                const double sigma = DistanceSigma(d, 0.010, 5e-6);
                n.observations.push_back({ObservationKind::Distance, s, t, -1, -1, d + noise.Next(sigma), sigma});
            }
        }
    }
    return n;
}

void AdjustLargeNetwork(benchmark::State& state) {
    const Network network = Grid(50, 41, state.range(0) != 0);
    int fresh = 0;
    for (const NetworkPoint& p : network.points) {
        fresh += p.role == NetworkPointRole::Adjusted ? 1 : 0;
    }
    for (auto _ : state) {
        const auto adjusted = AdjustNetwork(network);
        if (!adjusted) {
            state.SkipWithError("not adjusted");
            return;
        }
        benchmark::DoNotOptimize(adjusted->points.data());
    }
    state.counters["new_points"] = fresh;
    state.counters["observations"] = static_cast<double>(network.observations.size());
}
// Approximate coordinates given within 5 cm, as the traverse computations of the routes give them.
BENCHMARK(AdjustLargeNetwork)->Arg(1)->Unit(benchmark::kMillisecond);

// The same grid with no known point: a free network of 2,050 points on the minimum-norm datum of all of
// them, solved sparse as a fixed one and taken over to that datum.
void AdjustLargeFreeNetwork(benchmark::State& state) {
    const Network network = Grid(50, 41, true, true);
    for (auto _ : state) {
        const auto adjusted = AdjustNetwork(network);
        if (!adjusted || adjusted->datum != NetworkDatum::FreeMinimumNorm) {
            state.SkipWithError("not adjusted as a free network");
            return;
        }
        benchmark::DoNotOptimize(adjusted->points.data());
    }
    state.counters["new_points"] = static_cast<double>(network.points.size());
    state.counters["observations"] = static_cast<double>(network.observations.size());
}
BENCHMARK(AdjustLargeFreeNetwork)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
