#include "core/edit/EntryRules.h"

#include "core/store/XyzList.h"

namespace vemo {

bool ColumnSwitches::IsOn(int col) const {
    switch (col) {
    case kColName:
    case kColX:
    case kColY:
        return true;
    case kColZ:
        return z;
    case kColTensyu:
        return tensyu;
    case kColBiko:
        return biko;
    default:
        return false;
    }
}

int LastEntryColumn(const ColumnSwitches& switches) {
    for (int col = kColBiko; col > kColY; --col) {
        if (switches.IsOn(col)) {
            return col;
        }
    }
    return kColY;
}

GridCell SkipSwitchedOff(GridCell target, const ColumnSwitches& switches, int lastRow, GridCell fallback) {
    GridCell cell = target;
    if (cell.col < kColName) {
        cell.col = kColName;
    }
    while (!switches.IsOn(cell.col)) {
        ++cell.col;
        if (cell.col >= kXyzColumnCount) {
            if (cell.row >= lastRow) {
                return fallback;
            }
            cell = {cell.row + 1, kColName};
        }
    }
    return cell;
}

GridCell NextTabCell(GridCell from, const ColumnSwitches& switches, int lastRow) {
    GridCell next{from.row, from.col + 1};
    if (next.col >= kXyzColumnCount) {
        if (from.row >= lastRow) {
            return from;
        }
        next = {from.row + 1, kColName};
    }
    return SkipSwitchedOff(next, switches, lastRow, from);
}

} // namespace vemo
