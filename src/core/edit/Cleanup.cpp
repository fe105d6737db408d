#include "core/edit/Cleanup.h"

#include "core/edit/CleanupCascade.h"
#include "core/edit/DuplicateKeys.h"
#include "core/edit/PointName.h"
#include "core/store/XyzList.h"
#include "core/text/Messages.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace vemo {
namespace {

// Deleting never changes a key, so every row whose key appeared above it goes, and the first row of
// each key stays: the row-by-row rule reduces to keeping first occurrences.
CleanupPlan PlanDelete(const XyzList& list, const DuplicateKey& key) {
    CleanupPlan plan;
    std::unordered_set<std::string> seen;
    seen.reserve(static_cast<size_t>(list.RowCount()));
    for (int row = 1; row < list.RowCount(); ++row) {
        if (!seen.insert(RowKey(list, row, key)).second) {
            plan.deletedRows.push_back(row);
        }
    }
    plan.count = static_cast<std::int64_t>(plan.deletedRows.size());
    return plan;
}

std::string Repeated(const std::string& text, std::int64_t times) {
    std::string out;
    out.reserve(text.size() * static_cast<size_t>(times));
    for (std::int64_t i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

// Rows grouped by equal keys: for each row its group, its place in the group and the next member.
struct FixedGroups {
    std::vector<int> group, position, nextInGroup, size;

    FixedGroups(const XyzList& list, const DuplicateKey& key) {
        const int last = list.RowCount() - 1;
        group.assign(last + 1, 0);
        position.assign(last + 1, 0);
        nextInGroup.assign(last + 1, 0);
        std::unordered_map<std::string, int> groupOf;
        std::vector<int> lastMember;
        for (int row = 1; row <= last; ++row) {
            auto [it, added] = groupOf.try_emplace(RowKey(list, row, key), static_cast<int>(size.size()));
            if (added) {
                size.push_back(0);
                lastMember.push_back(0);
            }
            const int g = group[row] = it->second;
            position[row] = size[g]++;
            if (lastMember[g] != 0) {
                nextInGroup[lastMember[g]] = row;
            }
            lastMember[g] = row;
        }
    }
    // Members of the row's group below it.
    std::uint64_t Below(int row) const { return static_cast<std::uint64_t>(size[group[row]] - position[row] - 1); }
};

// New names are handed out pair by pair in row order; the name gm finally keeps is the one handed out
// when g(m-1) was the compared row, after all pairs of the rows above g(m-1).
std::vector<std::pair<int, std::string>> FinalNewNames(const FixedGroups& groups, const DuplicateOptions& options) {
    std::string name = options.firstNewName;
    std::uint64_t handedOut = 0;
    std::uint64_t pairsAbove = 0;
    std::vector<std::pair<int, std::string>> names;
    for (size_t row = 1; row < groups.group.size(); ++row) {
        const std::uint64_t below = groups.Below(static_cast<int>(row));
        if (below > 0) {
            name = AdvancePointName(name, options.increment, pairsAbove - handedOut);
            handedOut = pairsAbove;
            names.emplace_back(groups.nextInGroup[row], name);
        }
        pairsAbove += below;
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Keys that renaming cannot change (the name is not part of the key, or head and tail are empty):
// the groups of equal keys are fixed, and in a group g0 < g1 < ... each gm is renamed once for every
// member above it, m times in all, the last time while g(m-1) is the row compared.
CleanupPlan PlanFixedGroups(const XyzList& list, const DuplicateOptions& options) {
    const FixedGroups groups(list, options.key);
    CleanupPlan plan;
    for (std::int64_t k : groups.size) {
        plan.count += k * (k - 1) / 2;
    }
    auto rename = [&](int row, std::string name) {
        if (name != list.Cell(row, kColName)) {
            plan.renamedRows.emplace_back(row, std::move(name));
        }
    };
    if (options.action == DuplicateAction::RenameFromOld) {
        for (int row = 1; row < list.RowCount(); ++row) {
            const std::int64_t m = groups.position[row];
            rename(row, Repeated(options.head, m) + list.Cell(row, kColName) + Repeated(options.tail, m));
        }
        return plan;
    }
    for (auto& [row, name] : FinalNewNames(groups, options)) {
        rename(row, std::move(name));
    }
    return plan;
}

} // namespace

namespace {

CleanupPlan PlanWithoutNameCheck(const XyzList& list, const DuplicateOptions& options) {
    if (options.action == DuplicateAction::Delete) {
        return PlanDelete(list, options.key);
    }
    bool namesStay = options.action == DuplicateAction::RenameFromOld && options.head.empty() && options.tail.empty();
    if (!options.key.name || namesStay) {
        return PlanFixedGroups(list, options);
    }
    return PlanRenameCascade(list, options);
}

} // namespace

CleanupPlan PlanDuplicateCleanup(const XyzList& list, const DuplicateOptions& options) {
    if (!options.key.Any()) {
        return {};
    }
    CleanupPlan plan = PlanWithoutNameCheck(list, options);
    // A rename the coordinate file cannot hold is refused before the list is touched.
    for (const auto& renamed : plan.renamedRows) {
        RequireStorableName(renamed.second);
    }
    return plan;
}

void ApplyCleanupPlan(XyzList& list, const CleanupPlan& plan) {
    for (const auto& [row, name] : plan.renamedRows) {
        list.SetCell(row, kColName, name);
    }
    list.RemoveRowSet(plan.deletedRows);
}

std::string CleanupMessage(DuplicateAction action, std::int64_t count) {
    return action == DuplicateAction::Delete ? msg::DuplicatesDeleted(count) : msg::DuplicatesRenamed(count);
}

void RenumberPointNames(XyzList& list, int fromRow, const std::string& firstName, bool increment) {
    std::vector<std::string> names;
    std::string name = firstName;
    for (int row = std::max(fromRow, 1); row < list.RowCount(); ++row) {
        RequireStorableName(name);
        names.push_back(name);
        if (row + 1 < list.RowCount()) {
            name = NextPointName(name, increment);
        }
    }
    int row = std::max(fromRow, 1);
    for (std::string& newName : names) {
        if (list.Cell(row, kColName) != newName) {
            list.SetCell(row, kColName, std::move(newName));
        }
        ++row;
    }
}

} // namespace vemo
