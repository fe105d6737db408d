#pragma once

#include <QRect>

#include <cstdint>
#include <vector>

namespace vemo {

// Where point names already stand on the plot: one cell per pixel, a row of cells kept as 64-bit
// words, over an area that holds every name box of the paint (names run past the picture's edge, and
// two of them must not collide there either, or a pan would make one of them appear or go).  Whether
// a name's box is free, and taking it, costs one look at each row of cells the box covers, however
// many names were placed before: the overview of a full site tries 99,998 names at every repaint.
class PlotLabelGrid {
public:
    // Forgets every name; the cells are the pixels of `area`.
    void Reset(const QRect& area);
    // When no cell of `box` is taken, takes them all and returns true; otherwise changes nothing and
    // returns false.  Cells of `box` outside the area count as free.
    bool Claim(const QRect& box);

private:
    QRect area_;
    int wordsPerRow_ = 0;
    std::vector<std::uint64_t> cells_;
};

} // namespace vemo
