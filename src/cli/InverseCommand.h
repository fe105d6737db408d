#pragma once

namespace vemo::cli {

// vemo-cli inverse COORDS.Xyz NAME NAME... [--radial] [--perpendicular] [--utf8]: the rows of the
// calculation window's point grid in its copy format and the area lines.  argv[0] is "inverse".
int RunInverse(int argc, char** argv);

} // namespace vemo::cli
