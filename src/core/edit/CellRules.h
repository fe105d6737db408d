#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vemo {

class XyzList;
struct ShiftValues;

// What happens to a cell that is left with Tab (or Enter acting as Tab).
struct LeaveCheck {
    enum class Outcome {
        Keep,      // the cell stays as it is
        Rewrite,   // the cell becomes `text` (a normalised number)
        Duplicate, // 点名 already used by another row: refused, the cell is emptied
    };
    Outcome outcome = Outcome::Keep;
    std::string text;
};

// The checks made when the cursor leaves a cell with Tab:
//  - 点名: refused when any other row holds the same name, byte by byte (two empty names count as the
//    same name, so an unnamed row cannot be left while another one exists);
//  - X, Y: a non-empty cell is read as a number, passed through ApplyShift when the input assist is on
//    (`shift` not null) and written with three decimals; an empty cell stays empty;
//  - Z: written with three decimals, an empty cell becomes "0.000" (no shift here);
//  - other columns: nothing.
// A number cell that does not parse throws vemo::Error with the conversion message; a name with a
// control byte or a cut double-byte character throws vemo::Error naming it (see NameBytes).
LeaveCheck CheckLeavingCell(const XyzList& list, int row, int col, const ShiftValues* shift);

// True when a row other than `row` holds `name` in its 点名 cell.
bool NameUsedElsewhere(const XyzList& list, int row, std::string_view name);

// Checks the cell and applies the outcome to the list (a refused name is emptied).  Returns false when
// the cursor must stay: the name was refused.
bool ApplyLeavingCell(XyzList& list, int row, int col, const ShiftValues* shift);

// Enter on the last entry column of the last row.  When the row has its name, X and Y, an empty Z
// becomes "0.000" and a row is appended whose 点名 is NextPointName of this row's name; returns true.
// An incomplete row appends nothing and returns false (the cursor then goes back to its 点名).
// When the name cannot be stepped (a digit run beyond 32 bits, or a stepped name longer than the 16
// bytes the file holds) the row is appended with an empty name and the message is thrown afterwards; a full list throws
// before anything changes.
bool FinishLastRow(XyzList& list, bool increment);

} // namespace vemo
