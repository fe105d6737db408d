#pragma once

#include "core/store/Store.h"

#include <cstdio>
#include <string>
#include <vector>

namespace vemo::test {

struct TestPoint {
    std::string name;
    double x; // north
    double y; // east
};

// Puts the points into the store's coordinate list (three decimals, as loaded from a file) and
// rebuilds the name index, as opening a coordinate file does.
inline void LoadPoints(Store& store, const std::vector<TestPoint>& points) {
    std::vector<XyzRow> rows;
    for (const TestPoint& p : points) {
        char x[32];
        char y[32];
        std::snprintf(x, sizeof x, "%.3f", p.x);
        std::snprintf(y, sizeof y, "%.3f", p.y);
        rows.push_back(XyzRow{"", p.name, x, y, "", "", ""});
    }
    store.xyz.ReplaceAll(std::move(rows));
}

} // namespace vemo::test
