#pragma once

#include "core/store/ObserverList.h"
#include "core/store/StoreEditSink.h"

#include <array>
#include <string>
#include <vector>

namespace vemo {

// Columns of the coordinate list.  X is north and always comes before Y (east).
enum XyzColumn : int {
    kColNo = 0,     // "№": the row's own index, kept up to date by every operation
    kColName = 1,   // "点名" PointName
    kColX = 2,      // "X" north, as text
    kColY = 3,      // "Y" east, as text
    kColZ = 4,      // "Z" height, as text
    kColTensyu = 5, // "点種" point type, free text
    kColBiko = 6,   // "備考" remark, free text
};
constexpr int kXyzColumnCount = 7;

// The store holds at most this many point rows (the name index has 100,000 slots: entry 0 unused,
// one for the end marker).
constexpr int kMaxPointRows = 99998;

// One row of text cells, CP932.  Cell 0 (the number) is ignored when rows are put into the list.
using XyzRow = std::array<std::string, kXyzColumnCount>;

// Told about every change of an XyzList, before and after, so a table model can follow it.
// Row numbers are list rows (1 = first point row).  Inserting or removing rows also renumbers column 0
// of the rows that follow; that is reported as CellsChanged(column 0) after RowsInserted/RowsRemoved.
// Removing every point row is reported as the removal of rows 2 .. end followed by CellsChanged of
// row 1, which is emptied: the list never passes through a state without a point row.
class XyzListObserver {
public:
    virtual ~XyzListObserver() = default;
    virtual void CellsChanged(int /*firstRow*/, int /*lastRow*/, int /*firstCol*/, int /*lastCol*/) {}
    virtual void RowsAboutToBeInserted(int /*first*/, int /*last*/) {}
    virtual void RowsInserted(int /*first*/, int /*last*/) {}
    virtual void RowsAboutToBeRemoved(int /*first*/, int /*last*/) {}
    virtual void RowsRemoved(int /*first*/, int /*last*/) {}
    virtual void AboutToReset() {}
    virtual void Reset() {}
};

// The coordinate list: row 0 is the header ("№", "点名", "X", "Y", "Z", "点種", "備考"), rows
// 1 .. RowCount()-1 are point rows.  There is always at least one point row: a cleared list holds the
// header and one empty row numbered "1".  Numbers are held as text exactly as typed or loaded.
//
// Every change goes through the operations below, which notify the observers.  An operation that
// would take the list past kMaxPointRows throws vemo::Error and changes nothing.
class XyzList {
public:
    XyzList();

    int RowCount() const { return static_cast<int>(rows_.size()); }
    int PointRowCount() const { return RowCount() - 1; }
    // The list holds data (what the discard confirmations test): more than one point row.
    bool HasData() const { return RowCount() > 2; }

    // row 0 .. RowCount()-1, col 0 .. 6.
    const std::string& Cell(int row, int col) const { return rows_[row][col]; }
    const XyzRow& Row(int row) const { return rows_[row]; }
    // Name, X and Y all non-empty: only such rows are indexed, plotted and found by calculations.
    bool IsComplete(int row) const;

    // Cells 1 .. 6 of a point row.  Column 0 and the header row cannot be set.
    void SetCell(int row, int col, std::string text);
    // Cells 1 .. 6 of a point row at once.
    void SetRow(int row, const XyzRow& cells);
    // Inserts rows before `row` (1 .. RowCount(): RowCount() appends); later rows move down.
    void InsertRows(int row, std::vector<XyzRow> rows);
    void InsertEmptyRows(int row, int count);
    void AppendRows(std::vector<XyzRow> rows) { InsertRows(RowCount(), std::move(rows)); }
    // Removes point rows row .. row+count-1; when no point row would remain, one empty row is left.
    void RemoveRows(int row, int count);
    // Removes the point rows listed (ascending, each once) in one pass, however scattered: the duplicate
    // cleanup.  A few runs of rows are reported as removals, many as one reset.
    void RemoveRowSet(const std::vector<int>& rows);
    // Puts rows in so that cells[i] ends up in row rows[i] (ascending): undoes RemoveRowSet.
    void InsertRowSet(std::vector<int> rows, std::vector<XyzRow> cells);
    // Replaces every point row (loading a file); an empty vector leaves the cleared list.
    void ReplaceAll(std::vector<XyzRow> rows);
    // ClearXyzList: header and one empty row "1".
    void Clear();

    void AddObserver(XyzListObserver* observer);
    void RemoveObserver(XyzListObserver* observer);
    // The undo history's hook: told how to reverse each change (nullptr: nobody listens).
    void SetEditSink(StoreEditSink* sink) { sink_.sink = sink; }

private:
    void Renumber(int fromRow);
    void CheckRoom(size_t extraRows) const;

    std::vector<XyzRow> rows_;
    ObserverList<XyzListObserver> observers_;
    StoreEditSinkLink sink_;
};

} // namespace vemo
