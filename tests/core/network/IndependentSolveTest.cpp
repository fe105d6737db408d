// The adjustment against a least-squares solution worked out here in long double on its own: dense
// normal equations from numerically differentiated observation functions, solved by a Cholesky
// factorization written in the test.
#include "RandomNetwork.h"

#include "core/network/AdjustNetwork.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace vemo {
namespace {

using testing_network::MakeRandomNetwork;
using Real = long double;
using Vector = std::vector<Real>;
using Matrix = std::vector<Vector>;

constexpr Real kPi = std::numbers::pi_v<long double>;

Real WrapL(Real a) {
    while (a > kPi)
        a -= 2 * kPi;
    while (a <= -kPi)
        a += 2 * kPi;
    return a;
}

// The unknowns: X, Y of each new point, then one orientation per direction set.
struct Oracle {
    const Network& net;
    std::vector<int> column;
    int count = 0;

    explicit Oracle(const Network& n) : net(n), column(n.points.size(), -1) {
        for (size_t p = 0; p < n.points.size(); ++p) {
            if (n.points[p].role == NetworkPointRole::Adjusted) {
                column[p] = count;
                count += 2;
            }
        }
        count += n.directionSets;
    }

    Real X(const Vector& u, int p) const {
        const int c = column[static_cast<size_t>(p)];
        return c >= 0 ? u[static_cast<size_t>(c)] : net.points[static_cast<size_t>(p)].x;
    }
    Real Y(const Vector& u, int p) const {
        const int c = column[static_cast<size_t>(p)];
        return c >= 0 ? u[static_cast<size_t>(c) + 1] : net.points[static_cast<size_t>(p)].y;
    }
    Real Bearing(const Vector& u, int a, int b) const { return atan2l(Y(u, b) - Y(u, a), X(u, b) - X(u, a)); }

    // Observed minus computed, for each observation.
    Real Misclosure(const Vector& u, const Observation& o) const {
        switch (o.kind) {
        case ObservationKind::Distance:
            return o.value - hypotl(X(u, o.to) - X(u, o.from), Y(u, o.to) - Y(u, o.from));
        case ObservationKind::Direction: {
            const Real omega = u[static_cast<size_t>(count - net.directionSets + o.set)];
            return WrapL(o.value - (Bearing(u, o.from, o.to) - omega));
        }
        case ObservationKind::Angle:
            return WrapL(o.value - (Bearing(u, o.from, o.to) - Bearing(u, o.from, o.backsight)));
        case ObservationKind::Azimuth:
            return WrapL(o.value - Bearing(u, o.from, o.to));
        }
        return 0;
    }

    // The row of partial derivatives of the computed value, by central differences.
    Vector Row(const Vector& u, const Observation& o) const {
        Vector row(static_cast<size_t>(count), 0);
        for (int j = 0; j < count; ++j) {
            const Real h = j < count - net.directionSets ? 1e-4L : 1e-9L;
            Vector plus = u, minus = u;
            plus[static_cast<size_t>(j)] += h;
            minus[static_cast<size_t>(j)] -= h;
            row[static_cast<size_t>(j)] = -WrapL(Misclosure(plus, o) - Misclosure(minus, o)) / (2 * h);
        }
        return row;
    }
};

// Cholesky solve of the symmetric positive definite system; the inverse columns when asked.
Vector CholeskySolve(Matrix n, Vector b) {
    const size_t m = b.size();
    for (size_t j = 0; j < m; ++j) {
        for (size_t k = 0; k < j; ++k)
            n[j][j] -= n[j][k] * n[j][k];
        n[j][j] = sqrtl(n[j][j]);
        for (size_t i = j + 1; i < m; ++i) {
            for (size_t k = 0; k < j; ++k)
                n[i][j] -= n[i][k] * n[j][k];
            n[i][j] /= n[j][j];
        }
    }
    for (size_t i = 0; i < m; ++i) {
        for (size_t k = 0; k < i; ++k)
            b[i] -= n[i][k] * b[k];
        b[i] /= n[i][i];
    }
    for (size_t i = m; i-- > 0;) {
        for (size_t k = i + 1; k < m; ++k)
            b[i] -= n[k][i] * b[k];
        b[i] /= n[i][i];
    }
    return b;
}

struct OracleSolution {
    Vector u;
    Matrix q; // N⁻¹
    std::vector<Real> residual;
    std::vector<Real> redundancy;
    Real sigma0 = 0;
};

OracleSolution Solve(const Oracle& oracle, Vector u) {
    const Network& net = oracle.net;
    const auto m = static_cast<size_t>(oracle.count);
    Matrix n;
    for (int iteration = 0; iteration < 8; ++iteration) {
        n.assign(m, Vector(m, 0));
        Vector b(m, 0);
        for (const Observation& o : net.observations) {
            const Vector a = oracle.Row(u, o);
            const Real w = 1 / ((Real)o.sigma * o.sigma), l = oracle.Misclosure(u, o);
            for (size_t i = 0; i < m; ++i) {
                b[i] += a[i] * w * l;
                for (size_t j = 0; j < m; ++j)
                    n[i][j] += a[i] * w * a[j];
            }
        }
        const Vector dx = CholeskySolve(n, b);
        for (size_t i = 0; i < m; ++i)
            u[i] += dx[i];
    }
    OracleSolution s;
    s.u = u;
    s.q.assign(m, Vector(m, 0));
    for (size_t j = 0; j < m; ++j) {
        Vector e(m, 0);
        e[j] = 1;
        const Vector column = CholeskySolve(n, e);
        for (size_t i = 0; i < m; ++i)
            s.q[i][j] = column[i];
    }
    Real vtpv = 0;
    for (const Observation& o : net.observations) {
        const Real v = -oracle.Misclosure(u, o);
        const Vector a = oracle.Row(u, o);
        Real qll = 0;
        for (size_t i = 0; i < m; ++i)
            for (size_t j = 0; j < m; ++j)
                qll += a[i] * s.q[i][j] * a[j];
        s.residual.push_back(v);
        s.redundancy.push_back(1 - qll / ((Real)o.sigma * o.sigma));
        vtpv += v * v / ((Real)o.sigma * o.sigma);
    }
    s.sigma0 = sqrtl(vtpv / (Real)(net.observations.size() - m));
    return s;
}

TEST(IndependentSolve, RandomNetworksAgreeWithALongDoubleSolutionOfTheirOwn) {
    std::mt19937 random(20261210);
    for (int trial = 0; trial < 25; ++trial) {
        SCOPED_TRACE(trial);
        testing_network::RandomNetwork made = MakeRandomNetwork(random, 3, 2 + trial % 4, 4);
        Network& net = made.network;
        // An angle and a fixed azimuth as well, so every kind of observation is checked.
        const int newPoint = static_cast<int>(net.points.size()) - 1;
        net.observations.push_back({ObservationKind::Angle, 0, newPoint, 1, -1,
                                    std::fmod(testing_network::TrueBearing(made, 0, newPoint) -
                                                  testing_network::TrueBearing(made, 0, 1) + 4 * std::numbers::pi,
                                              2 * std::numbers::pi),
                                    3.0 * std::numbers::pi / 180.0 / 3600.0});
        net.observations.push_back({ObservationKind::Azimuth, 1, newPoint, -1, -1,
                                    testing_network::TrueBearing(made, 1, newPoint) + 2e-5,
                                    5.0 * std::numbers::pi / 180.0 / 3600.0});

        const auto adjusted = AdjustNetwork(net);
        ASSERT_TRUE(adjusted.has_value()) << adjusted.error();

        const Oracle oracle(net);
        Vector start(static_cast<size_t>(oracle.count), 0);
        for (size_t p = 0; p < net.points.size(); ++p) {
            if (oracle.column[p] >= 0) {
                start[static_cast<size_t>(oracle.column[p])] = made.trueX[p] + 0.03;
                start[static_cast<size_t>(oracle.column[p]) + 1] = made.trueY[p] - 0.02;
            }
        }
        for (const Observation& o : net.observations) {
            if (o.kind == ObservationKind::Direction) {
                start[static_cast<size_t>(oracle.count - net.directionSets + o.set)] =
                    testing_network::TrueBearing(made, o.from, o.to) - o.value;
            }
        }
        const OracleSolution expected = Solve(oracle, start);

        EXPECT_NEAR(adjusted->sigma0, (double)expected.sigma0, 1e-6 * (double)expected.sigma0);
        for (const AdjustedNetworkPoint& p : adjusted->points) {
            const auto c = static_cast<size_t>(oracle.column[static_cast<size_t>(p.point)]);
            EXPECT_NEAR(p.x, (double)expected.u[c], 1e-5);
            EXPECT_NEAR(p.y, (double)expected.u[c + 1], 1e-5);
            const double sx = (double)(expected.sigma0 * sqrtl(expected.q[c][c]));
            const double sy = (double)(expected.sigma0 * sqrtl(expected.q[c + 1][c + 1]));
            EXPECT_NEAR(p.sigmaX, sx, 1e-3 * sx);
            EXPECT_NEAR(p.sigmaY, sy, 1e-3 * sy);
        }
        for (size_t i = 0; i < net.observations.size(); ++i) {
            const double sigma = net.observations[i].sigma;
            EXPECT_NEAR(adjusted->observations[i].residual, (double)expected.residual[i], 1e-3 * sigma);
            EXPECT_NEAR(adjusted->observations[i].redundancy, (double)expected.redundancy[i], 1e-4);
        }
    }
}

} // namespace
} // namespace vemo
