#include "core/edit/CleanupCascade.h"

#include "core/edit/DuplicateKeys.h"
#include "core/edit/PointName.h"
#include "core/store/XyzList.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <queue>
#include <unordered_map>

namespace vemo {
namespace {

class RenameCascade {
public:
    RenameCascade(const XyzList& list, const DuplicateOptions& options);
    CleanupPlan Run();

private:
    // Rows that currently share one key, ascending.  rows[0 .. front) have had their turn as the
    // compared row and keep the bucket's name; the rest are still waiting.
    struct Bucket {
        std::string name;
        std::vector<int> rows;
        size_t front = 0;
        bool Waiting() const { return front < rows.size(); }
    };

    size_t BucketFor(const std::string& name, int row);
    void Add(size_t id, std::vector<int> rows);
    size_t TakeTurn(int row);
    void RenameBelow(int row, std::vector<int> below, const std::string& name);

    const XyzList& list_;
    const DuplicateOptions& options_;
    std::vector<std::string> rest_;
    std::unordered_map<std::string, size_t> ids_;
    std::deque<Bucket> buckets_;
    // (first waiting row, bucket); entries go stale when a bucket changes and are skipped then.
    std::priority_queue<std::pair<int, size_t>, std::vector<std::pair<int, size_t>>, std::greater<>> fronts_;
    std::vector<std::string> finalName_;
    std::string newName_;
    std::int64_t count_ = 0;
};

RenameCascade::RenameCascade(const XyzList& list, const DuplicateOptions& options)
    : list_(list), options_(options), rest_(list.RowCount()), finalName_(list.RowCount()),
      newName_(options.firstNewName) {
    for (int row = 1; row < list.RowCount(); ++row) {
        rest_[row] = RestKey(list, row, options.key);
        Add(BucketFor(list.Cell(row, kColName), row), {row});
    }
}

size_t RenameCascade::BucketFor(const std::string& name, int row) {
    std::string key;
    AppendKeyField(key, name);
    key += rest_[row];
    auto [it, added] = ids_.try_emplace(std::move(key), buckets_.size());
    if (added) {
        buckets_.push_back({name, {}, 0});
    }
    return it->second;
}

// Merges ascending rows into the waiting rows of a bucket.
void RenameCascade::Add(size_t id, std::vector<int> rows) {
    Bucket& bucket = buckets_[id];
    if (!bucket.Waiting()) {
        bucket.rows = std::move(rows);
    } else {
        std::vector<int> merged;
        merged.reserve(bucket.rows.size() - bucket.front + rows.size());
        std::merge(bucket.rows.begin() + static_cast<std::ptrdiff_t>(bucket.front), bucket.rows.end(), rows.begin(),
                   rows.end(), std::back_inserter(merged));
        bucket.rows = std::move(merged);
    }
    bucket.front = 0;
    fronts_.emplace(bucket.rows.front(), id);
}

// The bucket of `row`, the first row still waiting anywhere, with that row marked as done.
size_t RenameCascade::TakeTurn(int row) {
    for (;;) {
        auto [front, id] = fronts_.top();
        fronts_.pop();
        Bucket& bucket = buckets_[id];
        if (front == row && bucket.Waiting() && bucket.rows[bucket.front] == row) {
            ++bucket.front;
            return id;
        }
    }
}

void RenameCascade::RenameBelow(int row, std::vector<int> below, const std::string& name) {
    count_ += static_cast<std::int64_t>(below.size());
    if (options_.action == DuplicateAction::RenameFromOld) {
        // All of them had the compared row's name, so they all get the same new name and stay together.
        Add(BucketFor(options_.head + name + options_.tail, row), std::move(below));
        return;
    }
    for (int other : below) {
        std::string next = NextPointName(newName_, options_.increment);
        Add(BucketFor(newName_, other), {other});
        newName_ = std::move(next);
    }
}

CleanupPlan RenameCascade::Run() {
    int last = list_.RowCount() - 1;
    for (int row = 1; row < last; ++row) {
        size_t id = TakeTurn(row);
        Bucket& bucket = buckets_[id];
        std::string name = bucket.name;
        finalName_[row] = name;
        if (!bucket.Waiting()) {
            continue;
        }
        std::vector<int> below(bucket.rows.begin() + static_cast<std::ptrdiff_t>(bucket.front), bucket.rows.end());
        bucket.rows.clear();
        bucket.front = 0;
        RenameBelow(row, std::move(below), name);
    }
    for (const Bucket& bucket : buckets_) {
        for (size_t i = bucket.front; i < bucket.rows.size(); ++i) {
            finalName_[bucket.rows[i]] = bucket.name;
        }
    }
    CleanupPlan plan;
    plan.count = count_;
    for (int row = 1; row <= last; ++row) {
        if (finalName_[row] != list_.Cell(row, kColName)) {
            plan.renamedRows.emplace_back(row, std::move(finalName_[row]));
        }
    }
    return plan;
}

} // namespace

CleanupPlan PlanRenameCascade(const XyzList& list, const DuplicateOptions& options) {
    return RenameCascade(list, options).Run();
}

} // namespace vemo
