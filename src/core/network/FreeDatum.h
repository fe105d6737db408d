#pragma once

#include "core/network/Network.h"
#include "core/network/NetworkEquations.h"

#include <Eigen/Dense>

#include <functional>
#include <vector>

namespace vemo::network {

// The datum of a free network (no known point), solved sparse.  The normal matrix N of a free network
// is singular along the datum transformations E (a shift in X and Y, a turn when no azimuth fixes it,
// a change of scale when no distance does): N·E = 0.  A few coordinates are held first, enough to fix
// one particular datum (the first point, and a coordinate or two of the point farthest from it), so that
// the rest of N factors sparse as a fixed network's does.  The particular solution x₀ and its cofactors
// Q₀ then go over to the minimum-norm datum of the conditions G (no shift, turn or scale of the datum
// points' approximate coordinates) by the S-transformation S = I − E·(G·E)⁻¹·G:
//     x = S·x₀,   Q = S·Q₀·Sᵀ,
// which is the top-left block of the inverse of N bordered with G, without forming it: every element
// of Q is an element of Q₀ plus a correction of rank d, from Q₀·Gᵀ (d solves with the factor).
class FreeDatum {
public:
    FreeDatum(const Network& network, const UnknownLayout& layout, int defect, const NetworkState& state);

    // The coordinates held for the particular datum (their rows and columns of N are replaced by the
    // identity, their right-hand sides by 0).
    const std::vector<int>& Held() const { return held_; }
    bool IsHeld(int column) const { return column >= 0 && isHeld_[static_cast<size_t>(column)]; }

    // False when the datum points cannot carry the conditions (one point, or all in one place).
    bool Regular() const { return regular_; }

    // From the particular datum to the minimum-norm one; `solve` applies Q₀ to a vector.
    Eigen::VectorXd Transform(const Eigen::VectorXd& particular) const;
    void PrepareCofactors(const std::function<Eigen::VectorXd(const Eigen::VectorXd&)>& solve);
    // Q(i, j) from Q₀(i, j).
    double Cofactor(int i, int j, double particular) const;

private:
    int n_ = 0;
    std::vector<int> held_;
    std::vector<bool> isHeld_;
    bool regular_ = true;
    Eigen::MatrixXd g_;  // d × n: the conditions
    Eigen::MatrixXd t_;  // n × d: E·(G·E)⁻¹
    Eigen::MatrixXd w_;  // n × d: Q₀·Gᵀ
    Eigen::MatrixXd gw_; // d × d: G·Q₀·Gᵀ
};

} // namespace vemo::network
