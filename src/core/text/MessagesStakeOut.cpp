#include "core/text/MessagesStakeOut.h"

#include "core/text/Cp932.h"

namespace vemo::msg {

std::string BacksightAtStation() {
    return Jp("後視点が器械点と同じ位置にあるため方向が決まりません");
}

std::string TargetAtStation(std::string_view name) {
    return std::string(name) + Jp(" は器械点と同じ位置にあるため測設できません");
}

std::string StakedPointNotATarget(std::string_view name) {
    return std::string(name) + Jp(" は測設点ではありません");
}

std::string StakedPairIncomplete(std::string_view item) {
    return Jp("出来形の組 '") + std::string(item) + Jp("' は 測設点:観測点 で指定してください");
}

std::string StakeOutsideTolerance(std::string_view name) {
    return std::string(name) + Jp(" の出来形が許容誤差を超えています");
}

std::string ToleranceNotReadable(std::string_view text) {
    return Jp("許容誤差 '") + std::string(text) + Jp("' は a,b (mm) で指定してください");
}

} // namespace vemo::msg
