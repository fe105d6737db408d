#pragma once

#include "core/geometry/PlanePoint.h"
#include "core/store/BlockList.h"

#include <string>
#include <string_view>
#include <vector>

namespace vemo {

class XyzList;
class XyzNameIndex;

// Why a name typed into row `row` of the point grid (1-based; names[i] is row i + 1) is refused, as the
// message to show (CP932), or empty when it is accepted: the name of the row above again ("前点と重複"),
// the instrument point again in a radial inverse ("基点と同一点"), a name not in the list.  With the
// grid's name (CP932, e.g. 逆座標) the repeat names the point and the grid: a name clicked in the list
// may land in a grid the surveyor is not looking at.
std::string GridNameRefusal(const std::vector<std::string>& names, int row, std::string_view name, bool radial,
                            const XyzNameIndex& index, std::string_view grid = {});

// Serial entry "+T" after the name P of the row above: the names from the one after P up to T, stepped
// by one with the width of the number kept (A1 .. A5 gives A2, A3, A4, A5), ending before the first
// that is not in the list.  Empty (the cell is emptied) when T equals P, T is not in the list or the
// two differ in the part before the number.
std::vector<std::string> SerialEntryNames(std::string_view previous, std::string_view target,
                                          const XyzNameIndex& index);

// The name proposed for a new point: the one after the name of the last row with coordinates
// (NameAfterLastCoordinateRow).
std::string ProposeNewPointName(const XyzList& list);

// Puts computed points into the list: name, X, Y formatted "0.000", Z "0.000", the remark; the point
// type stays empty.  The names follow the new-point rule (NewPointNames.h): a name the list holds as a
// point is refused, a row holding only that name is filled, and all names are checked before any is
// written.  The others go into the rows after the last row holding anything (or new rows at the end),
// so no point is ever overwritten, not even one at 0.000, 0.000.  Returns their rows.  The caller
// rebuilds the name index.
struct CalcPoint {
    std::string name;
    PlanePoint point;
};
std::vector<int> RegisterCalcPoints(XyzList& list, const std::vector<CalcPoint>& points,
                                    const std::string& remarkCp932);
int RegisterCalcPoint(XyzList& list, const std::string& name, PlanePoint point, const std::string& remarkCp932);

// A parcel of the grid names (rows 1 to the end, the empty input row included, which gives the
// trailing empty item), named "*" and the new parcel count, labelled at the mean of the named points.
Block GridParcel(const std::vector<std::string>& gridNames, const XyzNameIndex& index, int parcelCount);

} // namespace vemo
