#pragma once

#include "core/edit/NewPointNames.h"

#include <optional>
#include <string>

namespace vemo {

class XyzList;
struct TrvsInput;
struct TrvsState;

// The register command (計算登録): computes the traverse once more and appends its points to the
// coordinate list, remark "Trvs:".  Open and radial traverses register the unadjusted points (slot 0
// and every row this run computed whose name is not empty, on an axis or not), closed and connected
// ones the adjusted points (start point, stations, radial rows).
//
// Points go into the trailing rows that hold nothing (empty name, point type and remark, X, Y and Z
// empty or "0.000"); beyond the last row, rows are appended.  The names follow the new-point rule
// (NewPointNames.h), checked before any point is written: a row holding only the name is filled; names
// the list holds as points are handed to `askReplace`, and the registration replaces their coordinates
// when it answers true and is refused (vemo::Error) otherwise.
//
// Returns nothing (and changes nothing) when the unadjusted computation yields no point; otherwise the
// number registered, which may be 0.  The caller then rebuilds the name index (RebuildNameIndex) and
// redraws.  Errors of the computation (vemo::Error) register nothing.
std::optional<int> RegisterTraverse(TrvsState& state, const TrvsInput& input, XyzList& list,
                                    const AskReplacePoints& askReplace = {});

// "座標リストに <count> 点 追加登録しました", CP932.
std::string RegistrationMessage(int count);

} // namespace vemo
