#pragma once

namespace vemo::cli {

// vemo-cli traverse [options] FILE.Trv: computes a traverse file and prints its listing.  argv[0] is
// "traverse".  Returns the process exit status.
int RunTraverse(int argc, char** argv);

} // namespace vemo::cli
