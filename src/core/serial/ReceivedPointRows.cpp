#include "core/serial/ReceivedPointRows.h"

#include "core/edit/NewPointNames.h"
#include "core/edit/PointName.h"
#include "core/store/RegistrationRows.h"
#include "core/store/XyzList.h"
#include "core/text/NameBytes.h"

namespace vemo {

ReceivedPointRows::ReceivedPointRows(XyzList& list)
    : list_(list), next_(LastCoordinateRow(list) + 1), names_(std::make_unique<NewPointNames>(list)) {}

ReceivedPointRows::~ReceivedPointRows() = default;

void ReceivedPointRows::Add(const ReceivedPoint& point) {
    NewPointPlace place;
    try {
        RequireUsableName(point.name, "点名");
        place = names_->Claim(point.name);
    } catch (const Error& refusal) {
        // A name held before the transfer is the list's; anything else noise can have made.
        const bool heldBefore = !received_.contains(point.name) && names_->HeldByPoint(point.name) &&
                                point.name.size() <= kPointNameBytes && FindNameFault(point.name) == NameFault::None;
        throw RefusedPointName(refusal.what(), !heldBefore);
    }
    received_.insert(point.name);
    if (place.kind == NewPointPlace::FillNameRow) {
        XyzRow row = list_.Row(place.row);
        row[kColX] = point.x;
        row[kColY] = point.y;
        row[kColZ] = point.z;
        list_.SetRow(place.row, row);
        ++count_;
        return;
    }
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
