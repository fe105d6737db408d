#include "core/traverse/TrvsState.h"

namespace vemo {

void TrvsState::NewTraverse() {
    for (TrvsPoints* points : {&TrvsRawPoints, &TrvsAdjPoints}) {
        points->name[0].clear();
        points->name[1].clear();
    }
}

} // namespace vemo
