#pragma once

#include "core/geometry/Angles.h"

#include <cstdint>

namespace vemo {

// The precision figures of a closed or connected traverse (精度計算).
struct TrvsPrecision {
    Dms angleSum;                     // 測角合計, carried but not reduced modulo 360
    std::int64_t angleMisclosure = 0; // 測角誤差 ε, whole seconds, expected minus measured
    double totalDistance = 0;         // 距離合計 L (m)
    double fx = 0;                    // 緯距誤差 (m)
    double fy = 0;                    // 経距誤差 (m)
    double heightMisclosure = 0;      // 高低誤差 t (m), 0 without Z calculation
    double closure = 0;               // 閉合差 f (m)
    std::int64_t ratio = 999999;      // 閉合比 1 / N; 999999 for a traverse that closes exactly
    int stations = 0;                 // station rows n over which the angle misclosure was spread
};

} // namespace vemo
