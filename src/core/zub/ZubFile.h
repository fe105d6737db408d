#pragma once

#include "core/zub/ZubRecord.h"

#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// The ZUB observation file: one record line per row, CP932, CR LF.  It must start with the start record
// (A) and end with the end record (Z); every line must carry its correct check character.

// The most direct (正) observations a file may hold: each becomes one row of the traverse table.
constexpr int kZubMaxDirectObservations = 1997;

// Reads a file's bytes into rows of 13 cells.  The fields are decoded as a comma list (a field holding a
// single blank becomes empty) and the check character stands in cell k-1 of its record kind.  A line
// with a NUL byte, a wrong check character, an unknown record letter or more fields than its kind has, a missing
// start or end record, or more than kZubMaxDirectObservations direct observations throws vemo::Error
// naming the line; nothing is returned then.  Empty lines at the end are ignored.
std::vector<ZubRow> ParseZubText(std::string_view bytes);

// One line as ParseZubText reads it (check character, known letter, field count): whether an
// observation line received from an instrument can stand in a file.
bool IsReadableZubLine(std::string_view line);

// The record line of a row (no line end): the k-1 fields of its kind, each followed by a comma, and a
// freshly computed check character, so an edited row is still a valid record when read again.  A row of
// an unknown letter writes all cells up to its last non-empty one as fields.  A row whose check
// character would be CR or LF (double-byte text can make the sum come out so) cannot stand on one line:
// writing it throws vemo::Error (FormatZubText names the row), and nothing is written.
std::string FormatZubLine(const ZubRow& row);
std::string FormatZubText(const std::vector<ZubRow>& rows);

// Files.  Loading throws vemo::Error when the file is missing or unreadable or as ParseZubText.
// Saving writes beside the target and renames over it; with `backup` on, an existing file first
// becomes the ".ZBk" of the same name (an older ".ZBk" goes).
std::vector<ZubRow> LoadZubFile(const std::string& path);
void SaveZubFile(const std::string& path, const std::vector<ZubRow>& rows, bool backup);
std::string ZubBackupPath(const std::string& path);

// "Temp.ZUB" (the last observations received) and "Auto.ZUB" (the forced auto-save) in the program folder.
std::string TempZubPath(const std::string& exeDir);
std::string AutoZubPath(const std::string& exeDir);

// Writes received record lines (already checked) as they came, CR LF each, replacing the file.
void WriteReceivedZub(const std::string& path, const std::vector<std::string>& lines);

} // namespace vemo
