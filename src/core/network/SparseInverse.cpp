#include "core/network/SparseInverse.h"

#include <algorithm>
#include <cmath>

namespace vemo::network {

namespace {

// A pivot this small against its diagonal element means the unknown is not determined by the others
// (rounding alone leaves about 1e-16 of it; a real network keeps far above 1e-10).
constexpr double kSingularPivot = 1e-10;

} // namespace

std::optional<SparseInverse::Failure> SparseInverse::Factor(const Matrix& normal, SparseInverse& out) {
    out.ldlt_.compute(normal);
    const Eigen::Index n = normal.rows();
    out.perm_.assign(static_cast<size_t>(n), 0);
    const auto& indices = out.ldlt_.permutationP().indices();
    std::vector<int> original(static_cast<size_t>(n), 0);
    for (Eigen::Index i = 0; i < n; ++i) {
        out.perm_[static_cast<size_t>(i)] = indices[i];
        original[static_cast<size_t>(indices[i])] = static_cast<int>(i);
    }
    const Eigen::VectorXd d = out.ldlt_.vectorD();
    for (Eigen::Index k = 0; k < n; ++k) {
        const int o = original[static_cast<size_t>(k)];
        const double scale = std::abs(normal.coeff(o, o));
        if (out.ldlt_.info() != Eigen::Success || !(d[k] > kSingularPivot * scale) || scale == 0.0) {
            return Failure{o};
        }
    }
    out.computed_ = false;
    return std::nullopt;
}

void SparseInverse::ComputeInverse() {
    computed_ = true;
    const Matrix& l = ldlt_.matrixL().nestedExpression();
    const Eigen::Index n = l.cols();
    rows_.assign(static_cast<size_t>(n), {});
    lower_.assign(static_cast<size_t>(n), {});
    for (Eigen::Index j = 0; j < n; ++j) {
        for (Matrix::InnerIterator it(l, j); it; ++it) {
            if (it.row() > j && it.value() != 0.0) {
                rows_[static_cast<size_t>(j)].push_back(static_cast<int>(it.row()));
                lower_[static_cast<size_t>(j)].push_back(it.value());
            }
        }
    }
    const Eigen::VectorXd d = ldlt_.vectorD();
    z_.assign(static_cast<size_t>(n), {});
    diagonal_.assign(static_cast<size_t>(n), 0.0);
    for (Eigen::Index jj = n - 1; jj >= 0; --jj) {
        const auto j = static_cast<size_t>(jj);
        const auto& rows = rows_[j];
        const auto& lj = lower_[j];
        std::vector<double> zj(rows.size(), 0.0);
        for (size_t a = 0; a < rows.size(); ++a) {
            double sum = 0.0;
            for (size_t b = 0; b < rows.size(); ++b) {
                sum += Kept(rows[a], rows[b]) * lj[b];
            }
            zj[a] = -sum;
        }
        double diag = 1.0 / d[jj];
        for (size_t b = 0; b < rows.size(); ++b) {
            diag -= lj[b] * zj[b];
        }
        z_[j] = std::move(zj);
        diagonal_[j] = diag;
    }
}

double SparseInverse::At(int i, int j) {
    if (!computed_) {
        ComputeInverse();
    }
    return Kept(perm_[static_cast<size_t>(i)], perm_[static_cast<size_t>(j)]);
}

double SparseInverse::Kept(int a, int b) const {
    if (a == b) {
        return diagonal_[static_cast<size_t>(a)];
    }
    if (a > b) {
        std::swap(a, b);
    }
    const auto& rows = rows_[static_cast<size_t>(a)];
    const auto it = std::lower_bound(rows.begin(), rows.end(), b);
    return it != rows.end() && *it == b ? z_[static_cast<size_t>(a)][static_cast<size_t>(it - rows.begin())] : 0.0;
}

} // namespace vemo::network
