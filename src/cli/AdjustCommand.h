#pragma once

namespace vemo::cli {

// vemo-cli adjust [options] NETWORK.gkf: adjusts a plane control network by least squares and prints
// the summary, the adjusted points and the residuals.  argv[0] is "adjust".  Returns the exit status.
int RunAdjust(int argc, char** argv);

} // namespace vemo::cli
