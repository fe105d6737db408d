// A surveyor zooms and pans a site of up to 99,998 points all day, and every view change repaints the
// plot.  Measured here: the base paint of a 1200 x 800 plot, every point drawn and named where its name
// has room, in the overview and after a zoom into detail, beside the plain loop of one ellipse and one
// text call per point over the same points and names.  Before the timings the program compares the two
// pictures pixel by pixel, for 400 points set apart and for the full, heavily overlapping overview, and
// tells how many names had room.  Times are wall-clock times, since large views are drawn by one
// thread per core.  With VEMO_SCREENSHOT_DIR set it also saves the plot widget's overview and zoomed
// pictures of the full site there.
#include "core/store/Store.h"
#include "ui/plot/PlotCanvas.h"
#include "ui/plot/PlotScene.h"
#include "ui/plot/PlotView.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <algorithm>
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

// The rectangle zoom of a surveyor looking at one block: an eighth of the overview's width (or the
// given part of it).
PlotSceneState Zoomed(const Store& store, const PlotSettings& settings, double factor = 8) {
    PlotSceneState state = Overview(store, settings);
    state.view.scale *= factor;
    state.nameSize = settings.bigFont;
    return state;
}

PlotScene& Scene() {
    static PlotScene scene;
    return scene;
}

// Returns how many points were drawn.
std::size_t PaintFast(QImage& image, const Store& store, const PlotSettings& settings, const PlotSceneState& state) {
    Scene().Render(image, store, settings, state);
    return Scene().DrawnPoints().names.size();
}

// The plain way, point by point, with the same visibility test and the same placement: the circles,
// then over them the names where `named` (one entry per point in view) says.
void PaintNaive(QImage& image, const Store& store, const PlotSettings& settings, const PlotSceneState& state,
                const std::vector<unsigned char>& named) {
    image.fill(ColourFromBgr(settings.backColour));
    QPainter painter(&image);
    const QFont font = PlotNameFont(state.nameSize);
    painter.setFont(font);
    const int ascent = QFontMetrics(font, &image).ascent();
    const bool overview = state.nameSize == settings.smallFont;
    const int d = overview ? settings.smallCircle : settings.bigCircle;
    const XyzNameIndex& index = store.Index();
    std::vector<int> shown; // index entries in view
    for (int e = 0; e < index.Count(); ++e) {
        if (state.view.IsVisible(index.RowX(index.RowAt(e)), index.RowY(index.RowAt(e)))) {
            shown.push_back(e);
        }
    }
    painter.setPen(ColourFromBgr(settings.circleColour));
    for (int e : shown) {
        DrawPointCircle(painter, state.view.ToPixel(index.RowX(index.RowAt(e)), index.RowY(index.RowAt(e))), d);
    }
    for (size_t k = 0; k < shown.size(); ++k) {
        if (!named[k]) {
            continue;
        }
        const int e = shown[k];
        const std::string& name = index.NameAt(e);
        painter.setPen(ColourFromBgr(settings.NameColour(name)));
        const PlotPixel p = state.view.ToPixel(index.RowX(index.RowAt(e)), index.RowY(index.RowAt(e)));
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
        double zoom; // 1: the overview
    };
    for (const Case& c :
         {Case{"400 points, overview", 400, 1}, Case{"400 points, zoomed", 400, 8},
          Case{"99,998 points, overview", kMaxPointRows, 1}, Case{"99,998 points, zoomed", kMaxPointRows, 8},
          Case{"99,998 points, zoomed 64 times", kMaxPointRows, 64}}) {
        Store& store = Site(c.count, 1.0);
        const PlotSceneState state = c.zoom == 1 ? Overview(store, settings) : Zoomed(store, settings, c.zoom);
        QImage fast = Canvas();
        QImage naive = Canvas();
        const std::size_t drawn = PaintFast(fast, store, settings, state);
        const std::vector<unsigned char> named = Scene().NamesDrawn();
        PaintNaive(naive, store, settings, state, named);
        std::printf("placement check, %s: %ld of %d pixels differ; %zu points, %zu names drawn\n", c.what,
                    DifferentPixels(fast, naive), kWidth * kHeight, drawn,
                    static_cast<std::size_t>(std::count(named.begin(), named.end(), 1)));
    }
}

// The plot widget as the surveyor sees it: the full site fitted, then zoomed as in the benchmark (the
// wheel switches to the detail names, the view is then set to the benchmark's).
void SaveScreenshots(const QString& dir) {
    Store& store = Site(kMaxPointRows, 1.0);
    PlotView plot(store);
    plot.resize(kWidth, kHeight);
    plot.show();
    QApplication::processEvents();
    plot.FitAllPoints();
    const PlotViewport overview = plot.Viewport();
    plot.grab().save(QDir(dir).filePath("plot-overview.png"));
    const QPoint middle = plot.mapToGlobal(QPoint(kWidth / 2, kHeight / 2));
    plot.HandleWheel(middle, -120);
    plot.HandleWheel(middle, -120);
    plot.SetView(overview.centreX, overview.centreY, overview.scale * 8);
    plot.grab().save(QDir(dir).filePath("plot-zoomed.png"));
    std::printf("screenshots in %s\n", qPrintable(dir));
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
    const std::vector<unsigned char>& named = Scene().NamesDrawn();
    s.counters["named"] = static_cast<double>(std::count(named.begin(), named.end(), 1));
}

void BM_OverviewNaive(benchmark::State& s) {
    const PlotSettings settings;
    Store& store = Site(kMaxPointRows, 1.0);
    const PlotSceneState state = Overview(store, settings);
    QImage image = Canvas();
    PaintFast(image, store, settings, state);
    const std::vector<unsigned char> named = Scene().NamesDrawn();
    for (auto _ : s) {
        PaintNaive(image, store, settings, state, named);
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
    const std::vector<unsigned char>& named = Scene().NamesDrawn();
    s.counters["named"] = static_cast<double>(std::count(named.begin(), named.end(), 1));
}

void BM_ZoomedNaive(benchmark::State& s) {
    const PlotSettings settings;
    Store& store = Site(kMaxPointRows, 1.0);
    const PlotSceneState state = Zoomed(store, settings);
    QImage image = Canvas();
    PaintFast(image, store, settings, state);
    const std::vector<unsigned char> named = Scene().NamesDrawn();
    for (auto _ : s) {
        PaintNaive(image, store, settings, state, named);
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
    if (const char* dir = std::getenv("VEMO_SCREENSHOT_DIR")) {
        SaveScreenshots(QString::fromLocal8Bit(dir));
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
