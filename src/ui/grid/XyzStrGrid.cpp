#include "ui/grid/XyzStrGrid.h"

#include "core/edit/CellRules.h"
#include "core/store/Store.h"
#include "core/text/Error.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/GridFont.h"
#include "ui/common/MessageBox.h"
#include "ui/common/SystemBeep.h"
#include "ui/grid/CornerCaption.h"
#include "ui/grid/GridRowOps.h"
#include "ui/grid/XyzCellDelegate.h"
#include "ui/grid/XyzTableModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <array>

namespace vemo {
namespace {

// Column widths in widths of the digit "0" of the grid font.
constexpr std::array<int, kXyzColumnCount> kColumnDigits = {5, 10, 11, 11, 7, 8, 8};
constexpr int kColumnPadding = 5;
constexpr int kPanelDigits = 62;
constexpr int kPanelPadding = 50;

} // namespace

XyzStrGrid::XyzStrGrid(XyzList& list, QWidget* parent)
    : QTableView(parent), list_(list), model_(new XyzTableModel(list, this)),
      delegate_(new XyzCellDelegate([this](int key) { return handleEditorKey(key); }, this)) {
    setModel(model_);
    setItemDelegate(delegate_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed |
                    QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    // A long 点種 or 備考 is cut at the cell edge, not shortened with an ellipsis: every character that
    // fits stays readable.
    setTextElideMode(Qt::ElideNone);
    // The number column "№" is the vertical header: it stays fixed and is never the cursor's cell.
    verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetCornerCaption(*this, QStringLiteral("№"));
    disconnect(verticalHeader(), SIGNAL(sectionPressed(int)), this, SLOT(selectRow(int)));
    disconnect(verticalHeader(), SIGNAL(sectionEntered(int)), this, SLOT(_q_selectRow(int)));
    connect(verticalHeader(), &QHeaderView::sectionPressed, this, [this](int section) { numberClicked(section + 1); });
    // Uniform row heights keep scrolling and row insertion cheap with 99,998 rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    applyGridFont(GridFont());
    setCurrentCell({1, kColName});
}

void XyzStrGrid::applyGridFont(const QFont& font) {
    setFont(font);
    delegate_->setNumberFont(NumberFont(font));
    horizontalHeader()->setFont(font);
    verticalHeader()->setFont(font);
    const int digit = DigitWidth(font);
    verticalHeader()->setFixedWidth(kColumnDigits[kColNo] * digit + kColumnPadding);
    for (int col = kColName; col < kXyzColumnCount; ++col) {
        setColumnWidth(col - 1, kColumnDigits[col] * digit + kColumnPadding);
    }
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(digit * 15 / 6);
}

int XyzStrGrid::panelWidth() const {
    return kPanelDigits * DigitWidth(font()) + kPanelPadding;
}

ColumnSwitches XyzStrGrid::columnSwitches() const {
    return model_->columnSwitches();
}

void XyzStrGrid::setColumnSwitches(const ColumnSwitches& switches) {
    model_->setColumnSwitches(switches);
    viewport()->update();
    emit columnSwitchesChanged(switches);
}

void XyzStrGrid::setEnterGoesDown(bool down) {
    if (enterDown_ != down) {
        enterDown_ = down;
        emit enterDirectionChanged(down);
    }
}

void XyzStrGrid::setIncrementNames(bool increment) {
    if (increment_ != increment) {
        increment_ = increment;
        emit incrementChanged(increment);
    }
}

void XyzStrGrid::setShiftInput(bool on, const ShiftValues& shift) {
    shiftOn_ = on;
    shift_ = shift;
}

int XyzStrGrid::lastRow() const {
    return list_.RowCount() - 1;
}

QModelIndex XyzStrGrid::modelIndex(GridCell cell) const {
    return model_->cellIndex(cell.row, cell.col);
}

GridCell XyzStrGrid::currentCell() const {
    QModelIndex index = currentIndex();
    if (!index.isValid()) {
        return {1, kColName};
    }
    return {XyzTableModel::listRowOf(index), XyzTableModel::listColumnOf(index)};
}

void XyzStrGrid::setCurrentCell(GridCell cell) {
    QModelIndex index = modelIndex(cell);
    if (index.isValid()) {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        scrollTo(index);
    }
}

bool XyzStrGrid::hasGridFocus() const {
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && (focus == this || isAncestorOf(focus));
}

std::string XyzStrGrid::cursorPointName() const {
    GridCell cell = currentCell();
    if (!hasGridFocus() || cell.row > lastRow() || list_.Cell(cell.row, kColX).empty() ||
        list_.Cell(cell.row, kColY).empty()) {
        return {};
    }
    return list_.Cell(cell.row, kColName);
}

void XyzStrGrid::commitEditor() {
    if (QLineEdit* editor = delegate_->openEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void XyzStrGrid::revertEditor() {
    if (QLineEdit* editor = delegate_->openEditor()) {
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    }
}

// The view hands the focus back from a closing editor only when the editor has the application's
// focus.  While the window is inactive (a message box has just closed and no window manager gave the
// activation back) the editor is merely the window's focus widget; left there, the keys that follow
// would go to a closed editor and the grid would seem dead until a click.
void XyzStrGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableView::closeEditor(editor, hint);
    if (editor != nullptr && window()->focusWidget() == editor) {
        setFocus();
    }
}

bool XyzStrGrid::selectPointByName(const std::string& name) {
    const int row = FindNameRow(list_, name);
    if (row != 0) {
        setCurrentCell({row, currentCell().col});
    }
    return row != 0;
}

bool XyzStrGrid::handleEditorKey(int key) {
    if (key == Qt::Key_Tab) {
        handleTab();
    } else {
        handleEnter();
    }
    return true;
}

// The checks when a cell is left with Tab.  A refused name beeps; a number that does not parse shows
// the conversion message and keeps its text.  Either way the cursor stays.
bool XyzStrGrid::leaveCell(GridCell cell) {
    bool accepted = false;
    RunCommand(
        [&] {
            // Only a coordinate typed in this visit is shifted: passing through a stored 12345.678
            // must not turn it into 345.678.
            const bool shiftIt = shiftOn_ && delegate_->typedSinceReset();
            accepted = ApplyLeavingCell(list_, cell.row, cell.col, shiftIt ? &shift_ : nullptr);
            if (accepted) {
                delegate_->resetTyped();
            } else {
                SystemBeep::Beep();
            }
        },
        this);
    if (!accepted) {
        setFocus();
    }
    return accepted;
}

void XyzStrGrid::handleTab() {
    commitEditor();
    GridCell cell = currentCell();
    if (leaveCell(cell)) {
        setCurrentCell(NextTabCell(cell, columnSwitches(), lastRow()));
    }
}

// Step 1 of Enter on the last entry column of the last row: append the next point, or send the cursor
// back to the name of an incomplete row.  False when the list refused a new row.
bool XyzStrGrid::finishLastRow(GridCell& cell) {
    const int rowsBefore = list_.RowCount();
    const bool finished = RunCommand(
        [&] {
            if (!FinishLastRow(list_, increment_)) {
                cell = {cell.row, kColName};
                setCurrentCell(cell);
            }
        },
        this);
    // An unsteppable name still appended its row.
    return finished || list_.RowCount() != rowsBefore;
}

void XyzStrGrid::handleEnter() {
    const int rowsBefore = list_.RowCount();
    commitEditor();
    GridCell cell = currentCell();
    if (cell.row == lastRow() && cell.col == LastEntryColumn(columnSwitches()) && !finishLastRow(cell)) {
        return;
    }
    if (enterDown_) {
        if (cell.row < lastRow()) {
            setCurrentCell({cell.row + 1, cell.col});
        }
    } else {
        handleTab();
    }
    // A point was completed, and with two or more the points have an extent the plot can fit.
    if (list_.RowCount() > rowsBefore && list_.RowCount() >= 4) {
        emit fitAllRequested();
    }
}

bool XyzStrGrid::insertRow() {
    if (!hasGridFocus()) {
        return false;
    }
    commitEditor();
    return GridInsertRow(*this);
}

bool XyzStrGrid::deleteRow() {
    if (!hasGridFocus()) {
        return false;
    }
    commitEditor();
    return GridDeleteRow(*this);
}

bool XyzStrGrid::findPoint(const std::string& pattern, bool downward) {
    commitEditor();
    GridCell cell = currentCell();
    int row = FindPointRow(list_, downward ? 1 : 2, pattern, cell.row);
    if (row > 0) {
        setCurrentCell({row, cell.col});
    }
    setFocus();
    return row > 0;
}

void XyzStrGrid::keyPressEvent(QKeyEvent* event) {
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (plain && event->key() == Qt::Key_Tab) {
        handleTab();
        return;
    }
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        handleEnter();
        return;
    }
    // A character a number cell does not take opens no editor.
    const QString text = event->text();
    if (plain && CellTextValidator::IsNumberColumn(currentCell().col) && text.size() == 1 && text[0].isPrint() &&
        !CellTextValidator::IsNumberCharacter(text[0])) {
        SystemBeep::Beep();
        return;
    }
    QTableView::keyPressEvent(event);
}

QModelIndex XyzStrGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (action == MoveHome || action == MoveEnd) {
        return modelIndex(homeEndCell(action == MoveEnd, modifiers & Qt::ControlModifier));
    }
    QModelIndex target = QTableView::moveCursor(action, modifiers);
    if (!target.isValid()) {
        return target;
    }
    GridCell cell{XyzTableModel::listRowOf(target), XyzTableModel::listColumnOf(target)};
    const ColumnSwitches switches = columnSwitches();
    if (action == MoveLeft || action == MovePrevious) {
        // Leftwards the cursor passes switched-off columns the other way; Y always takes input.
        while (!switches.IsOn(cell.col)) {
            --cell.col;
        }
        return modelIndex(cell);
    }
    return modelIndex(SkipSwitchedOff(cell, switches, lastRow(), currentCell()));
}

// Home / End: the first / last entry column of the row; with Ctrl the first / last row, the column
// kept (a switched-off column is passed over as the arrows do).
GridCell XyzStrGrid::homeEndCell(bool end, bool wholeList) const {
    const GridCell cell = currentCell();
    if (!wholeList) {
        return {cell.row, end ? LastEntryColumn(columnSwitches()) : kColName};
    }
    return {end ? lastRow() : 1, cell.col};
}

void XyzStrGrid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex clicked = indexAt(event->position().toPoint());
    if (!clicked.isValid()) {
        QTableView::mousePressEvent(event);
        return;
    }
    const int row = XyzTableModel::listRowOf(clicked);
    const int col = XyzTableModel::listColumnOf(clicked);
    GridCell target =
        SkipSwitchedOff({row, col}, columnSwitches(), lastRow(), {row, LastEntryColumn(columnSwitches())});
    clicking_ = true;
    if (target == GridCell{row, col}) {
        QTableView::mousePressEvent(event);
    } else {
        commitEditor();
        setFocus(Qt::MouseFocusReason);
        setCurrentCell(target);
    }
    clicking_ = false;
    sendClick(row, col);
}

// A click on a row number puts the cursor on the row's name.
void XyzStrGrid::numberClicked(int row) {
    commitEditor();
    setFocus(Qt::MouseFocusReason);
    clicking_ = true;
    setCurrentCell({row, kColName});
    clicking_ = false;
    sendClick(row, kColNo);
}

// Columns 0-3 of a clicked row hand its name to the calculation window when it wants one; otherwise
// the plot marks the row's point.
void XyzStrGrid::sendClick(int row, int col) {
    const std::string name = list_.Cell(row, kColName);
    if (col <= kColY && hooks_.takePointName && hooks_.takePointName(name)) {
        return;
    }
    highlightRow(row);
}

// A switched-off column opens no editor.
void XyzStrGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex clicked = indexAt(event->position().toPoint());
    if (clicked.isValid() && !columnSwitches().IsOn(XyzTableModel::listColumnOf(clicked))) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void XyzStrGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    delegate_->resetTyped();
    if (!clicking_ && current.isValid() && current.row() != previous.row()) {
        highlightRow(XyzTableModel::listRowOf(current));
    }
}

// The plot marks the point of the row the cursor moved to, when there is a point to mark.
void XyzStrGrid::highlightRow(int row) {
    if (!hooks_.plotShown || !hooks_.plotShown() || !hasGridFocus() || row > lastRow()) {
        return;
    }
    const std::string& x = list_.Cell(row, kColX);
    if (x.empty() || x == "0.000") {
        return;
    }
    if (hooks_.unhighlightPoint) {
        hooks_.unhighlightPoint();
    }
    if (hooks_.highlightPoint) {
        hooks_.highlightPoint(list_.Cell(row, kColName));
    }
}

} // namespace vemo
