#pragma once

#include "core/edit/NewPointNames.h"
#include "core/network/AdjustNetwork.h"
#include "core/network/Network.h"

namespace vemo {

class Store;

// Writes the adjusted new points into the coordinate list as one undo step (named `stepName`): X and Y
// to the millimetre, Z "0.000", the remark "Net:".  The names follow the new-point rule
// (NewPointNames.h), checked before anything is written; names the list holds as points go to
// `askReplace`.  A point the list holds at exactly the adjusted X and Y is left alone.  Known points
// are never written.  Returns the number written; a refusal throws vemo::Error with nothing written.
int RegisterNetworkPoints(Store& store, const Network& network, const NetworkAdjustment& adjustment,
                          const AskReplacePoints& askReplace = {}, std::string_view stepName = {});

} // namespace vemo
