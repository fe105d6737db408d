#include "core/print/CoordinateListPrint.h"

#include "core/store/XyzList.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

#include <algorithm>

namespace vemo {

namespace {

constexpr const char* kRowFormat = "        %5s   %-12s%12s%12s%10s  %-14s  %-14s";
constexpr size_t kTypeAndRemarkBytes = 14;

std::string Rule() {
    return std::string(8, ' ') + std::string(85, '-');
}

std::vector<ReportLine> PageHead(int pageNumber) {
    std::vector<ReportLine> lines;
    lines.push_back({});
    lines.push_back({std::string(85, ' ') + "<  " + std::to_string(pageNumber) + "  >"});
    lines.insert(lines.end(), 3, ReportLine{});
    lines.push_back(TitleLine(Jp("　　　座標リスト")));
    lines.push_back({});
    lines.push_back({Sprintf(kRowFormat, Jp("   №").c_str(), Jp("    点名    ").c_str(), "      X     ", "      Y     ",
                             "     Z    ", Jp("     点種     ").c_str(), Jp("     備考     ").c_str())});
    lines.push_back({Rule()});
    return lines;
}

} // namespace

CoordinateListPrint::CoordinateListPrint(const XyzList& list, int startIndex, int lastIndex)
    : list_(&list), startIndex_(startIndex), lastIndex_(std::max(startIndex, lastIndex)) {}

CoordinateListPrint CoordinateListPrint::WholeList(const XyzList& list) {
    CoordinateListPrint print(list, 1, list.RowCount() - 1);
    print.EndAtLastPrintedRow();
    return print;
}

CoordinateListPrint CoordinateListPrint::Selection(const XyzList& list, std::vector<std::string> selectionRows) {
    CoordinateListPrint print(list, 0, static_cast<int>(selectionRows.size()) - 1);
    print.selectionMode_ = true;
    print.selection_ = std::move(selectionRows);
    for (int row = list.RowCount() - 1; row >= 1; --row) {
        print.firstRowOfName_[list.Cell(row, kColName)] = row; // walking up leaves the first row of a name
    }
    print.EndAtLastPrintedRow();
    return print;
}

// Rows after the last printed one print nothing: without this, the selection's entry row after 65 names,
// or the list's proposed entry row after 65 points, would each send out an empty sheet.  The page
// boundaries before it stay where they are.
void CoordinateListPrint::EndAtLastPrintedRow() {
    while (lastIndex_ > startIndex_ && ListRowOfSource(lastIndex_) == 0) {
        --lastIndex_;
    }
}

int CoordinateListPrint::PageCount() const {
    return (lastIndex_ - startIndex_) / kListRowsPerPage + 1;
}

int CoordinateListPrint::ListRowOfSource(int index) const {
    int row = index;
    if (selectionMode_) {
        if (index >= static_cast<int>(selection_.size()) || selection_[index].empty()) {
            return 0;
        }
        auto found = firstRowOfName_.find(selection_[index]);
        row = found == firstRowOfName_.end() ? 0 : found->second;
    }
    if (row < 1 || row >= list_->RowCount() || list_->Cell(row, kColName).empty()) {
        return 0;
    }
    const std::string& x = list_->Cell(row, kColX);
    const std::string& y = list_->Cell(row, kColY);
    // A name without X or Y (the grid's proposed entry row) is no point, as the native file has it.
    if ((x == "0.000" && y == "0.000") || TrimView(x).empty() || TrimView(y).empty()) {
        return 0;
    }
    return row;
}

std::string CoordinateListPrint::RowLine(int listRow) const {
    auto cell = [&](int col) { return list_->Cell(listRow, col).c_str(); };
    std::string tensyu = CutBytes(list_->Cell(listRow, kColTensyu), kTypeAndRemarkBytes);
    std::string biko = CutBytes(list_->Cell(listRow, kColBiko), kTypeAndRemarkBytes);
    return Sprintf(kRowFormat, cell(kColNo), cell(kColName), cell(kColX), cell(kColY), cell(kColZ), tensyu.c_str(),
                   biko.c_str());
}

std::vector<ReportLine> CoordinateListPrint::Page(int page) const {
    int first = startIndex_ + page * kListRowsPerPage;
    int last = std::min(lastIndex_, first + kListRowsPerPage - 1);
    std::vector<ReportLine> lines = PageHead(first / kListRowsPerPage + 1);
    for (int index = first; index <= last; ++index) {
        if (int row = ListRowOfSource(index)) {
            lines.push_back({RowLine(row)});
        }
    }
    lines.push_back({Rule()});
    return lines;
}

} // namespace vemo
