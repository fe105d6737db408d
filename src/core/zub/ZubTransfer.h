#pragma once

#include "core/traverse/TrvsTable.h"
#include "core/zub/ZubRecord.h"

#include <string>
#include <vector>

namespace vemo {

struct TrvsHeader;
struct TrvsOptions;

// What a day's field book gives the traverse table ("転記").  Only direct (正) observations become
// rows: the reverse ones check the direct ones in the field and would double every leg here.
struct ZubTraverse {
    std::string date;      // B record, 年月日
    std::string remark;    // B record, 業務名
    std::string startName; // the first station (D record): the traverse's start point
    std::vector<TrvsRow> rows;
    std::vector<int> sourceRows; // the ZUB row each table row came from (1 = first record)
};

// Walks the records in order.  The instrument height of a D record belongs to the first direct
// observation after it only: later sights from the same station leave it empty, so that the
// computation carries it down as it carries every height.  Row cells: 4 target, 5 horizontal and
// 6 vertical angle, 7 the first slope distance, 8 instrument height, 9 target height.
ZubTraverse CollectZubTraverse(const std::vector<ZubRow>& zubRows);

// A new traverse from the field book: header reset (radial, as every new traverse), date, remark and
// start name from the walk; rows numbered, "K", angles written "0.0000", lengths and heights "0.000",
// the first row's heights "0.000" when empty.  A field that is not a number throws vemo::Error naming
// its ZUB row; more than 1,997 rows throws; in both cases header and table stay as they were.
void TransferZubToTraverse(const std::vector<ZubRow>& zubRows, const TrvsOptions& options, const std::string& today,
                           TrvsHeader& header, TrvsTable& table);

} // namespace vemo
