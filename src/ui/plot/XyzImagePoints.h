#pragma once

#include <string>
#include <vector>

namespace vemo {

// The points a plot drew at its last paint (names, X, Y), in drawing order: what a click picks from
// and what 測点ｲﾒｰｼﾞ挿入 takes.  It is the picture's, so each plot keeps its own.
struct XyzImagePoints {
    std::vector<std::string> names;
    std::vector<double> x;
    std::vector<double> y;
    void Clear() {
        names.clear();
        x.clear();
        y.clear();
    }
};

} // namespace vemo
