#include "core/division/MillimetrePositions.h"

#include "core/store/XyzNameIndex.h"

#include <algorithm>
#include <cmath>

namespace vemo {

namespace {

constexpr double kReach = 0.001; // m along the edge, each way from the exact point

// Whether the segment a -> b meets the closed square of half side h about c (Liang-Barsky clipping).
bool SegmentMeetsSquare(PlanePoint a, PlanePoint b, PlanePoint c, double h) {
    double t0 = 0, t1 = 1;
    const double d[2] = {b.x - a.x, b.y - a.y};
    const double lo[2] = {c.x - h - a.x, c.y - h - a.y};
    const double hi[2] = {c.x + h - a.x, c.y + h - a.y};
    for (int axis = 0; axis < 2; ++axis) {
        if (d[axis] == 0) {
            if (lo[axis] > 0 || hi[axis] < 0) {
                return false;
            }
            continue;
        }
        double enter = lo[axis] / d[axis], leave = hi[axis] / d[axis];
        if (enter > leave) {
            std::swap(enter, leave);
        }
        t0 = std::max(t0, enter);
        t1 = std::min(t1, leave);
        if (t0 > t1) {
            return false;
        }
    }
    return true;
}

} // namespace

PlanePoint RoundedToMillimetre(PlanePoint p) {
    return {RoundToMillimetre(p.x), RoundToMillimetre(p.y)};
}

std::vector<PlanePoint> MillimetrePositionsNear(PlanePoint a, PlanePoint b, PlanePoint exact) {
    const PlanePoint rounded = RoundedToMillimetre(exact);
    std::vector<PlanePoint> positions{rounded};
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    if (length == 0) {
        return positions;
    }
    // The stretch of the edge within kReach of the exact point, not beyond the edge's ends.
    const double along = (exact.x - a.x) * (b.x - a.x) / length + (exact.y - a.y) * (b.y - a.y) / length;
    const double from = std::max(0.0, along - kReach) / length, to = std::min(length, along + kReach) / length;
    const PlanePoint s0{a.x + from * (b.x - a.x), a.y + from * (b.y - a.y)};
    const PlanePoint s1{a.x + to * (b.x - a.x), a.y + to * (b.y - a.y)};
    const double cx = std::round(rounded.x * 1000), cy = std::round(rounded.y * 1000);
    for (int i = -2; i <= 2; ++i) {
        for (int j = -2; j <= 2; ++j) {
            // Divided by 1000 like a coordinate read from a file, so the grid point is that same double.
            const PlanePoint q{(cx + i) / 1000, (cy + j) / 1000};
            if ((i != 0 || j != 0) && SegmentMeetsSquare(s0, s1, q, 0.0005)) {
                positions.push_back(q);
            }
        }
    }
    return positions;
}

} // namespace vemo
