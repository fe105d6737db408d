#include "ui/plot/PlotPick.h"

#include "core/store/BlockList.h"
#include "ui/plot/XyzImagePoints.h"

namespace vemo {

namespace {

// Index of the smallest squared distance; strict comparison keeps the first of equal distances.
template <typename XAt, typename YAt> std::optional<int> Nearest(int count, XAt xAt, YAt yAt, double x, double y) {
    std::optional<int> best;
    double bestDistance = 0;
    for (int i = 0; i < count; ++i) {
        const double dx = x - xAt(i);
        const double dy = y - yAt(i);
        const double d = dx * dx + dy * dy;
        if (!best || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

} // namespace

std::optional<int> PickNearestPoint(const XyzImagePoints& drawn, double x, double y) {
    return Nearest(
        static_cast<int>(drawn.names.size()), [&](int i) { return drawn.x[i]; }, [&](int i) { return drawn.y[i]; }, x,
        y);
}

std::optional<int> PickNearestParcel(const BlockList& blocks, double x, double y) {
    return Nearest(
        blocks.Count(), [&](int i) { return blocks.At(i).LabelX; }, [&](int i) { return blocks.At(i).LabelY; }, x, y);
}

} // namespace vemo
