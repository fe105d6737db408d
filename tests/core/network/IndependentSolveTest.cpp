// The adjustment against a least-squares solution worked out here in long double on its own: dense
// normal equations from numerically differentiated observation functions, solved by a Cholesky
// factorization written in the test.
#include "RandomNetwork.h"

#include "core/network/AdjustNetwork.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <utility>
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

// A free network's datum, written here on its own: the transformations E that leave every observation
// as it is (shifts; a turn, which turns every orientation with the points, when no azimuth is observed; a
// change of scale when no distance is), and the minimum-norm conditions G: no shift, turn or change of
// scale of the datum points (those marked, else all) about their centroid.  Rows of E and G per unknown.
struct FreeDatumOracle {
    Matrix e; // m × d
    Matrix g; // d × m
};

FreeDatumOracle DatumOf(const Oracle& oracle, const Vector& u) {
    const Network& net = oracle.net;
    bool turn = true, scale = true, marked = false;
    for (const Observation& o : net.observations) {
        turn = turn && o.kind != ObservationKind::Azimuth;
        scale = scale && o.kind != ObservationKind::Distance;
    }
    for (const NetworkPoint& p : net.points) {
        marked = marked || p.datum;
    }
    const size_t d = 2 + (turn ? 1 : 0) + (scale ? 1 : 0), m = static_cast<size_t>(oracle.count);
    Real cx = 0, cy = 0, count = 0;
    for (size_t p = 0; p < net.points.size(); ++p) {
        if (!marked || net.points[p].datum) {
            cx += oracle.X(u, static_cast<int>(p));
            cy += oracle.Y(u, static_cast<int>(p));
            count += 1;
        }
    }
    cx /= count;
    cy /= count;
    FreeDatumOracle datum{Matrix(m, Vector(d, 0)), Matrix(d, Vector(m, 0))};
    for (size_t p = 0; p < net.points.size(); ++p) {
        const auto c = static_cast<size_t>(oracle.column[p]);
        const Real xc = oracle.X(u, static_cast<int>(p)) - cx, yc = oracle.Y(u, static_cast<int>(p)) - cy;
        std::vector<std::pair<Real, Real>> moves{{1, 0}, {0, 1}};
        if (turn) {
            moves.emplace_back(-yc, xc);
        }
        if (scale) {
            moves.emplace_back(xc, yc);
        }
        for (size_t k = 0; k < d; ++k) {
            datum.e[c][k] = moves[k].first;
            datum.e[c + 1][k] = moves[k].second;
            if (!marked || net.points[p].datum) {
                datum.g[k][c] = moves[k].first;
                datum.g[k][c + 1] = moves[k].second;
            }
        }
    }
    for (int s = 0; turn && s < net.directionSets; ++s) {
        datum.e[m - static_cast<size_t>(net.directionSets - s)][2] = 1;
    }
    return datum;
}

// Solves from u; a free network with N + GᵀG in place of the singular N (the solution then meets the
// conditions, as the right-hand side lies in the range of N), and its cofactors as
// Q = (N + GᵀG)⁻¹ − E·(EᵀGᵀG·E)⁻¹·Eᵀ.
OracleSolution Solve(const Oracle& oracle, Vector u, bool free = false) {
    const Network& net = oracle.net;
    const auto m = static_cast<size_t>(oracle.count);
    Matrix n;
    FreeDatumOracle datum;
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
        if (free) {
            datum = DatumOf(oracle, u);
            for (const Vector& g : datum.g)
                for (size_t i = 0; i < m; ++i)
                    for (size_t j = 0; j < m; ++j)
                        n[i][j] += g[i] * g[j];
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
    size_t defect = 0;
    if (free) {
        defect = datum.g.size();
        Matrix ge(defect, Vector(defect, 0)), gtg(defect, Vector(defect, 0));
        for (size_t k = 0; k < defect; ++k)
            for (size_t l = 0; l < defect; ++l)
                for (size_t i = 0; i < m; ++i)
                    ge[k][l] += datum.g[k][i] * datum.e[i][l];
        for (size_t k = 0; k < defect; ++k)
            for (size_t l = 0; l < defect; ++l)
                for (size_t r = 0; r < defect; ++r)
                    gtg[k][l] += ge[r][k] * ge[r][l];
        for (size_t l = 0; l < defect; ++l) {
            Vector unit(defect, 0);
            unit[l] = 1;
            const Vector column = CholeskySolve(gtg, unit); // a column of (EᵀGᵀG·E)⁻¹
            for (size_t i = 0; i < m; ++i)
                for (size_t j = 0; j < m; ++j)
                    for (size_t k = 0; k < defect; ++k)
                        s.q[i][j] -= datum.e[i][k] * column[k] * datum.e[j][l];
        }
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
    s.sigma0 = sqrtl(vtpv / (Real)(net.observations.size() - m + defect));
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
        // An angle between three new points: its station's unknowns stand in both of its sights.
        if (newPoint - 2 >= 3) {
            net.observations.push_back(
                {ObservationKind::Angle, newPoint, newPoint - 1, newPoint - 2, -1,
                 std::fmod(testing_network::TrueBearing(made, newPoint, newPoint - 1) -
                               testing_network::TrueBearing(made, newPoint, newPoint - 2) + 4 * std::numbers::pi,
                           2 * std::numbers::pi),
                 3.0 * std::numbers::pi / 180.0 / 3600.0});
        }
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

// Free networks (no known point) against the long-double solve with the minimum-norm conditions: with
// distances or without (a change of scale then floats too), with a fixed azimuth or without (a turn),
// over every point or over the marked datum points only.  Starting 3 cm and −2 cm off the truth, so
// that the datum has something to hold.
TEST(IndependentSolve, FreeNetworksAgreeWithALongDoubleMinimumNormSolution) {
    std::mt19937 random(4141);
    for (int trial = 0; trial < 24; ++trial) {
        SCOPED_TRACE(trial);
        testing_network::RandomNetwork made = MakeRandomNetwork(random, 3, 3 + trial % 3, 4);
        Network& net = made.network;
        const bool distances = trial % 4 != 1, azimuth = trial % 4 == 2, marked = trial % 2 == 1;
        if (!distances) {
            std::erase_if(net.observations, [](const Observation& o) { return o.kind == ObservationKind::Distance; });
        }
        if (azimuth) {
            net.observations.push_back({ObservationKind::Azimuth, 0, 4, -1, -1,
                                        testing_network::TrueBearing(made, 0, 4) + 1e-5,
                                        3.0 * std::numbers::pi / 180.0 / 3600.0});
        }
        for (size_t p = 0; p < net.points.size(); ++p) {
            NetworkPoint& point = net.points[p];
            point.role = NetworkPointRole::Adjusted;
            point.hasCoordinates = true;
            point.x = made.trueX[p] + (p % 2 == 0 ? 0.03 : -0.01);
            point.y = made.trueY[p] - 0.02;
            point.datum = marked && p < 3; // the ring's points, as a surveyor marks the old marks
        }
        const auto adjusted = AdjustNetwork(net);
        ASSERT_TRUE(adjusted.has_value()) << adjusted.error();
        EXPECT_EQ(adjusted->datum, NetworkDatum::FreeMinimumNorm);

        const Oracle oracle(net);
        Vector start(static_cast<size_t>(oracle.count), 0);
        for (size_t p = 0; p < net.points.size(); ++p) {
            start[static_cast<size_t>(oracle.column[p])] = net.points[p].x;
            start[static_cast<size_t>(oracle.column[p]) + 1] = net.points[p].y;
        }
        for (const Observation& o : net.observations) {
            if (o.kind == ObservationKind::Direction) {
                start[static_cast<size_t>(oracle.count - net.directionSets + o.set)] =
                    testing_network::TrueBearing(made, o.from, o.to) - o.value;
            }
        }
        const OracleSolution expected = Solve(oracle, start, true);
        EXPECT_EQ(adjusted->datumDefect, 2 + (azimuth ? 0 : 1) + (distances ? 0 : 1));
        EXPECT_NEAR(adjusted->sigma0, (double)expected.sigma0, 1e-6 * (double)expected.sigma0);
        for (const AdjustedNetworkPoint& p : adjusted->points) {
            const auto c = static_cast<size_t>(oracle.column[static_cast<size_t>(p.point)]);
            EXPECT_NEAR(p.x, (double)expected.u[c], 1e-5);
            EXPECT_NEAR(p.y, (double)expected.u[c + 1], 1e-5);
            const double sx = (double)(expected.sigma0 * sqrtl(expected.q[c][c]));
            const double sy = (double)(expected.sigma0 * sqrtl(expected.q[c + 1][c + 1]));
            EXPECT_NEAR(p.sigmaX, sx, 1e-3 * sx);
            EXPECT_NEAR(p.sigmaY, sy, 1e-3 * sy);
            EXPECT_NEAR(p.sigmaXY, (double)(expected.sigma0 * expected.sigma0 * expected.q[c][c + 1]), 1e-3 * sx * sy);
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
