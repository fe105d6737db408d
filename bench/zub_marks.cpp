// What the ZUB Editor computes on each edit to mark the readings over the class's limits: the whole
// book reduced station by station and the cells of every failing figure, on a long book of 250
// stations, two targets each, two sets of both faces (2,252 records), with one station in five over
// 3級's 倍角差.
#include "core/traverse/SurveyClass.h"
#include "core/zub/ZubStationCheck.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace vemo;

std::string Packed(double degrees) {
    const int totalSeconds = static_cast<int>(degrees * 3600 + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%d.%02d%02d", totalSeconds / 3600, totalSeconds / 60 % 60, totalSeconds % 60);
    return text;
}

std::vector<ZubRow> LongBook() {
    std::vector<ZubRow> rows{ZubRow{"A", "01"}};
    for (int s = 0; s < 250; ++s) {
        const std::string back = "T" + std::to_string(s);
        const std::string fore = "T" + std::to_string(s + 2);
        rows.push_back(ZubRow{"D", "T" + std::to_string(s + 1), "", "1.450", "0", "2200002"});
        const double angle = 150 + s % 60;
        const double error = s % 5 == 0 ? 40.0 / 3600 : 0; // 倍角差 40″ in set 2
        for (int set = 1; set <= 2; ++set) {
            const double zero = set == 1 ? 0 : 90;
            const double shift = set == 2 ? error : 0;
            auto f = [&](const std::string& target, const char* face, int dir, double h, double v) {
                rows.push_back(ZubRow{"F", target, "", "1.500",
                                      std::string(face) + std::to_string(set) + "00" + std::to_string(dir), Packed(h),
                                      Packed(v), "52.345", "52.346"});
            };
            f(back, "r", 1, zero, 88.5);
            f(fore, "r", 2, zero + angle + shift, 91.5);
            f(fore, "l", 2, zero + angle + 180, 268.5);
            f(back, "l", 1, zero + 180, 271.5);
        }
    }
    rows.push_back(ZubRow{"Z", "&"});
    return rows;
}

void BM_MarkLongBook(benchmark::State& state) {
    const std::vector<ZubRow> book = LongBook();
    const ObservationLimits limits = GradeObservationLimits(3, false);
    size_t cells = 0;
    for (auto _ : state) {
        const std::vector<ZubCellOverLimit> over = ZubCellsOverLimit(ReduceZubStations(book), limits);
        cells = over.size();
        benchmark::DoNotOptimize(cells);
    }
    state.counters["records"] = static_cast<double>(book.size());
    state.counters["marked_cells"] = static_cast<double>(cells);
}
BENCHMARK(BM_MarkLongBook)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
