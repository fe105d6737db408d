// Speed of the traverse engine on the largest table it takes: 1,997 observation rows.
#include "core/geometry/Angles.h"
#include "core/geometry/Inverse.h"
#include "core/store/Store.h"
#include "core/text/Numbers.h"
#include "core/traverse/AdjustTraverse.h"
#include "core/traverse/ComputeRawTraverse.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsState.h"
#include "core/traverse/TrvsTable.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

using namespace vemo;

// A closed traverse round a circle of 1,997 stations, angles rounded to whole seconds and distances to
// millimetres as a field book would hold them, so that there is a real misclosure to distribute.
struct Polygon {
    TrvsHeader header;
    TrvsTable table;
    TrvsOptions options;
    Store store;
    TrvsKnownPoints known{store};

    explicit Polygon(int n, bool radialHalf) {
        std::vector<double> x(n), y(n);
        for (int k = 0; k < n; ++k) {
            const double a = 2 * M_PI * k / n;
            x[k] = 50000 + 3000 * std::cos(a);
            y[k] = -20000 - 3000 * std::sin(a); // anticlockwise on the plane: interior angles
        }
        auto dir = [&](int from, int to) { return *InversePoints(x[from], y[from], x[to], y[to]).direction; };
        header.TrvsType = kTrvsClosed;
        header.T0No = "P0";
        header.T0X = Sprintf("%11.3f", x[0]);
        header.T0Y = Sprintf("%11.3f", y[0]);
        header.T1No = "P" + std::to_string(n - 1);
        header.T1Angle = Sprintf("%11.4f", DegToDms(dir(0, n - 1)));
        header.startIncoming = false;
        std::vector<TrvsRow> rows;
        for (int k = 0; k < n; ++k) {
            const int back = (k + n - 1) % n, fore = (k + 1) % n;
            TrvsRow row;
            row[kTrvColNo] = std::to_string(k + 1);
            row[kTrvColTm] = (radialHalf && k % 2 == 1) ? "K" : "T";
            row[kTrvColTarget] = "P" + std::to_string(fore);
            row[kTrvColHAngle] = Sprintf("%.4f", DegToDms(IncludedAngle(dir(back, k), dir(k, fore), 0)));
            row[kTrvColVAngle] = "90.0000";
            const double d = std::hypot(x[fore] - x[k], y[fore] - y[k]);
            row[kTrvColSlope] = Sprintf("%.3f", d + ((k % 3) - 1) * 0.001);
            rows.push_back(row);
        }
        rows[0][kTrvColInstH] = rows[0][kTrvColTargetH] = "0.000";
        table.SetRows(rows, "T");
    }
    TrvsInput Input() const { return {header, table, options, known}; }
};

void BM_ComputeAndAdjust1997(benchmark::State& bm) {
    Polygon polygon(kTrvsMaxRows, false);
    auto state = std::make_unique<TrvsState>();
    for (auto _ : bm) {
        ComputeRawTraverse(*state, polygon.Input());
        auto precision = AdjustTraverse(*state, polygon.Input());
        benchmark::DoNotOptimize(precision);
    }
}
BENCHMARK(BM_ComputeAndAdjust1997)->Unit(benchmark::kMillisecond);

void BM_AdjustWithListing1997(benchmark::State& bm) {
    Polygon polygon(kTrvsMaxRows, false);
    auto state = std::make_unique<TrvsState>();
    for (auto _ : bm) {
        std::vector<std::string> listing;
        AdjustTraverse(*state, polygon.Input(), &listing);
        benchmark::DoNotOptimize(listing.data());
    }
}
BENCHMARK(BM_AdjustWithListing1997)->Unit(benchmark::kMillisecond);

// The raw computation alone: what runs at every slope distance while real-time drawing is on.
void BM_RawOnly1997(benchmark::State& bm) {
    Polygon polygon(kTrvsMaxRows, true);
    auto state = std::make_unique<TrvsState>();
    for (auto _ : bm) {
        ComputeRawTraverse(*state, polygon.Input());
        benchmark::DoNotOptimize(state->TrvsPointCount);
    }
}
BENCHMARK(BM_RawOnly1997)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
