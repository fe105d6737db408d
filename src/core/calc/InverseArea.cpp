#include "core/calc/InverseArea.h"

#include "core/parcels/ParcelArea.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

namespace vemo {

AreaLines InverseAreaLines(const std::vector<PlanePoint>& ring) {
    if (ring.size() < 3) {
        return {Jp(" 面積"), Jp(" 坪数")};
    }
    const ParcelAreaFigures figures = MillimetreRingFigures(ring);
    // hundredths × 0.3025 × 0.01 坪 is hundredths × 3025 units of 10^-6 坪; shown to 10^-4, half up.
    const long long tsuboUnits = (figures.chisekiHundredths * 3025 + 50) / 100;
    return {
        Sprintf("%s%15.7f %s", Jp(" 面積").c_str(), figures.area, Jp("㎡").c_str()),
        Sprintf("%s%7lld.%04lld    %s", Jp(" 坪数").c_str(), tsuboUnits / 10000, tsuboUnits % 10000, Jp("坪").c_str())};
}

} // namespace vemo
