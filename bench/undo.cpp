// Undo and redo of the largest single change a surveyor makes by hand: the duplicate cleanup of a full
// list of 99,998 points that removes 9,999 of them.  Goals: well under 100 ms each way, and a step that
// holds the removed rows only (under 5 MB), not a copy of the list.
#include "core/edit/Cleanup.h"
#include "core/store/Store.h"
#include "core/text/Numbers.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <string>
#include <vector>

namespace {

using namespace vemo;

// Every tenth point repeats the coordinates of the one before it (a point measured twice).
std::vector<XyzRow> ListWithDuplicates() {
    std::vector<XyzRow> rows;
    rows.reserve(kMaxPointRows);
    for (int i = 0; i < kMaxPointRows; ++i) {
        const int position = i % 10 == 9 ? i - 1 : i;
        rows.push_back({"", "K" + std::to_string(i + 1), Format3(-12345.678 + position * 0.731),
                        Format3(54321.123 - position * 0.417), "12.345", "", ""});
    }
    return rows;
}

std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

// A store after the cleanup, its step on the undo history.
struct CleanedStore {
    Store store;
    std::size_t heapHeldByStep = 0;
    CleanedStore() {
        store.xyz.ReplaceAll(ListWithDuplicates());
        store.history.Clear();
        const CleanupPlan plan = PlanDuplicateCleanup(store.xyz, DuplicateOptions{});
        const std::size_t before = HeapInUse();
        {
            UndoScope step(store.history, "cleanup");
            ApplyCleanupPlan(store.xyz, plan);
        }
        heapHeldByStep = HeapInUse() - before; // the list keeps its capacity: what grew is the step
    }
};

void Report(benchmark::State& state, const CleanedStore& cleaned) {
    state.counters["removed"] = kMaxPointRows - (cleaned.store.xyz.PointRowCount());
    state.counters["step_MB"] = static_cast<double>(cleaned.store.history.UndoBytes()) / 1e6;
    state.counters["heap_MB"] = static_cast<double>(cleaned.heapHeldByStep) / 1e6;
}

void BM_UndoCleanupOf9999Duplicates(benchmark::State& state) {
    CleanedStore cleaned;
    Report(state, cleaned);
    for (auto _ : state) {
        cleaned.store.history.Undo();
        state.PauseTiming();
        cleaned.store.history.Redo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoCleanupOf9999Duplicates)->Unit(benchmark::kMillisecond);

void BM_RedoCleanupOf9999Duplicates(benchmark::State& state) {
    CleanedStore cleaned;
    Report(state, cleaned);
    for (auto _ : state) {
        state.PauseTiming();
        cleaned.store.history.Undo();
        state.ResumeTiming();
        cleaned.store.history.Redo();
    }
}
BENCHMARK(BM_RedoCleanupOf9999Duplicates)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
