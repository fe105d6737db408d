#pragma once

#include "core/store/XyzList.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace vemo::test {

// A list from rows of (name, X, Y, Z, 点種, 備考); missing trailing cells are empty.
inline void Fill(XyzList& list, std::initializer_list<std::vector<std::string>> rows) {
    std::vector<XyzRow> cells;
    for (const auto& row : rows) {
        XyzRow r;
        for (size_t i = 0; i < row.size(); ++i) {
            r[i + 1] = row[i];
        }
        cells.push_back(r);
    }
    list.ReplaceAll(std::move(cells));
}

inline std::vector<std::string> Names(const XyzList& list) {
    std::vector<std::string> names;
    for (int row = 1; row < list.RowCount(); ++row) {
        names.push_back(list.Cell(row, kColName));
    }
    return names;
}

} // namespace vemo::test
