// Parcel work at the limits of a site: the area list over 1,000 parcels of 100 vertices each (goal well
// under 50 ms), loading a 1,000-vertex parcel into the editor (well under 50 ms), and the printed
// coordinate list of 99,998 points, 1,539 pages, into a PDF (goal under 10 s, memory not growing with
// the page count: the peak resident size is reported beside the PDF size).
#include "core/files/BlkFile.h"
#include "core/parcels/AreaReports.h"
#include "core/parcels/ParcelArea.h"
#include "core/print/CoordinateListPrint.h"
#include "core/store/CommaList.h"
#include "core/store/Store.h"
#include "core/text/Numbers.h"
#include "ui/parcels/ParcelEditor.h"
#include "ui/plot/PlotScene.h"
#include "ui/print/ReportPrinter.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cmath>
#include <sys/resource.h>

namespace {

using vemo::Block;
using vemo::Store;

// 1,000 parcels of 100 vertices: each a regular 100-gon of its own points (100,000 names would pass the
// list's limit, so neighbouring parcels share the 99,998 points cyclically).
Store& SiteWithParcels() {
    static Store s;
    static const bool built = [] {
        std::vector<vemo::XyzRow> rows;
        for (int i = 0; i < vemo::kMaxPointRows; ++i) {
            int parcel = i / 100;
            double angle = (i % 100) * 2 * M_PI / 100;
            double x = (parcel / 40) * 50.0 + 20 * std::cos(angle);
            double y = (parcel % 40) * 50.0 + 20 * std::sin(angle);
            rows.push_back({"", "P" + std::to_string(i + 1), vemo::Format3(x), vemo::Format3(y), "", "", ""});
        }
        s.xyz.ReplaceAll(std::move(rows));
        s.RebuildNameIndex();
        std::vector<Block> blocks;
        for (int p = 0; p < vemo::kMaxBlocks; ++p) {
            std::vector<std::string> names;
            for (int v = 0; v < 100; ++v) {
                names.push_back("P" + std::to_string((p * 100 + v) % vemo::kMaxPointRows + 1));
            }
            names.push_back(names.front());
            names.emplace_back();
            blocks.push_back(Block{"B" + std::to_string(p + 1), vemo::EncodeCommaList(names), 102, 0, 0});
        }
        s.blocks.ReplaceAll(std::move(blocks));
        vemo::ComputeLabelPoints(s.blocks, s.Index());
        return true;
    }();
    (void)built;
    return s;
}

void BM_AreaList1000Parcels(benchmark::State& state) {
    Store& store = SiteWithParcels();
    std::vector<int> all = vemo::CoveredParcelPositions(store.blocks.Count(), {});
    for (auto _ : state) {
        benchmark::DoNotOptimize(vemo::AreaListLines(store.blocks, all, store.Index()));
    }
}

void BM_AreaReport1000Parcels(benchmark::State& state) {
    Store& store = SiteWithParcels();
    std::vector<int> all = vemo::CoveredParcelPositions(store.blocks.Count(), {});
    for (auto _ : state) {
        benchmark::DoNotOptimize(vemo::AreaReportLines(store.blocks, all, store.Index()));
    }
}

void BM_LoadThousandVertexParcel(benchmark::State& state) {
    Store store;
    std::vector<vemo::XyzRow> rows;
    std::vector<std::string> names;
    for (int i = 0; i < 1000; ++i) {
        double angle = i * 2 * M_PI / 1000;
        rows.push_back({"", "K" + std::to_string(i + 1), vemo::Format3(100 * std::cos(angle)),
                        vemo::Format3(100 * std::sin(angle)), "", "", ""});
        names.push_back("K" + std::to_string(i + 1));
    }
    names.push_back(names.front());
    names.emplace_back();
    store.xyz.ReplaceAll(std::move(rows));
    store.RebuildNameIndex();
    store.blocks.Add(Block{"BIG", vemo::EncodeCommaList(names), 1002, 0, 0});
    store.blocks.Add(Block{"SMALL", "K1,K2,K3,K1,", 5, 0, 0});
    vemo::ParcelEditor editor(store);
    editor.resize(300, 600);
    editor.show();
    for (auto _ : state) {
        editor.loadParcel(0);
        QApplication::processEvents();
        state.PauseTiming();
        editor.loadParcel(1);
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// The plot's overview of the whole site, 1200 x 800, every point named, with the 1,000 parcels
// outlined and labelled (goal under 100 ms) and without them.
void BM_OverviewRepaint(benchmark::State& state) {
    Store& store = SiteWithParcels();
    vemo::PlotSettings settings;
    vemo::PlotSceneState scene;
    scene.view = *vemo::FitViewport(store.Index().Extents(), 1200, 800);
    scene.nameSize = settings.smallFont;
    scene.parcels = state.range(0) != 0;
    scene.parcelNames = scene.parcels;
    QImage image(1200, 800, QImage::Format_RGB32);
    vemo::PlotScene plot;
    for (auto _ : state) {
        plot.Render(image, store, settings, scene);
    }
}

long PeakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_PrintFullListToPdf(benchmark::State& state) {
    Store& store = SiteWithParcels();
    vemo::CoordinateListPrint report = vemo::CoordinateListPrint::WholeList(store.xyz);
    QString pdf = QDir::temp().filePath(QStringLiteral("vemo-bench-list.pdf"));
    long before = PeakResidentKiB();
    for (auto _ : state) {
        vemo::PrintReportToPdf(pdf, QStringLiteral("bench"), [&](QPrinter& printer, const vemo::PrintProgress&) {
            vemo::ReportPrinter::printPages(printer, report);
        });
    }
    state.counters["pages"] = report.PageCount();
    state.counters["pdf_MiB"] = QFileInfo(pdf).size() / 1048576.0;
    state.counters["peak_rss_growth_MiB"] = (PeakResidentKiB() - before) / 1024.0;
}

} // namespace

BENCHMARK(BM_AreaList1000Parcels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AreaReport1000Parcels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadThousandVertexParcel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverviewRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PrintFullListToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
