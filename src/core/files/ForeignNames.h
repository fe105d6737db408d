#pragma once

#include "core/files/Exchange.h"

#include <string>
#include <vector>

namespace vemo {

// SIMA and 日調連 files from other systems may carry point names longer than the 16 bytes of the
// native coordinate file.  Loaded as they are, such a list could never be saved; the surveyor is asked
// to shorten them or to cancel the load.

// Positions (0-based, in file order) of the points whose names do not fit.
std::vector<size_t> PointsWithLongNames(const ForeignData& data);

// Cuts every such name to 16 bytes without splitting a double-byte character, in the points and in the
// parcels' vertex lists alike, so that the parcels still find their points.
void ShortenLongNames(ForeignData& data);

} // namespace vemo
