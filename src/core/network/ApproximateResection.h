#pragma once

#include <optional>
#include <utility>
#include <vector>

namespace vemo::network {

// What ties one point still without coordinates to points that have them, for a resection (後方交会):
// the direction sets observed at the point towards known points (each set with its own unknown
// orientation), the distances to known points, and the bearings of rays from oriented known stations.
struct ResectionTies {
    struct Sight {
        double x, y;  // the known point
        double value; // direction (radians) or distance (m) or bearing of the ray from it
    };
    std::vector<std::vector<Sight>> sets;
    std::vector<Sight> distances;
    std::vector<Sight> rays;
};

// The position that fits the ties: from a set's two directions and a distance (the point on the
// distance's circle that shows the observed angle), or from a set's three directions (on the circle of
// the first angle, showing the second).  Of several positions the one fitting every tie best; nothing
// when the ties hold no such figure.
std::optional<std::pair<double, double>> Resect(const ResectionTies& ties);

} // namespace vemo::network
