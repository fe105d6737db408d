#pragma once

#include <string>
#include <string_view>

namespace vemo::msg {

// The messages of the stake-out (逆打ち計算) and its as-staked check.  CP932; names passed in are CP932.

std::string BacksightAtStation(); // 後視点が器械点と同じ位置にあるため方向が決まりません
std::string TargetAtStation(std::string_view name); // <name> は器械点と同じ位置にあるため測設できません
std::string StakedPointNotATarget(std::string_view name); // <name> は測設点ではありません
std::string StakedPairIncomplete(std::string_view item); // 出来形の組 '<item>' は 測設点:観測点 で指定してください
std::string StakeOutsideTolerance(std::string_view name); // <name> の出来形が許容誤差を超えています
std::string ToleranceNotReadable(std::string_view text); // 許容誤差 '<text>' は a,b (mm) で指定してください

} // namespace vemo::msg
