#include "core/text/MessagesDivisionSum.h"

#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

namespace vemo::msg {

std::string DivisionPartsDiffer(double offMillimetres) {
    return Sprintf(
        Jp("分割点を mm 単位に丸めたため分割線が元の境界から最大 %.2f mm ずれ、両側の合計は元地と一致しません").c_str(),
        offMillimetres);
}

std::string DivisionRegistersBoth() {
    return Jp("分割点と、求積側・残地側の両方を画地として登録します。元の画地はそのまま残ります");
}

std::string DivisionRegistersSecuredOnly() {
    return Jp("分割点と求積側だけを画地として登録します。残地側は登録されず、元の画地はそのまま残ります");
}

std::string DivisionRegistersRemainderOnly() {
    return Jp("分割点と残地側だけを画地として登録します。求積側は登録されず、元の画地はそのまま残ります");
}

std::string DivisionRegistersPointsOnly() {
    return Jp("分割点だけを登録します。画地は登録されず、元の画地はそのまま残ります");
}

} // namespace vemo::msg
