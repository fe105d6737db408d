#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vemo {

struct TrvsHeader;
class TrvsKnownPoints;
class TrvsTable;

// The editing rules of the traverse header and table that need no window: what a field becomes when it
// loses the focus.

// Angle check of a packed D.MMSS text: invalid above 360, with 360 or more whole degrees, or with
// minutes or seconds of 60 or more (12.6000, 12.0060, 360.0000).  The text is first written with four
// decimals, as the field shows it; text that is not a number is invalid.
bool IsValidAngle(std::string_view text);

// Number fields: empty reads as 0; coordinates "%11.3f", heights "%9.3f", angles "%11.4f".  Text that
// does not parse stops with the conversion message.
std::string FormatCoordinateField(std::string_view text);
std::string FormatHeightField(std::string_view text);
// The angle field: the formatted text, and false when the angle check fails (focus back to it).
bool FormatAngleField(std::string& field);

// What became of a name typed into a header field.
enum class TrvsNameEntry {
    Found,    // taken from the coordinate list (or "N", north, for the start backsight)
    NotFound, // not in the coordinate list: the coordinates or the direction stay as typed, and the
              // window says so, since a name whose figures come from somewhere else is easy to miss
    Refused,  // the point's own name as its backsight: beep, focus back (T1No) or to T2Y (T3No)
    Empty,    // no name (end sighting point only)
};

// T0No / T2No: empty becomes "T.1" / "T.END"; a name found in the coordinate list fills the X and Y
// fields ("%11.3f") and the Z field with the list's Z cell right-aligned in nine characters.
TrvsNameEntry EnterStartName(TrvsHeader& header, const TrvsKnownPoints& known);
TrvsNameEntry EnterEndName(TrvsHeader& header, const TrvsKnownPoints& known);

// A start point (or the end point of a connected traverse) named but neither in the coordinate list
// nor given coordinates: the traverse would be computed from 0.000 / 0.000.  A CP932 message naming
// the point, or nothing.  The default names "T.1" and "T.END" of a local origin are not reported.
std::optional<std::string> UnplacedEndPointMessage(const TrvsHeader& header, const TrvsKnownPoints& known);

// T1No: the start point's own name is refused (it becomes "N").  Empty or "N" means north: T1Angle 180
// for an incoming, 0 for an outgoing direction.  A name found in the coordinate list sets T1Angle to
// the direction between it and the start point (T0X, T0Y).
TrvsNameEntry EnterBacksightName(TrvsHeader& header, const TrvsKnownPoints& known);
// T3No: the end point's own name is refused (emptied).  A found name sets T3Angle to the direction
// between it and the end point.  There is no "N" at the end.
TrvsNameEntry EnterEndSightName(TrvsHeader& header, const TrvsKnownPoints& known);

// The target proposed for the next row: NextPointName counting up (T009 -> T010, A99 -> A100, "T" ->
// "T2", "" -> "1").  A digit run beyond a 32-bit integer proposes nothing (an empty name) instead of
// interrupting the entry with a conversion message.
std::string ProposedTargetName(std::string_view previous);

// Columns 2 and 3: a name is acceptable when it is empty, the start point, the target of an earlier
// row or a point of the coordinate list.
bool IsUsableStationName(const TrvsTable& table, int row, std::string_view name, const TrvsHeader& header,
                         const TrvsKnownPoints& known);

// Leaving the last cell of the last row: when its slope distance is filled a row is appended with the
// leg letter and the next target name, and true returned; otherwise the cursor stays in the row.
bool AppendNextRow(TrvsTable& table, int trvsType);

// Leaving the slope distance of `row`: the next row's empty target receives the increment of this
// row's target.
void ProposeNextTarget(TrvsTable& table, int row);

} // namespace vemo
