#pragma once

#include "core/network/FreeDatum.h"
#include "core/network/Network.h"
#include "core/network/NetworkEquations.h"
#include "core/network/SparseInverse.h"

#include <Eigen/Dense>

#include <memory>
#include <vector>

namespace vemo::network {

// One Gauss–Newton step of the adjustment: the normal equations of the rows solved, and the cofactor
// matrix Q = N⁻¹ kept for the standard deviations.  Sparse throughout: a free network (no known point)
// is solved in a particular datum and taken over to the minimum-norm datum (see FreeDatum).
class NetworkSolver {
public:
    NetworkSolver(const Network& network, const UnknownLayout& layout);

    // Solves; the corrections, or the column of an unknown the observations do not determine.
    struct Step {
        Eigen::VectorXd correction;
        int undetermined = -1;
    };
    Step Solve(const std::vector<EquationRow>& rows, const NetworkState& state);

    double Cofactor(int i, int j) const;
    bool Free() const { return free_; }
    int Defect() const { return defect_; }

private:
    const Network& network_;
    const UnknownLayout& layout_;
    bool free_ = false;
    int defect_ = 0;
    std::unique_ptr<SparseInverse> sparse_;
    std::unique_ptr<FreeDatum> datum_;
};

} // namespace vemo::network
