#pragma once

#include "core/parcels/ParcelRing.h"

#include <string>
#include <string_view>
#include <vector>

namespace vemo {

class BlockList;
class XyzList;
class XyzNameIndex;

// A point as the exchange formats write it: its number (list row or selection row), name, X (north),
// Y (east) and Z in metres.
struct ExportPoint {
    int number = 0;
    std::string name;
    double x = 0;
    double y = 0;
    double z = 0;
};

// Points of the coordinate list: every row with both X and Y (a point at the origin too), numbered by
// list row; a row whose X or Y is empty holds no position and is left out.  A coordinate cell that is
// not a number throws the conversion message.
std::vector<ExportPoint> PointsFromList(const XyzList& list);

// Points of the selection list: `names` in selection order, numbered 1, 2, ... by position; names the
// index does not hold (rows without X and Y) are left out (their numbers are not reused).  X and Y
// come rounded to 0.001 from the index, Z is 0.
std::vector<ExportPoint> PointsFromSelection(const std::vector<std::string>& names, const XyzNameIndex& index);

struct ExportVertex {
    int number = 0; // the list row of the point; 0 when the index does not know the name
    std::string name;
};
struct ExportParcel {
    std::string name;
    std::vector<ExportVertex> vertices;
};
std::vector<ExportParcel> ParcelsForExport(const BlockList& blocks, const XyzNameIndex& index);

} // namespace vemo
