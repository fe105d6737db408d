// One-point method: the secured side runs from the first vertex along the boundary to a new point P1
// and back along the chord.  Its signed area grows linearly while P1 moves along an edge, so on each
// edge the point holding the target is found directly; the first such point whose chord runs inside
// the parcel is taken, and of the millimetre positions within a millimetre of it the one securing the
// target with the least to spare (a corner among them is the corner itself).  Where none does, the
// point is moved on by a widening allowance until, rounded to millimetres, it secures the target.
#include "core/division/Division.h"

#include "core/division/MillimetrePositions.h"
#include "core/division/RingShape.h"
#include "core/text/Error.h"
#include "core/text/MessagesCalc.h"

#include <algorithm>
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
    long double t = (2 * area - startTwice) / edgeTwice;
    // A target the fan holds exactly at a corner lands a rounding error either side of the edge's end.
    constexpr long double kAtCorner = 1e-9L;
    if (!(t >= -kAtCorner && t <= 1 + kAtCorner)) {
        return std::nullopt;
    }
    if (t <= kAtCorner) {
        return v[k - 1]; // the corner itself, not a sum that misses it by a rounding error
    }
    if (t >= 1 - kAtCorner) {
        return v[k];
    }
    return PlanePoint{static_cast<double>(v[k - 1].x + t * (v[k].x - v[k - 1].x)),
                      static_cast<double>(v[k - 1].y + t * (v[k].y - v[k - 1].y))};
}

// Whether the chord from vertex 0 to p (on edge k - 1 -> k) runs inside the parcel: it meets no other
// edge and its middle lies inside.  A chord ending on a corner (P1 on a vertex) meets the edges of that
// corner there, which is no leaving; only an edge folding back along the chord is.
bool ChordInside(const std::vector<PlanePoint>& v, size_t k, PlanePoint p) {
    const size_t n = v.size();
    for (size_t i = 1; i + 1 < n; ++i) { // the edges i -> i + 1 that do not end at vertex 0
        if (i == k - 1) {
            continue; // the edge P1 lies on
        }
        if (!SegmentsMeet(v[0], p, v[i], v[i + 1])) {
            continue;
        }
        const bool atCorner = v[i] == p || v[i + 1] == p;
        const PlanePoint other = v[i] == p ? v[i + 1] : v[i];
        if (!atCorner || TwiceTriangle(v[0], p, other) == 0) {
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
    RequireSimpleParcel(parcel); // first: a crossing boundary has no area to compare the target with
    CheckDivisionTarget(parcel, target);
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
        // The millimetre positions within a millimetre of the exact point along the edge: the one that
        // secures the target with the least to spare, its chord inside.
        std::optional<PlanePoint> best;
        ParcelAreaFigures bestFigures;
        for (const PlanePoint& p : MillimetrePositionsNear(v[k - 1], v[k], *exact)) {
            secured.back() = p;
            const ParcelAreaFigures figures = MillimetreRingFigures(secured);
            if (figures.area >= target && (!best || figures.area < bestFigures.area) && ChordInside(v, k, p)) {
                best = p;
                bestFigures = figures;
            }
        }
        if (best) {
            DivisionResult result = BuildParts(parcel, k, *best, bestFigures);
            result.target = target;
            CompleteDivision(parcel, result);
            return result;
        }
        // Otherwise the point moves on along the edge by a widening allowance.
        for (int step = 0; step < kMaxAllowanceSteps; ++step) {
            const std::optional<PlanePoint> p = PointHolding(v, fan, k, target + step * kAllowanceStep);
            if (!p) {
                break;
            }
            // Rounded onto a corner, the corner itself is the point (CompleteDivision).
            secured.back() = RoundedToMillimetre(*p);
            const ParcelAreaFigures figures = MillimetreRingFigures(secured);
            if (figures.area >= target && ChordInside(v, k, secured.back())) {
                DivisionResult result = BuildParts(parcel, k, secured.back(), figures);
                result.target = target;
                CompleteDivision(parcel, result);
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
