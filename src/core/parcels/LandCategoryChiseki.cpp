#include "core/parcels/LandCategoryChiseki.h"

#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

namespace vemo {

namespace {

constexpr std::int64_t kTenSquareMetres = 1000; // in hundredths

bool WholeMetres(std::int64_t hundredths, std::string_view category) {
    return !KeepsHundredths(category) && hundredths > kTenSquareMetres;
}

} // namespace

bool KeepsHundredths(std::string_view category) {
    static const std::string kResidential = Jp("宅地");
    static const std::string kMineralSpring = Jp("鉱泉地");
    return category.empty() || category == kResidential || category == kMineralSpring;
}

std::int64_t CategoryChisekiHundredths(std::int64_t hundredths, std::string_view category) {
    return WholeMetres(hundredths, category) ? hundredths / 100 * 100 : hundredths;
}

std::string FormatCategoryChiseki(std::int64_t hundredths, std::string_view category) {
    std::int64_t value = CategoryChisekiHundredths(hundredths, category);
    if (WholeMetres(hundredths, category)) {
        return Sprintf("%lld", static_cast<long long>(value / 100));
    }
    return Sprintf("%lld.%02lld", static_cast<long long>(value / 100), static_cast<long long>(value % 100));
}

} // namespace vemo
