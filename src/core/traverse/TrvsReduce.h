#pragma once

#include "core/traverse/TrvsResults.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vemo {

class TrvsKnownPoints;
class TrvsTable;

// Internal to the traverse computations: the steps the unadjusted and the adjusted computation share.
namespace trvs_detail {

// A slope distance reduced to the horizontal and to a height difference, each to the millimetre.
struct Reduction {
    double hd = 0; // horizontal distance (m)
    double dv = 0; // height difference instrument -> target, without the instrument and target heights
};
// `vertical` is decimal degrees: a zenith angle (0 straight up) or an elevation angle (0 level).
Reduction ReduceSlope(double slope, double vertical, bool zenithAngles);

// Direction of a sight: the orientation (backsight -> instrument) turned by the horizontal angle and
// by 180°, so that it points from the instrument to the target; in [0, 360).
double SightDirection(double orientation, double horizontalDeg);

// Where a sight of horizontal length hd in direction `direction` (degrees) ends, to the millimetre.
void Polar(double fromX, double fromY, double hd, double direction, double& x, double& y);

// Adds 360 or takes it away until the direction lies in [0, 360).
double ReduceDirection(double degrees);

// Cells: empty after trimming; a number (the conversion message otherwise).
bool CellEmpty(const TrvsTable& table, int row, int col);
double CellNumber(const TrvsTable& table, int row, int col);
// A row with target, horizontal angle, vertical angle and slope distance: one that can be reduced.
bool RowObserved(const TrvsTable& table, int row);

// The height of a coordinate list row: its Z cell as a number.  An empty cell reads 0 while heights
// are not computed (they are not used then); with Z calculation on it stops with the conversion
// message, since a missing height would silently falsify every height carried from it.
double ListHeight(const TrvsKnownPoints& known, int row, bool zCalc);

// The points a run has placed, in order, with the first point of each name for lookups by name.
class PlacedPoints {
public:
    void Add(const TrvsPoint& point);
    // The first point placed under `name`, or null.
    const TrvsPoint* Find(std::string_view name) const;

private:
    std::vector<TrvsPoint> points_;
    std::unordered_map<std::string, size_t> first_;
};

// A setup point (instrument or backsight) named in columns 2 and 3: from the coordinate list, else the
// first point of that name this run has placed.
struct FoundPoint {
    bool found = false;
    double x = 0;
    double y = 0;
    double z = 0;
};
FoundPoint FindSetupPoint(std::string_view name, const TrvsKnownPoints& known, const PlacedPoints& placed, bool zCalc);

} // namespace trvs_detail
} // namespace vemo
