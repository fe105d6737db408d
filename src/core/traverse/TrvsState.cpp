#include "core/traverse/TrvsState.h"

namespace vemo {

void TrvsState::ShowRaw(const RawTraverse& raw) {
    TrvsPointCount = 0;
    rawSlots.clear();
    problems = raw.problems;
    hasEndMarker = false;
    endPointSlot = 0;
    if (!raw.started) {
        return;
    }
    const TrvsPoint& start = raw.start;
    TrvsRawPoints.Set(0, start.name, start.x, start.y, start.z);
    rawSlots.push_back(0);
    for (const TrvsSight& sight : raw.sights) {
        TrvsRawPoints.Set(sight.row, sight.target, sight.x, sight.y, sight.z);
        rawSlots.push_back(sight.row);
    }
    TrvsPointCount = raw.PointCount();
    TrvsExtents = raw.extents;
    if (raw.startMarker) {
        startMarker = *raw.startMarker;
    }
    if (raw.end) {
        // The end point has no height of its own: the slot keeps the one it had.
        const TrvsPoint& end = raw.end->point;
        TrvsRawPoints.name[end.slot] = end.name;
        TrvsRawPoints.x[end.slot] = end.x;
        TrvsRawPoints.y[end.slot] = end.y;
        endPointSlot = end.slot;
        endMarker = raw.end->marker;
        hasEndMarker = true;
    }
}

void TrvsState::ShowAdjusted(const AdjustedTraverse& adjusted) {
    adjSlots.clear();
    problems = adjusted.problems;
    for (const TrvsPoint& point : adjusted.Points()) {
        TrvsAdjPoints.Set(point.slot, point.name, point.x, point.y, point.z);
        adjSlots.push_back(point.slot);
    }
}

void TrvsState::NewTraverse() {
    for (TrvsPoints* points : {&TrvsRawPoints, &TrvsAdjPoints}) {
        points->name[0].clear();
        points->name[1].clear();
    }
}

std::vector<int> TrvsState::PlottedSlots() const {
    std::vector<int> slots = rawSlots;
    if (endPointSlot > 0) {
        slots.push_back(endPointSlot);
    }
    return slots;
}

} // namespace vemo
