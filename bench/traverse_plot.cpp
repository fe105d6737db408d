// The traverse plot repaints at every distance typed while real-time drawing is on, over a site that
// may hold 99,998 points: measured here, the paint of a 1200 x 800 traverse plot with a 1,997-row
// open traverse and every existing point dimmed, fitted to the whole site (the view after a
// computation), beside the raw computation the same keystroke runs.
#include "core/settings/Settings.h"
#include "core/store/Store.h"
#include "core/traverse/ComputeRawTraverse.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsState.h"
#include "core/traverse/TrvsTable.h"
#include "ui/traverse/TrvsPlot.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

namespace {

using namespace vemo;

// A site of 1.2 x 0.9 km with traverse points, boundary marks and numbers.
void FillSite(Store& store, int count) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> north(0, 900);
    std::uniform_real_distribution<double> east(0, 1200);
    const char* prefixes[] = {"", "T", "K-", "B", "P"};
    std::vector<XyzRow> rows;
    char x[32];
    char y[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(x, sizeof x, "%.3f", 10000 + north(random));
        std::snprintf(y, sizeof y, "%.3f", -20000 + east(random));
        rows.push_back({"", prefixes[i % 5] + std::to_string(i + 1), x, y, "", "", ""});
    }
    store.xyz.ReplaceAll(std::move(rows));
    store.RebuildNameIndex();
}

// An open traverse of the full 1,997 rows winding east across the site, 0.5 m legs.
void FillTraverse(TrvsHeader& header, TrvsTable& table) {
    header.TrvsType = kTrvsOpen;
    header.T0No = "S1";
    header.T0X = "10450.000";
    header.T0Y = "-19900.000";
    header.T1No = "N";
    header.T1Angle = "0.0000";
    header.startIncoming = false;
    std::vector<TrvsRow> rows;
    for (int row = 1; row <= kTrvsMaxRows; ++row) {
        TrvsRow cells;
        cells[kTrvColNo] = std::to_string(row);
        cells[kTrvColTm] = row % 10 == 0 ? "K" : "O";
        cells[kTrvColTarget] = "S" + std::to_string(row + 1);
        cells[kTrvColHAngle] = row == 1 ? "90.0000" : (row % 2 == 0 ? "181.0000" : "179.0000");
        cells[kTrvColVAngle] = "90.0000";
        cells[kTrvColSlope] = "0.500";
        cells[kTrvColInstH] = row == 1 ? "0.000" : "";
        cells[kTrvColTargetH] = row == 1 ? "0.000" : "";
        rows.push_back(cells);
    }
    table.SetRows(std::move(rows), "O");
}

struct Scene {
    Store store;
    TrvsHeader header;
    TrvsTable table;
    TrvsOptions options;
    TrvsState state;
    TrvsKnownPoints known{store};
    std::unique_ptr<TrvsPlot> plot;

    Scene() {
        FillSite(store, kMaxPointRows);
        FillTraverse(header, table);
        ComputeRawTraverse(state, TrvsInput{header, table, options, known});
        plot = std::make_unique<TrvsPlot>(store, state, header, table);
        plot->resize(1200, 800);
        plot->SetOptions(options, Settings{});
        plot->Fit();
    }
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

// A paint after the view or the list changed: everything is drawn.
void BM_TraversePlotRepaint(benchmark::State& state) {
    Scene& scene = TheScene();
    for (auto _ : state) {
        scene.plot->SetOptions(scene.options, Settings{});
        QImage image = scene.plot->grab().toImage();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["rows"] = scene.table.ObservationRows();
    state.counters["drawn"] = static_cast<double>(scene.plot->DrawnExisting().names.size());
}

// A paint for the cross-hair at a mouse move: the list's points come from the kept picture.
void BM_TraversePlotPointerMove(benchmark::State& state) {
    Scene& scene = TheScene();
    for (auto _ : state) {
        QImage image = scene.plot->grab().toImage();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_TraverseRawComputation(benchmark::State& state) {
    Scene& scene = TheScene();
    for (auto _ : state) {
        ComputeRawTraverse(scene.state, TrvsInput{scene.header, scene.table, scene.options, scene.known});
    }
}

BENCHMARK(BM_TraversePlotRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TraversePlotPointerMove)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TraverseRawComputation)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
