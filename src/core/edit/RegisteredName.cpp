#include "core/edit/RegisteredName.h"

#include "core/edit/PointName.h"
#include "core/store/RegistrationRows.h"
#include "core/store/XyzList.h"

#include <algorithm>

namespace vemo {

std::string NameAfterLastCoordinateRow(const XyzList& list) {
    const int row = std::max(LastCoordinateRow(list), 1);
    return NextPointName(list.Cell(row, kColName), true);
}

} // namespace vemo
