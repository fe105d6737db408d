#include "core/traverse/RegisterTraverse.h"

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
    Registrar(XyzList& list, bool zCalc) : rows_(list, RegistrationAnchorRow(list) + 1), zCalc_(zCalc) {}

    void Add(const TrvsPoints& points, int slot) {
        rows_.Write(points.name[slot], FormatPattern(points.x[slot], "0.000"), FormatPattern(points.y[slot], "0.000"),
                    zCalc_ ? FormatPattern(points.z[slot], "0.000") : "0.000", "Trvs:");
        ++count_;
    }
    int Count() const { return count_; }

private:
    RegistrationRows rows_;
    bool zCalc_;
    int count_ = 0;
};

} // namespace

std::optional<int> RegisterTraverse(TrvsState& state, const TrvsInput& input, XyzList& list) {
    ComputeRawTraverse(state, input);
    if (state.TrvsPointCount == 0) {
        return std::nullopt;
    }
    Registrar registrar(list, input.table.ZCalc());
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
    return registrar.Count();
}

std::string RegistrationMessage(int count) {
    return Jp("座標リストに ") + std::to_string(count) + Jp(" 点 追加登録しました");
}

} // namespace vemo
