// The traverse file reader and the computations behind it: any bytes are read or refused with
// vemo::Error, and whatever is read is computed (raw and, for closed and connected traverses, adjusted)
// and listed without any other exception, crash or hang; every coordinate computed is finite (a number
// the reader let through must not come out as "inf").  The first byte picks the options, so that
// zenith and elevation angles and both distribution rules are reached: run-all.sh puts an option byte
// in front of each seed file, so that the seeds keep their type line.
#include "core/store/Store.h"
#include "core/text/Error.h"
#include "core/traverse/AdjustTraverse.h"
#include "core/traverse/ComputeRawTraverse.h"
#include "core/traverse/TrvsFile.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsListing.h"
#include "core/traverse/TrvsState.h"
#include "core/traverse/TrvsTable.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

void RequireFinite(const vemo::TrvsPoints& points, const std::vector<int>& slots) {
    for (int slot : slots) {
        if (!std::isfinite(points.x[slot]) || !std::isfinite(points.y[slot]) || !std::isfinite(points.z[slot])) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    vemo::TrvsOptions options;
    options.Ver0 = data[0] & 1;
    options.ErrDiv = (data[0] >> 1) & 1;
    options.HowDirAgl = (data[0] >> 2) & 1;
    std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    vemo::TrvsHeader header;
    vemo::TrvsTable table;
    try {
        vemo::DecodeTrvFile(input, options, "26/12/09", header, table);
    } catch (const vemo::Error&) {
        return 0;
    }
    static vemo::Store store; // no known points: every station comes from the file
    const vemo::TrvsKnownPoints known(store);
    auto state = std::make_unique<vemo::TrvsState>();
    const vemo::TrvsInput in{header, table, options, known};
    std::vector<std::string> listing;
    try {
        vemo::AppendInputListing(listing, header, table);
        vemo::ComputeRawTraverse(*state, in, &listing);
        if (header.TrvsType == vemo::kTrvsClosed || header.TrvsType == vemo::kTrvsConnected) {
            if (auto precision = vemo::AdjustTraverse(*state, in, &listing)) {
                vemo::PrecisionDialogLines(header.TrvsType, *precision);
            }
        }
    } catch (const vemo::Error&) {
    }
    RequireFinite(state->TrvsRawPoints, state->rawSlots);
    RequireFinite(state->TrvsAdjPoints, state->adjSlots);
    // What was read must be written back readable.
    vemo::TrvsHeader again;
    vemo::TrvsTable againTable;
    vemo::DecodeTrvFile(vemo::EncodeTrvFile(header, table), options, "26/12/09", again, againTable);
    return 0;
}
