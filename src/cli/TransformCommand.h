#pragma once

namespace vemo::cli {

// vemo-cli transform COORDS.Xyz --pairs OLD:NEW,... [--helmert] NAME...: fits the transformation,
// prints its report and the transformed points.  argv[0] is "transform".  Returns the exit status.
int RunTransform(int argc, char** argv);

} // namespace vemo::cli
