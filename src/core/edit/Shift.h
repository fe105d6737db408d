#pragma once

namespace vemo {

class XyzList;

// Public (plane rectangular) coordinates of one site share their leading digits, so the surveyor types
// only the last digits and the input assist adds the common part, the shift.
//  - shift < 0: the typed digits extend a negative coordinate: (-12000, 345.678) -> -12345.678
//  - shift >= 0 and value > shift: the full coordinate was typed, the shift is taken off:
//    (12000, 12345.678) -> 345.678
//  - shift >= 0 and value <= shift: (12000, 345.678) -> 12345.678
// With shift 0 every value stays as it is.
double ApplyShift(double shift, double value);

// The three shift values of the input assist (metres).
struct ShiftValues {
    double x = 0;
    double y = 0;
    double z = 0;
    // Shifts below a millimetre count as none: "一括" and "下方向" then do nothing.
    bool IsZero() const;
};

// "一括" (fromRow 1) and "下方向" (fromRow = cursor row): every non-empty X becomes
// ApplyShift(shift.x, X), every non-empty Y ApplyShift(shift.y, Y), every non-empty Z becomes
// Z + shift.z, each written with three decimals, down to the last row.  A cell that is not a number
// stops the command with the conversion message before any row is changed.  Returns false (and changes
// nothing) when the shifts are zero.
bool ShiftRows(XyzList& list, int fromRow, const ShiftValues& shift);

} // namespace vemo
