#include "core/traverse/TrvsKnownPoints.h"

#include "core/store/XyzList.h"

namespace vemo {

std::optional<PointXY> TrvsKnownPoints::Find(std::string_view name) const {
    if (index_ == nullptr) {
        return std::nullopt;
    }
    return index_->Find(name);
}

std::string TrvsKnownPoints::ZCell(int row) const {
    if (list_ == nullptr || row < 1 || row >= list_->RowCount()) {
        return std::string();
    }
    return list_->Cell(row, kColZ);
}

std::optional<XyzExtents> TrvsKnownPoints::Extents() const {
    if (index_ == nullptr) {
        return std::nullopt;
    }
    return index_->Extents();
}

} // namespace vemo
