#pragma once

namespace vemo::cli {

// vemo-cli convert [options] IN OUT: converts between native coordinate files, SIMA and 日調連.
// argv[0] is "convert".  Returns the process exit status.
int RunConvert(int argc, char** argv);

} // namespace vemo::cli
