#pragma once

#include "core/store/XyzList.h"

#include <string>
#include <vector>

namespace vemo::test {

// A point row with a name and coordinates; Z, 点種 and 備考 empty.
inline XyzRow Point(const std::string& name, const std::string& x = "1.000", const std::string& y = "2.000") {
    return {"", name, x, y, "", "", ""};
}

// Points <prefix>1 .. <prefix><count>.
inline std::vector<XyzRow> Points(int count, const std::string& prefix = "P") {
    std::vector<XyzRow> rows;
    for (int i = 1; i <= count; ++i) {
        rows.push_back(Point(prefix + std::to_string(i)));
    }
    return rows;
}

// The names of the point rows in list order.
inline std::vector<std::string> Names(const XyzList& list) {
    std::vector<std::string> names;
    for (int row = 1; row < list.RowCount(); ++row) {
        names.push_back(list.Cell(row, kColName));
    }
    return names;
}

} // namespace vemo::test
