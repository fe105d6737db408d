#include "core/edit/CellRules.h"

#include "core/edit/PointName.h"
#include "core/edit/Shift.h"
#include "core/store/XyzList.h"
#include "core/text/Error.h"
#include "core/text/NameBytes.h"
#include "core/text/Numbers.h"

#include <optional>

namespace vemo {

bool NameUsedElsewhere(const XyzList& list, int row, std::string_view name) {
    for (int other = 1; other < list.RowCount(); ++other) {
        if (other != row && list.Cell(other, kColName) == name) {
            return true;
        }
    }
    return false;
}

LeaveCheck CheckLeavingCell(const XyzList& list, int row, int col, const ShiftValues* shift) {
    using Outcome = LeaveCheck::Outcome;
    const std::string& text = list.Cell(row, col);
    switch (col) {
    case kColName:
        // A pasted control byte would be written into every file and refused when read back.
        RequireUsableName(text, "点名");
        return NameUsedElsewhere(list, row, text) ? LeaveCheck{Outcome::Duplicate, {}} : LeaveCheck{};
    case kColX:
    case kColY: {
        if (text.empty()) {
            return {};
        }
        double value = StrToFloat(text);
        if (shift != nullptr) {
            value = ApplyShift(col == kColX ? shift->x : shift->y, value);
        }
        return {Outcome::Rewrite, Format3(value)};
    }
    case kColZ:
        return {Outcome::Rewrite, text.empty() ? Format3(0) : Format3(StrToFloat(text))};
    default:
        return {};
    }
}

bool ApplyLeavingCell(XyzList& list, int row, int col, const ShiftValues* shift) {
    LeaveCheck check = CheckLeavingCell(list, row, col, shift);
    switch (check.outcome) {
    case LeaveCheck::Outcome::Keep:
        return true;
    case LeaveCheck::Outcome::Rewrite:
        if (check.text != list.Cell(row, col)) {
            list.SetCell(row, col, std::move(check.text));
        }
        return true;
    case LeaveCheck::Outcome::Duplicate:
        if (!list.Cell(row, col).empty()) {
            list.SetCell(row, col, {});
        }
        return false;
    }
    return true;
}

bool FinishLastRow(XyzList& list, bool increment) {
    int last = list.RowCount() - 1;
    if (!list.IsComplete(last)) {
        return false;
    }
    std::optional<Error> failure;
    XyzRow next;
    try {
        std::string name = NextPointName(list.Cell(last, kColName), increment);
        RequireStorableName(name);
        next[kColName] = std::move(name);
    } catch (const Error& error) {
        failure = error;
    }
    // Appending first: a full list refuses the new row before Z is touched.
    list.AppendRows({std::move(next)});
    if (list.Cell(last, kColZ).empty()) {
        list.SetCell(last, kColZ, Format3(0));
    }
    if (failure) {
        throw *failure;
    }
    return true;
}

} // namespace vemo
