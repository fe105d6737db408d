#pragma once

#include "core/files/RegistryMapDocument.h"

#include <optional>
#include <string>
#include <vector>

namespace vemo {

// A vertex of a parcel's ring: a point of the map, or a position its curve gives in place, with its
// coordinates (a referred point's filled in).
using MapRingVertex = MapVertex;

// The closed ring of a surface, the first vertex not repeated, in the order of the file.
struct MapRing {
    std::vector<MapRingVertex> vertices;
    int interiorRings = 0;
};

// Joins the curves of a surface's exterior into one ring: each curve continues where the one before it
// ends, walked backwards where the file gives it the other way round.  Nothing, with the reason in
// `fault` (CP932), when a curve or a point is not in the file, the curves do not meet or the ring does
// not close.
std::optional<MapRing> BuildMapRing(const RegistryMapDocument& doc, std::uint32_t surface,
                                    std::string* fault = nullptr);

} // namespace vemo
