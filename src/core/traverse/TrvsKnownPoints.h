#pragma once

#include "core/store/XyzNameIndex.h"

#include <optional>
#include <string>
#include <string_view>

namespace vemo {

class XyzList;

// The coordinate list as the traverse sees it: names found through the name index (FindPointXY, X and
// Y rounded to the millimetre) and heights read from the list's Z cell of the found row.  Without a
// list nothing is found.
class TrvsKnownPoints {
public:
    TrvsKnownPoints() = default;
    TrvsKnownPoints(const XyzList& list, const XyzNameIndex& index) : list_(&list), index_(&index) {}

    std::optional<PointXY> Find(std::string_view name) const;
    // The Z cell of a list row as it stands (not trimmed).
    std::string ZCell(int row) const;
    // The extents of the indexed points, when there is a list.
    std::optional<XyzExtents> Extents() const;

private:
    const XyzList* list_ = nullptr;
    const XyzNameIndex* index_ = nullptr;
};

} // namespace vemo
