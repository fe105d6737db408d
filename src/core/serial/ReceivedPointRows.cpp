#include "core/serial/ReceivedPointRows.h"

#include "core/store/RegistrationRows.h"
#include "core/store/XyzList.h"

namespace vemo {

ReceivedPointRows::ReceivedPointRows(XyzList& list) : list_(list), next_(LastCoordinateRow(list) + 1) {}

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
