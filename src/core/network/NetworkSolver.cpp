#include "core/network/NetworkSolver.h"

#include <Eigen/LU>

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

Eigen::MatrixXd NetworkSolver::DatumConditions(const NetworkState& state) const {
    const int n = layout_.count;
    Eigen::MatrixXd g = Eigen::MatrixXd::Zero(defect_, n);
    double cx = 0.0, cy = 0.0;
    int count = 0;
    for (size_t p = 0; p < network_.points.size(); ++p) {
        cx += state.x[p];
        cy += state.y[p];
        ++count;
    }
    cx /= count;
    cy /= count;
    bool turn = false, scale = false;
    for (const Observation& o : network_.observations) {
        turn = turn || o.kind == ObservationKind::Azimuth;
        scale = scale || o.kind == ObservationKind::Distance;
    }
    for (size_t p = 0; p < network_.points.size(); ++p) {
        const int c = layout_.pointColumn[p];
        const double xc = state.x[p] - cx, yc = state.y[p] - cy;
        g(0, c) = 1.0;
        g(1, c + 1) = 1.0;
        int row = 2;
        if (!turn) {
            g(row, c) = -yc;
            g(row, c + 1) = xc;
            ++row;
        }
        if (!scale) {
            g(row, c) = xc;
            g(row, c + 1) = yc;
        }
    }
    return g;
}

NetworkSolver::Step NetworkSolver::Solve(const std::vector<EquationRow>& rows, const NetworkState& state) {
    const int n = layout_.count;
    std::vector<Eigen::Triplet<double>> triplets;
    triplets.reserve(rows.size() * 25);
    Eigen::VectorXd rhs = Eigen::VectorXd::Zero(n);
    for (const EquationRow& row : rows) {
        const double w = 1.0 / (row.sigma * row.sigma);
        for (int a = 0; a < row.size; ++a) {
            rhs[row.column[a]] += w * row.coefficient[a] * row.misclosure;
            for (int b = 0; b < row.size; ++b) {
                triplets.emplace_back(row.column[a], row.column[b], w * row.coefficient[a] * row.coefficient[b]);
            }
        }
    }
    SparseInverse::Matrix normal(n, n);
    normal.setFromTriplets(triplets.begin(), triplets.end());
    Step step;
    if (!free_) {
        sparse_ = std::make_unique<SparseInverse>();
        if (const auto failure = SparseInverse::Factor(normal, *sparse_)) {
            step.undetermined = failure->unknown;
            return step;
        }
        step.correction = sparse_->Solve(rhs);
        return step;
    }
    const Eigen::MatrixXd g = DatumConditions(state);
    Eigen::MatrixXd bordered = Eigen::MatrixXd::Zero(n + defect_, n + defect_);
    bordered.topLeftCorner(n, n) = Eigen::MatrixXd(normal);
    bordered.bottomLeftCorner(defect_, n) = g;
    bordered.topRightCorner(n, defect_) = g.transpose();
    const Eigen::FullPivLU<Eigen::MatrixXd> lu(bordered);
    if (!lu.isInvertible()) {
        step.undetermined = n > 0 ? 0 : -1;
        for (int k = 0; k < n; ++k) {
            if (normal.coeff(k, k) == 0.0) {
                step.undetermined = k;
                break;
            }
        }
        return step;
    }
    dense_ = lu.inverse().topLeftCorner(n, n);
    step.correction = dense_ * rhs;
    return step;
}

double NetworkSolver::Cofactor(int i, int j) const {
    return free_ ? dense_(i, j) : sparse_->At(i, j);
}

} // namespace vemo::network
