#include "core/parcels/ParcelArea.h"

#include <algorithm>
#include <cmath>

namespace vemo {

namespace {

bool FitsExact(const std::vector<RingPoint>& ring) {
    return std::all_of(ring.begin(), ring.end(), [](const RingPoint& p) {
        return std::fabs(p.x) <= kExactCoordinateLimit && std::fabs(p.y) <= kExactCoordinateLimit;
    });
}

// Twice the signed area in mm², exact.
__int128 ExactDoubleArea(const std::vector<RingPoint>& ring) {
    __int128 sum = 0;
    size_t k = ring.size() - 1;
    for (size_t n = 0; n <= k; ++n) {
        const RingPoint& cur = ring[n];
        const RingPoint& prev = ring[n == 0 ? k : n - 1];
        sum += (Millimetres(cur.x) - Millimetres(prev.x)) * (Millimetres(cur.y) + Millimetres(prev.y));
    }
    return sum;
}

long double ExtendedDoubleArea(const std::vector<RingPoint>& ring) {
    long double sum = 0;
    size_t k = ring.size() - 1;
    for (size_t n = 0; n <= k; ++n) {
        const RingPoint& cur = ring[n];
        const RingPoint& prev = ring[n == 0 ? k : n - 1];
        sum += (static_cast<long double>(cur.x) - prev.x) * (static_cast<long double>(cur.y) + prev.y);
    }
    return sum;
}

} // namespace

__int128 Millimetres(double metres) {
    return static_cast<__int128>(std::llround(metres * 1000.0));
}

std::string ScaledDecimal(__int128 scaled, int decimals) {
    bool negative = scaled < 0;
    unsigned __int128 magnitude = negative ? -static_cast<unsigned __int128>(scaled) : scaled;
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    if (digits.size() <= static_cast<size_t>(decimals)) {
        digits.insert(0, static_cast<size_t>(decimals) + 1 - digits.size(), '0');
    }
    if (decimals > 0) {
        digits.insert(digits.size() - static_cast<size_t>(decimals), 1, '.');
    }
    return negative ? "-" + digits : digits;
}

std::int64_t TsuboHundredths(std::int64_t chisekiHundredths) {
    return chisekiHundredths * 3025 / 10000;
}

ParcelAreaFigures FiguresFromArea(double doubleArea, double area, std::int64_t chisekiHundredths) {
    ParcelAreaFigures figures;
    figures.doubleArea = doubleArea;
    figures.area = area;
    figures.chisekiHundredths = chisekiHundredths;
    figures.tsuboHundredths = TsuboHundredths(chisekiHundredths);
    figures.chiseki = static_cast<double>(chisekiHundredths) / 100.0;
    figures.tsubo = static_cast<double>(figures.tsuboHundredths) / 100.0;
    return figures;
}

ParcelAreaFigures RingAreaFigures(const std::vector<RingPoint>& ring) {
    if (ring.empty()) {
        return {};
    }
    if (FitsExact(ring)) {
        __int128 twice = ExactDoubleArea(ring); // mm²
        __int128 magnitude = twice < 0 ? -twice : twice;
        // A in hundredths of m²: |S| / 2 mm² / 10,000 mm² per m² × 100.
        auto hundredths = static_cast<std::int64_t>(magnitude / 20000);
        long double s = static_cast<long double>(twice) / 1e6L;
        ParcelAreaFigures figures =
            FiguresFromArea(static_cast<double>(s), static_cast<double>(std::fabs(s) * 0.5L), hundredths);
        figures.exact = true;
        figures.doubleAreaMm2 = twice;
        return figures;
    }
    long double s = ExtendedDoubleArea(ring);
    long double a = std::fabs(s) * 0.5L;
    return FiguresFromArea(static_cast<double>(s), static_cast<double>(a),
                           static_cast<std::int64_t>(std::floor(a * 100.0L)));
}

ParcelAreaFigures MillimetreRingFigures(const std::vector<PlanePoint>& ring) {
    std::vector<RingPoint> points;
    points.reserve(ring.size());
    for (const PlanePoint& p : ring) {
        points.push_back({{}, p.x, p.y, true});
    }
    return RingAreaFigures(points);
}

ParcelAreaFigures ParcelFigures(std::string_view noList, const XyzNameIndex& index) {
    return RingAreaFigures(ParcelRingPoints(noList, index));
}

void AreaTotals::Add(const ParcelAreaFigures& figures) {
    area += figures.area;
    exact = exact && figures.exact;
    doubleAreasMm2 += figures.doubleAreaMm2 < 0 ? -figures.doubleAreaMm2 : figures.doubleAreaMm2;
    chisekiHundredths += figures.chisekiHundredths;
    tsuboHundredths += figures.tsuboHundredths;
}

std::vector<int> CoveredParcelPositions(int parcelCount, const std::vector<int>& selectedPositions) {
    if (selectedPositions.size() > 1) {
        std::vector<int> covered;
        for (int p : selectedPositions) {
            if (p >= 0 && p < parcelCount) {
                covered.push_back(p);
            }
        }
        std::sort(covered.begin(), covered.end());
        covered.erase(std::unique(covered.begin(), covered.end()), covered.end());
        return covered;
    }
    std::vector<int> all(parcelCount);
    for (int p = 0; p < parcelCount; ++p) {
        all[p] = p;
    }
    return all;
}

} // namespace vemo
