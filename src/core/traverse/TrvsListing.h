#pragma once

#include "core/geometry/Angles.h"

#include <string>
#include <vector>

namespace vemo {

struct TrvsHeader;
struct TrvsPrecision;
class TrvsTable;

// The fixed-column listings of the traverse, one CP932 line per element, without line ends.  Column
// widths count bytes, so a double-byte character takes two columns as on the fixed-pitch panel.
// Numbers that print as zero never carry a minus sign.

// Raw listing (open and radial traverses): title, empty line, column header, rule.
void AppendRawListingHead(std::vector<std::string>& out, int trvsType);
// The start point line and one line per computed row.
std::string ListingStartLine(const std::string& name, double x, double y, double z);
struct ListingRow {
    int row = 0;
    std::string tm, instrument, backsight, target;
    double horizontalPacked = 0; // the horizontal angle as entered (D.MMSS)
    double hd = 0;
    double orientationPacked = 0; // orientation of the setup (D.MMSS)
    double x = 0, y = 0, z = 0;
};
std::string ListingRowLine(const ListingRow& row);

// Adjusted listing (closed and connected traverses): title, the precision figures, empty line, the
// station header and its rule.
void AppendAdjustedListingHead(std::vector<std::string>& out, int trvsType, bool compassRule, bool zCalc,
                               const TrvsPrecision& precision);
// A station: the adjusted angle measured there, the adjusted latitude and departure of the leg to the
// next station, the station's coordinates.
std::string ListingStationLine(const std::string& name, Dms angle, double dX, double dY, double x, double y, double z);
// Before the radial rows of the adjusted listing: empty line, column header, rule.
void AppendRadialListingHead(std::vector<std::string>& out);

// The input listing ("入力データ印刷"), from the header and table as they stand.  Lines are appended as
// they are made, so a cell that does not parse leaves the lines before it.
void AppendInputListing(std::vector<std::string>& out, const TrvsHeader& header, const TrvsTable& table);

// The precision dialog: caption first, then its eight lines.
std::vector<std::string> PrecisionDialogLines(int trvsType, const TrvsPrecision& precision);

} // namespace vemo
