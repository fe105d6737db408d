#include "core/files/ExportPoints.h"

#include "core/files/Fields.h"
#include "core/store/BlockList.h"
#include "core/store/CommaList.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Bytes.h"

namespace vemo {

std::vector<ExportPoint> PointsFromList(const XyzList& list) {
    std::vector<ExportPoint> points;
    for (int r = 1; r < list.RowCount(); ++r) {
        // Only a row with an empty X or Y holds no position: a local grid often has a point at the
        // origin, and parcels that name it must keep that vertex.
        if (TrimView(list.Cell(r, kColX)).empty() || TrimView(list.Cell(r, kColY)).empty()) {
            continue;
        }
        double x = CellNumber(list.Cell(r, kColX));
        double y = CellNumber(list.Cell(r, kColY));
        points.push_back({r, list.Cell(r, kColName), x, y, CellNumber(list.Cell(r, kColZ))});
    }
    return points;
}

std::vector<ExportPoint> PointsFromSelection(const std::vector<std::string>& names, const XyzNameIndex& index) {
    std::vector<ExportPoint> points;
    for (size_t i = 0; i < names.size(); ++i) {
        auto found = index.Find(names[i]);
        if (!found) {
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
