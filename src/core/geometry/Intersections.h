#pragma once

#include "core/geometry/PlanePoint.h"

#include <optional>

namespace vemo {

// Crossings of lines, segments and circles on the survey plane.  Conventions of the whole kernel:
// X is north and comes first, Y east, metres; a direction θ is decimal degrees clockwise from north
// and any value is accepted (it is taken modulo 360).  A line is a point and a direction; its unit
// vector is (cos θ, sin θ) in (X, Y).  Lines running exactly east-west (90 or 270) are ordinary lines
// here: the crossings are computed from direction vectors, never from slopes.
//
// Functions that say "rounded" return each coordinate (and radius) in whole millimetres, half away
// from zero (RoundMillimetre); the others return raw values.  "No result" is an empty optional; no
// function returns NaN or infinity for finite input.

// Two directions that differ by less than this (degrees) count as parallel, and a direction this close
// to 90 or 270 counts as exactly east-west.
inline constexpr double kDirectionTolerance = 0.0001;

// Slack on the touching test of circles (relative, on the cosine of the crossing angle or on R²), so
// that a tangent line or two touching circles are not lost to the last bit of floating rounding.
inline constexpr double kTouchSlack = 1e-12;

// Three points count as lying on one line when the sine of the largest angle of their triangle is
// below this: the circle through them would have a radius of more than 500,000 times their spread.
inline constexpr double kCollinearSine = 1e-6;

// Sine of the angle below which a segment and a line count as parallel in SegmentLineCross: small
// enough to decide nothing a surveyor could see, large enough to keep the crossing finite.
inline constexpr double kSegmentParallelSine = 1e-12;

// Crossing of the segment p1-p2 with the line through `through` in `direction`.
struct SegmentLineCrossing {
    PlanePoint point; // the crossing of the two (infinite) lines, not rounded
    bool onSegment;   // true when it lies on the segment, end points included
};
// Empty when the segment has no length or runs parallel to the line.  Parallel here means only what
// floating point cannot tell apart (kSegmentParallelSine): a line nearly along an edge still meets it,
// usually far outside, which onSegment then says.
std::optional<SegmentLineCrossing> SegmentLineCross(PlanePoint p1, PlanePoint p2, PlanePoint through, double direction);

// Crossing of the line through p1 in direction1 with the line through p2 in direction2, not rounded.
// Empty when the lines are parallel: directions equal or 180 apart within kDirectionTolerance (the
// calculation window then keeps the result it showed).
std::optional<PlanePoint> LineLineCross(PlanePoint p1, double direction1, PlanePoint p2, double direction2);

// Foot of the perpendicular from `p` onto the line through `base` in `direction`, not rounded.
PlanePoint FootOfPerpendicular(PlanePoint base, double direction, PlanePoint p);

struct Circle {
    PlanePoint centre;
    double radius = 0; // metres
};
// The circle through three points: centre and radius rounded.  Empty when two points coincide or the
// three lie on one line (kCollinearSine).
std::optional<Circle> CircleBy3Points(PlanePoint p1, PlanePoint p2, PlanePoint p3);

// Two result points, rounded: the crossings of a line or circle with a circle (a tangent line or
// touching circles give two equal points), or the two ends of a corner cut.
struct TwoPoints {
    PlanePoint first;
    PlanePoint second;
};

// Crossings of the line through `through` in `direction` with the circle of `centre` and `radius`.
// Order: for a line running east-west (90 or 270 within kDirectionTolerance, treated as exactly so)
// the first is the one met first when travelling along the direction; otherwise, when the direction
// (taken in [0, 360)) is above 90 the first has the larger X, else the smaller X.
// Empty when the line misses the circle (直線と円が交差していません).
std::optional<TwoPoints> LineCircleCross(PlanePoint through, double direction, PlanePoint centre, double radius);

// Crossings of two circles.  Seen from centre 1 towards centre 2, the first lies to the left and the
// second to the right.  Radii are positive.  Empty when the circles do not meet, are concentric, or
// radius1 is not above 0 (円と円が交差していません).
std::optional<TwoPoints> CircleCircleCross(PlanePoint centre1, double radius1, PlanePoint centre2, double radius2);

} // namespace vemo
