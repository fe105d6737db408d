#pragma once

#include <string>
#include <string_view>

namespace vemo {

struct TrvsHeader;
struct TrvsOptions;
class TrvsTable;

// The traverse file (".Trv"), CP932 text with CR LF line ends:
//   1 the type digit, 2 the date, 3 the remark (taken whole),
//   4 T0No,T0X,T0Y,T0Z   5 T1No,sense,T1Angle   6 T2No,T2X,T2Y,T2Z   7 T3No,sense,T3Angle
//     (sense 0 for an incoming direction, 1 for an outgoing one),
//   8.. one line per table row, its 8 or 10 cells as a comma list.
// "Auto.Trv" has the same layout, heights included (older ones without the Z fields still read).

// The file's bytes.  The fields of lines 4 to 7 are trimmed; a point name with a blank or comma is
// quoted so that it reads back whole.  Line breaks inside the date or remark become blanks, since
// they would shift every later line.
std::string EncodeTrvFile(const TrvsHeader& header, const TrvsTable& table);

// Reads a file's bytes into `header` and `table`, which are first reset to a new traverse (the header
// keeps its heights and end label unless the file gives them).  The rows are taken as stored, TM
// letters included.  Z calculation is switched on when the start height is not 0.000 or a row carries
// its height cells.  A type outside 0-3, a number that does not parse or lies outside what its field
// can hold (angles within one turn, a distance from 0 to 100 km, coordinates within ±10,000 km), a
// control byte anywhere, a name with a cut double-byte character or more than 1,997 rows throw
// vemo::Error naming the line and the field; `header` and `table` are then left as they were.
void DecodeTrvFile(std::string_view bytes, const TrvsOptions& options, const std::string& today, TrvsHeader& header,
                   TrvsTable& table);

// The backup of a saved traverse file: the same name with the extension ".TBk".
std::string TrvBackupPath(const std::string& path);

// Saves to `path` (native file name).  With `backup` on and the file present, the previous file becomes
// the ".TBk" (an older ".TBk" goes).  The new file is written beside the target and renamed over it,
// so the target is never left half written.  Throws vemo::Error when the file cannot be written.
void SaveTrvFile(const std::string& path, const TrvsHeader& header, const TrvsTable& table, bool backup);

// Loads `path` as DecodeTrvFile does; throws vemo::Error when the file is missing or unreadable or was
// saved as UTF-8 (RefuseUtf8Text).
void LoadTrvFile(const std::string& path, const TrvsOptions& options, const std::string& today, TrvsHeader& header,
                 TrvsTable& table);

// Nothing worth keeping: no observation, no header name and no remark (a table as a reset leaves it).
// The auto-save never replaces a file with such a table.
bool IsEmptyTraverse(const TrvsHeader& header, const TrvsTable& table);

// The forced auto-save: "Auto.Trv" in the program folder, no backup.
std::string AutoTrvPath(const std::string& exeDir);
void SaveAutoTrv(const std::string& exeDir, const TrvsHeader& header, const TrvsTable& table);

} // namespace vemo
