// Speed of the constant-area division on large parcels of 1,000 vertices, star-shaped and concave; the
// goal for the parallel method on a concave one is below 50 ms.
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

// Divides `parcel` in `direction` from its max (or min) vertex, securing state.range(0) per cent.
void RunParallel(benchmark::State& state, const DivisionParcel& parcel, double direction, bool fromMax) {
    const ExtremeVertices extremes = FindExtremeVertices(parcel, direction);
    const int start = fromMax ? extremes.max : extremes.min;
    const double target = parcel.area * state.range(0) / 100.0;
    for (auto _ : state) {
        DivisionResult result = DivideParallel(parcel, direction, start, target);
        benchmark::DoNotOptimize(result);
    }
}

void BM_ParallelDivision1000(benchmark::State& state) {
    RunParallel(state, LargeParcel(1000), 33.5, true);
}
// Secured shares of 10 % (the coarse sweep crosses most of the parcel) and 50 %.
BENCHMARK(BM_ParallelDivision1000)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

// An L-shaped lot 300 m across with a 150 m square cut out of one corner, its 1,000 vertices along
// gently wavy sides (a concave parcel as a long hedge or stream boundary gives it).
DivisionParcel ConcaveParcel(int n) {
    const PlanePoint corners[] = {{0, 0}, {300, 0}, {300, 150}, {150, 150}, {150, 300}, {0, 300}};
    DivisionParcel parcel;
    for (int k = 0; k < n; ++k) {
        const double along = 6.0 * k / n; // which side, and how far along it
        const int side = static_cast<int>(along);
        const double t = along - side;
        const PlanePoint a = corners[side], b = corners[(side + 1) % 6];
        const double wave = 0.4 * std::sin(40 * M_PI * t) * (t > 0.02 && t < 0.98);
        const double len = std::hypot(b.x - a.x, b.y - a.y);
        const double x = a.x + t * (b.x - a.x) - wave * (b.y - a.y) / len;
        const double y = a.y + t * (b.y - a.y) + wave * (b.x - a.x) / len;
        parcel.names.push_back("C" + std::to_string(k + 1));
        parcel.points.push_back({std::round((-35000 + x) * 1000) / 1000, std::round((12000 + y) * 1000) / 1000});
    }
    parcel.area = MillimetreRingFigures(parcel.points).area;
    return parcel;
}

// The line runs along the first side and moves across the L: at 75 % it cuts the upright arm.
void BM_ParallelDivisionConcave1000(benchmark::State& state) {
    RunParallel(state, ConcaveParcel(1000), 0, false);
}
BENCHMARK(BM_ParallelDivisionConcave1000)->Arg(25)->Arg(75)->Unit(benchmark::kMillisecond);

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
