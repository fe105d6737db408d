// A survey map of a whole subdivision: 50 parcels (a 10 × 5 block of lots of 72 points each, 2,021
// boundary points) laid out on a B4 sheet (the scale chosen: 1/1000) and printed to a PDF, or drawn as
// the register's TIFF (1 bit, Group 4, 400 dpi: 4047 × 5732 pixels).  Goal: under 2 s from the lists to
// the file, for either.  Measured separately: the layout alone (label placement is the part that grows
// with the points) and the whole jobs.
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/surveymap/BilevelTiff.h"
#include "core/surveymap/SurveyMapLayout.h"
#include "core/surveymap/SurveyMapModel.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"
#include "ui/print/ReportPrinter.h"
#include "ui/surveymap/SurveyMapPainter.h"

#include <QApplication>
#include <QDir>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

using namespace vemo;

// Lot (i, j) is 16 m × 20 m; each side carries 18 points, shared with the neighbouring lot (2,021 points
// in all).  Every lot is a subject parcel, so every side gets its distance and every point its name; at
// 1/1000 the points stand 0.9 mm apart, so most labels try every place they have before giving up: the
// worst case of the label placement.
struct Subdivision {
    XyzList list;
    BlockList blocks;
    surveymap::SurveyMapRequest request;

    Subdivision() {
        constexpr int kColumns = 10, kRows = 5, kPerSide = 18;
        constexpr double kWide = 16.0, kDeep = 20.0;
        std::vector<XyzRow> rows;
        auto name = [](double x, double y) { return Sprintf("%.0f_%.0f", x * 10, y * 10); };
        auto point = [&](double x, double y) {
            rows.push_back({"", name(x, y), Sprintf("%.3f", -35000 + x), Sprintf("%.3f", -8000 + y), "",
                            Jp("コンクリート杭"), ""});
        };
        for (int r = 0; r <= kRows * kPerSide; ++r) {
            for (int c = 0; c <= kColumns * kPerSide; ++c) {
                if (r % kPerSide == 0 || c % kPerSide == 0) {
                    point(r * kDeep / kPerSide, c * kWide / kPerSide);
                }
            }
        }
        for (int i = 0; i < kRows; ++i) {
            for (int j = 0; j < kColumns; ++j) {
                std::string ring;
                auto at = [&](double r, double c) { ring += name(r * kDeep / kPerSide, c * kWide / kPerSide) + ","; };
                for (int k = 0; k < kPerSide; ++k)
                    at(i * kPerSide, j * kPerSide + k);
                for (int k = 0; k < kPerSide; ++k)
                    at(i * kPerSide + k, (j + 1) * kPerSide);
                for (int k = 0; k < kPerSide; ++k)
                    at((i + 1) * kPerSide, (j + 1) * kPerSide - k);
                for (int k = 0; k < kPerSide; ++k)
                    at((i + 1) * kPerSide - k, j * kPerSide);
                std::string lot = std::to_string(100 + i * kColumns + j);
                blocks.Add(Block{lot, ring, 0, 0, 0});
                request.subjects.push_back(lot);
            }
        }
        list.ReplaceAll(rows);
        request.zone = 9;
    }
};

const surveymap::SurveyMapOptions kOptions{0, surveymap::PaperSize::B4, false};

void BM_Layout(benchmark::State& state) {
    Subdivision site;
    for (auto _ : state) {
        surveymap::SurveyMapModel model = surveymap::BuildSurveyMapModel(site.list, site.blocks, site.request, {});
        surveymap::SurveyMapLayout layout = surveymap::LayOutSurveyMap(model, kOptions);
        benchmark::DoNotOptimize(layout.texts.size());
        state.counters["points"] = static_cast<double>(model.points.size());
        state.counters["labels"] = static_cast<double>(layout.texts.size());
        state.counters["unplaced"] = layout.unplacedLabels;
    }
}

void BM_ListsToPdf(benchmark::State& state) {
    Subdivision site;
    QString path = QDir::temp().filePath(QStringLiteral("vemo-bench-survey-map.pdf"));
    for (auto _ : state) {
        surveymap::SurveyMapModel model = surveymap::BuildSurveyMapModel(site.list, site.blocks, site.request, {});
        surveymap::SurveyMapLayout layout = surveymap::LayOutSurveyMap(model, kOptions);
        PrintReportToPdf(path, QStringLiteral("survey map"),
                         [&](QPrinter& printer, const PrintProgress&) { surveymap::PrintSurveyMap(printer, layout); });
    }
    QFile::remove(path);
}

void BM_ListsToTiff(benchmark::State& state) {
    Subdivision site;
    for (auto _ : state) {
        surveymap::SurveyMapModel model = surveymap::BuildSurveyMapModel(site.list, site.blocks, site.request, {});
        surveymap::SurveyMapLayout layout = surveymap::LayOutSurveyMap(model, kOptions);
        std::string tiff = surveymap::BilevelTiffBytes(surveymap::RenderSurveyMapBilevel(layout));
        benchmark::DoNotOptimize(tiff.size());
        state.counters["scale"] = layout.scale;
        state.counters["bytes"] = static_cast<double>(tiff.size());
    }
}

BENCHMARK(BM_Layout)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ListsToPdf)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ListsToTiff)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
