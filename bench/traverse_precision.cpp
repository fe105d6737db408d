// What judging a traverse by its class and locating its blunder add to its adjustment, on the largest
// table the engine takes: 1,997 observation rows with one mistyped angle, so that the judgement fails
// and the blunder is looked for.
#include "TraversePolygon.h"
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

// A closed traverse round a circle of 1,997 stations with the angle of station 700 typed 1° too large
// (93 m of misclosure, beyond 4級's 42 m).
struct BlunderedPolygon : bench::TraversePolygon {
    BlunderedPolygon() : TraversePolygon({kTrvsMaxRows, false, false, 700, 1.0}) {}
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
