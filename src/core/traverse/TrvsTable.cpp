#include "core/traverse/TrvsTable.h"

#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesTraverse.h"
#include "core/text/Numbers.h"

#include <stdexcept>

namespace vemo {

namespace {

const char* const kZeroHeight = "0.000";

[[noreturn]] void ThrowTooManyRows() {
    throw Error(msg::TooManyTraverseRows(kTrvsMaxRows));
}

void ClearRow(TrvsRow& row) {
    for (int col = 1; col < kTrvsCellCount; ++col) {
        row[col].clear();
    }
}

} // namespace

TrvsTable::TrvsTable() {
    Reset();
}

TrvsRow TrvsTable::HeaderRow() {
    return {Jp("№"),      "TM",         Jp("器械点"), Jp("後視点"), Jp("測点"),
            Jp("水平角"), Jp("高度角"), Jp("斜距離"), Jp("器械高"), Jp("視準高")};
}

void TrvsTable::SetZCalc(bool on) {
    zCalc_ = on;
}

void TrvsTable::SetCell(int row, int col, std::string text) {
    if (row < 1 || row >= RowCount()) {
        throw std::out_of_range("TrvsTable: no observation row " + std::to_string(row));
    }
    rows_.at(row).at(col) = std::move(text);
}

void TrvsTable::Reset() {
    rows_.assign(2, TrvsRow{});
    rows_[0] = HeaderRow();
    rows_[1][kTrvColNo] = "1";
    rows_[1][kTrvColTm] = "K";
    rows_[1][kTrvColInstH] = kZeroHeight;
    rows_[1][kTrvColTargetH] = kZeroHeight;
}

void TrvsTable::CheckRoom(size_t rows) const {
    if (rows > static_cast<size_t>(kTrvsMaxRows)) {
        ThrowTooManyRows();
    }
}

void TrvsTable::SetRows(std::vector<TrvsRow> rows, const std::string& legLetter) {
    CheckRoom(rows.size());
    if (rows.empty()) {
        rows.emplace_back();
        rows[0][kTrvColNo] = "1";
        rows[0][kTrvColTm] = legLetter;
    }
    rows.insert(rows.begin(), HeaderRow());
    rows_ = std::move(rows);
}

void TrvsTable::AppendRow(const std::string& legLetter, const std::string& target) {
    CheckRoom(rows_.size());
    TrvsRow row;
    row[kTrvColNo] = std::to_string(RowCount());
    row[kTrvColTm] = legLetter;
    row[kTrvColTarget] = target;
    rows_.push_back(std::move(row));
}

void TrvsTable::Renumber(int fromRow) {
    for (int row = fromRow; row < RowCount(); ++row) {
        rows_[row][kTrvColNo] = std::to_string(row);
    }
}

void TrvsTable::InsertRow(int row, const std::string& legLetter) {
    if (row < 1 || row >= RowCount()) {
        throw std::out_of_range("TrvsTable: no observation row " + std::to_string(row));
    }
    CheckRoom(rows_.size());
    TrvsRow fresh;
    fresh[kTrvColTm] = legLetter;
    if (row == 1) {
        fresh[kTrvColInstH] = rows_[1][kTrvColInstH];
        fresh[kTrvColTargetH] = rows_[1][kTrvColTargetH];
    }
    rows_.insert(rows_.begin() + row, std::move(fresh));
    Renumber(row);
}

void TrvsTable::DeleteRow(int row, const std::string& legLetter) {
    if (row < 1 || row >= RowCount()) {
        throw std::out_of_range("TrvsTable: no observation row " + std::to_string(row));
    }
    if (RowCount() == 2) {
        ClearRow(rows_[1]);
        rows_[1][kTrvColTm] = legLetter;
        rows_[1][kTrvColInstH] = kZeroHeight;
        rows_[1][kTrvColTargetH] = kZeroHeight;
        return;
    }
    if (row == RowCount() - 1) {
        ClearRow(rows_[row]);
        return;
    }
    if (row == 1) {
        for (int col : {kTrvColInstH, kTrvColTargetH}) {
            if (TrimView(rows_[2][col]).empty()) {
                rows_[2][col] = rows_[1][col];
            }
        }
    }
    rows_.erase(rows_.begin() + row);
    Renumber(row);
}

void TrvsTable::ApplyType(int trvsType) {
    const std::string leg = LegLetter(trvsType);
    for (int row = 1; row < RowCount(); ++row) {
        std::string& tm = rows_[row][kTrvColTm];
        if (row == 1) {
            tm = leg;
        } else if (trvsType == kTrvsRadial) {
            tm = "K";
        } else if ((trvsType == kTrvsOpen && tm == "T") || (trvsType != kTrvsOpen && tm == "O")) {
            tm = leg;
        }
    }
}

void TrvsTable::ToggleTm(int row, int trvsType) {
    std::string& tm = rows_.at(row)[kTrvColTm];
    tm = (tm == "K" || tm.empty()) ? LegLetter(trvsType) : "K";
}

std::string TrvsTable::InheritedHeight(int row, int col) const {
    for (int r = row; r >= 1; --r) {
        if (!TrimView(rows_.at(r).at(col)).empty()) {
            return Trim(rows_[r][col]);
        }
    }
    return kZeroHeight;
}

void TrvsHeights::Take(const TrvsTable& table, int row) {
    const std::string& ihText = table.Cell(row, kTrvColInstH);
    const std::string& thText = table.Cell(row, kTrvColTargetH);
    if (row == 1 || !TrimView(ihText).empty()) {
        ih = StrToFloat(TrimView(ihText));
    }
    if (row == 1 || !TrimView(thText).empty()) {
        th = StrToFloat(TrimView(thText));
    }
}

} // namespace vemo
