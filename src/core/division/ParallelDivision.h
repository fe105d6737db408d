#pragma once

#include "core/division/Division.h"

#include <string>

namespace vemo {

class XyzNameIndex;

// Parallel method (平行移動): a dividing line of fixed direction takes the millimetre positions from
// the far side of the parcel towards the start vertex; the one taken is the last whose start side, with
// the new points P1 and P2 rounded to millimetres, still holds the target.  The start side's area is
// that of the parcel clipped by the half-plane, so a concave parcel is measured as it is; when the line
// there crosses the boundary more than twice (the parcel would fall into more than two pieces) the
// division is refused, and so is a parcel whose boundary crosses itself.
//
// The moving line is kept as a unit normal n and a signed offset d (the points p with n·p = d), so
// every direction is covered, east-west included.  The direction is taken modulo 180 into [-90, 90),
// where n = (-sin θ, cos θ): "max" and "min" below are the largest and smallest n·p, which for a line
// not running east-west orders the vertices by their east intercept Y - tan θ·X, and for one running
// east-west by X.

// The direction of the dividing line: that of base1 -> base2 plus the angle (packed D.MMSS, below
// 180).  Coincident base points: "基準線の2点が同じ位置です".
double DividingDirection(PlanePoint base1, PlanePoint base2, double anglePacked);

// An angle field value the dividing line accepts: below 180 (packed).
bool IsDividingAngle(double anglePacked);

struct ExtremeVertices {
    int max = 0; // the first vertex with the largest n·p
    int min = 0; // the first vertex with the smallest n·p
};
ExtremeVertices FindExtremeVertices(const DivisionParcel& parcel, double direction);

// The start vertex for a typed point: whichever extreme vertex lies closer to it, the max vertex on
// a tie.  Returns the vertex position in parcel.names.
int SnapStartVertex(const DivisionParcel& parcel, double direction, PlanePoint typed);

// Divides with the line in `direction`, securing the target on the side of the start vertex (an
// extreme vertex, see SnapStartVertex).  The secured side runs from the start vertex forward through P1
// and P2, the remainder from the far vertex forward through P2 and P1.  "分割面積が確保できません" when the
// line reaches the start vertex before the target is secured.
DivisionResult DivideParallel(const DivisionParcel& parcel, double direction, int startVertex, double target);

// The fields of the parallel method as the surveyor fills them in: point names of the base line and
// the start, the angle packed D.MMSS.
struct ParallelFields {
    std::string base1;
    std::string base2;
    double anglePacked = 0;
    std::string start;
};

// The whole run of the parallel method: the target checked first, then "基準線未入力！" for an empty
// base-line name and "始点未入力！" for an empty start; names are looked up ("<name> は見つかりません"),
// the start snapped and the parcel divided.
DivisionResult DivideParallel(const DivisionParcel& parcel, double target, const ParallelFields& fields,
                              const XyzNameIndex& index);

} // namespace vemo
