#pragma once

#include "core/geometry/PlanePoint.h"
#include "core/parcels/ParcelRing.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

class XyzNameIndex;

// The legal figures of one parcel.
struct ParcelAreaFigures {
    double doubleArea = 0; // 倍面積 S: the signed trapezoid sum, m²; its sign tells the ring's direction
    double area = 0;       // 面積 A = |S| / 2, m², unrounded
    double chiseki = 0;    // 地積: A truncated (never rounded) to 0.01 m²
    double tsubo = 0;      // 坪数: the truncated 地積 × 0.3025, truncated again to 0.01 坪
    // 地積 and 坪数 in hundredths, exact: what the totals add up.
    std::int64_t chisekiHundredths = 0;
    std::int64_t tsuboHundredths = 0;
    // S in integer square millimetres, when the ring was summed exactly (every survey coordinate is):
    // the report prints 倍面積 and 面積 from it, so the printed figures are the exact sums.
    bool exact = false;
    __int128 doubleAreaMm2 = 0;
};

// Largest coordinate (m) whose products stay exact in 128-bit integer square millimetres over a full
// parcel; beyond it (no survey goes there) sums fall back to extended precision.
constexpr double kExactCoordinateLimit = 1e9;

// A coordinate in whole millimetres (the ring coordinates lie on the millimetre grid already).
__int128 Millimetres(double metres);

// The exact decimal text of scaled × 10^−decimals ("-12.3400" for −123400 and 4): figures held in
// integers print without a binary detour.
std::string ScaledDecimal(__int128 scaled, int decimals);

// Figures of a ring: S = Σ (Xn − Xn−1)(Yn + Yn−1) over n = 1 … k plus the closing term
// (X0 − Xk)(Y0 + Yk).  The coordinates are already on the millimetre grid, so the sum is taken exactly
// in integer square millimetres: a binary sum, even in extended precision, can land a hair below a
// value such as 0.29 m² and truncate it to 0.28.  Coordinates beyond ±1e9 m (no survey has them) fall
// back to an extended-precision sum.
ParcelAreaFigures RingAreaFigures(const std::vector<RingPoint>& ring);

// The figures of a ring of computed points whose coordinates lie on the millimetre grid, exact by the
// same rule.
ParcelAreaFigures MillimetreRingFigures(const std::vector<PlanePoint>& ring);

// The figures of a parcel from its stored vertex list (see ParcelRingPoints).
ParcelAreaFigures ParcelFigures(std::string_view noList, const XyzNameIndex& index);

// 地積 and 坪数 from an area in m²: 地積 = floor(A × 100) / 100, 坪数 from the truncated 地積 in
// hundredths h as floor(h × 3025 / 10000) / 100 (0.3025 坪 per m²), in integers so that no binary
// error moves a truncation.  99.999 m² gives 99.99 and 30.24.
ParcelAreaFigures FiguresFromArea(double doubleArea, double area, std::int64_t chisekiHundredths);
std::int64_t TsuboHundredths(std::int64_t chisekiHundredths);

// 合計 over the parcels a report covers: 面積 adds the unrounded areas, 地積 and 坪数 add the truncated
// per-parcel figures (so they may differ from a truncation of the summed area).
struct AreaTotals {
    double area = 0;
    std::int64_t chisekiHundredths = 0;
    std::int64_t tsuboHundredths = 0;
    bool exact = true;           // every parcel added was summed exactly
    __int128 doubleAreasMm2 = 0; // Σ |S| in mm², while exact

    void Add(const ParcelAreaFigures& figures);
    double Chiseki() const { return static_cast<double>(chisekiHundredths) / 100.0; }
    double Tsubo() const { return static_cast<double>(tsuboHundredths) / 100.0; }
};

// The parcels an area list or area report covers, as list positions in list order: the selected rows
// when two or more are selected, every parcel otherwise (one selected row means "no choice made").
std::vector<int> CoveredParcelPositions(int parcelCount, const std::vector<int>& selectedPositions);

} // namespace vemo
