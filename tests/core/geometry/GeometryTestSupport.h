#pragma once

#include "core/geometry/Intersections.h"
#include "core/geometry/PlanePoint.h"
#include "core/text/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace vemo::test {

// A point as the result grid shows it: both coordinates with three decimals.
inline std::string Mm(PlanePoint p) {
    return Format3(p.x) + ", " + Format3(p.y);
}

// Two rounded results as "first / second", or "none" for no result.
inline std::string Mm(const std::optional<TwoPoints>& r) {
    return r ? Mm(r->first) + " / " + Mm(r->second) : "none";
}

// Raw (not rounded) results are compared within a tolerance.
inline ::testing::AssertionResult Near(PlanePoint actual, PlanePoint expected, double tolerance = 1e-9) {
    if (std::fabs(actual.x - expected.x) <= tolerance && std::fabs(actual.y - expected.y) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "(" << Sprintf("%.12f", actual.x) << ", " << Sprintf("%.12f", actual.y)
                                         << ") is not (" << expected.x << ", " << expected.y << ")";
}

inline double Distance(PlanePoint a, PlanePoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

} // namespace vemo::test
