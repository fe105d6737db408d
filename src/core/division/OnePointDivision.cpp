// One-point method: a fan of triangles from the first vertex is summed until it holds more than the
// target; the new point then lies on the last edge of the fan, placed by the fraction of the last
// triangle that is too much.
#include "core/division/Division.h"

#include "core/store/XyzNameIndex.h"
#include "core/text/Error.h"

#include <cmath>

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

// The fan from vertex 0 up to the first vertex k at which it holds more than the target.
struct Fan {
    size_t k = 0;
    long double twiceArea = 0; // signed sum of the triangles up to k
    long double lastTwice = 0; // the triangle (0, k-1, k)
};

Fan FanOverTarget(const std::vector<PlanePoint>& v, double target) {
    Fan fan;
    for (fan.k = 2; fan.k < v.size(); ++fan.k) {
        fan.lastTwice = TwiceTriangle(v[0], v[fan.k - 1], v[fan.k]);
        fan.twiceArea += fan.lastTwice;
        if (std::fabs(fan.twiceArea) / 2 > target && fan.lastTwice != 0) {
            return fan;
        }
    }
    throw Error(DivisionImpossibleMessage());
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
    const std::vector<PlanePoint>& v = parcel.points;
    const Fan fan = FanOverTarget(v, target);
    const PlanePoint prev = v[fan.k - 1], cur = v[fan.k];
    std::vector<PlanePoint> secured(v.begin(), v.begin() + static_cast<long>(fan.k));
    secured.push_back({});
    for (int step = 0; step < kMaxAllowanceSteps; ++step) {
        const long double f =
            (std::fabs(fan.twiceArea) - 2 * (target + step * kAllowanceStep)) / std::fabs(fan.lastTwice);
        const PlanePoint p1{RoundToMillimetre(static_cast<double>(cur.x - f * (cur.x - prev.x))),
                            RoundToMillimetre(static_cast<double>(cur.y - f * (cur.y - prev.y)))};
        secured.back() = p1;
        const ParcelAreaFigures figures = MillimetreRingFigures(secured);
        if (figures.area >= target) {
            return BuildParts(parcel, fan.k, p1, figures);
        }
    }
    throw Error(DivisionImpossibleMessage());
}

} // namespace vemo
