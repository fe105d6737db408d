#include "core/store/RegistrationRows.h"

#include "core/store/XyzList.h"
#include "core/text/Bytes.h"

namespace vemo {

namespace {

bool HoldsCoordinate(const std::string& cell) {
    std::string_view text = TrimView(cell);
    return !text.empty() && text != "0.000";
}

// A trailing row can take a registered point only when it holds nothing a surveyor typed: a named
// point at the local origin (X = Y = 0.000) is a real point and must survive.
bool ReusableRow(const XyzList& list, int row) {
    return TrimView(list.Cell(row, kColName)).empty() && !HoldsCoordinate(list.Cell(row, kColX)) &&
           !HoldsCoordinate(list.Cell(row, kColY)) && !HoldsCoordinate(list.Cell(row, kColZ)) &&
           TrimView(list.Cell(row, kColTensyu)).empty() && TrimView(list.Cell(row, kColBiko)).empty();
}

} // namespace

int RegistrationAnchorRow(const XyzList& list) {
    int row = list.RowCount() - 1;
    while (row > 0 && ReusableRow(list, row)) {
        --row;
    }
    return row;
}

int LastCoordinateRow(const XyzList& list) {
    int row = list.RowCount() - 1;
    while (row > 0 && !HoldsCoordinate(list.Cell(row, kColX)) && !HoldsCoordinate(list.Cell(row, kColY))) {
        --row;
    }
    return row;
}

void RegistrationRows::Write(const std::string& name, const std::string& x, const std::string& y, const std::string& z,
                             const std::string& remark) {
    XyzRow cells = row_ < list_.RowCount() ? list_.Row(row_) : XyzRow{};
    cells[kColName] = name;
    cells[kColX] = x;
    cells[kColY] = y;
    cells[kColZ] = z;
    cells[kColBiko] = remark;
    if (row_ < list_.RowCount()) {
        list_.SetRow(row_, cells);
    } else {
        list_.AppendRows({cells});
    }
    ++row_;
}

} // namespace vemo
