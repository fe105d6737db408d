#include "core/division/Division.h"

#include "core/geometry/Rounding.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Numbers.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace vemo {

namespace {

// The smallest target a division accepts (m²).
constexpr double kSmallestTarget = 0.0001;

} // namespace

std::string DivisionImpossibleMessage() {
    return Jp("分割面積が確保できません");
}

DivisionParcel LoadDivisionParcel(const std::vector<std::string>& gridNames, const XyzNameIndex& index) {
    DivisionParcel parcel;
    for (const std::string& name : gridNames) {
        if (name.empty()) {
            continue;
        }
        if (!parcel.names.empty() && name == parcel.names.front()) {
            break; // the ring closes here
        }
        auto found = index.Find(name);
        if (!found) {
            throw Error(name + Jp(" は見つかりません"));
        }
        parcel.names.push_back(name);
        parcel.points.push_back({found->x, found->y});
    }
    if (parcel.names.size() < 3) {
        throw Error(Jp("分割元地を入力してください"));
    }
    parcel.area = MillimetreRingArea(parcel.points);
    return parcel;
}

void CheckDivisionTarget(const DivisionParcel& parcel, double target) {
    if (!(target >= kSmallestTarget) || target >= parcel.area) {
        throw Error(DivisionImpossibleMessage());
    }
}

// Whole millimetres, taken relative to the first vertex so that the products stay far inside 64 bits
// for any parcel: the sum is exact and the secured side's area is never misjudged by a binary error.
double MillimetreRingArea(const std::vector<PlanePoint>& ring) {
    if (ring.size() < 3) {
        return 0;
    }
    const auto mm = [&](double v, double origin) { return std::llround(v * 1000) - std::llround(origin * 1000); };
    std::int64_t twice = 0;
    const PlanePoint origin = ring.front();
    for (size_t i = 0; i < ring.size(); ++i) {
        const PlanePoint& prev = ring[i == 0 ? ring.size() - 1 : i - 1];
        const PlanePoint& cur = ring[i];
        twice += (mm(prev.x, origin.x) - mm(cur.x, origin.x)) * (mm(prev.y, origin.y) + mm(cur.y, origin.y));
    }
    return static_cast<double>(std::llabs(twice)) / 2e6;
}

std::vector<std::string> DivisionAreaTexts(double area) {
    const double chiseki = RoundDigits(area + 1e-7, 2, RoundMode::Truncate);
    const double tsubo = RoundDigits(RoundDigits(area, 2, RoundMode::Truncate) * 0.3025 + 1e-7, 2, RoundMode::Truncate);
    return {Jp("面積 : ") + Sprintf("%14.7f ", area) + Jp("㎡"), Jp("地積 : ") + Sprintf("%9.2f ", chiseki) + Jp("㎡"),
            Jp("坪数 : ") + Sprintf("%9.2f ", tsubo) + Jp("坪")};
}

} // namespace vemo
