// Speed of a Helmert transformation of a full coordinate list: 99,998 selected points.
#include "core/store/Store.h"
#include "core/text/Numbers.h"
#include "core/transform/RegisterTransformed.h"
#include "core/transform/Transformation.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace vemo;

constexpr int kPoints = kMaxPointRows;

struct Site {
    std::unique_ptr<Store> store = std::make_unique<Store>();
    std::vector<std::string> selection;
    std::vector<ControlPair> pairs;

    Site() {
        std::vector<XyzRow> rows;
        rows.reserve(kPoints);
        for (int i = 0; i < kPoints; ++i) {
            const std::string name = "P" + std::to_string(i + 1);
            rows.push_back({"", name, Format3(-35000 + (i % 400) * 2.5), Format3(12000 + (i / 400) * 2.5), "0.000"});
            selection.push_back(name);
        }
        store->xyz.ReplaceAll(std::move(rows));
        store->RebuildNameIndex();
        // Six control pairs: the new system turned by 0.5°, scaled by 1.00001 and shifted.
        for (int k = 0; k < 6; ++k) {
            const PlanePoint old{-35000.0 + 150 * k, 12000.0 + 97 * (k % 3)};
            const PlanePoint moved{0.99997 * old.x - 0.0087 * old.y + 350, 0.0087 * old.x + 0.99997 * old.y - 120};
            pairs.push_back({"O" + std::to_string(k), "N" + std::to_string(k), old, moved});
        }
    }
};

// The computation: fit, look up every selected point, transform it.
void BM_HelmertApply99998(benchmark::State& state) {
    const Site site;
    for (auto _ : state) {
        const Transformation t = FitHelmert(site.pairs);
        double sum = 0;
        for (const std::string& name : site.selection) {
            const auto found = site.store->FindPointXY(name);
            sum += t.Apply({found->x, found->y}).x;
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_HelmertApply99998)->Unit(benchmark::kMillisecond);

// The whole registration by replacement: coordinates written back as text and the index rebuilt.
void BM_HelmertRegister99998(benchmark::State& state) {
    Site site;
    const Transformation t = FitHelmert(site.pairs);
    for (auto _ : state) {
        RegisterTransformed(*site.store, t, site.selection, {});
    }
}
BENCHMARK(BM_HelmertRegister99998)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
