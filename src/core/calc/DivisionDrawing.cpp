#include "core/calc/DivisionDrawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vemo {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// The ring without a closing repetition of its first point.
std::vector<PlanePoint> OpenRing(std::vector<PlanePoint> ring) {
    if (ring.size() > 1 && ring.front() == ring.back()) {
        ring.pop_back();
    }
    return ring;
}

} // namespace

std::optional<OverlaySegment> ClipLineToBox(PlanePoint through, double direction, PlanePoint low, PlanePoint high) {
    // Liang-Barsky on the parametric line through + t·(dx, dy), t unbounded both ways.
    const double dx = std::cos(direction * kDegree);
    const double dy = std::sin(direction * kDegree);
    double enter = -INFINITY;
    double leave = INFINITY;
    const double deltas[] = {dx, dy};
    const double starts[] = {through.x, through.y};
    const double lows[] = {low.x, low.y};
    const double highs[] = {high.x, high.y};
    for (int axis = 0; axis < 2; ++axis) {
        if (std::abs(deltas[axis]) < 1e-12) {
            if (starts[axis] < lows[axis] || starts[axis] > highs[axis]) {
                return std::nullopt;
            }
            continue;
        }
        double t1 = (lows[axis] - starts[axis]) / deltas[axis];
        double t2 = (highs[axis] - starts[axis]) / deltas[axis];
        if (t1 > t2) {
            std::swap(t1, t2);
        }
        enter = std::max(enter, t1);
        leave = std::min(leave, t2);
    }
    if (enter > leave) {
        return std::nullopt;
    }
    return OverlaySegment{{through.x + enter * dx, through.y + enter * dy},
                          {through.x + leave * dx, through.y + leave * dy}};
}

std::vector<OverlaySegment> HatchRing(const std::vector<PlanePoint>& closed, double spacing) {
    const std::vector<PlanePoint> ring = OpenRing(closed);
    std::vector<OverlaySegment> strokes;
    if (ring.size() < 3 || !(spacing > 0)) {
        return strokes;
    }
    // Strokes run along (1, 1)/√2; a stroke is the set of points whose offset u = (y - x)/√2 is fixed,
    // and v = (x + y)/√2 runs along it.
    auto offset = [](PlanePoint p) { return (p.y - p.x) / std::numbers::sqrt2; };
    auto along = [](PlanePoint p) { return (p.x + p.y) / std::numbers::sqrt2; };
    double lowest = INFINITY;
    double highest = -INFINITY;
    for (const PlanePoint& p : ring) {
        lowest = std::min(lowest, offset(p));
        highest = std::max(highest, offset(p));
    }
    std::vector<double> crossings;
    for (double u = std::floor(lowest / spacing) * spacing + spacing / 2; u < highest; u += spacing) {
        crossings.clear();
        for (size_t i = 0; i < ring.size(); ++i) {
            const PlanePoint a = ring[i];
            const PlanePoint b = ring[(i + 1) % ring.size()];
            const double ua = offset(a);
            const double ub = offset(b);
            if ((ua <= u) == (ub <= u)) {
                continue; // half-open test: a vertex on the stroke counts for one edge only
            }
            const double f = (u - ua) / (ub - ua);
            crossings.push_back(along(a) + f * (along(b) - along(a)));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
            auto point = [u](double v) {
                return PlanePoint{(v - u) / std::numbers::sqrt2, (v + u) / std::numbers::sqrt2};
            };
            strokes.push_back({point(crossings[k]), point(crossings[k + 1]), false});
        }
    }
    return strokes;
}

std::vector<OverlaySegment> RingSegments(const std::vector<PlanePoint>& closed) {
    const std::vector<PlanePoint> ring = OpenRing(closed);
    std::vector<OverlaySegment> segments;
    for (size_t i = 0; ring.size() > 1 && i < ring.size(); ++i) {
        segments.push_back({ring[i], ring[(i + 1) % ring.size()], false});
    }
    return segments;
}

} // namespace vemo
