#pragma once

#include "core/print/ReportLine.h"

#include <functional>
#include <string>
#include <vector>

namespace vemo {

class BlockList;
class XyzNameIndex;

// The reports built from the registered parcels.  `positions` are the parcels covered, in the order
// given (see CoveredParcelPositions); the text is CP932, one string per line.

// The 地目 of a parcel by its name, empty when not stated.  Given to the area list or report, every
// parcel with a stated 地目 gets one more line under its 地積: the 地積 as registered for that land
// category ("地積（山林）        250 ㎡", see CategoryChisekiHundredths).  Not given (the default), the
// lines are as they have always been.
using ParcelCategoryOf = std::function<std::string(const std::string& parcelName)>;

// 画地面積一覧: per parcel its name, 面積, 地積 and 坪数 and an empty line; then "合計" and the totals.
std::vector<std::string> AreaListLines(const BlockList& blocks, const std::vector<int>& positions,
                                       const XyzNameIndex& index, const ParcelCategoryOf& categoryOf = {});

// 座標面積計算書: the title, then per parcel a table of its ring (each point with the trapezoid term it
// adds and the side leading to it, the closing row last) and its figures; the totals at the end.
std::vector<ReportLine> AreaReportLines(const BlockList& blocks, const std::vector<int>& positions,
                                        const XyzNameIndex& index, const ParcelCategoryOf& categoryOf = {});

// 画地一覧: every parcel's name and its stored vertex list exactly as held.
std::vector<ReportLine> ParcelListPrintLines(const BlockList& blocks);

} // namespace vemo
