#include "core/store/XyzList.h"

#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace vemo {

namespace {

XyzRow HeaderRow() {
    return {Jp("№"), Jp("点名"), "X", "Y", "Z", Jp("点種"), Jp("備考")};
}

// A fresh list: the header and one empty point row numbered "1".
std::vector<XyzRow> ClearedRows() {
    std::vector<XyzRow> rows(2);
    rows[0] = HeaderRow();
    rows[1][kColNo] = "1";
    return rows;
}

void CheckPointRow(int row, int rowCount) {
    if (row < 1 || row >= rowCount) {
        throw std::out_of_range("XyzList: no point row " + std::to_string(row));
    }
}

} // namespace

XyzList::XyzList() : rows_(ClearedRows()) {}

bool XyzList::IsComplete(int row) const {
    const XyzRow& cells = rows_[row];
    return !cells[kColName].empty() && !cells[kColX].empty() && !cells[kColY].empty();
}

void XyzList::SetCell(int row, int col, std::string text) {
    CheckPointRow(row, RowCount());
    if (col < kColName || col >= kXyzColumnCount) {
        throw std::out_of_range("XyzList: column " + std::to_string(col) + " cannot be set");
    }
    rows_[row][col] = std::move(text);
    observers_.Notify([&](XyzListObserver& o) { o.CellsChanged(row, row, col, col); });
}

void XyzList::SetRow(int row, const XyzRow& cells) {
    CheckPointRow(row, RowCount());
    std::copy(cells.begin() + kColName, cells.end(), rows_[row].begin() + kColName);
    observers_.Notify([&](XyzListObserver& o) { o.CellsChanged(row, row, kColName, kXyzColumnCount - 1); });
}

void XyzList::InsertRows(int row, std::vector<XyzRow> rows) {
    if (row < 1 || row > RowCount()) {
        throw std::out_of_range("XyzList: cannot insert before row " + std::to_string(row));
    }
    if (rows.empty()) {
        return;
    }
    CheckRoom(rows.size());
    const int first = row;
    const int last = row + static_cast<int>(rows.size()) - 1;
    observers_.Notify([&](XyzListObserver& o) { o.RowsAboutToBeInserted(first, last); });
    rows_.insert(rows_.begin() + row, std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    Renumber(first);
    observers_.Notify([&](XyzListObserver& o) { o.RowsInserted(first, last); });
    if (last + 1 < RowCount()) {
        observers_.Notify([&](XyzListObserver& o) { o.CellsChanged(last + 1, RowCount() - 1, kColNo, kColNo); });
    }
}

void XyzList::InsertEmptyRows(int row, int count) {
    if (count > 0) {
        InsertRows(row, std::vector<XyzRow>(static_cast<size_t>(count)));
    }
}

void XyzList::RemoveRows(int row, int count) {
    if (count <= 0) {
        return;
    }
    CheckPointRow(row, RowCount());
    CheckPointRow(row + count - 1, RowCount());
    if (count == PointRowCount()) {
        // Keep row 1 and empty it, so that the list never lacks its one point row.
        RemoveRows(2, count - 1);
        SetRow(1, XyzRow{});
        return;
    }
    const int first = row;
    const int last = row + count - 1;
    observers_.Notify([&](XyzListObserver& o) { o.RowsAboutToBeRemoved(first, last); });
    rows_.erase(rows_.begin() + first, rows_.begin() + last + 1);
    Renumber(first);
    observers_.Notify([&](XyzListObserver& o) { o.RowsRemoved(first, last); });
    if (first < RowCount()) {
        observers_.Notify([&](XyzListObserver& o) { o.CellsChanged(first, RowCount() - 1, kColNo, kColNo); });
    }
}

void XyzList::ReplaceAll(std::vector<XyzRow> rows) {
    if (rows.size() > static_cast<size_t>(kMaxPointRows)) {
        throw Error(msg::TooManyPoints(kMaxPointRows, msg::Refused::Load));
    }
    observers_.Notify([&](XyzListObserver& o) { o.AboutToReset(); });
    if (rows.empty()) {
        rows_ = ClearedRows();
    } else {
        rows_.resize(1);
        rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
        Renumber(1);
    }
    observers_.Notify([&](XyzListObserver& o) { o.Reset(); });
}

void XyzList::Clear() {
    ReplaceAll({});
}

void XyzList::AddObserver(XyzListObserver* observer) {
    observers_.Add(observer);
}

void XyzList::RemoveObserver(XyzListObserver* observer) {
    observers_.Remove(observer);
}

void XyzList::Renumber(int fromRow) {
    for (int row = std::max(fromRow, 1); row < RowCount(); ++row) {
        rows_[row][kColNo] = std::to_string(row);
    }
}

void XyzList::CheckRoom(size_t extraRows) const {
    if (extraRows > static_cast<size_t>(kMaxPointRows - PointRowCount())) {
        throw Error(msg::TooManyPoints(kMaxPointRows, msg::Refused::Add));
    }
}

} // namespace vemo
