#include "core/edit/Shift.h"

#include "core/store/XyzList.h"
#include "core/text/Numbers.h"

#include <cmath>
#include <utility>
#include <vector>

namespace vemo {

double ApplyShift(double shift, double value) {
    if (shift < 0) {
        return shift - value;
    }
    return value > shift ? value - shift : shift + value;
}

bool ShiftValues::IsZero() const {
    constexpr double kMillimetre = 0.001;
    return std::fabs(x) < kMillimetre && std::fabs(y) < kMillimetre && std::fabs(z) < kMillimetre;
}

bool ShiftRows(XyzList& list, int fromRow, const ShiftValues& shift) {
    if (shift.IsZero()) {
        return false;
    }
    // All rows are converted first, so a bad cell halfway down leaves the list untouched.
    std::vector<std::pair<int, XyzRow>> changed;
    for (int row = std::max(fromRow, 1); row < list.RowCount(); ++row) {
        XyzRow cells = list.Row(row);
        auto shiftCell = [&cells](int col, auto apply) {
            if (!cells[col].empty()) {
                cells[col] = Format3(apply(StrToFloat(cells[col])));
            }
        };
        shiftCell(kColX, [&](double v) { return ApplyShift(shift.x, v); });
        shiftCell(kColY, [&](double v) { return ApplyShift(shift.y, v); });
        shiftCell(kColZ, [&](double v) { return v + shift.z; });
        if (cells != list.Row(row)) {
            changed.emplace_back(row, std::move(cells));
        }
    }
    for (const auto& [row, cells] : changed) {
        list.SetRow(row, cells);
    }
    return true;
}

} // namespace vemo
