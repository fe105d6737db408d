#pragma once

namespace vemo {

// Which of the optional columns Z, 点種 and 備考 take input.  A switched-off column is skipped by the
// cursor; 点名, X and Y always take input and the number column never does.
struct ColumnSwitches {
    bool z = false;
    bool tensyu = false;
    bool biko = false;

    bool IsOn(int col) const;
};

// Column of the last cell a point row needs: Y, or the highest switched-on optional column.
int LastEntryColumn(const ColumnSwitches& switches);

// A cursor position in list rows (1 = first point row) and list columns.
struct GridCell {
    int row = 1;
    int col = 1;
    bool operator==(const GridCell&) const = default;
};

// Where the cursor lands when it is sent to `target`: a switched-off column moves on to the next column
// and past 備考 to 点名 of the next row.  On the last row there is no next row; the cursor then goes to
// `fallback` rather than stopping on a switched-off cell.
GridCell SkipSwitchedOff(GridCell target, const ColumnSwitches& switches, int lastRow, GridCell fallback);

// The cell after `from` in Tab order: the next column, from the last column to 点名 of the next row,
// skipping switched-off columns.  On the last row, past its last switched-on column, the cursor stays.
GridCell NextTabCell(GridCell from, const ColumnSwitches& switches, int lastRow);

} // namespace vemo
