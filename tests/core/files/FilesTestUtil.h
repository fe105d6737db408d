#pragma once

#include "core/store/XyzList.h"

#include <string>
#include <vector>

namespace vemo::test {

inline XyzRow PointRow(std::string name, std::string x, std::string y, std::string z = "", std::string tensyu = "",
                       std::string biko = "") {
    return XyzRow{"", std::move(name), std::move(x), std::move(y), std::move(z), std::move(tensyu), std::move(biko)};
}

inline XyzList ListOf(std::vector<XyzRow> rows) {
    XyzList list;
    list.ReplaceAll(std::move(rows));
    return list;
}

} // namespace vemo::test
