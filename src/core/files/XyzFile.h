#pragma once

#include "core/store/XyzList.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// The native coordinate file (".Xyz", also "Auto.Xyz" and the link file "Xyz.txt"): CP932 text, one
// fixed-width line per point, "%-16s%20s%20s%20s%-20s%-20s" (name, X, Y, Z, 点種, 備考), CR LF.

// Field widths in bytes, in line order.
constexpr size_t kXyzNameWidth = 16;
constexpr size_t kXyzNumberWidth = 20;
constexpr size_t kXyzTextWidth = 20;

// Reading one line: fields by byte position (a field past the end of the line is empty), names and
// texts trimmed, numbers re-formatted with three decimals (an empty Z is 0).  Throws vemo::FieldError
// for a number field that is not a number, an empty X or Y (a line cut short) and a name with a
// control byte or a cut character.
XyzRow ParseXyzLine(std::string_view line);

// Every line of a file's bytes but blank ones.  More lines than `maxRows` throws vemo::Error before
// anything is parsed.
std::vector<XyzRow> ParseXyzText(std::string_view bytes, size_t maxRows = kMaxPointRows);

// The bytes of a file holding every point row whose X and Y cells are non-empty, in list order.  A cell
// that would not read back (wider than its field, or holding a line break) throws vemo::Error naming
// the row, so a save never writes a file that opens differently; 備考 is the last field and is written
// whole.
std::string FormatXyzText(const XyzList& list);
std::string FormatXyzText(const std::vector<XyzRow>& rows);
std::string FormatXyzLine(const XyzRow& row, int listRow);

enum class XyzReadMode { Replace, Append };

// ReadXyzFile: false (the list unchanged) when the file does not exist or cannot be read.  A file
// without any line leaves the list as it was.  Replace: the file's rows become the list.  Append: a last
// list row lacking its name, X or Y is dropped first, then the rows are added.  A malformed file or
// one that would take the list past kMaxPointRows throws vemo::Error and changes nothing.
bool ReadXyzFile(const std::filesystem::path& path, XyzList& list, XyzReadMode mode = XyzReadMode::Replace);

// Puts already parsed rows into the list by the same rules.
void LoadXyzRows(XyzList& list, std::vector<XyzRow> rows, XyzReadMode mode);

// WriteXyzFile: replaces the file safely (see WriteFileAtomic), keeping the old one as ".Bak" when
// `backup` is set.  Returns false, writing nothing, only for an empty path; throws vemo::Error on
// failure with the old file intact.
bool WriteXyzFile(const std::filesystem::path& path, const XyzList& list, bool backup = false);

} // namespace vemo
