#include "ui/plot/PlotLabelGrid.h"

#include <algorithm>

namespace vemo {

void PlotLabelGrid::Reset(const QRect& area) {
    area_ = area;
    wordsPerRow_ = area.isEmpty() ? 0 : (area.width() + 63) / 64;
    cells_.assign(static_cast<size_t>(wordsPerRow_) * std::max(0, area.height()), 0);
}

bool PlotLabelGrid::Claim(const QRect& box) {
    const QRect r = box & area_;
    if (r.isEmpty()) {
        return true;
    }
    const int x0 = r.left() - area_.left();
    const int x1 = r.right() - area_.left();
    const int first = x0 >> 6;
    const int last = x1 >> 6;
    const std::uint64_t firstMask = ~std::uint64_t{0} << (x0 & 63);
    const std::uint64_t lastMask = ~std::uint64_t{0} >> (63 - (x1 & 63));
    std::uint64_t* const top = cells_.data() + static_cast<size_t>(r.top() - area_.top()) * wordsPerRow_;
    const int rows = r.height();
    // A name of the overview mostly lands on one already there, and the middle row finds it soonest.
    for (int k = 0; k < rows; ++k) {
        const int y = (k + rows / 2) % rows;
        const std::uint64_t* row = top + static_cast<size_t>(y) * wordsPerRow_;
        if (first == last) {
            if (row[first] & firstMask & lastMask) {
                return false;
            }
            continue;
        }
        if ((row[first] & firstMask) || (row[last] & lastMask)) {
            return false;
        }
        for (int w = first + 1; w < last; ++w) {
            if (row[w]) {
                return false;
            }
        }
    }
    for (int y = 0; y < rows; ++y) {
        std::uint64_t* row = top + static_cast<size_t>(y) * wordsPerRow_;
        if (first == last) {
            row[first] |= firstMask & lastMask;
            continue;
        }
        row[first] |= firstMask;
        row[last] |= lastMask;
        std::fill(row + first + 1, row + last, ~std::uint64_t{0});
    }
    return true;
}

} // namespace vemo
