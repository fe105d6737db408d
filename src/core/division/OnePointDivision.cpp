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

} // namespace

DivisionResult DivideFromFirstPoint(const DivisionParcel& parcel, double target) {
    CheckDivisionTarget(parcel, target);
    const std::vector<PlanePoint>& v = parcel.points;
    const size_t n = v.size();
    long double fan = 0, last = 0;
    size_t k = 2;
    for (; k < n; ++k) {
        last = TwiceTriangle(v[0], v[k - 1], v[k]);
        fan += last;
        if (std::fabs(fan) / 2 > target) {
            break;
        }
    }
    if (k == n || last == 0) {
        throw Error(DivisionImpossibleMessage());
    }
    std::vector<PlanePoint> secured(v.begin(), v.begin() + static_cast<long>(k));
    secured.push_back({});
    for (int step = 0; step < kMaxAllowanceSteps; ++step) {
        const long double f = (std::fabs(fan) - 2 * (target + step * kAllowanceStep)) / std::fabs(last);
        const PlanePoint p1{RoundToMillimetre(static_cast<double>(v[k].x - f * (v[k].x - v[k - 1].x))),
                            RoundToMillimetre(static_cast<double>(v[k].y - f * (v[k].y - v[k - 1].y)))};
        secured.back() = p1;
        const double area = MillimetreRingArea(secured);
        if (area >= target) {
            DivisionResult result;
            result.p1 = p1;
            result.secured.names.assign(parcel.names.begin(), parcel.names.begin() + static_cast<long>(k));
            result.secured.names.insert(result.secured.names.end(), {kP1Placeholder, parcel.names[0]});
            result.secured.area = area;
            std::vector<PlanePoint> rest{v[0], p1};
            rest.insert(rest.end(), v.begin() + static_cast<long>(k), v.end());
            result.remainder.names = {parcel.names[0], kP1Placeholder};
            result.remainder.names.insert(result.remainder.names.end(), parcel.names.begin() + static_cast<long>(k),
                                          parcel.names.end());
            result.remainder.names.push_back(parcel.names[0]);
            result.remainder.area = MillimetreRingArea(rest);
            return result;
        }
    }
    throw Error(DivisionImpossibleMessage());
}

} // namespace vemo
