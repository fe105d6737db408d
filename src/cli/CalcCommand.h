#pragma once

#include <string_view>

namespace vemo::cli {

// vemo-cli calc: every calculation of the registry (core/calc/Calculation.h), its options made from
// the definition's inputs.  argv[0] is "calc".
int RunCalc(int argc, char** argv);

// The same for one calculation under a command name of its own ("inverse", "divide", "transform"):
// argv[0] is that name, the options are the calculation's.
int RunCalculationCommand(std::string_view id, int argc, char** argv);

} // namespace vemo::cli
