#pragma once

#include "core/edit/EntryRules.h"
#include "core/edit/Shift.h"

#include <QTableView>

#include <functional>
#include <string>

namespace vemo {

class XyzCellDelegate;
class XyzList;
class XyzTableModel;

// How a click in the grid reaches the other tools.  Every hook may be left empty.
struct GridPointHooks {
    // The calculation window on a tab that takes point names: gets the clicked row's name (columns
    // 0-3) as if it had been typed there; true when it took it (the plot is then left alone).
    std::function<bool(const std::string& cp932Name)> takePointName;
    // The plot: whether it is shown, and its HighlightPoint / UnhighlightPoint.
    std::function<bool()> plotShown;
    std::function<void(const std::string& cp932Name)> highlightPoint;
    std::function<void()> unhighlightPoint;
};

// XyzStrGrid: the coordinate list for fast keyboard entry.  The cursor skips switched-off columns;
// Tab (and Enter in " → " mode) checks and normalises the cell it leaves; Enter on the last entry
// column of a complete last row appends a row with the proposed next point name.  Arrow keys and the
// mouse leave a cell as typed.
class XyzStrGrid : public QTableView {
    Q_OBJECT
public:
    explicit XyzStrGrid(XyzList& list, QWidget* parent = nullptr);

    XyzList& list() const { return list_; }
    XyzTableModel* xyzModel() const { return model_; }

    // Column widths of 5, 10, 11, 11, 7, 8, 8 digit widths + 5 pixels, rows 15/6 of a digit high.
    void applyGridFont(const QFont& font);
    // The coordinate list panel's width: 62 digit widths + 50 pixels.
    int panelWidth() const;

    ColumnSwitches columnSwitches() const;
    void setColumnSwitches(const ColumnSwitches& switches);
    // " ↓ " mode (true) or " → " mode.
    bool enterGoesDown() const { return enterDown_; }
    void setEnterGoesDown(bool down);
    // " Inc " (true) or " Dec " stepping of proposed names.
    bool incrementNames() const { return increment_; }
    void setIncrementNames(bool increment);
    // The input assist: while on, X and Y typed into and left with Tab pass through ApplyShift.
    void setShiftInput(bool on, const ShiftValues& shift);
    bool shiftInput() const { return shiftOn_; }

    void setPointHooks(GridPointHooks hooks) { hooks_ = std::move(hooks); }

    // The cursor in list rows (1 = first point row) and list columns.
    GridCell currentCell() const;
    void setCurrentCell(GridCell cell);
    // The cursor row's point name while the grid has the focus and the row's X and Y are filled (the
    // plot marks that point); empty otherwise.
    std::string cursorPointName() const;
    // True when the grid or its cell editor has the keyboard focus.
    bool hasGridFocus() const;

    // Tab: check the cell, then move on (skipping switched-off columns).
    void handleTab();
    // Enter, by the rules of the Enter direction.
    void handleEnter();
    // "一行挿入" / "一行削除" at the cursor row (GridInsertRow / GridDeleteRow).
    bool insertRow();
    bool deleteRow();
    // "検索↓" / "検索↑": the next row below / above the cursor row whose name matches the pattern
    // (CP932; "T1" exact, "T1*" prefix, "*T1*" anywhere) becomes the cursor row; false when none.
    bool findPoint(const std::string& pattern, bool downward);
    // Finishes any open cell editor, keeping its text.
    void commitEditor();
    // Closes any open cell editor, giving the cell back the text it had (Esc).
    void revertEditor();
    // A point clicked on the plot: the first row with exactly this name (CP932) becomes the cursor
    // row, the cursor keeping its column.  False when no row has the name.
    bool selectPointByName(const std::string& name);

signals:
    // A point was completed and there are at least two: the plot may fit all points.
    void fitAllRequested();
    void columnSwitchesChanged(const vemo::ColumnSwitches& switches);
    void enterDirectionChanged(bool down);
    void incrementChanged(bool increment);

protected slots:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    bool handleEditorKey(int key);
    bool leaveCell(GridCell cell);
    bool finishLastRow(GridCell& cell);
    GridCell homeEndCell(bool end, bool wholeList) const;
    void numberClicked(int row);
    void sendClick(int row, int col);
    void highlightRow(int row);
    QModelIndex modelIndex(GridCell cell) const;
    int lastRow() const;

    XyzList& list_;
    XyzTableModel* model_;
    XyzCellDelegate* delegate_;
    bool enterDown_ = false;
    bool increment_ = true;
    bool shiftOn_ = false;
    ShiftValues shift_;
    GridPointHooks hooks_;
    bool clicking_ = false;
};

} // namespace vemo
