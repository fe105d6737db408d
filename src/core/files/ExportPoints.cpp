#include "core/files/ExportPoints.h"

#include "core/files/Fields.h"
#include "core/store/BlockList.h"
#include "core/store/CommaList.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"

#include <cmath>

namespace vemo {

std::vector<ExportPoint> PointsFromList(const XyzList& list) {
    // Below a millimetre both ways the row holds no surveyed position (an unfilled row).
    constexpr double kNoCoordinate = 0.001;
    std::vector<ExportPoint> points;
    for (int r = 1; r < list.RowCount(); ++r) {
        double x = CellNumber(list.Cell(r, kColX));
        double y = CellNumber(list.Cell(r, kColY));
        if (std::fabs(x) < kNoCoordinate && std::fabs(y) < kNoCoordinate) {
            continue;
        }
        points.push_back({r, list.Cell(r, kColName), x, y, CellNumber(list.Cell(r, kColZ))});
    }
    return points;
}

std::vector<ExportPoint> PointsFromSelection(const std::vector<std::string>& names, const XyzNameIndex& index) {
    std::vector<ExportPoint> points;
    for (size_t i = 0; i < names.size(); ++i) {
        auto found = index.Find(names[i]);
        if (!found || (found->x == 0.0 && found->y == 0.0)) {
            continue;
        }
        points.push_back({static_cast<int>(i) + 1, names[i], found->x, found->y, 0.0});
    }
    return points;
}

std::vector<ExportParcel> ParcelsForExport(const BlockList& blocks, const XyzNameIndex& index) {
    std::vector<ExportParcel> parcels;
    for (const Block& block : blocks.All()) {
        ExportParcel parcel{block.BlockName, {}};
        for (std::string& name : RingNames(block.NoList)) {
            auto found = index.Find(name);
            parcel.vertices.push_back({found ? found->row : 0, std::move(name)});
        }
        parcels.push_back(std::move(parcel));
    }
    return parcels;
}

} // namespace vemo
