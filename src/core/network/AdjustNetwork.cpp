#include "core/network/AdjustNetwork.h"

#include "core/network/ApproximateCoordinates.h"
#include "core/network/NetworkEquations.h"
#include "core/network/NetworkGeometry.h"
#include "core/network/NetworkSolver.h"
#include "core/network/NetworkTests.h"
#include "core/text/Error.h"
#include "core/text/MessagesNetwork.h"

#include <cmath>
#include <numeric>

namespace vemo {

namespace {

using network::EquationRow;
using network::NetworkSolver;
using network::NetworkState;
using network::UnknownLayout;

// Corrections below this (metres) end the iteration: the adjusted coordinates then move less than the
// last millimetre digit of the results.
constexpr double kConverged = 1e-4;
constexpr int kMaxIterations = 30;

int Root(std::vector<int>& parent, int i) {
    while (parent[static_cast<size_t>(i)] != i) {
        parent[static_cast<size_t>(i)] = parent[static_cast<size_t>(parent[static_cast<size_t>(i)])];
        i = parent[static_cast<size_t>(i)];
    }
    return i;
}

void Join(std::vector<int>& parent, int a, int b) {
    if (a >= 0 && b >= 0) {
        parent[static_cast<size_t>(Root(parent, a))] = Root(parent, b);
    }
}

// The first new point that no chain of observations ties to a known point (or, in a free network, to
// the first observed point): it could only float.
std::optional<std::string> UnconnectedPoint(const Network& network) {
    const int n = static_cast<int>(network.points.size());
    std::vector<int> parent(static_cast<size_t>(n) + 1);
    std::iota(parent.begin(), parent.end(), 0);
    const int known = n; // every known point joins this one node
    bool anyKnown = false;
    for (int p = 0; p < n; ++p) {
        if (network.points[static_cast<size_t>(p)].role != NetworkPointRole::Adjusted) {
            Join(parent, p, known);
            anyKnown = true;
        }
    }
    for (const Observation& o : network.observations) {
        Join(parent, o.from, o.to);
        Join(parent, o.from, o.backsight);
    }
    const int anchor = anyKnown ? known : (network.observations.empty() ? 0 : network.observations.front().from);
    for (int p = 0; p < n; ++p) {
        if (Root(parent, p) != Root(parent, anchor)) {
            return msg::NetworkPointUnconnected(network.points[static_cast<size_t>(p)].name);
        }
    }
    return std::nullopt;
}

std::optional<std::string> CheckInput(const Network& network) {
    bool anyNew = false;
    for (const NetworkPoint& p : network.points) {
        anyNew = anyNew || p.role != NetworkPointRole::Fixed;
    }
    if (!anyNew) {
        return msg::NetworkNoNewPoints();
    }
    for (const Observation& o : network.observations) {
        if (!(o.sigma > 0.0) || !std::isfinite(o.sigma)) {
            return msg::NetworkBadSigma(network.points[static_cast<size_t>(o.from)].name,
                                        network.points[static_cast<size_t>(o.to)].name);
        }
    }
    for (const NetworkPoint& p : network.points) {
        if (p.role == NetworkPointRole::Constrained && !(p.sigmaX > 0.0 && p.sigmaY > 0.0)) {
            return msg::NetworkBadSigma(p.name, p.name);
        }
    }
    return UnconnectedPoint(network);
}

// The message for an unknown the observations leave undetermined: its point, or its set's station.
std::string UndeterminedMessage(const Network& network, const UnknownLayout& layout, int column) {
    const int point = layout.PointOf(column, network);
    if (point >= 0) {
        return msg::NetworkPointUndetermined(network.points[static_cast<size_t>(point)].name);
    }
    for (const Observation& o : network.observations) {
        if (o.kind == ObservationKind::Direction && layout.setColumn + o.set == column) {
            return msg::NetworkSetUndetermined(network.points[static_cast<size_t>(o.from)].name);
        }
    }
    return msg::NetworkPointUndetermined("?");
}

void Apply(const Network& network, const UnknownLayout& layout, const Eigen::VectorXd& dx, NetworkState& state,
           double& largest) {
    largest = 0.0;
    for (size_t p = 0; p < network.points.size(); ++p) {
        const int c = layout.pointColumn[p];
        if (c >= 0) {
            state.x[p] += dx[c];
            state.y[p] += dx[c + 1];
            largest = std::max({largest, std::abs(dx[c]), std::abs(dx[c + 1])});
        }
    }
    for (int s = 0; s < network.directionSets; ++s) {
        state.orientation[static_cast<size_t>(s)] += dx[layout.setColumn + s];
    }
}

double RowCofactor(const EquationRow& row, const NetworkSolver& solver) {
    double q = 0.0;
    for (int a = 0; a < row.size; ++a) {
        for (int b = 0; b < row.size; ++b) {
            q += row.coefficient[a] * row.coefficient[b] * solver.Cofactor(row.column[a], row.column[b]);
        }
    }
    return q;
}

} // namespace

NetworkOutcome AdjustNetwork(const Network& network) {
    if (auto problem = CheckInput(network)) {
        return NetworkOutcome::Failure(*problem);
    }
    const ApproximateCoordinates approximate = FindApproximateCoordinates(network);
    if (approximate.missing >= 0) {
        return NetworkOutcome::Failure(
            msg::NetworkPointNoApproximate(network.points[static_cast<size_t>(approximate.missing)].name));
    }
    const UnknownLayout layout(network);
    NetworkState state{approximate.x, approximate.y, {}};
    network::OrientSets(network, state);
    NetworkSolver solver(network, layout);
    NetworkAdjustment result;
    try {
        bool converged = false;
        for (int iteration = 1; iteration <= kMaxIterations && !converged; ++iteration) {
            const auto step = solver.Solve(Linearize(network, layout, state), state);
            if (step.undetermined >= 0) {
                return NetworkOutcome::Failure(UndeterminedMessage(network, layout, step.undetermined));
            }
            double largest = 0.0;
            Apply(network, layout, step.correction, state, largest);
            result.iterations = iteration;
            converged = largest < kConverged;
        }
        if (!converged) {
            return NetworkOutcome::Failure(msg::NetworkNotConverging(kMaxIterations));
        }
        // The residuals and the cofactors at the adjusted coordinates themselves.
        const std::vector<EquationRow> rows = Linearize(network, layout, state);
        if (const auto step = solver.Solve(rows, state); step.undetermined >= 0) {
            return NetworkOutcome::Failure(UndeterminedMessage(network, layout, step.undetermined));
        }
        result.equations = static_cast<int>(rows.size());
        result.unknowns = layout.count;
        result.datumDefect = solver.Defect();
        result.degreesOfFreedom = result.equations - result.unknowns + result.datumDefect;
        if (result.degreesOfFreedom < 0) {
            return NetworkOutcome::Failure(msg::NetworkTooFewObservations(result.equations, result.unknowns));
        }
        result.datum = solver.Free() ? NetworkDatum::FreeMinimumNorm : NetworkDatum::Fixed;
        for (const NetworkPoint& p : network.points) {
            if (p.role == NetworkPointRole::Constrained) {
                result.datum = NetworkDatum::Constrained;
            }
        }
        if (solver.Free()) {
            result.notes.push_back(msg::NetworkFreeDatum());
        }
        result.observations.resize(network.observations.size());
        for (const EquationRow& row : rows) {
            const double v = -row.misclosure;
            result.weightedSquareSum += v * v / (row.sigma * row.sigma);
            if (row.observation < 0) {
                continue;
            }
            ObservationResult& o = result.observations[static_cast<size_t>(row.observation)];
            const double q = std::max(0.0, RowCofactor(row, solver));
            o.residual = v;
            o.adjusted = network.observations[static_cast<size_t>(row.observation)].value + v;
            o.sigmaAdjusted = std::sqrt(q);
            o.redundancy = std::clamp(1.0 - q / (row.sigma * row.sigma), 0.0, 1.0);
        }
        network::FinishStatistics(network, layout, state, approximate, solver, result);
    } catch (const Error& error) {
        return NetworkOutcome::Failure(std::string(error.what()));
    }
    return result;
}

} // namespace vemo
