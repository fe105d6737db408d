#include "core/traverse/TrvsKnownPoints.h"

#include "core/store/Store.h"

namespace vemo {

std::optional<PointXY> TrvsKnownPoints::Find(std::string_view name) const {
    if (store_ == nullptr) {
        return std::nullopt;
    }
    return store_->FindPointXY(name);
}

std::string TrvsKnownPoints::ZCell(int row) const {
    if (store_ == nullptr || row < 1 || row >= store_->xyz.RowCount()) {
        return std::string();
    }
    return store_->xyz.Cell(row, kColZ);
}

std::optional<XyzExtents> TrvsKnownPoints::Extents() const {
    if (store_ == nullptr) {
        return std::nullopt;
    }
    return store_->Index().Extents();
}

} // namespace vemo
