#include "core/geometry/Intersections.h"

#include "core/geometry/DegreeTrig.h"
#include "core/geometry/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vemo {

using geometry_detail::AreParallel;
using geometry_detail::SinCos;
using geometry_detail::SinCosDegrees;

namespace {

// A crossing computed this close (as a fraction of the segment) beyond an end point is taken as the
// end point itself: a line through a vertex must find it on both edges, whatever the last bit says.
constexpr long double kSegmentEndSlack = 1e-12L;

struct Vec {
    long double x;
    long double y;
};

Vec Minus(PlanePoint a, PlanePoint b) {
    return {static_cast<long double>(a.x) - b.x, static_cast<long double>(a.y) - b.y};
}

long double Cross(Vec a, Vec b) {
    return a.x * b.y - a.y * b.x;
}

Vec Direction(SinCos u) {
    return {u.cos, u.sin};
}

PlanePoint At(PlanePoint origin, Vec offset) {
    return {static_cast<double>(origin.x + offset.x), static_cast<double>(origin.y + offset.y)};
}

bool NearlyEastWest(long double direction, long double eastOrWest) {
    return std::fabs(direction - eastOrWest) < kDirectionTolerance;
}

// Half chord of a circle whose centre lies `offset` from the line; empty when the line misses it.
std::optional<long double> HalfChord(long double radius, long double offset) {
    long double r2 = radius * radius;
    long double h2 = r2 - offset * offset;
    if (h2 < 0 && h2 < -kTouchSlack * r2) {
        return std::nullopt;
    }
    return std::sqrt(std::max(h2, 0.0L));
}

} // namespace

std::optional<SegmentLineCrossing> SegmentLineCross(PlanePoint p1, PlanePoint p2, PlanePoint through,
                                                    double direction) {
    Vec d = Minus(p2, p1);
    long double length = std::hypot(d.x, d.y);
    if (length == 0) {
        return std::nullopt;
    }
    SinCos u = SinCosDegrees(direction);
    long double skew = Cross(d, Direction(u)); // segment length times the sine of the angle
    if (std::fabs(skew) <= kSegmentParallelSine * length) {
        return std::nullopt;
    }
    // Fraction t along the segment where it meets the line.
    long double t = Cross(Minus(through, p1), Direction(u)) / skew;
    bool onSegment = t >= -kSegmentEndSlack && t <= 1 + kSegmentEndSlack;
    if (onSegment) {
        t = std::clamp(t, 0.0L, 1.0L);
    }
    PlanePoint point = t == 0 ? p1 : t == 1 ? p2 : At(p1, {d.x * t, d.y * t});
    return SegmentLineCrossing{point, onSegment};
}

std::optional<PlanePoint> LineLineCross(PlanePoint p1, double direction1, PlanePoint p2, double direction2) {
    SinCos u1 = SinCosDegrees(direction1);
    SinCos u2 = SinCosDegrees(direction2);
    if (AreParallel(u1, u2)) {
        return std::nullopt;
    }
    long double t = Cross(Minus(p2, p1), Direction(u2)) / Cross(Direction(u1), Direction(u2));
    return At(p1, {u1.cos * t, u1.sin * t});
}

PlanePoint FootOfPerpendicular(PlanePoint base, double direction, PlanePoint p) {
    SinCos u = SinCosDegrees(direction);
    Vec w = Minus(p, base);
    long double along = w.x * u.cos + w.y * u.sin;
    return At(base, {u.cos * along, u.sin * along});
}

std::optional<Circle> CircleBy3Points(PlanePoint p1, PlanePoint p2, PlanePoint p3) {
    Vec a = Minus(p2, p1);
    Vec b = Minus(p3, p1);
    std::array<long double, 3> sides = {std::hypot(a.x, a.y), std::hypot(b.x, b.y), std::hypot(b.x - a.x, b.y - a.y)};
    std::sort(sides.begin(), sides.end());
    long double doubleArea = Cross(a, b);
    // Twice the area over the two shorter sides is the sine of the largest angle.
    if (sides[0] == 0 || std::fabs(doubleArea) / (sides[0] * sides[1]) < kCollinearSine) {
        return std::nullopt;
    }
    long double a2 = a.x * a.x + a.y * a.y;
    long double b2 = b.x * b.x + b.y * b.y;
    Vec centre = {(b.y * a2 - a.y * b2) / (2 * doubleArea), (a.x * b2 - b.x * a2) / (2 * doubleArea)};
    Circle circle;
    circle.centre = RoundMillimetre(At(p1, centre));
    circle.radius = RoundMillimetre(static_cast<double>(std::hypot(centre.x, centre.y)));
    return circle;
}

std::optional<TwoPoints> LineCircleCross(PlanePoint through, double direction, PlanePoint centre, double radius) {
    Vec d = Minus(through, centre);
    long double theta = geometry_detail::NormalizeDegrees(direction);
    bool east = NearlyEastWest(theta, 90);
    if (east || NearlyEastWest(theta, 270)) {
        // Taken as exactly east-west: both crossings lie on the line X = X0.
        std::optional<long double> h = HalfChord(radius, d.x);
        if (!h) {
            return std::nullopt;
        }
        long double first = east ? -*h : *h;
        return TwoPoints{RoundMillimetre(At(centre, {d.x, first})), RoundMillimetre(At(centre, {d.x, -first}))};
    }
    SinCos u = SinCosDegrees(theta);
    std::optional<long double> h = HalfChord(radius, Cross(d, Direction(u)));
    if (!h) {
        return std::nullopt;
    }
    // Foot of the perpendicular from the centre, then half a chord either way along the line.
    long double along = d.x * u.cos + d.y * u.sin;
    Vec foot = {d.x - along * u.cos, d.y - along * u.sin};
    Vec forward = {foot.x + *h * u.cos, foot.y + *h * u.sin};
    Vec backward = {foot.x - *h * u.cos, foot.y - *h * u.sin};
    // The first solution has the larger X for directions above 90, the smaller X otherwise.
    bool forwardFirst = (theta > 90) == (forward.x > backward.x);
    Vec first = forwardFirst ? forward : backward;
    Vec second = forwardFirst ? backward : forward;
    return TwoPoints{RoundMillimetre(At(centre, first)), RoundMillimetre(At(centre, second))};
}

std::optional<TwoPoints> CircleCircleCross(PlanePoint centre1, double radius1, PlanePoint centre2, double radius2) {
    Vec d = Minus(centre2, centre1);
    long double distance = std::hypot(d.x, d.y);
    if (distance == 0 || !(radius1 > 0)) {
        return std::nullopt;
    }
    long double r1 = radius1;
    long double r2 = radius2;
    // Cosine of the angle at centre 1 between the centre line and a crossing (law of cosines).
    long double k = (r1 * r1 + distance * distance - r2 * r2) * 0.5L / r1 / distance;
    if (std::fabs(k) > 1 + kTouchSlack) {
        return std::nullopt;
    }
    long double a = std::acos(std::clamp(k, -1.0L, 1.0L));
    long double phi = std::atan2(d.y, d.x);
    // Turning the centre line anticlockwise (minus, in this clockwise plane) gives the left crossing.
    Vec left = {r1 * std::cos(phi - a), r1 * std::sin(phi - a)};
    Vec right = {r1 * std::cos(phi + a), r1 * std::sin(phi + a)};
    return TwoPoints{RoundMillimetre(At(centre1, left)), RoundMillimetre(At(centre1, right))};
}

} // namespace vemo
