#pragma once

namespace vemo::cli {

// vemo-cli areas [options] COORDS.Xyz PARCELS.Blk: the area list (or with --report the area report) of
// every parcel.  argv[0] is "areas".  Returns the process exit status.
int RunAreas(int argc, char** argv);

// vemo-cli print-list COORDS.Xyz --pdf OUT.pdf: the printed coordinate list.
int RunPrintList(int argc, char** argv);

} // namespace vemo::cli
