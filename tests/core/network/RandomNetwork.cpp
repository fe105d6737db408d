#include "RandomNetwork.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace vemo::testing_network {

namespace {

constexpr double kSecond = std::numbers::pi / 180.0 / 3600.0;

double Noise(std::mt19937& random, double sigma) {
    // Box–Muller on the generator's own bits, so the draw is the same with every standard library.
    const double u1 = (static_cast<double>(random()) + 1.0) / 4294967297.0;
    const double u2 = static_cast<double>(random()) / 4294967296.0;
    return sigma * std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
}

} // namespace

double TrueBearing(const RandomNetwork& n, int from, int to) {
    const auto f = static_cast<size_t>(from), t = static_cast<size_t>(to);
    const double b = std::atan2(n.trueY[t] - n.trueY[f], n.trueX[t] - n.trueX[f]);
    return b < 0.0 ? b + 2.0 * std::numbers::pi : b;
}

RandomNetwork MakeRandomNetwork(std::mt19937& random, int fixed, int fresh, int neighbours) {
    RandomNetwork n;
    const int count = fixed + fresh;
    for (int i = 0; i < count; ++i) {
        // Known points on a wide ring around the new ones, so the new points sit inside the figure.
        double x, y;
        if (i < fixed) {
            const double a = 2.0 * std::numbers::pi * (i + 0.3 * (random() % 100) / 100.0) / fixed;
            x = 45000.0 + 700.0 * std::cos(a);
            y = -32000.0 + 700.0 * std::sin(a);
        } else {
            x = 45000.0 + static_cast<double>(random() % 1000) - 500.0;
            y = -32000.0 + static_cast<double>(random() % 1000) - 500.0;
        }
        n.trueX.push_back(x);
        n.trueY.push_back(y);
        NetworkPoint p;
        p.name = (i < fixed ? "K" : "N") + std::to_string(i + 1);
        p.role = i < fixed ? NetworkPointRole::Fixed : NetworkPointRole::Adjusted;
        p.hasCoordinates = i < fixed;
        p.x = x;
        p.y = y;
        n.network.points.push_back(p);
    }
    const double sigmaAngle = 1.8 * kSecond;
    for (int s = 0; s < count; ++s) {
        std::vector<std::pair<double, int>> near;
        for (int t = 0; t < count; ++t) {
            if (t != s) {
                near.emplace_back(std::hypot(n.trueX[static_cast<size_t>(t)] - n.trueX[static_cast<size_t>(s)],
                                             n.trueY[static_cast<size_t>(t)] - n.trueY[static_cast<size_t>(s)]),
                                  t);
            }
        }
        std::sort(near.begin(), near.end());
        near.resize(std::min<size_t>(near.size(), static_cast<size_t>(neighbours)));
        const int set = n.network.directionSets++;
        const double orientation = 2.0 * std::numbers::pi * (random() % 3600) / 3600.0;
        for (const auto& [distance, t] : near) {
            Observation d;
            d.kind = ObservationKind::Direction;
            d.from = s;
            d.to = t;
            d.set = set;
            d.sigma = sigmaAngle;
            double v = TrueBearing(n, s, t) - orientation + Noise(random, sigmaAngle);
            v = std::fmod(v + 4.0 * std::numbers::pi, 2.0 * std::numbers::pi);
            d.value = v;
            n.network.observations.push_back(d);
            if (s < t || random() % 2 == 0) {
                Observation l;
                l.kind = ObservationKind::Distance;
                l.from = s;
                l.to = t;
                l.sigma = DistanceSigma(distance, 0.010, 5e-6);
                l.value = distance + Noise(random, l.sigma);
                n.network.observations.push_back(l);
            }
        }
    }
    return n;
}

} // namespace vemo::testing_network
