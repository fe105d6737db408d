#pragma once

#include "core/files/Exchange.h"
#include "core/files/ExportPoints.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// SIMA, the public exchange format of Japanese survey data: comma-separated records named by their
// first field.  Read are A01 (point), D00 (parcel start), B01 (parcel vertex) and D99 (parcel end);
// every other record is skipped.

// Parses a SIMA file's bytes.  Lines are whole however long.  A record with fewer fields than it needs,
// a D00 closure code that is not an integer, or a number field that is not a number throws vemo::Error
// (nothing is returned, so nothing is loaded).  A closed parcel (code 1) gets its first vertex repeated
// at the end and 2 editor rows more than vertices; any other code is taken as open (1 row more).  A
// parcel without D99 ends at the next D00 or at the end of the file.
ForeignData ParseSimaText(std::string_view bytes);
// Throws "<path>を開けません" when the file cannot be read.
ForeignData ReadSimaFile(const std::filesystem::path& path);

struct SimaNames {
    std::string caseName; // G00 header
    std::string xyzName;  // comment before the points
    std::string blkName;  // comment before the parcels
};

// The SIMA text: header, points A00 .. A99 and, when `parcels` is given and not empty, the parcels.
std::string FormatSimaText(const SimaNames& names, const std::vector<ExportPoint>& points,
                           const std::vector<ExportParcel>* parcels = nullptr);

// Writes the file safely; throws vemo::Error ("出力ファイルを開けません") on failure.
void WriteSimaFile(const std::filesystem::path& path, const SimaNames& names, const std::vector<ExportPoint>& points,
                   const std::vector<ExportParcel>* parcels = nullptr);

} // namespace vemo
