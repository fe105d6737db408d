#include "core/geometry/Constructions.h"

#include "core/geometry/DegreeTrig.h"
#include "core/geometry/Inverse.h"
#include "core/geometry/Rounding.h"

#include <cmath>

namespace vemo {

using geometry_detail::SinCos;
using geometry_detail::SinCosDegrees;

namespace {

// `origin` moved `along` in the direction u and `across` square to its right.
PlanePoint Move(PlanePoint origin, SinCos u, long double along, long double across) {
    return {static_cast<double>(origin.x + along * u.cos - across * u.sin),
            static_cast<double>(origin.y + along * u.sin + across * u.cos)};
}

} // namespace

OffsetResult OffsetPoint(PlanePoint base, double direction, double along, double across) {
    SinCos u = SinCosDegrees(direction);
    OffsetResult result;
    result.foot = RoundMillimetre(Move(base, u, along, 0));
    // The offset is measured from the foot as it will be staked out, i.e. in whole millimetres.
    result.point = RoundMillimetre(Move(result.foot, u, 0, across));
    return result;
}

std::optional<TwoPoints> CornerCutPoints(PlanePoint a, PlanePoint b, PlanePoint c, double length) {
    Inverse toA = InversePoints(b, a);
    Inverse toC = InversePoints(b, c);
    if (!toA.direction || !toC.direction) {
        return std::nullopt;
    }
    long double between = std::fabs(static_cast<long double>(*toA.direction) - *toC.direction);
    if (between < kDirectionTolerance || 360 - between < kDirectionTolerance) {
        return std::nullopt;
    }
    // The chord of length L subtends the corner angle 2g at b; each leg is (L / 2) / sin g long.
    long double legLength = length * 0.5L / SinCosDegrees(between * 0.5L).sin;
    TwoPoints cut;
    cut.first = RoundMillimetre(Move(b, SinCosDegrees(*toA.direction), legLength, 0));
    cut.second = RoundMillimetre(Move(b, SinCosDegrees(*toC.direction), legLength, 0));
    return cut;
}

std::optional<PlanePoint> ShiftedCorner(PlanePoint a, double width1, PlanePoint b, double width2, PlanePoint c) {
    Inverse leg1 = InversePoints(a, b);
    Inverse leg2 = InversePoints(b, c);
    if (!leg1.direction || !leg2.direction) {
        return std::nullopt;
    }
    PlanePoint shiftedA = Move(a, SinCosDegrees(*leg1.direction), 0, width1);
    PlanePoint shiftedB = Move(b, SinCosDegrees(*leg2.direction), 0, width2);
    std::optional<PlanePoint> corner = LineLineCross(shiftedA, *leg1.direction, shiftedB, *leg2.direction);
    if (!corner) {
        return std::nullopt;
    }
    return RoundMillimetre(*corner);
}

PlanePoint LocalToGlobal(PlanePoint origin, double direction, double along, double across) {
    return RoundMillimetre(Move(origin, SinCosDegrees(direction), along, across));
}

} // namespace vemo
