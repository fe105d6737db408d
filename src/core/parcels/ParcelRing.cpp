#include "core/parcels/ParcelRing.h"

#include "core/store/CommaList.h"
#include "core/store/XyzNameIndex.h"

#include <algorithm>

namespace vemo {

std::vector<std::string> RingNames(std::string_view noList) {
    std::vector<std::string> items = DecodeCommaList(noList);
    std::vector<std::string> ring;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0 && items[i] == items[0]) {
            break;
        }
        if (!items[i].empty()) {
            ring.push_back(items[i]);
        }
    }
    return ring;
}

std::vector<RingPoint> ParcelRingPoints(std::string_view noList, const XyzNameIndex& index) {
    std::vector<RingPoint> ring;
    size_t leadingMissing = 0;
    for (std::string& name : RingNames(noList)) {
        RingPoint point{std::move(name), 0, 0, false};
        if (auto found = index.Find(point.name)) {
            point.x = found->x;
            point.y = found->y;
            point.found = true;
        } else if (!ring.empty()) {
            point.x = ring.back().x;
            point.y = ring.back().y;
        }
        if (!point.found && leadingMissing == ring.size()) {
            ++leadingMissing;
        }
        ring.push_back(std::move(point));
    }
    if (leadingMissing > 0 && leadingMissing < ring.size()) {
        for (size_t i = 0; i < leadingMissing; ++i) {
            ring[i].x = ring[leadingMissing].x;
            ring[i].y = ring[leadingMissing].y;
        }
    }
    return ring;
}

std::vector<std::string> MissingRingNames(const std::vector<RingPoint>& ring) {
    std::vector<std::string> missing;
    for (const RingPoint& point : ring) {
        if (!point.found && std::find(missing.begin(), missing.end(), point.name) == missing.end()) {
            missing.push_back(point.name);
        }
    }
    return missing;
}

} // namespace vemo
