#pragma once

#include "core/calc/PointGrid.h"

class QTableWidget;

namespace vemo {

// Columns 2 to 4 of a point grid (distance, direction, included angle) from a recompute; rows the
// result does not reach are emptied.  The cells are not editable.
void ShowGridResultCells(QTableWidget& grid, const PointGridResult& result);

} // namespace vemo
