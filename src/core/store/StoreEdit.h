#pragma once

#include "core/store/BlockList.h"
#include "core/store/StoreEditSink.h"
#include "core/store/XyzList.h"

#include <cstddef>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace vemo {

// What takes the store back over one narrow change.  Each operation of XyzList and BlockList hands the
// reversal of what it is about to do to its edit sink, holding only what the change destroys (the old
// cell, the removed rows, the replaced parcel), never a copy of the whole list unless the whole list is
// replaced.  Applying a reversal goes through the same narrow operations, so it reports its own reversal
// in turn: undoing a step yields the step that redoes it.
namespace reversal {
struct SetXyzCell {
    int row;
    int col;
    std::string text;
};
struct SetXyzRow {
    int row;
    std::unique_ptr<XyzRow> cells; // by pointer: cell edits are the common case and stay small
};
struct RemoveXyzRows { // reverses an insertion
    int row;
    int count;
};
struct InsertXyzRows { // reverses a removal of adjacent rows
    int row;
    std::vector<XyzRow> rows;
};
struct RemoveXyzRowSet { // reverses the insertion of scattered rows (ascending final rows)
    std::vector<int> rows;
};
struct InsertXyzRowSet { // reverses the removal of scattered rows (ascending rows they stood in)
    std::vector<int> rows;
    std::vector<XyzRow> cells;
};
struct ReplaceXyzRows { // reverses a reload: every point row as it stood
    std::vector<XyzRow> rows;
};
struct RemoveBlock { // reverses an addition
    int position;
};
struct InsertBlock { // reverses a removal
    int position;
    std::unique_ptr<Block> block;
};
struct ReplaceBlock {
    int position;
    std::unique_ptr<Block> block;
};
struct ReplaceBlocks {
    std::vector<Block> blocks;
};
} // namespace reversal

struct StoreEdit {
    std::variant<reversal::SetXyzCell, reversal::SetXyzRow, reversal::RemoveXyzRows, reversal::InsertXyzRows,
                 reversal::RemoveXyzRowSet, reversal::InsertXyzRowSet, reversal::ReplaceXyzRows, reversal::RemoveBlock,
                 reversal::InsertBlock, reversal::ReplaceBlock, reversal::ReplaceBlocks>
        change;
};

// Applies a reversal to the lists (consuming it).  The operations it runs record their own reversals.
void ApplyEdit(StoreEdit&& edit, XyzList& xyz, BlockList& blocks);

// Bytes the reversal holds, its own size included: what the history counts against its budget.
std::size_t EditBytes(const StoreEdit& edit);

// The name of a step that no command named, from the change it reverses ("入力", "行削除", ...), CP932.
std::string DefaultStepName(const StoreEdit& firstEdit);

} // namespace vemo
