#include "core/network/GkfCovariance.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace vemo::network {

std::optional<std::vector<double>> BandVariances(std::string_view text, int dim, int band, bool& correlated) {
    correlated = false;
    std::vector<double> numbers;
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) {
            ++at;
        }
        size_t end = at;
        while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end]))) {
            ++end;
        }
        if (end == at) {
            break;
        }
        double value = 0.0;
        const char* first = text.data() + at + (text[at] == '+' ? 1 : 0);
        const auto [stop, error] = std::from_chars(first, text.data() + end, value);
        if (error != std::errc() || stop != text.data() + end || !std::isfinite(value)) {
            return std::nullopt;
        }
        numbers.push_back(value);
        at = end;
    }
    if (dim <= 0 || band < 0 || band >= dim) {
        return std::nullopt;
    }
    size_t expected = 0;
    for (int i = 0; i < dim; ++i) {
        expected += static_cast<size_t>(std::min(band, dim - 1 - i) + 1);
    }
    if (numbers.size() != expected) {
        return std::nullopt;
    }
    std::vector<double> variances;
    size_t k = 0;
    for (int i = 0; i < dim; ++i) {
        for (int j = i; j <= std::min(i + band, dim - 1); ++j, ++k) {
            if (j == i) {
                variances.push_back(numbers[k]);
            } else if (numbers[k] != 0.0) {
                correlated = true;
            }
        }
    }
    return variances;
}

} // namespace vemo::network
