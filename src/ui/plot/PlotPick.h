#pragma once

#include <optional>

namespace vemo {

struct XyzImagePoints;
class BlockList;

// PickNearestPoint: the entry of the points drawn by the last paint with the smallest squared distance
// to (x north, y east); the first drawn wins ties.  There is no distance limit.  Nothing when no point
// was drawn.
std::optional<int> PickNearestPoint(const XyzImagePoints& drawn, double x, double y);

// PickNearestParcel: the parcel whose label point is nearest, in list order, the first winning ties.
// Nothing when there are no parcels.
std::optional<int> PickNearestParcel(const BlockList& blocks, double x, double y);

} // namespace vemo
