#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace vemo {

// The five text cells of a point-grid row (label, name, three result columns), CP932.
using GridRowText = std::array<std::string, 5>;

// The grid as text for the clipboard and Result.Txt: the fixed heading line, then every row from row 1
// to the last row holding a name, "%4s  %-10s%8s%12s%12s".  rows[0] is the heading row of the grid
// and is replaced by the heading line.
std::vector<std::string> GridCopyLines(const std::vector<GridRowText>& rows);

// The same rows for printing: two empty lines, then each row (the heading line first) after an empty
// line, indented by five columns.
std::vector<std::string> GridPrintLines(const std::vector<GridRowText>& rows);

// Result.Txt for other programs: `append` false replaces the file with the copy lines; true adds them
// without the heading line at the end (creating the file when there is none), so that a series of
// computations appended one after the other carries the heading once.  CP932, CR LF.  Throws
// vemo::Error "出力ファイルを開けません" when the file cannot be written.
void WriteResultTxt(const std::filesystem::path& path, const std::vector<std::string>& copyLines, bool append);

// Lines joined with CR LF after each, as the clipboard and the files take them.
std::string JoinCrLf(const std::vector<std::string>& lines);

} // namespace vemo
