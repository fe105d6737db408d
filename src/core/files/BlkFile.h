#pragma once

#include "core/store/BlockList.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

class XyzNameIndex;

// The native parcel file (".Blk", also "Auto.Blk"): one CP932 line per parcel, name, vertex-editor row
// count and vertex list joined by commas ("A,5,1,2,3,1"), CR LF.

// A parcel name holding a blank, comma or double quote is quoted as a CommaList item, so it reads back
// whole; every other name is written unchanged.
std::string FormatBlkText(const std::vector<Block>& blocks);

// Lines of blanks only are skipped; a line with a name but no row count, a row count that is not an
// integer of 0 or more, more vertices than a parcel holds, or a name with a control byte or a cut
// character throws vemo::Error naming the line.  More than `maxBlocks` parcels throws as well.
std::vector<Block> ParseBlkText(std::string_view bytes, size_t maxBlocks = kMaxBlocks);

// Reads a parcel file: false when it cannot be opened ("入力ファイルを開けません" is the caller's
// message), the parcel list unchanged.  Replaces the parcels or appends after them; a malformed file, a
// file saved as UTF-8 (RefuseUtf8Text) or one that would take the list past kMaxBlocks throws
// vemo::Error and changes nothing.  Label points are left at 0: they need the coordinates
// (ComputeLabelPoints).
bool ReadBlkFile(const std::filesystem::path& path, BlockList& blocks, bool append = false);

// Replaces the file safely, keeping the old one as ".Bak" when `backup` is set; throws vemo::Error
// ("出力ファイルを開けません") with the old file intact on failure.
void WriteBlkFile(const std::filesystem::path& path, const BlockList& blocks, bool backup = false);

// Label point of every parcel as the mean of its vertex-list entries (after loading).
void ComputeLabelPoints(BlockList& blocks, const XyzNameIndex& index);

} // namespace vemo
