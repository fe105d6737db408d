#include "core/store/XyzList.h"

#include "core/store/StoreEdit.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

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

// Rows listed for RemoveRowSet and InsertRowSet: point rows below rowCount, ascending, each once.
void CheckRowSet(const std::vector<int>& rows, int rowCount) {
    if (rows.front() < 1 || rows.back() >= rowCount ||
        std::adjacent_find(rows.begin(), rows.end(), [](int a, int b) { return a >= b; }) != rows.end()) {
        throw std::out_of_range("XyzList: rows out of order or out of range");
    }
}

// A few scattered changes keep the grid's position, so they are told run by run; thousands are one pass
// and a reset, since each single removal or insertion moves every row below it.
constexpr size_t kRunsReportedOneByOne = 64;

struct RowRun {
    int first;
    int count;
};

std::vector<RowRun> RunsOf(const std::vector<int>& ascendingRows) {
    std::vector<RowRun> runs;
    for (int row : ascendingRows) {
        if (!runs.empty() && runs.back().first + runs.back().count == row) {
            ++runs.back().count;
        } else {
            runs.push_back({row, 1});
        }
    }
    return runs;
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
    std::swap(rows_[row][col], text);
    sink_.Record(StoreEdit{reversal::SetXyzCell{row, col, std::move(text)}});
    observers_.Notify([&](XyzListObserver& o) { o.CellsChanged(row, row, col, col); });
}

void XyzList::SetRow(int row, const XyzRow& cells) {
    CheckPointRow(row, RowCount());
    if (sink_.Wanted()) {
        sink_.Record(StoreEdit{reversal::SetXyzRow{row, std::make_unique<XyzRow>(rows_[row])}});
    }
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
    sink_.Record(StoreEdit{reversal::RemoveXyzRows{first, last - first + 1}});
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
        const StoreEditGroup oneChange(sink_);
        RemoveRows(2, count - 1);
        SetRow(1, XyzRow{});
        return;
    }
    const int first = row;
    const int last = row + count - 1;
    observers_.Notify([&](XyzListObserver& o) { o.RowsAboutToBeRemoved(first, last); });
    std::vector<XyzRow> removed(std::make_move_iterator(rows_.begin() + first),
                                std::make_move_iterator(rows_.begin() + last + 1));
    rows_.erase(rows_.begin() + first, rows_.begin() + last + 1);
    Renumber(first);
    sink_.Record(StoreEdit{reversal::InsertXyzRows{first, std::move(removed)}});
    observers_.Notify([&](XyzListObserver& o) { o.RowsRemoved(first, last); });
    if (first < RowCount()) {
        observers_.Notify([&](XyzListObserver& o) { o.CellsChanged(first, RowCount() - 1, kColNo, kColNo); });
    }
}

void XyzList::RemoveRowSet(const std::vector<int>& rows) {
    if (rows.empty()) {
        return;
    }
    CheckRowSet(rows, RowCount());
    if (static_cast<int>(rows.size()) == PointRowCount()) {
        RemoveRows(1, PointRowCount());
        return;
    }
    const std::vector<RowRun> runs = RunsOf(rows);
    if (runs.size() <= kRunsReportedOneByOne) {
        const StoreEditGroup oneChange(sink_);
        for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
            RemoveRows(run->first, run->count);
        }
        return;
    }
    observers_.Notify([&](XyzListObserver& o) { o.AboutToReset(); });
    std::vector<XyzRow> removed;
    removed.reserve(rows.size());
    auto next = rows.begin();
    int kept = rows.front();
    for (int row = rows.front(); row < RowCount(); ++row) {
        if (next != rows.end() && *next == row) {
            removed.push_back(std::move(rows_[row]));
            ++next;
        } else {
            rows_[kept++] = std::move(rows_[row]);
        }
    }
    rows_.resize(static_cast<size_t>(kept));
    Renumber(rows.front());
    sink_.Record(StoreEdit{reversal::InsertXyzRowSet{rows, std::move(removed)}});
    observers_.Notify([&](XyzListObserver& o) { o.Reset(); });
}

void XyzList::InsertRowSet(std::vector<int> rows, std::vector<XyzRow> cells) {
    if (rows.size() != cells.size()) {
        throw std::invalid_argument("XyzList: one row number per inserted row");
    }
    if (rows.empty()) {
        return;
    }
    CheckRoom(rows.size());
    const int newRowCount = RowCount() + static_cast<int>(rows.size());
    CheckRowSet(rows, newRowCount);
    const std::vector<RowRun> runs = RunsOf(rows);
    if (runs.size() <= kRunsReportedOneByOne) {
        const StoreEditGroup oneChange(sink_);
        auto cell = cells.begin();
        for (const RowRun& run : runs) {
            InsertRows(run.first, {std::make_move_iterator(cell), std::make_move_iterator(cell + run.count)});
            cell += run.count;
        }
        return;
    }
    observers_.Notify([&](XyzListObserver& o) { o.AboutToReset(); });
    // Merge from the back, so that every row moves once.
    int from = RowCount() - 1;
    rows_.resize(static_cast<size_t>(newRowCount));
    size_t next = rows.size();
    for (int row = newRowCount - 1; next > 0; --row) {
        if (rows[next - 1] == row) {
            rows_[row] = std::move(cells[--next]);
        } else {
            rows_[row] = std::move(rows_[from--]);
        }
    }
    Renumber(rows.front());
    sink_.Record(StoreEdit{reversal::RemoveXyzRowSet{std::move(rows)}});
    observers_.Notify([&](XyzListObserver& o) { o.Reset(); });
}

void XyzList::ReplaceAll(std::vector<XyzRow> rows) {
    if (rows.size() > static_cast<size_t>(kMaxPointRows)) {
        throw Error(msg::TooManyPoints(kMaxPointRows, msg::Refused::Load));
    }
    observers_.Notify([&](XyzListObserver& o) { o.AboutToReset(); });
    std::vector<XyzRow> old = std::exchange(rows_, ClearedRows());
    if (!rows.empty()) {
        rows_.resize(1);
        rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
        Renumber(1);
    }
    if (sink_.Wanted()) {
        old.erase(old.begin()); // the header is no point row
        sink_.Record(StoreEdit{reversal::ReplaceXyzRows{std::move(old)}});
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
