#pragma once

#include "core/print/ReportLine.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vemo {

class XyzList;

// Rows per printed page of the coordinate list ("座標リスト").  Pages are cut by source index, not by
// printed lines: rows that are not printed still use up their place, so page n always covers the same
// rows of the list and a surveyor can find a point by its number.
constexpr int kListRowsPerPage = 65;

// The coordinate list print: either the whole list (rows 1 .. end, page rows 1-65, 66-130, ...) or the
// selection list (entries 0 .. end, the last being the empty entry row; pages 0-64, 65-129, ...).  Not
// printed: rows without a point name, rows whose X and Y are both "0.000", selected names the list does
// not hold, rows without X or without Y.  Rows after the last printed one make no page of their own.
// The list must outlive this object.
class CoordinateListPrint : public PagedReport {
public:
    static CoordinateListPrint WholeList(const XyzList& list);
    static CoordinateListPrint Selection(const XyzList& list, std::vector<std::string> selectionRows);

    int PageCount() const override;
    std::vector<ReportLine> Page(int page) const override;

private:
    CoordinateListPrint(const XyzList& list, int startIndex, int lastIndex);
    void EndAtLastPrintedRow();
    int ListRowOfSource(int index) const; // 0: nothing to print
    std::string RowLine(int listRow) const;

    const XyzList* list_;
    int startIndex_;
    int lastIndex_;
    bool selectionMode_ = false;
    std::vector<std::string> selection_;
    std::unordered_map<std::string, int> firstRowOfName_; // for the selection: exact name, first row
};

} // namespace vemo
