#pragma once

#include <QTableWidget>

#include <functional>
#include <string>

namespace vemo {

struct TrvsHeader;
struct TrvsOptions;
class TrvsKnownPoints;
class TrvsTable;

// The traverse table as the surveyor types it: one observation per row, Enter moving on like Tab, the
// checks of each cell run as the cursor leaves it, a new row proposed when the last one is complete.
// Grid row r shows table row r + 1; grid column c is table column c.  The table object stays the one
// holder of the text, so that saving, listing and computing always see what is on screen.
class TrvsGrid : public QTableWidget {
    Q_OBJECT
public:
    TrvsGrid(TrvsTable& table, TrvsHeader& header, QWidget* parent = nullptr);

    // What the checks need besides the table: the coordinate list and the options in force.
    void SetContext(const TrvsKnownPoints* known, const TrvsOptions* options, bool upperCase);

    // Shows the table again (after a reset, a load, an insert or delete).
    void Refill();
    // Instrument/backsight (columns 2, 3) and vertical angle (column 6) input.
    void SetStationInput(bool on);
    void SetVerticalInput(bool on);
    bool StationInput() const { return stationInput_; }
    bool VerticalInput() const { return verticalInput_; }
    bool ColumnEnabled(int col) const;

    // Table coordinates of the cursor (row 1 = first observation).
    int CurrentRow() const { return currentRow() + 1; }
    int CurrentCol() const { return currentColumn(); }
    void SetCursor(int row, int col);
    // Leaving the current cell with Enter or Tab: the cell's checks, then the next cell (a new row
    // after the last one).  Also what a picked point runs after filling a cell.
    void LeaveCell();
    // The focus is on the table or in a cell being edited.
    bool HasFocusWithin() const;
    // A cell being edited takes its typed text into the table and stops editing (no checks, no move),
    // so that a command on the rows sees what is on screen.
    void CommitEdit();

signals:
    // The slope distance was left: with real-time drawing on, the plot follows.
    void slopeDistanceLeft();
    void rowsChanged();
    // A cell's text was changed by typing or a pick.
    void edited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    bool CheckCell(int row, int col);
    bool CheckStationCell(int row, int col);
    bool CheckObservationCell(int row, int col);
    void MoveNext(int row, int col);
    void ShowCell(int row, int col);
    void TintRow(int row);
    int SkipDisabled(int col, int step) const;
    void OnItemChanged(QTableWidgetItem* item);

    TrvsTable& table_;
    TrvsHeader& header_;
    const TrvsKnownPoints* known_ = nullptr;
    const TrvsOptions* options_ = nullptr;
    bool stationInput_ = false;
    bool verticalInput_ = false;
    bool upperCase_ = true;
    bool filling_ = false;
    bool moving_ = false;
};

} // namespace vemo
