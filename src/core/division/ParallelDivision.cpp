#include "core/division/ParallelDivision.h"

#include "core/division/MillimetrePositions.h"
#include "core/division/RingShape.h"
#include "core/geometry/Angles.h"
#include "core/geometry/DegreeTrig.h"
#include "core/geometry/Inverse.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/MessagesCalc.h"

#include <algorithm>
#include <cmath>

namespace vemo {

namespace {

constexpr long double kCoarseStep = 0.1L; // m square to the line: the first steps of the line
constexpr long double kFineStep = 0.001L; // m square to the line: the positions the line may take

// Unit normal of a line in `direction`, the direction first taken modulo 180 into [-90, 90).
struct Normal {
    long double x;
    long double y;
};

Normal LineNormal(double direction) {
    long double r = geometry_detail::NormalizeDegrees(direction);
    r -= r >= 270 ? 360 : (r >= 90 ? 180 : 0);
    const auto sc = geometry_detail::SinCosDegrees(r);
    return {-sc.sin, sc.cos};
}

// The parcel seen from the moving line: every vertex's offset n·p and the walks along the ring.
class Sweep {
public:
    Sweep(const DivisionParcel& parcel, double direction)
        : parcel_(parcel), n_(static_cast<int>(parcel.points.size())) {
        const Normal normal = LineNormal(direction);
        for (const PlanePoint& p : parcel.points) {
            offset_.push_back(normal.x * p.x + normal.y * p.y);
        }
    }
    const DivisionParcel& Parcel() const { return parcel_; }
    int Count() const { return n_; }
    long double Offset(int i) const { return offset_[i]; }
    int Next(int i) const { return i + 1 == n_ ? 0 : i + 1; }
    int Prev(int i) const { return i == 0 ? n_ - 1 : i - 1; }

    PlanePoint Crossing(int a, int b, long double d) const {
        const PlanePoint& pa = parcel_.points[a];
        const PlanePoint& pb = parcel_.points[b];
        const long double t = (d - offset_[a]) / (offset_[b] - offset_[a]);
        return {static_cast<double>(pa.x + t * (pb.x - pa.x)), static_cast<double>(pa.y + t * (pb.y - pa.y))};
    }
    // Vertices first, first+1, ... up to `last` inclusive (or up to, not including, `end`).
    template <typename Out> void AddRange(int first, int last, Out out) const {
        for (int i = first;; i = Next(i)) {
            out(i);
            if (i == last) {
                return;
            }
        }
    }
    template <typename Out> void AddUntil(int first, int end, Out out) const {
        for (int i = first; i != end; i = Next(i)) {
            out(i);
        }
    }

private:
    const DivisionParcel& parcel_;
    int n_;
    std::vector<long double> offset_;
};

long double TwiceSignedArea(const std::vector<PlanePoint>& ring) {
    long double twice = 0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const PlanePoint& prev = ring[i == 0 ? ring.size() - 1 : i - 1];
        twice += (static_cast<long double>(prev.x) - ring[i].x) * (static_cast<long double>(prev.y) + ring[i].y);
    }
    return twice;
}

// The dividing line at its positions: `j` millimetres from the far vertex towards the start vertex.
// The start side of the line is the part of the parcel the surveyor secures.
class LinePositions {
public:
    LinePositions(const Sweep& sweep, int start, int far)
        : sweep_(sweep), far_(sweep.Offset(far)), towardsStart_(sweep.Offset(start) > far_ ? 1 : -1),
          last_(static_cast<long>(std::ceil(std::fabs(sweep.Offset(start) - far_) / kFineStep)) - 1) {}

    long Last() const { return last_; } // the last position before the line reaches the start vertex
    long double OffsetAt(long j) const { return far_ + towardsStart_ * j * kFineStep; }
    // Whether vertex i lies on the start side of the line at offset d (on the line counts as that side).
    bool OnStartSide(int i, long double d) const { return towardsStart_ * (sweep_.Offset(i) - d) >= 0; }

    // The area of the parcel on the start side of the line at offset d: the parcel clipped by the
    // half-plane, which holds for any simple parcel, however often the line crosses its boundary.
    long double StartSideArea(long double d) const {
        std::vector<PlanePoint> clipped;
        const int n = sweep_.Count();
        for (int i = 0; i < n; ++i) {
            const int next = sweep_.Next(i);
            const bool in = OnStartSide(i, d), nextIn = OnStartSide(next, d);
            if (in) {
                clipped.push_back(sweep_.Parcel().points[i]);
            }
            if (in != nextIn) {
                clipped.push_back(sweep_.Crossing(i, next, d));
            }
        }
        return clipped.size() < 3 ? 0 : std::fabs(TwiceSignedArea(clipped)) / 2;
    }

    // The edges where the boundary leaves the start side (i -> next) and comes back (i -> next), in
    // ring order.
    std::vector<int> LeavingEdges(long double d) const {
        std::vector<int> edges;
        for (int i = 0; i < sweep_.Count(); ++i) {
            if (OnStartSide(i, d) && !OnStartSide(sweep_.Next(i), d)) {
                edges.push_back(i);
            }
        }
        return edges;
    }
    int ReturningEdge(long double d) const {
        for (int i = 0; i < sweep_.Count(); ++i) {
            if (!OnStartSide(i, d) && OnStartSide(sweep_.Next(i), d)) {
                return i;
            }
        }
        throw Error(msg::DivisionAreaUnreachable());
    }

private:
    const Sweep& sweep_;
    long double far_;
    int towardsStart_;
    long last_;
};

// The line position that leaves the start side just at or above the target: the last millimetre
// position, counted from the far vertex, whose start side (unrounded) still holds the target.
long LastPositionHolding(const LinePositions& line, double target) {
    // The line is first moved in steps of 0.1 m: a target that the strip before the start vertex still
    // holds at the last of them is thinner than the division can place.
    const long coarse = static_cast<long>(std::lround(kCoarseStep / kFineStep));
    const long lastCoarse = (line.Last() / coarse) * coarse;
    if (lastCoarse < coarse || line.StartSideArea(line.OffsetAt(lastCoarse)) >= target ||
        line.StartSideArea(line.OffsetAt(1)) < target) {
        throw Error(msg::DivisionAreaUnreachable());
    }
    long lo = 1, hi = line.Last() + 1; // the start side holds the target at lo, not at hi
    while (hi - lo > 1) {
        const long mid = lo + (hi - lo) / 2;
        (line.StartSideArea(line.OffsetAt(mid)) >= target ? lo : hi) = mid;
    }
    return lo;
}

struct FinePosition {
    PlanePoint p1, p2;
    int p1Edge; // P1 lies on p1Edge -> next, where the boundary leaves the start side
    int p2Edge; // P2 lies on p2Edge -> next, where it comes back
    ParcelAreaFigures figures;
};

// The two parts as rings of points: the start side from the start vertex through P1 and P2, the rest
// from the far vertex through P2 and P1.
std::vector<PlanePoint> SecuredRing(const Sweep& sweep, int start, const FinePosition& at) {
    std::vector<PlanePoint> ring;
    const auto add = [&](int i) { ring.push_back(sweep.Parcel().points[i]); };
    sweep.AddRange(start, at.p1Edge, add);
    ring.push_back(at.p1);
    ring.push_back(at.p2);
    sweep.AddUntil(sweep.Next(at.p2Edge), start, add);
    return ring;
}

std::vector<PlanePoint> RemainderRing(const Sweep& sweep, int far, const FinePosition& at) {
    std::vector<PlanePoint> ring;
    const auto add = [&](int i) { ring.push_back(sweep.Parcel().points[i]); };
    sweep.AddRange(far, at.p2Edge, add);
    ring.push_back(at.p2);
    ring.push_back(at.p1);
    sweep.AddUntil(sweep.Next(at.p1Edge), far, add);
    return ring;
}

// The parts at line offset d, with P1 and P2 rounded to millimetres.  The line must cross the
// boundary exactly twice, else the parcel falls into more than two pieces.
FinePosition PartsAt(const Sweep& sweep, const LinePositions& line, long double d, int start) {
    const std::vector<int> leaving = line.LeavingEdges(d);
    if (leaving.size() != 1) {
        throw Error(msg::DivisionIntoManyPieces());
    }
    FinePosition at;
    at.p1Edge = leaving.front();
    at.p2Edge = line.ReturningEdge(d);
    at.p1 = RoundedToMillimetre(sweep.Crossing(at.p1Edge, sweep.Next(at.p1Edge), d));
    at.p2 = RoundedToMillimetre(sweep.Crossing(at.p2Edge, sweep.Next(at.p2Edge), d));
    at.figures = MillimetreRingFigures(SecuredRing(sweep, start, at));
    return at;
}

// From the position found on the unrounded area, the last millimetre position whose parts, with P1
// and P2 rounded, secure the target.
FinePosition FineSearch(const Sweep& sweep, const LinePositions& line, int start, double target, long found) {
    for (long j = std::min(found + 1, line.Last()); j >= 1; --j) {
        FinePosition at = PartsAt(sweep, line, line.OffsetAt(j), start);
        if (at.figures.area >= target) {
            return at;
        }
    }
    throw Error(msg::DivisionAreaUnreachable());
}

// The offset, between the millimetre positions `found` and the next, where the start side (new points
// unrounded) holds exactly the target.
long double ExactOffset(const LinePositions& line, long found, double target) {
    long double holds = line.OffsetAt(found), falls = line.OffsetAt(found + 1);
    for (int i = 0; i < 64; ++i) {
        const long double mid = (holds + falls) / 2;
        (line.StartSideArea(mid) >= target ? holds : falls) = mid;
    }
    return holds;
}

// A whole step of the line moves the start side by the line's length times a millimetre (0.4 m² across
// a parcel 400 m wide), while P1 and P2 each may take any millimetre position near the exact cut.  Of
// the pairs of those that leave two simple parts, the one whose start side holds the target with the
// least to spare is taken; the stepped line's position stands when no pair does better.
FinePosition ClosestAboveTarget(const Sweep& sweep, const LinePositions& line, int start, int far, double target,
                                long found, FinePosition best) {
    const long double exact = ExactOffset(line, found, target);
    const std::vector<int> leaving = line.LeavingEdges(exact);
    if (leaving.size() != 1) {
        return best;
    }
    FinePosition at;
    at.p1Edge = leaving.front();
    at.p2Edge = line.ReturningEdge(exact);
    const auto positionsOn = [&](int edge) {
        const auto& points = sweep.Parcel().points;
        // A position on a corner is the corner itself (CompleteDivision).
        return MillimetrePositionsNear(points[edge], points[sweep.Next(edge)],
                                       sweep.Crossing(edge, sweep.Next(edge), exact));
    };
    const std::vector<PlanePoint> p1s = positionsOn(at.p1Edge), p2s = positionsOn(at.p2Edge);
    for (const PlanePoint& p1 : p1s) {
        for (const PlanePoint& p2 : p2s) {
            at.p1 = p1;
            at.p2 = p2;
            const std::vector<PlanePoint> secured = SecuredRing(sweep, start, at);
            at.figures = MillimetreRingFigures(secured);
            if (at.figures.area < target || at.figures.area >= best.figures.area) {
                continue;
            }
            if (IsSimpleRing(secured) && IsSimpleRing(RemainderRing(sweep, far, at))) {
                best = at;
            }
        }
    }
    return best;
}

DivisionResult BuildParts(const DivisionParcel& parcel, const Sweep& sweep, int start, int far,
                          const FinePosition& at) {
    DivisionResult result;
    result.p1 = at.p1;
    result.p2 = at.p2;
    std::vector<std::string>& secured = result.secured.names;
    const auto addSecured = [&](int i) { secured.push_back(parcel.names[i]); };
    sweep.AddRange(start, at.p1Edge, addSecured);
    secured.insert(secured.end(), {kP1Placeholder, kP2Placeholder});
    sweep.AddUntil(sweep.Next(at.p2Edge), start, addSecured);
    secured.push_back(parcel.names[start]);
    result.secured.figures = at.figures;

    std::vector<std::string>& rest = result.remainder.names;
    const auto addRest = [&](int i) { rest.push_back(parcel.names[i]); };
    sweep.AddRange(far, at.p2Edge, addRest);
    rest.insert(rest.end(), {kP2Placeholder, kP1Placeholder});
    sweep.AddUntil(sweep.Next(at.p1Edge), far, addRest);
    rest.push_back(parcel.names[far]);
    result.remainder.figures = MillimetreRingFigures(RemainderRing(sweep, far, at));
    return result;
}

} // namespace

bool IsDividingAngle(double anglePacked) {
    return anglePacked < 180;
}

double DividingDirection(PlanePoint base1, PlanePoint base2, double anglePacked) {
    const auto base = InversePoints(base1, base2).direction;
    if (!base) {
        throw Error(msg::BaseLinePointsCoincide());
    }
    return *base + DmsToDeg(anglePacked);
}

ExtremeVertices FindExtremeVertices(const DivisionParcel& parcel, double direction) {
    const Sweep sweep(parcel, direction);
    ExtremeVertices extremes;
    for (int i = 1; i < sweep.Count(); ++i) {
        if (sweep.Offset(i) > sweep.Offset(extremes.max)) {
            extremes.max = i;
        }
        if (sweep.Offset(i) < sweep.Offset(extremes.min)) {
            extremes.min = i;
        }
    }
    return extremes;
}

int SnapStartVertex(const DivisionParcel& parcel, double direction, PlanePoint typed) {
    const ExtremeVertices extremes = FindExtremeVertices(parcel, direction);
    const double toMax = InversePoints(typed, parcel.points[extremes.max]).distance;
    const double toMin = InversePoints(typed, parcel.points[extremes.min]).distance;
    return toMin < toMax ? extremes.min : extremes.max;
}

} // namespace vemo

namespace vemo {

DivisionResult DivideParallel(const DivisionParcel& parcel, double direction, int startVertex, double target) {
    RequireSimpleParcel(parcel); // first: a crossing boundary has no area to compare the target with
    CheckDivisionTarget(parcel, target);
    const Sweep sweep(parcel, direction);
    const ExtremeVertices extremes = FindExtremeVertices(parcel, direction);
    if (startVertex != extremes.max && startVertex != extremes.min) {
        startVertex = SnapStartVertex(parcel, direction, parcel.points.at(startVertex));
    }
    const int far = startVertex == extremes.max ? extremes.min : extremes.max;
    if (sweep.Offset(far) == sweep.Offset(startVertex)) {
        throw Error(msg::DivisionAreaUnreachable()); // every vertex on one line parallel to the dividing line
    }
    const LinePositions line(sweep, startVertex, far);
    const long found = LastPositionHolding(line, target);
    const FinePosition stepped = FineSearch(sweep, line, startVertex, target, found);
    DivisionResult result = BuildParts(parcel, sweep, startVertex, far,
                                       ClosestAboveTarget(sweep, line, startVertex, far, target, found, stepped));
    result.target = target;
    CompleteDivision(parcel, result);
    return result;
}

DivisionResult DivideParallel(const DivisionParcel& parcel, double target, const ParallelFields& fields,
                              const XyzNameIndex& index) {
    RequireSimpleParcel(parcel);
    CheckDivisionTarget(parcel, target);
    if (fields.base1.empty() || fields.base2.empty()) {
        throw Error(msg::BaseLineMissing());
    }
    if (fields.start.empty()) {
        throw Error(msg::StartPointMissing());
    }
    const auto pointOf = [&](const std::string& name) {
        auto found = index.Find(name);
        if (!found) {
            throw Error(msg::NotFound(name));
        }
        return PlanePoint{found->x, found->y};
    };
    const double direction = DividingDirection(pointOf(fields.base1), pointOf(fields.base2), fields.anglePacked);
    const int start = SnapStartVertex(parcel, direction, pointOf(fields.start));
    return DivideParallel(parcel, direction, start, target);
}

} // namespace vemo
