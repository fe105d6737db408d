#include "core/parcels/LandCategoryChiseki.h"

#include "core/parcels/ParcelArea.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

#include <algorithm>

namespace vemo {

namespace {

// 10 m² as a doubled area in square millimetres (the exact sum's unit).
constexpr __int128 kTenSquareMetresDoubledMm2 = 20'000'000;

bool ExceedsTenSquareMetres(const ParcelAreaFigures& figures) {
    if (figures.exact) {
        __int128 magnitude = figures.doubleAreaMm2 < 0 ? -figures.doubleAreaMm2 : figures.doubleAreaMm2;
        return magnitude > kTenSquareMetresDoubledMm2;
    }
    return figures.area > 10.0;
}

bool WholeMetres(const ParcelAreaFigures& figures, std::string_view category) {
    return !KeepsHundredths(category) && ExceedsTenSquareMetres(figures);
}

} // namespace

const std::vector<std::string>& LandCategories() {
    static const std::vector<std::string> kCategories = [] {
        std::vector<std::string> categories;
        for (const char* name : {"田",     "畑",   "宅地", "学校用地", "鉄道用地",   "塩田",     "鉱泉地",   "池沼",
                                 "山林",   "牧場", "原野", "墓地",     "境内地",     "運河用地", "水道用地", "用悪水路",
                                 "ため池", "堤",   "井溝", "保安林",   "公衆用道路", "公園",     "雑種地"}) {
            categories.push_back(Jp(name));
        }
        return categories;
    }();
    return kCategories;
}

bool IsLandCategory(std::string_view category) {
    const std::vector<std::string>& categories = LandCategories();
    return std::find(categories.begin(), categories.end(), category) != categories.end();
}

bool KeepsHundredths(std::string_view category) {
    static const std::string kResidential = Jp("宅地");
    static const std::string kMineralSpring = Jp("鉱泉地");
    return category.empty() || category == kResidential || category == kMineralSpring;
}

std::int64_t CategoryChisekiHundredths(const ParcelAreaFigures& figures, std::string_view category) {
    return WholeMetres(figures, category) ? figures.chisekiHundredths / 100 * 100 : figures.chisekiHundredths;
}

std::string FormatCategoryChiseki(const ParcelAreaFigures& figures, std::string_view category) {
    std::int64_t value = CategoryChisekiHundredths(figures, category);
    if (WholeMetres(figures, category)) {
        return Sprintf("%lld", static_cast<long long>(value / 100));
    }
    return Sprintf("%lld.%02lld", static_cast<long long>(value / 100), static_cast<long long>(value % 100));
}

} // namespace vemo
