#include "core/serial/ReceivedPointRows.h"

#include "core/store/XyzList.h"

namespace vemo {

namespace {

bool HoldsCoordinate(const std::string& cell) {
    return !cell.empty() && cell != "0.000";
}

int RowAfterLastCoordinate(const XyzList& list) {
    int row = list.RowCount() - 1;
    while (row > 0 && !HoldsCoordinate(list.Cell(row, kColX)) && !HoldsCoordinate(list.Cell(row, kColY))) {
        --row;
    }
    return row + 1;
}

} // namespace

ReceivedPointRows::ReceivedPointRows(XyzList& list) : list_(list), next_(RowAfterLastCoordinate(list)) {}

void ReceivedPointRows::Add(const ReceivedPoint& point) {
    while (next_ < list_.RowCount() && !list_.Cell(next_, kColName).empty()) {
        ++next_;
    }
    if (next_ >= list_.RowCount()) {
        list_.AppendRows({XyzRow{}});
        next_ = list_.RowCount() - 1;
    }
    XyzRow row = list_.Row(next_);
    row[kColName] = point.name;
    row[kColX] = point.x;
    row[kColY] = point.y;
    row[kColZ] = point.z;
    list_.SetRow(next_, row);
    ++next_;
    ++count_;
}

} // namespace vemo
