#include "core/calc/InverseArea.h"

#include "core/text/Cp932.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace vemo {

namespace {

__int128 Millimetres(double metres) {
    return static_cast<__int128>(std::llround(metres * 1000.0));
}

// A non-negative count of units of 10^-decimals as fixed-point text, right-aligned to `width`.
std::string FixedText(__int128 units, int decimals, int width) {
    __int128 scale = 1;
    for (int i = 0; i < decimals; ++i) {
        scale *= 10;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%lld.%0*lld", static_cast<long long>(units / scale), decimals,
                  static_cast<long long>(units % scale));
    return std::string(static_cast<size_t>(std::max(0, width - static_cast<int>(std::strlen(buffer)))), ' ') + buffer;
}

} // namespace

__int128 TwiceAreaSquareMillimetres(const std::vector<PlanePoint>& ring) {
    if (ring.size() < 3) {
        return 0;
    }
    __int128 sum = 0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const PlanePoint& from = ring[i == 0 ? ring.size() - 1 : i - 1];
        const PlanePoint& to = ring[i];
        sum += (Millimetres(to.x) - Millimetres(from.x)) * (Millimetres(to.y) + Millimetres(from.y));
    }
    return sum;
}

AreaLines InverseAreaLines(const std::vector<PlanePoint>& ring) {
    if (ring.size() < 3) {
        return {Jp(" 面積"), Jp(" 坪数")};
    }
    __int128 twice = TwiceAreaSquareMillimetres(ring);
    if (twice < 0) {
        twice = -twice;
    }
    // |S| / 2 mm² is |S| × 5 units of 10^-7 m²; truncated to 0.01 m² it is |S| / 20000 hundredths.
    const __int128 areaUnits = twice * 5;
    const __int128 hundredths = twice / 20000;
    // hundredths × 0.3025 × 0.01 坪 is hundredths × 3025 units of 10^-6 坪; shown to 10^-4.
    const __int128 tsuboUnits = (hundredths * 3025 + 50) / 100;
    return {Jp(" 面積") + FixedText(areaUnits, 7, 15) + Jp(" ㎡"),
            Jp(" 坪数") + FixedText(tsuboUnits, 4, 12) + Jp("    坪")};
}

} // namespace vemo
