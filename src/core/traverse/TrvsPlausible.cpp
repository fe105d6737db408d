#include "core/traverse/TrvsPlausible.h"

#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesTraverse.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsReduce.h"
#include "core/traverse/TrvsTable.h"

#include <cmath>

namespace vemo {

namespace {

struct AngleBound {
    double low;
    double high;
};

// Directions and horizontal angles are read clockwise within one turn; a vertical angle may be given
// from the zenith (0..360 in face right) or from the horizon (negative below it).
constexpr AngleBound kTurn{0.0, 360.0};
constexpr AngleBound kVertical{-360.0, 360.0};

void Check(std::string_view cell, const AngleBound& bound, const std::string& place) {
    std::string_view text = TrimView(cell);
    if (text.empty()) {
        return;
    }
    auto value = TryStrToFloat(text);
    if (!value || (std::isfinite(*value) && *value >= bound.low && *value <= bound.high)) {
        return;
    }
    throw Error(msg::AngleOutOfRange(place, Excerpt(text), bound.low, bound.high));
}

} // namespace

void CheckTraverseAngles(const TrvsHeader& header, const TrvsTable& table) {
    Check(header.T1Angle, kTurn, Jp("始点の方向角"));
    Check(header.T3Angle, kTurn, Jp("終点の方向角"));
    for (int row = 1; row < table.RowCount(); ++row) {
        Check(table.Cell(row, kTrvColHAngle), kTurn, msg::TraverseRow(row, Jp("水平角")));
        Check(table.Cell(row, kTrvColVAngle), kVertical, msg::TraverseRow(row, Jp("高度角")));
    }
}

} // namespace vemo
