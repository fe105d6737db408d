#pragma once

#include "core/calc/CalcOverlay.h"
#include "core/calc/GridText.h"
#include "core/calc/InverseArea.h"
#include "core/geometry/PlanePoint.h"

#include <optional>
#include <string>
#include <vector>

namespace vemo {

class XyzNameIndex;

// The three ways the calculation window reads its point grid.
enum class GridMode {
    InverseOpen,   // 開放型: a sequence of points, legs from each to the next
    InverseRadial, // 放射型: row 1 back-sight, row 2 instrument point, then the observed points
    Perpendicular, // 垂線長: rows 1 and 2 the base line, then the points dropped onto it
};

// Label of grid row `row` (1-based) in column 0: "1", "2", ... in the open type; "後視", "基点" (radial)
// or "基1 ", "基2 " (perpendicular) for rows 1 and 2 and then 1, 2, ... for the points that follow.
std::string GridRowLabel(GridMode mode, int row);

// Headings of row 0, columns 0 to 4.
std::vector<std::string> GridHeadings(GridMode mode);

// Columns 2 to 4 of one grid row: distance, direction (or 基1-) and included angle (or -基2).
struct GridRowCells {
    std::string distance;
    std::string direction;
    std::string angle;
};

struct PointGridResult {
    std::vector<GridRowCells> rows; // rows[i] is grid row i + 1
    AreaLines area;                 // " 面積" / " 坪数" (bare while there is no polygon)
    CalcOverlay overlay;
};

// Points of the grid names as found in the index (coordinates rounded to 0.001); an empty optional for
// a name the index does not know.
std::vector<std::optional<PlanePoint>> ResolveGridNames(const std::vector<std::string>& names,
                                                        const XyzNameIndex& index);

// Recompute of the grid from its points (rows 1 .. n).  Cells that have no value stay empty: a leg
// whose two points coincide shows its distance 0.000 but no direction, and no included angle is shown
// at either end of it; a name that is not found leaves its row and the legs touching it empty and
// suppresses the area.  Fewer than two points compute nothing.
PointGridResult ComputePointGrid(GridMode mode, const std::vector<std::optional<PlanePoint>>& points);

// The whole grid as text: the heading row, then a labelled row per name with its result cells.
std::vector<GridRowText> PointGridText(GridMode mode, const std::vector<std::string>& names,
                                       const PointGridResult& result);

} // namespace vemo
