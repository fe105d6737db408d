#include "core/network/FreeDatum.h"

#include <Eigen/LU>

#include <cmath>

namespace vemo::network {

FreeDatum::FreeDatum(const Network& network, const UnknownLayout& layout, int defect, const NetworkState& state)
    : n_(layout.count), isHeld_(static_cast<size_t>(layout.count), false) {
    bool turn = true, scale = true; // the datum defects beyond the shift
    for (const Observation& o : network.observations) {
        turn = turn && o.kind != ObservationKind::Azimuth;
        scale = scale && o.kind != ObservationKind::Distance;
    }
    // The datum points: those marked, else every point.
    std::vector<size_t> points, datum;
    for (size_t p = 0; p < network.points.size(); ++p) {
        if (layout.pointColumn[p] >= 0) {
            points.push_back(p);
            if (network.points[p].datum) {
                datum.push_back(p);
            }
        }
    }
    if (datum.empty()) {
        datum = points;
    }
    if (points.empty() || datum.empty()) {
        regular_ = false;
        return;
    }
    double cx = 0.0, cy = 0.0;
    for (const size_t p : datum) {
        cx += state.x[p];
        cy += state.y[p];
    }
    cx /= static_cast<double>(datum.size());
    cy /= static_cast<double>(datum.size());

    // E: the datum transformations, about the datum points' centroid.  A turn by ε moves a point by
    // ε·(−y, x) and turns every bearing, and so every set's orientation, by ε.
    Eigen::MatrixXd e = Eigen::MatrixXd::Zero(n_, defect);
    g_ = Eigen::MatrixXd::Zero(defect, n_);
    for (const size_t p : points) {
        const int c = layout.pointColumn[p];
        const double xc = state.x[p] - cx, yc = state.y[p] - cy;
        double ex[4] = {1.0, 0.0, 0.0, 0.0}, ey[4] = {0.0, 1.0, 0.0, 0.0};
        int k = 2;
        if (turn) {
            ex[k] = -yc;
            ey[k] = xc;
            ++k;
        }
        if (scale) {
            ex[k] = xc;
            ey[k] = yc;
        }
        for (int j = 0; j < defect; ++j) {
            e(c, j) = ex[j];
            e(c + 1, j) = ey[j];
        }
        if (network.points[p].datum || datum.size() == points.size()) {
            for (int j = 0; j < defect; ++j) {
                g_(j, c) = ex[j];
                g_(j, c + 1) = ey[j];
            }
        }
    }
    if (turn) {
        for (int s = 0; s < network.directionSets; ++s) {
            e(layout.setColumn + s, 2) = 1.0;
        }
    }
    const Eigen::FullPivLU<Eigen::MatrixXd> ge(g_ * e);
    if (!ge.isInvertible()) {
        regular_ = false;
        held_ = {layout.pointColumn[datum.front()]};
        return;
    }
    t_ = e * ge.inverse();

    // The particular datum: the first point held, and of the point farthest from it the coordinate
    // across the line (a turn) and the one along it (a change of scale).
    const size_t first = points.front();
    size_t far = first;
    double farthest = 0.0;
    for (const size_t p : points) {
        const double d = std::hypot(state.x[p] - state.x[first], state.y[p] - state.y[first]);
        if (d > farthest) {
            farthest = d;
            far = p;
        }
    }
    const int c1 = layout.pointColumn[first], c2 = layout.pointColumn[far];
    held_ = {c1, c1 + 1};
    const bool alongX = std::abs(state.x[far] - state.x[first]) >= std::abs(state.y[far] - state.y[first]);
    if (turn) {
        held_.push_back(alongX ? c2 + 1 : c2);
    }
    if (scale) {
        held_.push_back(alongX ? c2 : c2 + 1);
    }
    if ((turn || scale) && far == first) {
        regular_ = false;
        return;
    }
    for (const int c : held_) {
        isHeld_[static_cast<size_t>(c)] = true;
    }
}

Eigen::VectorXd FreeDatum::Transform(const Eigen::VectorXd& particular) const {
    return particular - t_ * (g_ * particular);
}

void FreeDatum::PrepareCofactors(const std::function<Eigen::VectorXd(const Eigen::VectorXd&)>& solve) {
    w_.resize(n_, g_.rows());
    for (int k = 0; k < g_.rows(); ++k) {
        Eigen::VectorXd b = g_.row(k).transpose();
        for (const int c : held_) {
            b[c] = 0.0;
        }
        Eigen::VectorXd w = solve(b);
        for (const int c : held_) {
            w[c] = 0.0;
        }
        w_.col(k) = w;
    }
    gw_ = g_ * w_;
}

double FreeDatum::Cofactor(int i, int j, double particular) const {
    return particular - t_.row(i).dot(w_.row(j)) - w_.row(i).dot(t_.row(j)) + t_.row(i) * gw_ * t_.row(j).transpose();
}

} // namespace vemo::network
