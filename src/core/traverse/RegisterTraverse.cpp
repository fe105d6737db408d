#include "core/traverse/RegisterTraverse.h"

#include "core/edit/NewPointNames.h"
#include "core/store/RegistrationRows.h"
#include "core/store/XyzList.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"
#include "core/traverse/AdjustTraverse.h"
#include "core/traverse/ComputeRawTraverse.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsState.h"
#include "core/traverse/TrvsTable.h"

namespace vemo {

namespace {

class Registrar {
public:
    explicit Registrar(bool zCalc) : zCalc_(zCalc) {}

    void Add(const TrvsPoints& points, int slot) {
        points_.push_back({points.name[slot], FormatPattern(points.x[slot], "0.000"),
                           FormatPattern(points.y[slot], "0.000"),
                           zCalc_ ? FormatPattern(points.z[slot], "0.000") : "0.000", "Trvs:"});
    }
    // The names are checked together under the new-point rule before any point is written.  A known
    // point computed onto the coordinates it has in the list (the start and end points) is already
    // there and is left alone rather than asked about.
    int Write(XyzList& list, const AskReplacePoints& ask) const {
        const NewPointNames names(list);
        std::vector<NewPoint> fresh;
        for (const NewPoint& p : points_) {
            const std::vector<int>& rows = names.RowsOf(p.name);
            if (rows.size() != 1 || TrimView(list.Cell(rows[0], kColX)) != p.x ||
                TrimView(list.Cell(rows[0], kColY)) != p.y) {
                fresh.push_back(p);
            }
        }
        RegisterNewPoints(list, fresh, RegistrationAnchorRow(list) + 1, ask);
        return static_cast<int>(fresh.size());
    }

private:
    bool zCalc_;
    std::vector<NewPoint> points_;
};

} // namespace

std::optional<int> RegisterTraverse(TrvsState& state, const TrvsInput& input, XyzList& list,
                                    const AskReplacePoints& askReplace) {
    ComputeRawTraverse(state, input);
    if (state.TrvsPointCount == 0) {
        return std::nullopt;
    }
    Registrar registrar(input.table.ZCalc());
    const int type = input.header.TrvsType;
    if (type == kTrvsOpen || type == kTrvsRadial) {
        const TrvsPoints& points = state.TrvsRawPoints;
        // rawSlots holds exactly the slots this run computed, so a point that lies on an axis is
        // registered like any other.
        for (int slot : state.rawSlots) {
            if (!points.name[slot].empty()) {
                registrar.Add(points, slot);
            }
        }
    } else if (AdjustTraverse(state, input)) {
        for (int slot : state.adjSlots) {
            registrar.Add(state.TrvsAdjPoints, slot);
        }
    }
    return registrar.Write(list, askReplace);
}

std::string RegistrationMessage(int count) {
    return Jp("座標リストに ") + std::to_string(count) + Jp(" 点 追加登録しました");
}

} // namespace vemo
