#pragma once

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
// empty or "0.000"); beyond the last row, rows are appended.  Existing points are never changed.
//
// Returns nothing (and changes nothing) when the unadjusted computation yields no point; otherwise the
// number registered, which may be 0.  The caller then rebuilds the name index (RebuildNameIndex) and
// redraws.  Errors of the computation (vemo::Error) leave the rows registered before them.
std::optional<int> RegisterTraverse(TrvsState& state, const TrvsInput& input, XyzList& list);

// "座標リストに <count> 点 追加登録しました", CP932.
std::string RegistrationMessage(int count);

} // namespace vemo
