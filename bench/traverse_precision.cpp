// What judging a traverse by its class and locating its blunder add to its adjustment, on the largest
// table the engine takes: 1,997 observation rows with one mistyped angle, so that the judgement fails
// and the blunder is looked for.
#include "core/geometry/Angles.h"
#include "core/geometry/Inverse.h"
#include "core/store/Store.h"
#include "core/text/Numbers.h"
#include "core/traverse/AdjustTraverse.h"
#include "core/traverse/SurveyClass.h"
#include "core/traverse/TrvsBlunderLocation.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsInput.h"
#include "core/traverse/TrvsJudgement.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsResults.h"
#include "core/traverse/TrvsTable.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

using namespace vemo;

// A closed traverse round a circle of 1,997 stations from (50000, -20000), whole seconds and
// millimetres; the angle of station 700 typed 1° too large (93 m of misclosure, beyond 4級's 42 m).
struct BlunderedPolygon {
    TrvsHeader header;
    TrvsTable table;
    TrvsOptions options;
    Store store;
    TrvsKnownPoints known{store};

    BlunderedPolygon() {
        const int n = kTrvsMaxRows;
        std::vector<double> x(n), y(n);
        for (int k = 0; k < n; ++k) {
            const double a = 2 * M_PI * k / n;
            x[k] = 50000 + 3000 * std::cos(a);
            y[k] = -20000 - 3000 * std::sin(a);
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
            row[kTrvColTm] = "T";
            row[kTrvColTarget] = "P" + std::to_string(fore);
            const double angle = IncludedAngle(dir(back, k), dir(k, fore), 0) + (k == 700 ? 1.0 : 0.0);
            row[kTrvColHAngle] = Sprintf("%.4f", DegToDms(angle));
            row[kTrvColVAngle] = "90.0000";
            row[kTrvColSlope] = Sprintf("%.3f", std::hypot(x[fore] - x[k], y[fore] - y[k]));
            rows.push_back(row);
        }
        rows[0][kTrvColInstH] = rows[0][kTrvColTargetH] = "0.000";
        table.SetRows(rows, "T");
    }
    TrvsInput Input() const { return {header, table, options, known}; }
};

void BM_Adjust1997(benchmark::State& bm) {
    BlunderedPolygon polygon;
    for (auto _ : bm) {
        auto adjusted = AdjustTraverse(polygon.Input());
        benchmark::DoNotOptimize(adjusted);
    }
}
BENCHMARK(BM_Adjust1997)->Unit(benchmark::kMillisecond);

void BM_AdjustJudgeAndLocate1997(benchmark::State& bm) {
    BlunderedPolygon polygon;
    const SurveyClass fourth = *ParseSurveyClass("4");
    for (auto _ : bm) {
        auto adjusted = AdjustTraverse(polygon.Input());
        auto route = RouteOf(polygon.Input(), *adjusted);
        TrvsJudgement judgement = JudgeTraverse(fourth, *adjusted, &*route);
        std::vector<std::string> lines = JudgementLines(judgement);
        std::string blunder = BlunderText(judgement, *route);
        benchmark::DoNotOptimize(lines.data());
        benchmark::DoNotOptimize(blunder.data());
        if (!judgement.blunder || judgement.blunder->index != 700) {
            bm.SkipWithError("the planted blunder was not located");
        }
    }
}
BENCHMARK(BM_AdjustJudgeAndLocate1997)->Unit(benchmark::kMillisecond);

// The judgement and the location alone, on an adjustment done once.
void BM_JudgeAndLocateOnly1997(benchmark::State& bm) {
    BlunderedPolygon polygon;
    const SurveyClass fourth = *ParseSurveyClass("4");
    const auto adjusted = AdjustTraverse(polygon.Input());
    for (auto _ : bm) {
        auto route = RouteOf(polygon.Input(), *adjusted);
        TrvsJudgement judgement = JudgeTraverse(fourth, *adjusted, &*route);
        benchmark::DoNotOptimize(judgement.blunder);
    }
}
BENCHMARK(BM_JudgeAndLocateOnly1997)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
