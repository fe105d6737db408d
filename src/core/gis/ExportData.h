#pragma once

#include "core/gis/PlaneZones.h"
#include "core/parcels/ParcelArea.h"

#include <optional>
#include <string>
#include <vector>

namespace vemo {
class XyzList;
class BlockList;
} // namespace vemo

namespace vemo::gis {

// A point as it goes out: texts in UTF-8 (what the GIS formats hold), coordinates in metres.
struct ExportPoint {
    std::string name;
    PlaneXY plane;
    std::optional<double> z; // empty or not a number: no height
    std::string type;        // 点種
    std::string remark;      // 備考
};

struct ExportParcel {
    std::string name;
    std::vector<PlaneXY> ring; // the vertices once, in the parcel's order (not closed)
    PlaneXY label;             // where the name is written: the mean of the ring's corners
    ParcelAreaFigures figures;
};

struct ExportData {
    std::vector<ExportPoint> points;
    std::vector<ExportParcel> parcels;
    int pointsLeftOut = 0;  // a name or coordinates missing, or X and Y both 0.000
    int parcelsLeftOut = 0; // a vertex not in the coordinate list, or fewer than three vertices
};

// What an export writes.  A point without a name or without readable X and Y, or standing at X = Y =
// 0.000 (a row the surveyor has not filled in yet), would put a false point at the zone origin
// hundreds of kilometres away: it is left out and counted.  Empty rows are not counted.  A parcel whose
// ring names a point the export leaves out (or that is not in the list) is left out and counted, so
// no polygon is ever drawn with a borrowed vertex.
ExportData CollectExportData(const XyzList& list, const BlockList& blocks);

} // namespace vemo::gis
