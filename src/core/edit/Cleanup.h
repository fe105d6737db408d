#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vemo {

class XyzList;

// Which cells make two rows duplicates ("点名，" "X座標，Y座標，" "Z座標" が重複するときに).
struct DuplicateKey {
    bool name = false;
    bool xy = true;
    bool z = false;
    bool Any() const { return name || xy || z; }
};

enum class DuplicateAction {
    Delete,         // "削除する"
    RenameFromOld,  // "旧点名をもとに変更する": head + old name + tail
    ReplaceWithNew, // "新点名で置換える": consecutive new names
};

struct DuplicateOptions {
    DuplicateKey key;
    DuplicateAction action = DuplicateAction::Delete;
    std::string head;         // RenameFromOld
    std::string tail = "#";   // RenameFromOld
    std::string firstNewName; // ReplaceWithNew, stepped with NextPointName
    bool increment = true;    // Inc/Dec mode of the coordinate grid
};

// The outcome of the duplicate cleanup, computed before the list is touched.
struct CleanupPlan {
    std::vector<int> deletedRows;                         // ascending list rows
    std::vector<std::pair<int, std::string>> renamedRows; // list row, its final name
    std::int64_t count = 0;                               // the number shown in the message
};

// The duplicate cleanup, with the results of the row-by-row rule: each row i in turn, from the top,
// is compared with every row below it; a row below with the same key (as it stands at that moment) is
// deleted, or renamed (head + its name + tail, or the next new name), and counted.  So the first row of
// a group always survives with its name, a row renamed because of one row can match another row later,
// and a row with k equal rows above it is renamed k times (T5, T5#, T5##) when the key leaves out the
// name.  Cells are compared one by one, byte by byte: "100.000" and "100.0" differ, and so do the rows
// (name "T1", X "2.000") and (name "T", X "12.000") although their texts run together the same.
// Runs in about linear time on real lists instead of comparing every pair of 99,998 rows.
// Throws vemo::Error when a new name cannot be stepped or would be longer than the 16 bytes of the
// file's name field; the list is then left unchanged.
CleanupPlan PlanDuplicateCleanup(const XyzList& list, const DuplicateOptions& options);

// Deletes and renames as planned.
void ApplyCleanupPlan(XyzList& list, const CleanupPlan& plan);

// "3 点削除しました" or "3 点変更しました" (CP932).
std::string CleanupMessage(DuplicateAction action, std::int64_t count);

// 点名振替: every row from `fromRow` to the last, the empty entry row included, is named `firstName`,
// then NextPointName of the previous one.  A name that cannot be stepped, or one over the 16 bytes of
// the file's name field, throws before any change.
void RenumberPointNames(XyzList& list, int fromRow, const std::string& firstName, bool increment);

} // namespace vemo
