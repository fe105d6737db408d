#pragma once

#include <string>

namespace vemo::msg {

// Why the two parts of a division do not add up to the parcel: "分割点を mm 単位に丸めたため、分割線が
// 元の境界から最大 <mm> mm ずれ、両側の面積の合計が元地と一致しません".
std::string DivisionPartsDiffer(double offMillimetres);

// What the registration of a division does to the parcel list, for the kept parts.
std::string DivisionRegistersBoth(); // 求積側・残地側の両方を画地として登録します
std::string DivisionRegistersSecuredOnly(); // 求積側だけを…残地側は登録されず、元地もそのまま残ります
std::string DivisionRegistersRemainderOnly();
std::string DivisionRegistersPointsOnly();

} // namespace vemo::msg
