#include "core/network/RegisterNetwork.h"

#include "core/store/RegistrationRows.h"
#include "core/store/Store.h"
#include "core/text/Bytes.h"
#include "core/text/Numbers.h"

namespace vemo {

int RegisterNetworkPoints(Store& store, const Network& network, const NetworkAdjustment& adjustment,
                          const AskReplacePoints& askReplace, std::string_view stepName) {
    const NewPointNames names(store.xyz);
    std::vector<NewPoint> fresh;
    for (const AdjustedNetworkPoint& p : adjustment.points) {
        const NetworkPoint& point = network.points[static_cast<size_t>(p.point)];
        if (point.role != NetworkPointRole::Adjusted) {
            continue;
        }
        const std::string x = Format3(p.x), y = Format3(p.y);
        const std::vector<int>& rows = names.RowsOf(point.name);
        if (rows.size() == 1 && TrimView(store.xyz.Cell(rows[0], kColX)) == x &&
            TrimView(store.xyz.Cell(rows[0], kColY)) == y) {
            continue; // there already
        }
        fresh.push_back({point.name, x, y, Format3(0.0), "Net:"});
    }
    store.history.BeginStep(stepName);
    try {
        RegisterNewPoints(store.xyz, fresh, RegistrationAnchorRow(store.xyz) + 1, askReplace);
    } catch (...) {
        store.history.AbandonStep();
        throw;
    }
    store.history.EndStep();
    return static_cast<int>(fresh.size());
}

} // namespace vemo
