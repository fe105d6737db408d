// A surveyor zooms and pans a site of up to 99,998 points all day, and every view change repaints the
// plot.  Measured here: the base paint of a 1200 x 800 plot with every point named, in the overview
// and after a zoom into detail, beside the plain loop of one ellipse and one text call per point over
// the same points.  Before the timings the program compares the two pictures pixel by pixel, for 400
// points set apart and for the full, heavily overlapping overview.  Times are wall-clock times, since
// large views are drawn by one thread per core.
#include "core/store/Store.h"
#include "ui/plot/PlotCanvas.h"
#include "ui/plot/PlotScene.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

using namespace vemo;

constexpr int kWidth = 1200;
constexpr int kHeight = 800;

// A site of 1.2 x 0.9 km with the usual mix of names: traverse points, boundary marks, numbers.
std::vector<XyzRow> SiteRows(int count, double spacing) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> north(0, 900 * spacing);
    std::uniform_real_distribution<double> east(0, 1200 * spacing);
    const char* prefixes[] = {"", "T", "K-", "B", "P"};
    std::vector<XyzRow> rows;
    rows.reserve(count);
    char x[32];
    char y[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(x, sizeof x, "%.3f", 10000 + north(random));
        std::snprintf(y, sizeof y, "%.3f", -20000 + east(random));
        rows.push_back({"", prefixes[i % 5] + std::to_string(i + 1), x, y, "", "", ""});
    }
    return rows;
}

Store& Site(int count, double spacing) {
    static std::map<std::pair<int, double>, std::unique_ptr<Store>> sites;
    auto& store = sites[{count, spacing}];
    if (!store) {
        store = std::make_unique<Store>();
        store->xyz.ReplaceAll(SiteRows(count, spacing));
        store->RebuildNameIndex();
    }
    return *store;
}

PlotSceneState Overview(const Store& store, const PlotSettings& settings) {
    PlotSceneState state;
    state.view = *FitViewport(store.Index().Extents(), kWidth, kHeight);
    state.nameSize = settings.smallFont;
    state.parcels = false;
    return state;
}

// The rectangle zoom of a surveyor looking at one block: an eighth of the overview's width.
PlotSceneState Zoomed(const Store& store, const PlotSettings& settings) {
    PlotSceneState state = Overview(store, settings);
    state.view.scale *= 8;
    state.nameSize = settings.bigFont;
    return state;
}

// Returns how many points were drawn.
std::size_t PaintFast(QImage& image, const Store& store, const PlotSettings& settings, const PlotSceneState& state) {
    static PlotScene scene;
    scene.Render(image, store, settings, state);
    return scene.DrawnPoints().names.size();
}

// The plain way, point by point, with the same visibility test and the same placement.
void PaintNaive(QImage& image, const Store& store, const PlotSettings& settings, const PlotSceneState& state) {
    image.fill(ColourFromBgr(settings.backColour));
    QPainter painter(&image);
    const QFont font = PlotNameFont(state.nameSize);
    painter.setFont(font);
    const int ascent = QFontMetrics(font, &image).ascent();
    const bool overview = state.nameSize == settings.smallFont;
    const int d = overview ? settings.smallCircle : settings.bigCircle;
    const QColor circle = ColourFromBgr(settings.circleColour);
    for (int e = 0; e < store.Index().Count(); ++e) {
        const int row = store.Index().RowAt(e);
        const double x = store.Index().RowX(row);
        const double y = store.Index().RowY(row);
        if (!state.view.IsVisible(x, y)) {
            continue;
        }
        const std::string& name = store.Index().NameAt(e);
        const PlotPixel p = state.view.ToPixel(x, y);
        painter.setPen(circle);
        DrawPointCircle(painter, p, d);
        painter.setPen(ColourFromBgr(settings.NameColour(name)));
        const QPoint topLeft = PointNameTopLeft(p, d);
        painter.drawText(topLeft.x(), topLeft.y() + ascent, PlotText(name));
    }
}

QImage Canvas() {
    return QImage(kWidth, kHeight, QImage::Format_RGB32);
}

long DifferentPixels(const QImage& a, const QImage& b) {
    long n = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            n += la[x] != lb[x];
        }
    }
    return n;
}

void CheckPlacement() {
    const PlotSettings settings;
    struct Case {
        const char* what;
        int count;
        bool zoomed;
    };
    for (const Case& c :
         {Case{"400 points, overview", 400, false}, Case{"400 points, zoomed", 400, true},
          Case{"99,998 points, overview", kMaxPointRows, false}, Case{"99,998 points, zoomed", kMaxPointRows, true}}) {
        Store& store = Site(c.count, 1.0);
        const PlotSceneState state = c.zoomed ? Zoomed(store, settings) : Overview(store, settings);
        QImage fast = Canvas();
        QImage naive = Canvas();
        PaintFast(fast, store, settings, state);
        PaintNaive(naive, store, settings, state);
        std::printf("placement check, %s: %ld of %d pixels differ\n", c.what, DifferentPixels(fast, naive),
                    kWidth * kHeight);
    }
}

void BM_OverviewFast(benchmark::State& s) {
    const PlotSettings settings;
    Store& store = Site(kMaxPointRows, 1.0);
    const PlotSceneState state = Overview(store, settings);
    QImage image = Canvas();
    std::size_t drawn = 0;
    for (auto _ : s) {
        drawn = PaintFast(image, store, settings, state);
    }
    s.counters["drawn"] = static_cast<double>(drawn);
}

void BM_OverviewNaive(benchmark::State& s) {
    const PlotSettings settings;
    Store& store = Site(kMaxPointRows, 1.0);
    const PlotSceneState state = Overview(store, settings);
    QImage image = Canvas();
    for (auto _ : s) {
        PaintNaive(image, store, settings, state);
    }
}

void BM_ZoomedFast(benchmark::State& s) {
    const PlotSettings settings;
    Store& store = Site(kMaxPointRows, 1.0);
    const PlotSceneState state = Zoomed(store, settings);
    QImage image = Canvas();
    std::size_t drawn = 0;
    for (auto _ : s) {
        drawn = PaintFast(image, store, settings, state);
    }
    s.counters["drawn"] = static_cast<double>(drawn);
}

void BM_ZoomedNaive(benchmark::State& s) {
    const PlotSettings settings;
    Store& store = Site(kMaxPointRows, 1.0);
    const PlotSceneState state = Zoomed(store, settings);
    QImage image = Canvas();
    for (auto _ : s) {
        PaintNaive(image, store, settings, state);
    }
}

BENCHMARK(BM_OverviewFast)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OverviewNaive)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ZoomedFast)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ZoomedNaive)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    CheckPlacement();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
