// The calculation window recomputes its whole point grid after every name the surveyor enters, so a
// long traverse of a boundary (1,000 names) must still recompute at once: names resolved through the
// index of a full list, legs, included angles, the area and the grid texts.
#include "core/calc/PointGrid.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Numbers.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int kListPoints = 99998;
constexpr int kGridNames = 1000;

// A full list whose first 1,000 points lie on a circle, the boundary the grid walks around.
const vemo::XyzNameIndex& FullIndex() {
    static const vemo::XyzNameIndex index = [] {
        std::vector<vemo::XyzRow> rows;
        rows.reserve(kListPoints);
        for (int i = 0; i < kListPoints; ++i) {
            const double angle = 2 * M_PI * i / kGridNames;
            rows.push_back({"", "K" + std::to_string(i + 1), vemo::Format3(-1000 + 250 * std::cos(angle)),
                            vemo::Format3(2000 + 250 * std::sin(angle) + i / kGridNames), "", "", ""});
        }
        vemo::XyzList list;
        list.ReplaceAll(std::move(rows));
        vemo::XyzNameIndex built;
        built.Rebuild(list);
        return built;
    }();
    return index;
}

void RecomputeInverse(benchmark::State& state, vemo::GridMode mode) {
    const auto& index = FullIndex();
    std::vector<std::string> names;
    for (int i = 0; i < kGridNames; ++i) {
        names.push_back("K" + std::to_string(i + 1));
    }
    for (auto _ : state) {
        const auto result = vemo::ComputePointGrid(mode, vemo::ResolveGridNames(names, index));
        auto text = vemo::PointGridText(mode, names, result);
        benchmark::DoNotOptimize(text);
    }
}

void BM_RecomputeOpenInverse1000(benchmark::State& state) {
    RecomputeInverse(state, vemo::GridMode::InverseOpen);
}
void BM_RecomputeRadialInverse1000(benchmark::State& state) {
    RecomputeInverse(state, vemo::GridMode::InverseRadial);
}
BENCHMARK(BM_RecomputeOpenInverse1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecomputeRadialInverse1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
