#include "core/parcels/ParcelEdit.h"

#include "core/parcels/ParcelRing.h"
#include "core/store/CommaList.h"
#include "core/store/XyzNameIndex.h"

#include <algorithm>

namespace vemo {

RingCheck CheckEditorRows(const std::vector<std::string>& rows) {
    size_t r = rows.size();
    // An empty row 0 "closes" on every empty entry row: empty rows alone would register as ",,,".
    if (r < 3 || (r == 3 && rows[2].empty()) || rows[0].empty()) {
        return RingCheck::NotFormed;
    }
    if (rows[r - 1] != rows[0] && rows[r - 2] != rows[0]) {
        return RingCheck::NotClosed;
    }
    if (RingNames(EncodeCommaList(rows)).size() < 2) {
        return RingCheck::NotFormed; // A, empty rows, A: one point is no parcel
    }
    return RingCheck::Ok;
}

LabelPoint EditorLabelPoint(const std::vector<std::string>& rows, const XyzNameIndex& index) {
    if (rows.size() < 2) {
        return {};
    }
    size_t count = rows.size() - 1;
    std::vector<std::optional<PointXY>> found(count);
    for (size_t i = 0; i < count; ++i) {
        found[i] = index.Find(rows[i]);
    }
    auto firstKnown = std::find_if(found.begin(), found.end(), [](const auto& p) { return p.has_value(); });
    if (firstKnown == found.end()) {
        return {};
    }
    long double sumX = 0;
    long double sumY = 0;
    PointXY current = **firstKnown;
    for (const auto& point : found) {
        if (point) {
            current = *point;
        }
        sumX += current.x;
        sumY += current.y;
    }
    return {static_cast<double>(sumX / count), static_cast<double>(sumY / count)};
}

Block ParcelFromEditor(std::string name, const std::vector<std::string>& rows, const XyzNameIndex& index) {
    LabelPoint label = EditorLabelPoint(rows, index);
    return Block{std::move(name), EncodeCommaList(rows), static_cast<int>(rows.size()), label.x, label.y};
}

std::vector<std::string> EditorRowsOf(const Block& block) {
    std::vector<std::string> rows = DecodeCommaList(block.NoList);
    // DecodeCommaList drops the item after a trailing comma: the row count brings the entry row back.
    size_t rowCount = static_cast<size_t>(std::clamp(block.NoRowCount, 0, kMaxParcelRows));
    rows.resize(std::max({rows.size(), rowCount, size_t{1}}));
    return rows;
}

} // namespace vemo
