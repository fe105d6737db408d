// The name index is the hot path of every calculation and of parcel drawing; a full list has 99,998
// points.  Rebuilding it, looking names up, and inserting or removing one row at the top of a full
// list (which moves and renumbers every row) are measured here.
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Numbers.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using vemo::XyzList;
using vemo::XyzRow;

// Names in shuffled order so that the sort has real work; coordinates formatted as loaded files are.
std::vector<XyzRow> FullListRows() {
    std::vector<XyzRow> rows;
    rows.reserve(vemo::kMaxPointRows);
    for (int i = 0; i < vemo::kMaxPointRows; ++i) {
        rows.push_back({"", "K" + std::to_string(i + 1), vemo::Format3(-12345.678 + i * 0.731),
                        vemo::Format3(54321.123 - i * 0.417), "12.345", "", ""});
    }
    std::mt19937 random(42);
    std::shuffle(rows.begin(), rows.end(), random);
    return rows;
}

const XyzList& FullList() {
    static const XyzList list = [] {
        XyzList l;
        l.ReplaceAll(FullListRows());
        return l;
    }();
    return list;
}

void BM_RebuildNameIndex(benchmark::State& state) {
    const XyzList& list = FullList();
    vemo::XyzNameIndex index;
    for (auto _ : state) {
        index.Rebuild(list);
        benchmark::DoNotOptimize(index.Count());
    }
}
BENCHMARK(BM_RebuildNameIndex)->Unit(benchmark::kMillisecond);

void BM_FindPointXY_100000(benchmark::State& state) {
    vemo::XyzNameIndex index;
    index.Rebuild(FullList());
    std::vector<std::string> wanted;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pick(1, vemo::kMaxPointRows + 1000); // about 1% not found
    for (int i = 0; i < 100000; ++i) {
        wanted.push_back("K" + std::to_string(pick(random)));
    }
    for (auto _ : state) {
        int found = 0;
        for (const std::string& name : wanted) {
            found += index.Find(name).has_value();
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_FindPointXY_100000)->Unit(benchmark::kMillisecond);

// Removing row 1 of the full list, then (untimed) putting it back.
void BM_RemoveRowOneOfFullList(benchmark::State& state) {
    XyzList list;
    list.ReplaceAll(FullListRows());
    for (auto _ : state) {
        list.RemoveRows(1, 1);
        state.PauseTiming();
        list.InsertEmptyRows(1, 1);
        state.ResumeTiming();
    }
    benchmark::DoNotOptimize(list.RowCount());
}
BENCHMARK(BM_RemoveRowOneOfFullList)->Unit(benchmark::kMillisecond);

// Inserting a row at row 1 so that the list reaches 99,998 rows, then (untimed) taking it out.
void BM_InsertRowOneOfFullList(benchmark::State& state) {
    XyzList list;
    list.ReplaceAll(FullListRows());
    list.RemoveRows(1, 1);
    for (auto _ : state) {
        list.InsertEmptyRows(1, 1);
        state.PauseTiming();
        list.RemoveRows(1, 1);
        state.ResumeTiming();
    }
    benchmark::DoNotOptimize(list.RowCount());
}
BENCHMARK(BM_InsertRowOneOfFullList)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
