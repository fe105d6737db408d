#pragma once

#include "core/geometry/Angles.h"

#include <cstdint>

namespace vemo {

// The precision figures of a closed or connected traverse (精度計算).  Every misclosure has one sign:
// what the observations give minus what is known, so a positive figure is corrected by taking off.
// They are kept unrounded; the listing and the precision box round them only to print them.
struct TrvsPrecision {
    Dms angleSum;                     // 測角合計, carried but not reduced modulo 360
    std::int64_t angleMisclosure = 0; // 測角誤差, whole seconds, measured minus expected
    double totalDistance = 0;         // 距離合計 L (m)
    double fx = 0;                    // 緯距誤差 (m), ΣΔX of the legs minus the known ΔX
    double fy = 0;                    // 経距誤差 (m), ΣΔY of the legs minus the known ΔY
    double heightMisclosure = 0;      // 高低誤差 t (m), 0 without Z calculation
    double closure = 0;               // 閉合差 f = √(fx² + fy²) (m), to the micrometre
    std::int64_t ratio = 999999;      // 閉合比 1 / N, N = L / f; 999999 for a traverse that closes exactly
    int stations = 0;                 // station rows n over which the angle misclosure was spread
};

} // namespace vemo
