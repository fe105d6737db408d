#pragma once

#include "core/geometry/PlanePoint.h"

#include <string>
#include <vector>

namespace vemo {

// What a calculation draws over the point plot: the legs and lines it used, the circles, and the
// result points marked with their labels ("P1", "P2", ...).  World coordinates; the plot transforms.
struct OverlaySegment {
    PlanePoint from;
    PlanePoint to;
    bool dotted = false;
};
struct OverlayCircle {
    PlanePoint centre;
    double radius = 0;
};
struct OverlayMark {
    PlanePoint at;
    std::string label; // CP932
};
struct CalcOverlay {
    std::vector<OverlaySegment> segments;
    std::vector<OverlayCircle> circles;
    std::vector<OverlayMark> marks;

    bool Empty() const { return segments.empty() && circles.empty() && marks.empty(); }
};

} // namespace vemo
