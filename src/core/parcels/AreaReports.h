#pragma once

#include "core/parcels/ParcelRing.h"
#include "core/print/ReportLine.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vemo {

class BlockList;
class XyzNameIndex;
struct ParcelAreaFigures;

// The reports built from the registered parcels.  `positions` are the parcels covered, in the order
// given (see CoveredParcelPositions); the text is CP932, one string per line.

// The 地目 of a parcel by its name, empty when not stated.  Given to the area list or report, every
// parcel with a stated 地目 gets one more line under its 地積: the 地積 as registered for that land
// category ("地積（山林）        250 ㎡", see CategoryChisekiHundredths).  Not given (the default), the
// lines are as they have always been.
using ParcelCategoryOf = std::function<std::string(const std::string& parcelName)>;

// 画地面積一覧: per parcel its name, 面積, 地積 and 坪数 and an empty line; then "合計" and the totals.  A
// parcel naming points the coordinate list lacks gets a line naming them below its name.
std::vector<std::string> AreaListLines(const BlockList& blocks, const std::vector<int>& positions,
                                       const XyzNameIndex& index, const ParcelCategoryOf& categoryOf = {});

// 座標面積計算書: the title, then per parcel a table of its ring (each point with the trapezoid term it
// adds and the side leading to it, the closing row last) and its figures; the totals at the end.
std::vector<ReportLine> AreaReportLines(const BlockList& blocks, const std::vector<int>& positions,
                                        const XyzNameIndex& index, const ParcelCategoryOf& categoryOf = {});

// One parcel's block of the 座標面積計算書, for every report that shows a ring's area computation: its
// name, the column header between rules, one row per ring step with the closing row last, the
// figures (倍面積, 面積, 地積, 坪数, and the 地積 by land category when given), the missing points when
// there are any, a rule and an empty line.  The name and the header are the block's head and the empty
// line its end (ReportLine::Role), so a sheet the table runs onto repeats them.
std::vector<ReportLine> ParcelAreaBlock(const std::string& name, const std::vector<RingPoint>& ring,
                                        const ParcelAreaFigures& figures,
                                        const std::optional<std::string>& categoryLine = std::nullopt);

// One row of the ring table: the point, the difference of X and the sum of Y with the point before it,
// their product (its term of the trapezoid sum) and the side from the point before.  On the millimetre
// grid the difference, sum and product are taken in whole millimetres, so the products add up to the
// printed 倍面積 to the last digit.  A point the coordinate list lacks shows a mark instead of the
// coordinates it borrowed.  Every column keeps at least one space before it, however wide its figure.
std::string AreaTableRow(const RingPoint& point, const RingPoint& previous);

// 画地一覧: every parcel's name and its stored vertex list exactly as held, a list too long for a line
// continued on the next lines (broken after a comma).
std::vector<ReportLine> ParcelListPrintLines(const BlockList& blocks);

} // namespace vemo
