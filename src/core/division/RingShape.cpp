#include "core/division/RingShape.h"

#include <algorithm>
#include <numeric>

namespace vemo {

namespace {

// Twice the signed area of a, b, c: the side of a-b that c lies on.
long double Orient(PlanePoint a, PlanePoint b, PlanePoint c) {
    return (static_cast<long double>(b.x) - a.x) * (static_cast<long double>(c.y) - a.y) -
           (static_cast<long double>(b.y) - a.y) * (static_cast<long double>(c.x) - a.x);
}

int Sign(long double v) {
    return (v > 0) - (v < 0);
}

bool OnSegment(PlanePoint a, PlanePoint b, PlanePoint p) {
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}

struct Box {
    double minX, maxX, minY, maxY;
};

Box BoxOf(PlanePoint a, PlanePoint b) {
    return {std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y), std::max(a.y, b.y)};
}

} // namespace

bool SegmentsMeet(PlanePoint a, PlanePoint b, PlanePoint c, PlanePoint d) {
    const int d1 = Sign(Orient(c, d, a)), d2 = Sign(Orient(c, d, b));
    const int d3 = Sign(Orient(a, b, c)), d4 = Sign(Orient(a, b, d));
    if (d1 * d2 < 0 && d3 * d4 < 0) {
        return true;
    }
    return (d1 == 0 && OnSegment(c, d, a)) || (d2 == 0 && OnSegment(c, d, b)) || (d3 == 0 && OnSegment(a, b, c)) ||
           (d4 == 0 && OnSegment(a, b, d));
}

bool IsSimpleRing(const std::vector<PlanePoint>& ring) {
    // The edges that have a length, by their start vertex.
    std::vector<size_t> edges;
    const size_t n = ring.size();
    for (size_t i = 0; i < n; ++i) {
        if (ring[i].x != ring[(i + 1) % n].x || ring[i].y != ring[(i + 1) % n].y) {
            edges.push_back(i);
        }
    }
    const size_t m = edges.size();
    if (m < 3) {
        return false;
    }
    // Sorted by their lowest X, so that each edge is compared only with those whose X ranges overlap.
    std::vector<Box> boxes(m);
    for (size_t k = 0; k < m; ++k) {
        boxes[k] = BoxOf(ring[edges[k]], ring[(edges[k] + 1) % n]);
    }
    std::vector<size_t> order(m);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](size_t l, size_t r) { return boxes[l].minX < boxes[r].minX; });
    for (size_t oi = 0; oi < m; ++oi) {
        const size_t k = order[oi];
        for (size_t oj = oi + 1; oj < m && boxes[order[oj]].minX <= boxes[k].maxX; ++oj) {
            const size_t l = order[oj];
            if (boxes[l].minY > boxes[k].maxY || boxes[l].maxY < boxes[k].minY) {
                continue;
            }
            const size_t lo = std::min(k, l), hi = std::max(k, l);
            const PlanePoint a = ring[edges[k]], b = ring[(edges[k] + 1) % n];
            const PlanePoint c = ring[edges[l]], d = ring[(edges[l] + 1) % n];
            if (hi == lo + 1 || (lo == 0 && hi == m - 1)) {
                // Neighbours share one vertex; they may not fold back onto each other.
                const PlanePoint shared = hi == lo + 1 ? ring[edges[hi]] : ring[edges[lo]];
                const PlanePoint far1 = (a.x == shared.x && a.y == shared.y) ? b : a;
                const PlanePoint far2 = (c.x == shared.x && c.y == shared.y) ? d : c;
                if (Orient(shared, far1, far2) == 0 &&
                    (OnSegment(shared, far1, far2) || OnSegment(shared, far2, far1))) {
                    return false;
                }
                continue;
            }
            if (SegmentsMeet(a, b, c, d)) {
                return false;
            }
        }
    }
    return true;
}

bool InsideRing(const std::vector<PlanePoint>& ring, PlanePoint p) {
    bool inside = false;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const PlanePoint a = ring[i], b = ring[j];
        if ((a.y > p.y) != (b.y > p.y)) {
            const long double x = a.x + (static_cast<long double>(p.y) - a.y) * (b.x - a.x) / (b.y - a.y);
            if (p.x < x) {
                inside = !inside;
            }
        }
    }
    return inside;
}

} // namespace vemo
