#pragma once

#include "core/network/Network.h"

#include <vector>

namespace vemo {

// Approximate coordinates (仮定座標) for the points the input gave none, found from the observations the
// way a surveyor would by hand: a polar point from an oriented station (a direction set oriented on a
// known point, an angle from a known backsight, or a fixed azimuth) and a distance; the intersection of
// two such rays (前方交会); two distances from known points told apart by the directions observed at the
// new point or by a third distance; a resection (後方交会) from the directions observed at the new point.  Rounds
// repeat until nothing more is found.  A network without any coordinates starts from its first station at the origin,
// oriented by its own first direction (a free network).
struct ApproximateCoordinates {
    std::vector<double> x;
    std::vector<double> y;
    std::vector<bool> known;
    int missing = -1; // the first point still without coordinates, or -1
};

ApproximateCoordinates FindApproximateCoordinates(const Network& network);

} // namespace vemo
