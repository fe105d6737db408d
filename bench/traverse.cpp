// Speed of the traverse engine on the largest table it takes: 1,997 observation rows.
#include "TraversePolygon.h"
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
using bench::TraversePolygon;

// The largest table the engine takes, 1,997 rows, with a real misclosure to distribute.
TraversePolygon Polygon(bool radialHalf) {
    return TraversePolygon({kTrvsMaxRows, radialHalf, true});
}

void BM_ComputeAndAdjust1997(benchmark::State& bm) {
    TraversePolygon polygon = Polygon(false);
    auto state = std::make_unique<TrvsState>();
    for (auto _ : bm) {
        ComputeRawTraverse(*state, polygon.Input());
        auto precision = AdjustTraverse(*state, polygon.Input());
        benchmark::DoNotOptimize(precision);
    }
}
BENCHMARK(BM_ComputeAndAdjust1997)->Unit(benchmark::kMillisecond);

void BM_AdjustWithListing1997(benchmark::State& bm) {
    TraversePolygon polygon = Polygon(false);
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
    TraversePolygon polygon = Polygon(true);
    auto state = std::make_unique<TrvsState>();
    for (auto _ : bm) {
        ComputeRawTraverse(*state, polygon.Input());
        benchmark::DoNotOptimize(state->TrvsPointCount);
    }
}
BENCHMARK(BM_RawOnly1997)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
