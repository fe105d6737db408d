#include "core/network/NetworkSolver.h"

namespace vemo::network {

NetworkSolver::NetworkSolver(const Network& network, const UnknownLayout& layout) : network_(network), layout_(layout) {
    free_ = true;
    bool distances = false, azimuths = false;
    for (const NetworkPoint& p : network.points) {
        if (p.role != NetworkPointRole::Adjusted) {
            free_ = false;
        }
    }
    for (const Observation& o : network.observations) {
        distances = distances || o.kind == ObservationKind::Distance;
        azimuths = azimuths || o.kind == ObservationKind::Azimuth;
    }
    defect_ = free_ ? 2 + (azimuths ? 0 : 1) + (distances ? 0 : 1) : 0;
}

NetworkSolver::Step NetworkSolver::Solve(const std::vector<EquationRow>& rows, const NetworkState& state) {
    const int n = layout_.count;
    Step step;
    if (free_) {
        datum_ = std::make_unique<FreeDatum>(network_, layout_, defect_, state);
        if (!datum_->Regular()) {
            step.undetermined = datum_->Held().empty() ? 0 : datum_->Held().front();
            return step;
        }
    }
    const auto held = [&](int column) { return free_ && datum_->IsHeld(column); };
    std::vector<Eigen::Triplet<double>> triplets;
    triplets.reserve(rows.size() * 25);
    Eigen::VectorXd rhs = Eigen::VectorXd::Zero(n);
    for (const EquationRow& row : rows) {
        const double w = 1.0 / (row.sigma * row.sigma);
        for (int a = 0; a < row.size; ++a) {
            if (held(row.column[a])) {
                continue;
            }
            rhs[row.column[a]] += w * row.coefficient[a] * row.misclosure;
            for (int b = 0; b < row.size; ++b) {
                if (!held(row.column[b])) {
                    triplets.emplace_back(row.column[a], row.column[b], w * row.coefficient[a] * row.coefficient[b]);
                }
            }
        }
    }
    if (free_) {
        for (const int c : datum_->Held()) {
            triplets.emplace_back(c, c, 1.0);
        }
    }
    SparseInverse::Matrix normal(n, n);
    normal.setFromTriplets(triplets.begin(), triplets.end());
    sparse_ = std::make_unique<SparseInverse>();
    if (const auto failure = SparseInverse::Factor(normal, *sparse_)) {
        step.undetermined = failure->unknown;
        return step;
    }
    step.correction = sparse_->Solve(rhs);
    if (free_) {
        step.correction = datum_->Transform(step.correction);
        datum_->PrepareCofactors([this](const Eigen::VectorXd& b) { return sparse_->Solve(b); });
    }
    return step;
}

double NetworkSolver::Cofactor(int i, int j) const {
    if (!free_) {
        return sparse_->At(i, j);
    }
    const double particular = datum_->IsHeld(i) || datum_->IsHeld(j) ? 0.0 : sparse_->At(i, j);
    return datum_->Cofactor(i, j, particular);
}

} // namespace vemo::network
