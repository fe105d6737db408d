#pragma once

namespace vemo::cli {

// vemo-cli zub FIELDBOOK.ZUB [--trv OUT.Trv [--xyz COORDS.Xyz]]: lists the records of a field book
// and optionally writes the traverse table its transfer makes.  argv[0] is "zub".  Returns the process
// exit status.
int RunZub(int argc, char** argv);

} // namespace vemo::cli
