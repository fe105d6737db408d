#pragma once

#include "core/files/Exchange.h"
#include "core/files/ExportPoints.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// The 日調連 coordinate list: one point per line, "number,name,X,Y,Z", no header and no parcels.

// Every line is a point: number, name ("*" + number when empty), X, Y and, only on a line of exactly
// five fields, Z.  A line with fewer than four fields, a point number that is not a whole number, an
// empty X or Y, a name that cannot be written back (NameBytes) or a number field that is not a number
// throws vemo::Error naming the line, and nothing is returned.  Blank lines are skipped.
ForeignData ParseNichorenText(std::string_view bytes);
// Throws "<path>を開けません" when the file cannot be read.
ForeignData ReadNichorenFile(const std::filesystem::path& path);

// "%5d,%-15s,%15.6f,%15.6f,%15.6f" per point, CR LF.
std::string FormatNichorenText(const std::vector<ExportPoint>& points);
void WriteNichorenFile(const std::filesystem::path& path, const std::vector<ExportPoint>& points);

} // namespace vemo
