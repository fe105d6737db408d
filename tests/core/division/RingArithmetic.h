#pragma once
// The plane arithmetic the division tests' own constructions share: written here, apart from the code
// under test.

#include "core/geometry/PlanePoint.h"

#include <cmath>
#include <vector>

namespace vemo::test {

using Ring = std::vector<PlanePoint>;

inline double Cross(PlanePoint o, PlanePoint a, PlanePoint b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Signed shoelace sum about the first vertex (positive anticlockwise in x-y), so that plane coordinates
// of hundreds of kilometres keep their millimetres.
inline double SignedArea(const Ring& ring) {
    double twice = 0;
    const PlanePoint o = ring.front();
    for (size_t i = 0; i < ring.size(); ++i) {
        const PlanePoint& a = ring[i];
        const PlanePoint& b = ring[(i + 1) % ring.size()];
        twice += (a.x - o.x) * (b.y - o.y) - (b.x - o.x) * (a.y - o.y);
    }
    return twice / 2;
}

inline double Area(const Ring& ring) {
    return std::fabs(SignedArea(ring));
}

// A coordinate rounded to the millimetre, as the program registers it.
inline double Mm(double v) {
    return std::round(v * 1000) / 1000;
}

} // namespace vemo::test
