#pragma once

#include "core/traverse/TrvsTable.h"
#include "core/zub/ZubRecord.h"

#include <string>
#include <vector>

namespace vemo {

struct TrvsHeader;
struct TrvsOptions;
class TrvsKnownPoints;

// What a day's field book gives the traverse table ("転記").  Only direct (正) observations become
// rows: the reverse ones check the direct ones in the field and would double every leg here.
struct ZubTraverse {
    std::string date;          // B record, 年月日
    std::string remark;        // B record, 業務名
    std::string startName;     // the first station (D record): the traverse's start point
    std::string backsightName; // the first station's reference direction: the start backsight
    std::vector<TrvsRow> rows;
    std::vector<int> sourceRows; // the ZUB row each table row came from (1 = first record)
    // What was left out or needs a look, one line each (CP932): records that are no observations of
    // this book, observations without a station, fields that are not numbers, rows beyond 1,997.
    std::vector<std::string> notes;
};

// Walks the records in order.  Every setup (a D record and the observations after it) gives rows that
// carry its station in the instrument column and its backsight in the backsight column: the setup's
// first direct observation, its reference direction.  Horizontal angles are written from that
// direction (the reading minus the reference reading, which is usually 0), so that each observation is
// computed from its own station.  The instrument height of a D record belongs to the first direct
// observation after it only: later sights from the same station leave it empty, so that the
// computation carries it down as it carries every height.  Row cells: 2 station, 3 backsight,
// 4 target, 5 horizontal and 6 vertical angle "0.0000", 7 the first slope distance, 8 instrument
// height and 9 target height "0.000".
ZubTraverse CollectZubTraverse(const std::vector<ZubRow>& zubRows);

// The reduction the rules use for a book with both faces: each set to the mean of its direct (正) and
// reverse (反) readings, the station to the mean of its sets, one row per direction of a station (the
// first direction its backsight, at 0°), zenith angles and distances their means.  Instrument and
// target heights as CollectZubTraverse gives them.
ZubTraverse CollectZubMeanTraverse(const std::vector<ZubRow>& zubRows);

// How a book becomes traverse rows: Auto takes the mean of both faces for a book that holds reverse
// observations as well, the direct readings alone otherwise.
enum class ZubReduction { Auto, DirectOnly, FaceMean };

// A new traverse from the field book: header reset (radial, as every new traverse), date, remark, the
// start point and its backsight from the first setup with their coordinates and the start direction
// from the coordinate list; rows numbered, "K", the first row's heights "0.000" when empty.  Returns the
// notes of the walk and the stations and backsights that neither the coordinate list holds nor an
// earlier row computes (CP932, one line each; empty when everything was taken).
// A book holding both faces starts the notes with the reduction used.
std::vector<std::string> TransferZubToTraverse(const std::vector<ZubRow>& zubRows, const TrvsOptions& options,
                                               const TrvsKnownPoints& known, const std::string& today,
                                               TrvsHeader& header, TrvsTable& table,
                                               ZubReduction reduction = ZubReduction::Auto);

} // namespace vemo
