// Speed of the constant-area division on a large parcel: 1,000 vertices round an irregular outline
// 400 m across, so the coarse sweep takes thousands of 0.1 m steps over a long boundary.
#include "core/division/ParallelDivision.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

namespace {

using namespace vemo;

DivisionParcel LargeParcel(int n) {
    DivisionParcel parcel;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * M_PI * k / n;
        const double r = 200 + 15 * std::sin(7 * a) + 5 * std::cos(23 * a); // a wavy, star-shaped outline
        const double x = std::round((-35000 + r * std::cos(a)) * 1000) / 1000;
        const double y = std::round((12000 + r * std::sin(a)) * 1000) / 1000;
        parcel.names.push_back("B" + std::to_string(k + 1));
        parcel.points.push_back({x, y});
    }
    parcel.area = MillimetreRingFigures(parcel.points).area;
    return parcel;
}

void BM_ParallelDivision1000(benchmark::State& state) {
    const DivisionParcel parcel = LargeParcel(1000);
    const double direction = 33.5;
    const int start = FindExtremeVertices(parcel, direction).max;
    const double target = parcel.area * state.range(0) / 100.0;
    for (auto _ : state) {
        DivisionResult result = DivideParallel(parcel, direction, start, target);
        benchmark::DoNotOptimize(result);
    }
}
// Secured shares of 10 % (the coarse sweep crosses most of the parcel) and 50 %.
BENCHMARK(BM_ParallelDivision1000)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_OnePointDivision1000(benchmark::State& state) {
    const DivisionParcel parcel = LargeParcel(1000);
    for (auto _ : state) {
        DivisionResult result = DivideFromFirstPoint(parcel, parcel.area * 0.9);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_OnePointDivision1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
