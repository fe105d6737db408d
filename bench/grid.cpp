// Coordinate grid with a full list: row commands at the top through the model and view, jumping to the
// end, and the duplicate cleanup of 99,998 rows.
#include "core/edit/Cleanup.h"
#include "core/store/XyzList.h"
#include "core/text/Numbers.h"
#include "ui/grid/GridRowOps.h"
#include "ui/grid/XyzStrGrid.h"
#include "ui/grid/XyzTableModel.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>

namespace vemo {
namespace {

// A surveyed site: names T1 .. Tn, coordinates in metres around a public coordinate origin, and every
// tenth row a repeat of an earlier point: the same position under another name, or every other time
// the same point read in twice (name too).
std::vector<XyzRow> SiteRows(int count, int duplicateEvery) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> offset(0, 2000);
    std::vector<XyzRow> rows(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        XyzRow& row = rows[i];
        row[kColName] = "T" + std::to_string(i + 1);
        if (duplicateEvery > 0 && i > 0 && i % duplicateEvery == 0) {
            const XyzRow& earlier = rows[random() % i];
            row[kColX] = earlier[kColX];
            row[kColY] = earlier[kColY];
            if (i % (2 * duplicateEvery) == 0) {
                row[kColName] = earlier[kColName];
            }
        } else {
            row[kColX] = Format3(-12000 + offset(random));
            row[kColY] = Format3(30000 + offset(random));
        }
        row[kColZ] = "0.000";
    }
    return rows;
}

void BM_GridInsertRowAtTop(benchmark::State& state) {
    XyzList list;
    list.ReplaceAll(SiteRows(kMaxPointRows - 1, 0));
    XyzStrGrid grid(list);
    grid.resize(700, 600);
    grid.show();
    for (auto _ : state) {
        grid.setCurrentCell({1, kColName});
        GridInsertRow(grid);
        QApplication::processEvents(); // the view lays out and repaints as after a key
        state.PauseTiming();
        GridDeleteRow(grid);
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["rows"] = list.PointRowCount();
}
BENCHMARK(BM_GridInsertRowAtTop)->Unit(benchmark::kMillisecond);

void BM_GridDeleteRowAtTop(benchmark::State& state) {
    XyzList list;
    list.ReplaceAll(SiteRows(kMaxPointRows, 0));
    XyzStrGrid grid(list);
    grid.resize(700, 600);
    grid.show();
    for (auto _ : state) {
        grid.setCurrentCell({1, kColName});
        GridDeleteRow(grid);
        QApplication::processEvents();
        state.PauseTiming();
        GridInsertRow(grid);
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GridDeleteRowAtTop)->Unit(benchmark::kMillisecond);

void BM_GridJumpToEndAndBack(benchmark::State& state) {
    XyzList list;
    list.ReplaceAll(SiteRows(kMaxPointRows, 0));
    XyzStrGrid grid(list);
    grid.resize(700, 600);
    grid.show();
    for (auto _ : state) {
        grid.setCurrentCell({list.RowCount() - 1, kColY});
        benchmark::DoNotOptimize(grid.grab()); // renders the visible rows as a repaint would
        grid.setCurrentCell({1, kColName});
        benchmark::DoNotOptimize(grid.grab());
    }
}
BENCHMARK(BM_GridJumpToEndAndBack)->Unit(benchmark::kMillisecond);

void RunCleanup(benchmark::State& state, const DuplicateOptions& options) {
    const std::vector<XyzRow> rows = SiteRows(kMaxPointRows, 10);
    for (auto _ : state) {
        state.PauseTiming();
        XyzList list;
        list.ReplaceAll(rows);
        state.ResumeTiming();
        CleanupPlan plan = PlanDuplicateCleanup(list, options);
        ApplyCleanupPlan(list, plan);
        state.counters["duplicates"] = static_cast<double>(plan.count);
    }
}

void BM_CleanupDelete(benchmark::State& state) {
    RunCleanup(state, DuplicateOptions{});
}
BENCHMARK(BM_CleanupDelete)->Unit(benchmark::kMillisecond);

void BM_CleanupReplaceNamesAndPositions(benchmark::State& state) {
    DuplicateOptions options;
    options.key = {true, true, false};
    options.action = DuplicateAction::ReplaceWithNew;
    options.firstNewName = "BP-1";
    RunCleanup(state, options);
}
BENCHMARK(BM_CleanupReplaceNamesAndPositions)->Unit(benchmark::kMillisecond);

void BM_CleanupRenameByPosition(benchmark::State& state) {
    DuplicateOptions options;
    options.action = DuplicateAction::RenameFromOld;
    RunCleanup(state, options);
}
BENCHMARK(BM_CleanupRenameByPosition)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vemo

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
