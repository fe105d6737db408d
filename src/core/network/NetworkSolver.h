#pragma once

#include "core/network/Network.h"
#include "core/network/NetworkEquations.h"
#include "core/network/SparseInverse.h"

#include <Eigen/Dense>

#include <memory>
#include <vector>

namespace vemo::network {

// One Gauss–Newton step of the adjustment: the normal equations of the rows solved, and the cofactor
// matrix Q = N⁻¹ kept for the standard deviations.  A network with known points is solved sparse; a free
// network (no known point) by the normal matrix bordered with the conditions of the minimum-norm datum
// (no shift, no turn and, without distances, no change of scale of the approximate coordinates), dense:
// free networks are the small ones of a site laid out on its own.
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
    Eigen::MatrixXd DatumConditions(const NetworkState& state) const;

    const Network& network_;
    const UnknownLayout& layout_;
    bool free_ = false;
    int defect_ = 0;
    std::unique_ptr<SparseInverse> sparse_;
    Eigen::MatrixXd dense_;
};

} // namespace vemo::network
