#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

struct ParcelAreaFigures;

// The 地目 the land register knows (不動産登記規則 99条), CP932, in the order the rule lists them.
const std::vector<std::string>& LandCategories();
// Whether `categoryCp932` is one of them exactly: 「宅地 」 with a blank or 「宅池」 is not.
bool IsLandCategory(std::string_view categoryCp932);

// 地積 as the land register records it for a land category (不動産登記規則 100条): square metres
// truncated below 0.01 m² for 宅地 and 鉱泉地 and for any land of 10 m² or less; truncated below 1 m²
// for other land whose area exceeds 10 m².  Whether the area exceeds 10 m² is judged on the area itself,
// not on its truncated figure: 10.0025 m² of 山林 exceeds 10 m² and is registered as 10.  The result is
// in hundredths.  An empty category (not stated) keeps the hundredths: nothing is dropped from a figure
// whose category is unknown.
std::int64_t CategoryChisekiHundredths(const ParcelAreaFigures& figures, std::string_view categoryCp932);

// Whether the category keeps hundredths whatever the area (宅地, 鉱泉地, or not stated).
bool KeepsHundredths(std::string_view categoryCp932);

// The figure as written on the register: "123.45" where hundredths are kept, "123" otherwise.
std::string FormatCategoryChiseki(const ParcelAreaFigures& figures, std::string_view categoryCp932);

} // namespace vemo
