#pragma once

namespace vemo::cli {

// vemo-cli latlon COORDS.Xyz NAME... [--zone N]: latitude and longitude of named points.
int RunLatLon(int argc, char** argv);

// vemo-cli export COORDS.Xyz [PARCELS.Blk] OUT [--zone N]: points and parcels to CAD or GIS formats.
int RunGisExport(int argc, char** argv);

} // namespace vemo::cli
