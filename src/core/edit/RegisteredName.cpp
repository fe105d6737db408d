#include "core/edit/RegisteredName.h"

#include "core/edit/PointName.h"
#include "core/store/RegistrationRows.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"

#include <algorithm>

namespace vemo {

std::string NameAfterLastCoordinateRow(const XyzList& list) {
    const int row = std::max(LastCoordinateRow(list), 1);
    return NextPointName(list.Cell(row, kColName), true);
}

void CheckNewPointName(const XyzNameIndex& index, const std::string& name) {
    if (name.empty()) {
        throw Error(Jp("点名を入力してください"));
    }
    if (index.Find(name)) {
        throw Error(Jp("点名 ") + name + Jp(" は既に登録されています"));
    }
}

} // namespace vemo
