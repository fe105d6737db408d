#include "core/gis/ExportData.h"

#include "core/parcels/ParcelRing.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

#include <unordered_map>

namespace vemo::gis {
namespace {

bool RowIsEmpty(const XyzRow& row) {
    for (int col = kColName; col < kXyzColumnCount; ++col) {
        if (!row[col].empty()) {
            return false;
        }
    }
    return true;
}

std::optional<ExportPoint> ExportablePoint(const XyzRow& row) {
    std::optional<double> x = TryStrToFloat(row[kColX]);
    std::optional<double> y = TryStrToFloat(row[kColY]);
    if (row[kColName].empty() || !x || !y) {
        return std::nullopt;
    }
    ExportPoint point;
    point.plane = {RoundToMillimetre(*x), RoundToMillimetre(*y)};
    if (point.plane.x == 0 && point.plane.y == 0) {
        return std::nullopt;
    }
    point.name = Cp932ToUtf8(row[kColName]);
    point.z = TryStrToFloat(row[kColZ]);
    point.type = Cp932ToUtf8(row[kColTensyu]);
    point.remark = Cp932ToUtf8(row[kColBiko]);
    return point;
}

} // namespace

ExportData CollectExportData(const XyzList& list, const BlockList& blocks) {
    ExportData data;
    // The first point of a name is the one every lookup finds, as in the name index.
    std::unordered_map<std::string, PlaneXY> byName;
    for (int row = 1; row < list.RowCount(); ++row) {
        const XyzRow& cells = list.Row(row);
        if (RowIsEmpty(cells)) {
            continue;
        }
        std::optional<ExportPoint> point = ExportablePoint(cells);
        if (!point) {
            ++data.pointsLeftOut;
            continue;
        }
        byName.try_emplace(cells[kColName], point->plane);
        data.points.push_back(std::move(*point));
    }
    for (const Block& block : blocks.All()) {
        ExportParcel parcel;
        bool complete = true;
        for (const std::string& name : RingNames(block.NoList)) {
            auto found = byName.find(name);
            complete = complete && found != byName.end();
            if (found != byName.end()) {
                parcel.ring.push_back(found->second);
            }
        }
        if (!complete || parcel.ring.size() < 3) {
            ++data.parcelsLeftOut;
            continue;
        }
        std::vector<RingPoint> ring;
        double sumX = 0;
        double sumY = 0;
        for (const PlaneXY& p : parcel.ring) {
            ring.push_back({"", p.x, p.y, true});
            sumX += p.x;
            sumY += p.y;
        }
        parcel.name = Cp932ToUtf8(block.BlockName);
        parcel.figures = RingAreaFigures(ring);
        parcel.label = {sumX / parcel.ring.size(), sumY / parcel.ring.size()};
        data.parcels.push_back(std::move(parcel));
    }
    return data;
}

} // namespace vemo::gis
