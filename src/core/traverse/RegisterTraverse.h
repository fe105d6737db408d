#pragma once

#include "core/edit/NewPointNames.h"
#include "core/traverse/TrvsPrecision.h"

#include <optional>
#include <string>
#include <vector>

namespace vemo {

class XyzList;
struct TrvsInput;
struct TrvsState;

// A point the register command (計算登録) would write, its coordinates as they are to stand in the list.
struct TrvsRegisteredPoint {
    std::string name;
    std::string x;
    std::string y;
    std::string z;
};

// What a registration would write, worked out before anything is written, so that the window can
// warn about an implausible misclosure or ask about names already in the list first.
struct TrvsRegistration {
    std::vector<TrvsRegisteredPoint> points;
    // The precision figures of a closed or connected traverse.
    std::optional<TrvsPrecision> precision;
};

// Computes the traverse once more.  Open and radial traverses give the unadjusted points (slot 0 and
// every row this run computed whose name is not empty, on an axis or not), closed and connected ones
// the adjusted points (start point, stations, radial rows).  The start point and the end point of a
// connected traverse are left out when the coordinate list holds their names: they are the known
// points the traverse hangs on, not results.  Z is "0.000" without Z calculation.
//
// Returns nothing when the unadjusted computation yields no point.  Errors of the computation
// (vemo::Error) propagate; nothing has been written then.
std::optional<TrvsRegistration> PlanTraverseRegistration(TrvsState& state, const TrvsInput& input);

// Writes the points with the remark "Trvs:" into the trailing rows that hold nothing (empty name, point
// type and remark, X, Y and Z empty or "0.000"); beyond the last row, rows are appended.  A point the
// list already holds at exactly the computed X and Y is left alone.  The names follow the new-point
// rule (NewPointNames.h), checked before any point is written: a row holding only the name is filled;
// names the list holds as points are handed to `askReplace`, and the registration replaces their
// coordinates when it answers true and is refused (vemo::Error) otherwise.  Returns the number
// written.  The caller then rebuilds the name index (RebuildNameIndex) and redraws.
int WriteTraverseRegistration(const std::vector<TrvsRegisteredPoint>& points, XyzList& list,
                              const AskReplacePoints& askReplace = {});

// The names WriteTraverseRegistration would write, in its order (a point already in the list at its
// computed X and Y is left out).
std::vector<std::string> WrittenTraversePoints(const std::vector<TrvsRegisteredPoint>& points, const XyzList& list);

// Plan and write in one step.
std::optional<int> RegisterTraverse(TrvsState& state, const TrvsInput& input, XyzList& list,
                                    const AskReplacePoints& askReplace = {});

} // namespace vemo
