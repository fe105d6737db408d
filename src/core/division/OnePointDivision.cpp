// One-point method: the secured side runs from the first vertex along the boundary to a new point P1
// and back along the chord.  Its signed area grows linearly while P1 moves along an edge, so on each
// edge the point holding the target is found directly; the first such point whose chord runs inside
// the parcel is taken, then moved on by a widening allowance until, rounded to millimetres, it secures
// the target.
#include "core/division/Division.h"

#include "core/division/MillimetrePositions.h"
#include "core/division/RingShape.h"
#include "core/text/Error.h"
#include "core/text/MessagesCalc.h"

#include <cmath>
#include <optional>

namespace vemo {

namespace {

// Each pass of the placement widens the allowance by this much (m²) until the rounded point secures
// the target.
constexpr double kAllowanceStep = 0.01;
constexpr int kMaxAllowanceSteps = 10000;

long double TwiceTriangle(PlanePoint a, PlanePoint b, PlanePoint c) {
    return (static_cast<long double>(b.x) - a.x) * (static_cast<long double>(c.y) - a.y) -
           (static_cast<long double>(c.x) - a.x) * (static_cast<long double>(b.y) - a.y);
}

// The fan from vertex 0: before[k] is twice the signed area of vertex 0, 1, ..., k - 1 (so the secured
// side with P1 on the edge k - 1 -> k is before[k] plus the triangle 0, k - 1, P1).
struct Fan {
    std::vector<long double> before;
    int orientation = 1; // the sign of the whole ring's area
};

Fan FanOf(const std::vector<PlanePoint>& v) {
    Fan fan;
    fan.before.assign(v.size(), 0);
    for (size_t k = 2; k < v.size(); ++k) {
        fan.before[k] = fan.before[k - 1] + TwiceTriangle(v[0], v[k - 2], v[k - 1]);
    }
    const long double whole = fan.before.back() + TwiceTriangle(v[0], v[v.size() - 2], v.back());
    fan.orientation = whole < 0 ? -1 : 1;
    return fan;
}

// The point on edge k - 1 -> k where the secured side holds `area`, when there is one.
std::optional<PlanePoint> PointHolding(const std::vector<PlanePoint>& v, const Fan& fan, size_t k, long double area) {
    const long double startTwice = fan.orientation * fan.before[k];
    const long double edgeTwice = fan.orientation * TwiceTriangle(v[0], v[k - 1], v[k]);
    if (edgeTwice == 0) {
        return std::nullopt;
    }
    const long double t = (2 * area - startTwice) / edgeTwice;
    if (!(t >= 0 && t <= 1)) {
        return std::nullopt;
    }
    return PlanePoint{static_cast<double>(v[k - 1].x + t * (v[k].x - v[k - 1].x)),
                      static_cast<double>(v[k - 1].y + t * (v[k].y - v[k - 1].y))};
}

// Whether the chord from vertex 0 to p (on edge k - 1 -> k) runs inside the parcel: it meets no other
// edge and its middle lies inside.
bool ChordInside(const std::vector<PlanePoint>& v, size_t k, PlanePoint p) {
    const size_t n = v.size();
    for (size_t i = 1; i + 1 < n; ++i) { // the edges i -> i + 1 that do not end at vertex 0
        if (i == k - 1) {
            continue; // the edge P1 lies on
        }
        if (SegmentsMeet(v[0], p, v[i], v[i + 1])) {
            return false;
        }
    }
    return InsideRing(v, {(v[0].x + p.x) / 2, (v[0].y + p.y) / 2});
}

std::vector<std::string> Concat(std::vector<std::string> head, const std::vector<std::string>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

DivisionResult BuildParts(const DivisionParcel& parcel, size_t k, PlanePoint p1, const ParcelAreaFigures& secured) {
    const auto& names = parcel.names;
    const long split = static_cast<long>(k);
    DivisionResult result;
    result.p1 = p1;
    result.secured.names = Concat({names.begin(), names.begin() + split}, {kP1Placeholder, names[0]});
    result.secured.figures = secured;
    result.remainder.names =
        Concat(Concat({names[0], kP1Placeholder}, {names.begin() + split, names.end()}), {names[0]});
    std::vector<PlanePoint> rest{parcel.points[0], p1};
    rest.insert(rest.end(), parcel.points.begin() + split, parcel.points.end());
    result.remainder.figures = MillimetreRingFigures(rest);
    return result;
}

} // namespace

DivisionResult DivideFromFirstPoint(const DivisionParcel& parcel, double target) {
    CheckDivisionTarget(parcel, target);
    RequireSimpleParcel(parcel);
    const std::vector<PlanePoint>& v = parcel.points;
    const Fan fan = FanOf(v);
    bool chordLeaves = false;
    for (size_t k = 2; k < v.size(); ++k) {
        const std::optional<PlanePoint> exact = PointHolding(v, fan, k, target);
        if (!exact) {
            continue;
        }
        if (!ChordInside(v, k, *exact)) {
            chordLeaves = true;
            continue;
        }
        std::vector<PlanePoint> secured(v.begin(), v.begin() + static_cast<long>(k));
        secured.push_back({});
        for (int step = 0; step < kMaxAllowanceSteps; ++step) {
            const std::optional<PlanePoint> p = PointHolding(v, fan, k, target + step * kAllowanceStep);
            if (!p) {
                break;
            }
            secured.back() = RoundedToMillimetre(*p);
            if (secured.back() == v[k - 1] || secured.back() == v[k]) {
                continue; // a new point on a vertex would stand twice in the ring: widen a little more
            }
            const ParcelAreaFigures figures = MillimetreRingFigures(secured);
            if (figures.area >= target && ChordInside(v, k, secured.back())) {
                DivisionResult result = BuildParts(parcel, k, secured.back(), figures);
                result.target = target;
                return result;
            }
        }
    }
    if (chordLeaves) {
        throw Error(msg::DivisionLineLeavesParcel());
    }
    throw Error(msg::DivisionAreaUnreachable());
}

} // namespace vemo
