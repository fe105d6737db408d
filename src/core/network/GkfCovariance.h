#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace vemo::network {

// The variances on the diagonal of a band covariance matrix as gama-local writes it (<cov-mat dim band>:
// the upper band, row by row, whitespace between the numbers).  Nothing when the text does not hold
// exactly the numbers of that band; `correlated` tells that a number off the diagonal is not zero.
std::optional<std::vector<double>> BandVariances(std::string_view text, int dim, int band, bool& correlated);

} // namespace vemo::network
