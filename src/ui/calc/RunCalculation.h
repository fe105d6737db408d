#pragma once

#include "core/calc/Calculation.h"

namespace vemo {

// Runs a calculation for a command of its page (計算, 計算実行, 分割): the arguments are checked and
// completed first, and values that do not go together become the window's message (入力の組み合わせが
// 正しくありません) as a vemo::Error, like every other refusal the command shows.
CalcOutcome RunCalculation(const CalcDefinition& definition, CalcArguments& arguments, const Store& store);

} // namespace vemo
