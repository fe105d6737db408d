#include "core/traverse/RegisterTraverse.h"

#include "core/store/XyzList.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"
#include "core/traverse/AdjustTraverse.h"
#include "core/traverse/ComputeRawTraverse.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsState.h"
#include "core/traverse/TrvsTable.h"

#include <cmath>

namespace vemo {

namespace {

bool HoldsCoordinate(const std::string& cell) {
    std::string_view text = TrimView(cell);
    return !text.empty() && text != "0.000";
}

class Registrar {
public:
    Registrar(XyzList& list, bool zCalc) : list_(list), zCalc_(zCalc), row_(RegistrationAnchorRow(list) + 1) {}

    void Add(const TrvsPoints& points, int slot) {
        // A row that is there keeps its number and point type; one beyond the last is appended.
        XyzRow cells = row_ < list_.RowCount() ? list_.Row(row_) : XyzRow{};
        cells[kColName] = points.name[slot];
        cells[kColX] = FormatPattern(points.x[slot], "0.000");
        cells[kColY] = FormatPattern(points.y[slot], "0.000");
        cells[kColZ] = zCalc_ ? FormatPattern(points.z[slot], "0.000") : "0.000";
        cells[kColBiko] = "Trvs:";
        if (row_ < list_.RowCount()) {
            list_.SetRow(row_, cells);
        } else {
            list_.AppendRows({cells});
        }
        ++row_;
        ++count_;
    }
    int Count() const { return count_; }

private:
    XyzList& list_;
    bool zCalc_;
    int row_;
    int count_ = 0;
};

} // namespace

int RegistrationAnchorRow(const XyzList& list) {
    int row = list.RowCount() - 1;
    while (row > 0 && !HoldsCoordinate(list.Cell(row, kColX)) && !HoldsCoordinate(list.Cell(row, kColY))) {
        --row;
    }
    return row;
}

std::optional<int> RegisterTraverse(TrvsState& state, const TrvsInput& input, XyzList& list) {
    ComputeRawTraverse(state, input);
    if (state.TrvsPointCount == 0) {
        return std::nullopt;
    }
    Registrar registrar(list, input.table.ZCalc());
    const int type = input.header.TrvsType;
    if (type == kTrvsOpen || type == kTrvsRadial) {
        const TrvsPoints& points = state.TrvsRawPoints;
        for (int slot : state.rawSlots) {
            // A point on or beside an axis is taken for one that was never computed.
            if (!points.name[slot].empty() && std::fabs(points.x[slot] * points.y[slot]) >= 0.001) {
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
