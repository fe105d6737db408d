#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vemo {

class XyzNameIndex;

// The vertex names of a parcel ring: the vertex-list entries from the first up to, not including, the
// first later entry equal to the first (the closing vertex); empty entries are skipped.  A list that
// never repeats its first name is still a closed ring: every area sum adds the closing edge itself.
std::vector<std::string> RingNames(std::string_view noList);

// A ring vertex with the coordinates that enter the area sum, X north and Y east in metres, rounded to
// 0.001 m by the name index.
struct RingPoint {
    std::string name;
    double x = 0;
    double y = 0;
    bool found = false; // false: the coordinate list has no such point (the coordinates are borrowed)
};

// The ring of a parcel with its coordinates.  A name the index does not know takes the coordinates of
// the vertex before it, so it adds nothing to the area and has no side length.  Names missing before
// the first known one take the coordinates of that first known vertex: the ring then starts where the
// surveyor's first real point is, instead of at an arbitrary origin that would put a false triangle
// into a legal area.  With no known name at all every vertex stands at (0, 0) and the area is 0.
std::vector<RingPoint> ParcelRingPoints(std::string_view noList, const XyzNameIndex& index);

// The ring names the coordinate list does not hold, each once, in ring order.  A parcel that has any
// still gets its area by the rule above, but every output says which points are missing: a deleted or
// renamed vertex shrinks a legal area.
std::vector<std::string> MissingRingNames(const std::vector<RingPoint>& ring);

} // namespace vemo
