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
// The columns of kRowFormat: where the right-aligned fields end and the left-aligned ones begin.
constexpr size_t kNoEnd = 13, kNameStart = 16, kXEnd = 40, kYEnd = 52, kZEnd = 62, kTypeStart = 64, kRemarkStart = 80,
                 kRowWidth = 94;

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

// A row's texts, each at its column, or one blank after the text before it when that runs into the
// column: a point name of 13 to 16 bytes (wider than its column) moves only what it must, and the blanks
// after the name, the figures and the 点種 take the excess back, so the later columns stay under their
// heads and the row inside the rule.
namespace {

class RowLayout {
public:
    void Right(std::string_view text, size_t end) { Put(text, end > text.size() ? end - text.size() : 0); }
    void Left(std::string_view text, size_t start) { Put(text, start); }
    std::string Padded(size_t width) {
        line_.resize(std::max(width, line_.size()), ' ');
        return line_;
    }

private:
    void Put(std::string_view text, size_t start) {
        text = text.substr(0, text.find_last_not_of(' ') + 1); // npos + 1 == 0: a blank text takes no place
        if (text.empty()) {
            return;
        }
        line_.resize(std::max(start, line_.empty() ? 0 : line_.size() + 1), ' ');
        line_ += text;
    }
    std::string line_;
};

} // namespace

std::string CoordinateListPrint::RowLine(int listRow) const {
    auto cell = [&](int col) { return std::string_view(list_->Cell(listRow, col)); };
    RowLayout row;
    row.Right(cell(kColNo), kNoEnd);
    row.Left(cell(kColName), kNameStart);
    row.Right(cell(kColX), kXEnd);
    row.Right(cell(kColY), kYEnd);
    row.Right(cell(kColZ), kZEnd);
    row.Left(CutBytes(cell(kColTensyu), kTypeAndRemarkBytes), kTypeStart);
    row.Left(CutBytes(cell(kColBiko), kTypeAndRemarkBytes), kRemarkStart);
    return row.Padded(kRowWidth);
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
