#pragma once

#include "core/geometry/Angles.h"

#include <string>
#include <vector>

namespace vemo {

struct AdjustedTraverse;
struct RawTraverse;
struct TrvsHeader;
struct TrvsPrecision;
class TrvsTable;

// The fixed-column listings of the traverse, one CP932 line per element, without line ends.  Column
// widths count bytes, so a double-byte character takes two columns as on the fixed-pitch panel.
// Numbers that print as zero never carry a minus sign.

// Raw listing (open and radial traverses): title, empty line, column header, rule, the start point and
// one line per computed row.  Nothing for a result that was not started.
void AppendRawListing(std::vector<std::string>& out, const RawTraverse& raw);

// Adjusted listing (closed and connected traverses): title, the precision figures, empty line, the
// station header and its rule, one line per station, then the radial rows under their own header.
// Nothing for a result without stations.
void AppendAdjustedListing(std::vector<std::string>& out, const AdjustedTraverse& adjusted);
// A station: the adjusted angle measured there, the adjusted latitude and departure of the leg to the
// next station, the station's coordinates.
std::string ListingStationLine(const std::string& name, Dms angle, double dX, double dY, double x, double y, double z);

// The input listing ("入力データ印刷"), from the header and table as they stand.  Lines are appended as
// they are made, so a cell that does not parse leaves the lines before it.
void AppendInputListing(std::vector<std::string>& out, const TrvsHeader& header, const TrvsTable& table);

// The precision dialog: caption first, then its eight lines.
std::vector<std::string> PrecisionDialogLines(int trvsType, const TrvsPrecision& precision);

} // namespace vemo
