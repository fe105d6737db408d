#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vemo {

class BlockList;
class XyzList;
class XyzNameIndex;

// The parcel link file "Vemo_Blk.Txt" that other programs read while this one is in the background:
// per parcel "#<position + 1>_<name>", "ar %15.7f" with its area, one "%-10s %15.6f %15.6f %20s" line
// per vertex (name, X, Y, 点種) and an empty line; CP932, CR LF.
constexpr const char* kParcelLinkFileName = "Vemo_Blk.Txt";

// Which parcels go into the link file by the setting BlkOutType: 0 all parcels while at most one is
// selected, the selected ones otherwise; 1 the selected ones; any other value all parcels.
std::vector<int> LinkParcelPositions(int blkOutType, int parcelCount, const std::vector<int>& selected);

// The text for the parcels at `positions`.  Vertex coordinates come from the index (rounded to 0.001);
// a vertex the index does not know takes the coordinates of the vertex before it, as in the area
// reports, so it adds nothing to the area, and its 点種 is left empty.
std::string FormatParcelLinkText(const BlockList& blocks, const std::vector<int>& positions, const XyzList& list,
                                 const XyzNameIndex& index);

// Writes the file safely; throws vemo::Error ("出力ファイルを開けません") on failure.
void WriteParcelLinkFile(const std::filesystem::path& path, const BlockList& blocks, const std::vector<int>& positions,
                         const XyzList& list, const XyzNameIndex& index);

} // namespace vemo
