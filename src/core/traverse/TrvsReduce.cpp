#include "core/traverse/TrvsReduce.h"

#include "core/geometry/Angles.h"
#include "core/geometry/Rounding.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsTable.h"

#include <cmath>

namespace vemo::trvs_detail {

Reduction ReduceSlope(double slope, double vertical, bool zenithAngles) {
    const double v = DegToRad(vertical);
    // From the zenith the horizontal part is the sine; from the horizon it is the cosine.
    const double hd = zenithAngles ? slope * std::sin(v) : slope * std::cos(v);
    const double dv = zenithAngles ? slope * std::cos(v) : slope * std::sin(v);
    return {RoundMillimetre(hd), RoundMillimetre(dv)};
}

double ReduceDirection(double degrees) {
    // One division, not repeated subtraction: a wild value must cost no more than a sane one.
    degrees = std::fmod(degrees, 360.0);
    if (degrees < 0.0) {
        degrees += 360.0;
    }
    return degrees >= 360.0 ? 0.0 : degrees;
}

double SightDirection(double orientation, double horizontalDeg) {
    return ReduceDirection(horizontalDeg + orientation + 180.0);
}

void Polar(double fromX, double fromY, double hd, double direction, double& x, double& y) {
    const double d = DegToRad(direction);
    x = RoundMillimetre(fromX + hd * std::cos(d));
    y = RoundMillimetre(fromY + hd * std::sin(d));
}

bool CellEmpty(const TrvsTable& table, int row, int col) {
    return TrimView(table.Cell(row, col)).empty();
}

double CellNumber(const TrvsTable& table, int row, int col) {
    return StrToFloat(TrimView(table.Cell(row, col)));
}

bool RowObserved(const TrvsTable& table, int row) {
    return !CellEmpty(table, row, kTrvColTarget) && !CellEmpty(table, row, kTrvColHAngle) &&
           !CellEmpty(table, row, kTrvColVAngle) && !CellEmpty(table, row, kTrvColSlope);
}

double ListHeight(const TrvsKnownPoints& known, int row, bool zCalc) {
    const std::string cell = Trim(known.ZCell(row));
    if (cell.empty() && !zCalc) {
        return 0.0;
    }
    return StrToFloat(cell);
}

void PlacedPoints::Add(const TrvsPoint& point) {
    first_.try_emplace(point.name, points_.size());
    points_.push_back(point);
}

const TrvsPoint* PlacedPoints::Find(std::string_view name) const {
    auto it = first_.find(std::string(name));
    return it == first_.end() ? nullptr : &points_[it->second];
}

FoundPoint FindSetupPoint(std::string_view name, const TrvsKnownPoints& known, const PlacedPoints& placed, bool zCalc) {
    if (auto listed = known.Find(name)) {
        return {true, listed->x, listed->y, ListHeight(known, listed->row, zCalc)};
    }
    const TrvsPoint* point = placed.Find(name);
    if (!point) {
        return {};
    }
    return {true, point->x, point->y, point->z};
}

} // namespace vemo::trvs_detail
