#pragma once

#include "core/traverse/TrvsOptions.h"

#include <array>
#include <string>
#include <vector>

namespace vemo {

// One row of the traverse table: all ten cells, also those of the hidden height columns.
using TrvsRow = std::array<std::string, kTrvsCellCount>;

// The traverse table (TrvsTable): row 0 holds the column headers, rows 1 .. RowCount()-1 one
// observation each; every cell is text (CP932).  There is always at least one observation row, and at
// most kTrvsMaxRows; an operation that would go beyond throws vemo::Error and changes nothing.
class TrvsTable {
public:
    TrvsTable();

    int RowCount() const { return static_cast<int>(rows_.size()); }
    int ObservationRows() const { return RowCount() - 1; }
    // 8 columns while Z calculation is off, 10 while it is on.
    int ColCount() const { return zCalc_ ? kTrvsCellCount : kTrvsColumnsWithoutZ; }
    bool ZCalc() const { return zCalc_; }
    void SetZCalc(bool on);

    const std::string& Cell(int row, int col) const { return rows_.at(row).at(col); }
    const TrvsRow& Row(int row) const { return rows_.at(row); }
    void SetCell(int row, int col, std::string text);

    // A new traverse: one row "1", "K", the hidden heights "0.000".
    void Reset();
    // The rows of a loaded file (row 1 first).  An empty list leaves one empty row "1" with `legLetter`.
    void SetRows(std::vector<TrvsRow> rows, const std::string& legLetter);
    // A row after the last: number, TM, target; the other cells empty.
    void AppendRow(const std::string& legLetter, const std::string& target);

    // GridInsertRow: a new empty row at `row` (its TM the leg letter), later rows move down and the
    // numbers stay 1 .. n.  Inserted before row 1, the new first row takes over the heights of the old
    // one, so that row 1 keeps both heights.
    void InsertRow(int row, const std::string& legLetter);
    // GridDeleteRow: later rows move up; the last row is only emptied; the only row is emptied and
    // gets "1" and the leg letter back.  Row 1 always keeps both heights: a row moving up into it
    // takes the deleted row's heights where its own cells were empty (those it inherited).
    void DeleteRow(int row, const std::string& legLetter);

    // Type change: closed and connected turn every "O" into "T", open every "T" into "O", radial every
    // row into "K"; row 1 always becomes the leg letter.
    void ApplyType(int trvsType);
    // TM toggle: "K" or empty becomes the leg letter of the type, anything else "K".
    void ToggleTm(int row, int trvsType);

    // The instrument or target height (column 8 or 9) in force on `row`: the cell itself, or the last
    // row above that has one; "0.000" when none has.
    std::string InheritedHeight(int row, int col) const;

private:
    void Renumber(int fromRow);
    void CheckRoom(size_t rows) const;
    static TrvsRow HeaderRow();

    std::vector<TrvsRow> rows_;
    bool zCalc_ = false;
};

// The heights carried down the table during a computation: row 1 sets both (an empty cell stops with
// the conversion message), later rows replace each one only when their cell is not empty.
struct TrvsHeights {
    double ih = 0; // instrument height (器械高)
    double th = 0; // target height (視準高)
    void Take(const TrvsTable& table, int row);
};

} // namespace vemo
