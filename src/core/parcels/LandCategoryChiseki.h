#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vemo {

// 地積 as the land register records it for a land category (地目): square metres truncated below
// 0.01 m² for 宅地 and 鉱泉地; for every other category truncated below 1 m² once the area exceeds
// 10 m² (10.00 m² itself keeps its hundredths).  `hundredths` is the area already truncated to
// 0.01 m² (ParcelAreaFigures::chisekiHundredths); the result is in hundredths too.  An empty category
// (not stated) keeps the hundredths: nothing is dropped from a figure whose category is unknown.
std::int64_t CategoryChisekiHundredths(std::int64_t hundredths, std::string_view categoryCp932);

// Whether the category keeps hundredths whatever the area (宅地, 鉱泉地, or not stated).
bool KeepsHundredths(std::string_view categoryCp932);

// The figure as written on the register: "123.45" for a category that keeps hundredths and for
// areas up to 10 m², "123" for the others.
std::string FormatCategoryChiseki(std::int64_t hundredths, std::string_view categoryCp932);

} // namespace vemo
