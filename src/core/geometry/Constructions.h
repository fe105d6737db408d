#pragma once

#include "core/geometry/Intersections.h"
#include "core/geometry/PlanePoint.h"

#include <optional>

namespace vemo {

// Constructions of the coordinate calculations.  Same conventions as Intersections.h: X north first,
// metres, directions in decimal degrees clockwise from north.  "Along" distances L run in the
// direction; "across" distances H run square to it, positive to the RIGHT of the direction of travel
// (direction + 90), negative to the left.  All results are rounded to whole millimetres.

// Offset (ｵﾌｾｯﾄ) from `base`: the foot lies L along `direction`, the offset point |H| square to it on
// the side given by the sign of H.  The offset point is built from the already rounded foot.
// From (0, 0), direction 0, L = 10, H = 2: foot (10, 0), point (10, 2); H = -2 gives (10, -2).
struct OffsetResult {
    PlanePoint foot;
    PlanePoint point;
};
OffsetResult OffsetPoint(PlanePoint base, double direction, double along, double across);

// Corner cut (隅切) of length L at corner b between the legs b->a and b->c: first on leg b->a, second
// on leg b->c, both at the same distance from b, with the chord first-second of length L.
// a (10, 0), b (0, 0), c (0, 10), L = 2: first (1.414, 0), second (0, 1.414).
// Empty when a or c coincides with b or the two legs run in the same direction (kDirectionTolerance).
std::optional<TwoPoints> CornerCutPoints(PlanePoint a, PlanePoint b, PlanePoint c, double length);

// Corner of the path a -> b -> c after moving leg a->b square to the right by width1 and leg b->c by
// width2 (negative widths move left), e.g. the new corner of a road widened on one side.
// a (0, 0), b (10, 0), c (10, 10), widths 1 and 1: (9, 1).
// Empty when a leg has no length or the legs run in the same or opposite direction
// (kDirectionTolerance): a straight-through vertex has no corner.
std::optional<PlanePoint> ShiftedCorner(PlanePoint a, double width1, PlanePoint b, double width2, PlanePoint c);

// Local (along, across) offsets from `origin` with the local axis in `direction` to plane
// coordinates: X = X0 + L cos θ - H sin θ, Y = Y0 + L sin θ + H cos θ, rounded.  With the distance
// and direction of InversePoints(origin, target) and H = 0 it gives the target back.
PlanePoint LocalToGlobal(PlanePoint origin, double direction, double along, double across);

} // namespace vemo
