#pragma once

#include "core/zub/ZubRecord.h"

#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// The ZUB observation file: one record line per row, CP932, CR LF.  It starts with the start record (A)
// and should end with the end record (Z).  The file is a field book the surveyor may have corrected by
// hand, so a wrong check character, blanks inside fields, records of letters this program does not
// know and an overlong book are shown, not refused: the editor marks them and the transfer says what it
// takes.

// The most direct (正) observations the transfer takes: each becomes one row of the traverse table.
constexpr int kZubMaxDirectObservations = 1997;

// A field book as read: the rows of 13 cells and what the editor marks.
struct ZubBook {
    std::vector<ZubRow> rows;
    std::vector<std::string> lines; // each row's line as it stands in the file (no line end)
    std::vector<bool> checkWrong;   // per row: the stored check character does not match the line
    bool endRecord = false;         // the last record is the end record (Z)
    int directObservations = 0;
};

// Reads a file's bytes.  Every line is split at its commas (blanks stay in their fields, a field
// holding a single blank becomes empty); the check character stands in cell k-1 of its record kind, or
// for a letter this program does not know in the cell after the last field (kept even when blank, so
// that the record writes back with all its fields).  A line that cannot be framed (no check character
// and comma after a last comma), whose first field is not a record letter, which has more fields than
// its kind or than the 13 cells hold, which holds a control byte before its check character (a NUL
// in a target name would split it), or a first record other than the start record throws vemo::Error
// naming the line; nothing is returned then.  Empty lines at the end are ignored.  Loading a file
// saved as UTF-8 is refused (RefuseUtf8Text).
ZubBook ReadZubBook(std::string_view bytes);
std::vector<ZubRow> ParseZubText(std::string_view bytes);

// A line received from an instrument for a field book: its check character is right, it can be framed
// (no control byte before its check character, which may itself be one), it opens with a record
// letter, and a record of a known letter has exactly the fields of its kind (a separator damaged on
// the line shifts them).  Records of other letters are taken as they are.
bool IsReceivableZubLine(std::string_view line);

// The record line of a row (no line end): the k-1 fields of its kind, each followed by a comma, and a
// freshly computed check character, so that an edited row is still a valid record when read again.  A
// row of another letter writes the cells before its last non-empty one (its old check character).  A
// row with a line end in a cell, or whose check character would be CR or LF (double-byte text can make
// the sum come out so), cannot stand on one line: writing it throws vemo::Error (FormatZubText names
// the row), and nothing is written.  Rows with no text at all are no records and are left out.
std::string FormatZubLine(const ZubRow& row);
// The cell that holds a row's check character by the rule above (for another letter, the last
// non-empty cell; 0 when the row has no text after its letter).
int ZubCheckCell(const ZubRow& row);
std::string FormatZubText(const std::vector<ZubRow>& rows);

// Files.  Loading throws vemo::Error when the file is missing or unreadable or as ReadZubBook.
// Saving writes beside the target and renames over it; with `backup` on, an existing file first
// becomes the ".ZBk" of the same name (an older ".ZBk" goes).
ZubBook LoadZubBook(const std::string& path);
std::vector<ZubRow> LoadZubFile(const std::string& path);
void SaveZubFile(const std::string& path, const std::vector<ZubRow>& rows, bool backup);
std::string ZubBackupPath(const std::string& path);

// "Temp.ZUB" (the last observations received) and "Auto.ZUB" (the forced auto-save) in the program folder.
std::string TempZubPath(const std::string& exeDir);
std::string AutoZubPath(const std::string& exeDir);

// Writes received record lines (already checked) as they came, CR LF each, replacing the file.
void WriteReceivedZub(const std::string& path, const std::vector<std::string>& lines);

} // namespace vemo
