#include "core/traverse/TrvsState.h"

namespace vemo {

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
