#pragma once

#include "core/store/XyzNameIndex.h"

#include <optional>
#include <string>
#include <string_view>

namespace vemo {

class Store;

// The store as the traverse sees it: names found through the name index (FindPointXY, X and
// Y rounded to the millimetre) and heights read from the list's Z cell of the found row.  Without a
// list nothing is found.
class TrvsKnownPoints {
public:
    TrvsKnownPoints() = default;
    explicit TrvsKnownPoints(const Store& store) : store_(&store) {}

    std::optional<PointXY> Find(std::string_view name) const;
    // The Z cell of a list row as it stands (not trimmed).
    std::string ZCell(int row) const;
    // The extents of the indexed points, when there is a list.
    std::optional<XyzExtents> Extents() const;

private:
    const Store* store_ = nullptr;
};

} // namespace vemo
