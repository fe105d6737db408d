#pragma once

#include <Eigen/SparseCholesky>
#include <Eigen/SparseCore>

#include <optional>
#include <vector>

namespace vemo::network {

// The normal matrix N factored by a sparse LDLᵀ (with a fill-reducing ordering), and the elements of N⁻¹
// that an adjustment's standard deviations need: those on the pattern of the factor, which holds every
// pair of unknowns that share an observation.  They come from the factor by the sparse-inverse
// recurrence (Takahashi), never from a dense inverse, so a network of thousands of points stays fast.
class SparseInverse {
public:
    using Matrix = Eigen::SparseMatrix<double>;

    // Factors `normal` (symmetric; its lower triangle is read).  Fails, naming the first unknown (in the
    // original order) whose pivot vanishes, when N is singular: a datum defect or an undetermined point.
    struct Failure {
        int unknown;
    };
    static std::optional<Failure> Factor(const Matrix& normal, SparseInverse& out);

    Eigen::VectorXd Solve(const Eigen::VectorXd& rhs) const { return ldlt_.solve(rhs); }

    // (N⁻¹)ᵢⱼ for unknowns that share an observation (or i == j).  Other pairs read as 0.  The first call
    // works them all out (the iterations before the last never need them).
    double At(int i, int j);

private:
    void ComputeInverse();
    // The element (a, b) of the inverse in the factor's own order, from what is kept of it: the
    // diagonal, and the elements in the factor's sparsity pattern (others are not needed: zero here).
    double Kept(int a, int b) const;

    Eigen::SimplicialLDLT<Matrix, Eigen::Lower, Eigen::AMDOrdering<int>> ldlt_;
    std::vector<int> perm_;                  // original index -> factor index
    std::vector<std::vector<int>> rows_;     // factor column j: rows below the diagonal, ascending
    std::vector<std::vector<double>> lower_; // L values on rows_
    std::vector<std::vector<double>> z_;     // N⁻¹ values on rows_
    std::vector<double> diagonal_;           // N⁻¹ diagonal (factor order)
    bool computed_ = false;                  // the elements above are worked out at the first At()
};

} // namespace vemo::network
