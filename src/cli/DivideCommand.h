#pragma once

namespace vemo::cli {

// vemo-cli divide COORDS.Xyz --ring A,B,C,D,A --area T (--parallel BASE1,BASE2,ANGLE,START |
// --from-first): constant-area division, printing the new points and both parts with their areas.
// argv[0] is "divide".  Returns the exit status.
int RunDivide(int argc, char** argv);

} // namespace vemo::cli
