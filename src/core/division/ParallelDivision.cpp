#include "core/division/ParallelDivision.h"

#include "core/geometry/Angles.h"
#include "core/geometry/DegreeTrig.h"
#include "core/geometry/Inverse.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"

#include <cmath>

namespace vemo {

namespace {

constexpr long double kCoarseStep = 0.1L; // m square to the line
constexpr long double kFineStep = 0.001L; // m square to the line

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

    // The edge a -> b meets the line n·p = d, its ends included (an edge lying on the line does not).
    bool Crosses(int a, int b, long double d) const {
        const long double da = offset_[a] - d, db = offset_[b] - d;
        return da != db && ((da <= 0 && db >= 0) || (da >= 0 && db <= 0));
    }
    PlanePoint Crossing(int a, int b, long double d) const {
        const PlanePoint& pa = parcel_.points[a];
        const PlanePoint& pb = parcel_.points[b];
        const long double t = (d - offset_[a]) / (offset_[b] - offset_[a]);
        return {static_cast<double>(pa.x + t * (pb.x - pa.x)), static_cast<double>(pa.y + t * (pb.y - pa.y))};
    }
    // The first vertex from `from` on (forward or backward) whose edge onwards crosses the line.
    int WalkToCrossing(int from, bool forward, long double d) const {
        for (int i = from, steps = 0; steps < n_; ++steps, i = forward ? Next(i) : Prev(i)) {
            if (Crosses(i, forward ? Next(i) : Prev(i), d)) {
                return i;
            }
        }
        throw Error(DivisionImpossibleMessage());
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

PlanePoint Rounded(PlanePoint p) {
    return {RoundToMillimetre(p.x), RoundToMillimetre(p.y)};
}

// Area of the far part during the coarse sweep, with the crossings unrounded.
long double FloatRingArea(const std::vector<PlanePoint>& ring) {
    long double twice = 0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const PlanePoint& prev = ring[i == 0 ? ring.size() - 1 : i - 1];
        twice += (static_cast<long double>(prev.x) - ring[i].x) * (static_cast<long double>(prev.y) + ring[i].y);
    }
    return std::fabs(twice) / 2;
}

// Where the coarse sweep stopped: the line and the two edges it crossed, seen from the far vertex.
struct CoarseStop {
    long double offset;
    int forwardEdge;  // far end of the edge met walking forward from the far vertex
    int backwardEdge; // far end of the edge met walking backward from it
};

// Moves the line 0.1 m at a time from just inside the far vertex towards the start vertex until the
// far part holds more than the area minus the target: the start side has just dropped below it.
CoarseStop CoarseSweep(const Sweep& sweep, int start, int far, double remainderLimit) {
    const long double span = sweep.Offset(start) - sweep.Offset(far);
    const long double step = span > 0 ? kCoarseStep : -kCoarseStep;
    const long double steps = std::fabs(span) / kCoarseStep;
    for (long k = 1; k < steps; ++k) { // the k-th position from the far vertex, free of running sums
        const long double d = sweep.Offset(far) + k * step;
        const int forward = sweep.WalkToCrossing(far, true, d);
        const int backward = sweep.WalkToCrossing(far, false, d);
        std::vector<PlanePoint> farPart;
        const auto add = [&](int i) { farPart.push_back(sweep.Parcel().points[i]); };
        sweep.AddRange(far, forward, add);
        farPart.push_back(sweep.Crossing(forward, sweep.Next(forward), d));
        farPart.push_back(sweep.Crossing(backward, sweep.Prev(backward), d));
        sweep.AddUntil(backward, far, add);
        if (FloatRingArea(farPart) > remainderLimit) {
            return {d, forward, backward};
        }
    }
    throw Error(DivisionImpossibleMessage()); // the line reached the start vertex
}

struct FinePosition {
    PlanePoint p1, p2;
    int p1Edge; // near end of P1's edge (P1 lies on p1Edge -> next)
    int p2Edge; // near end of P2's edge (P2 lies on p2Edge -> prev)
    ParcelAreaFigures figures;
};

// Moves the line back towards the far vertex 1 mm at a time until the start side, with P1 and P2
// rounded to millimetres, holds at least the target.
FinePosition FineSearch(const Sweep& sweep, int start, int far, const CoarseStop& stop, double target) {
    const long double step = sweep.Offset(start) > sweep.Offset(far) ? -kFineStep : kFineStep;
    const int nearBack = sweep.Prev(stop.backwardEdge);
    const int nearForward = sweep.Next(stop.forwardEdge);
    const long double steps = std::fabs(stop.offset - sweep.Offset(far)) / kFineStep;
    for (long m = 0; m < steps; ++m) {
        const long double d = stop.offset + m * step;
        FinePosition at;
        at.p1Edge = sweep.WalkToCrossing(nearBack, true, d);
        at.p2Edge = sweep.WalkToCrossing(nearForward, false, d);
        at.p1 = Rounded(sweep.Crossing(at.p1Edge, sweep.Next(at.p1Edge), d));
        at.p2 = Rounded(sweep.Crossing(at.p2Edge, sweep.Prev(at.p2Edge), d));
        std::vector<PlanePoint> secured;
        const auto add = [&](int i) { secured.push_back(sweep.Parcel().points[i]); };
        sweep.AddRange(start, at.p1Edge, add);
        secured.push_back(at.p1);
        secured.push_back(at.p2);
        sweep.AddUntil(at.p2Edge, start, add);
        at.figures = MillimetreRingFigures(secured);
        if (at.figures.area >= target) {
            return at;
        }
    }
    throw Error(DivisionImpossibleMessage());
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
    sweep.AddUntil(at.p2Edge, start, addSecured);
    secured.push_back(parcel.names[start]);
    result.secured.figures = at.figures;

    std::vector<std::string>& rest = result.remainder.names;
    std::vector<PlanePoint> restPoints;
    const auto addRest = [&](int i) {
        rest.push_back(parcel.names[i]);
        restPoints.push_back(parcel.points[i]);
    };
    sweep.AddRange(far, sweep.Prev(at.p2Edge), addRest);
    rest.insert(rest.end(), {kP2Placeholder, kP1Placeholder});
    restPoints.insert(restPoints.end(), {at.p2, at.p1});
    sweep.AddUntil(sweep.Next(at.p1Edge), far, addRest);
    rest.push_back(parcel.names[far]);
    result.remainder.figures = MillimetreRingFigures(restPoints);
    return result;
}

} // namespace

bool IsDividingAngle(double anglePacked) {
    return anglePacked < 180;
}

double DividingDirection(PlanePoint base1, PlanePoint base2, double anglePacked) {
    const auto base = InversePoints(base1, base2).direction;
    if (!base) {
        throw Error(Jp("基準線の2点が同じ位置です"));
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
    CheckDivisionTarget(parcel, target);
    const Sweep sweep(parcel, direction);
    const ExtremeVertices extremes = FindExtremeVertices(parcel, direction);
    if (startVertex != extremes.max && startVertex != extremes.min) {
        startVertex = SnapStartVertex(parcel, direction, parcel.points.at(startVertex));
    }
    const int far = startVertex == extremes.max ? extremes.min : extremes.max;
    if (sweep.Offset(far) == sweep.Offset(startVertex)) {
        throw Error(DivisionImpossibleMessage()); // every vertex on one line parallel to the dividing line
    }
    const CoarseStop stop = CoarseSweep(sweep, startVertex, far, parcel.area - target);
    return BuildParts(parcel, sweep, startVertex, far, FineSearch(sweep, startVertex, far, stop, target));
}

DivisionResult DivideParallel(const DivisionParcel& parcel, double target, const ParallelFields& fields,
                              const XyzNameIndex& index) {
    CheckDivisionTarget(parcel, target);
    if (fields.base1.empty() || fields.base2.empty()) {
        throw Error(Jp("基準線未入力！"));
    }
    if (fields.start.empty()) {
        throw Error(Jp("始点未入力！"));
    }
    const auto pointOf = [&](const std::string& name) {
        auto found = index.Find(name);
        if (!found) {
            throw Error(name + Jp(" は見つかりません"));
        }
        return PlanePoint{found->x, found->y};
    };
    const double direction = DividingDirection(pointOf(fields.base1), pointOf(fields.base2), fields.anglePacked);
    const int start = SnapStartVertex(parcel, direction, pointOf(fields.start));
    return DivideParallel(parcel, direction, start, target);
}

} // namespace vemo
