#include "ui/plot/PlotCanvas.h"
#include "ui/plot/PlotPointsRenderer.h"
#include "ui/plot/PlotScene.h"

#include "PlotTestData.h"
#include "core/text/Cp932.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>

namespace vemo {
namespace {

using test::LoadPoints;

PlotViewport View(double scale) {
    PlotViewport v;
    v.width = 400;
    v.height = 300;
    v.CentrePixels();
    v.scale = scale;
    return v;
}

QImage Background(const PlotSettings& settings) {
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(ColourFromBgr(settings.backColour));
    return image;
}

// The plain way: one ellipse call per point, then one text call per name where `named` says, both in
// index order (all points are in view).
void PaintNaively(QImage& image, const Store& store, const PlotViewport& view, const PlotSettings& settings, int d,
                  int fontSize, const std::vector<unsigned char>& named) {
    QPainter painter(&image);
    const QFont font = PlotNameFont(fontSize);
    painter.setFont(font);
    const int ascent = QFontMetrics(font, &image).ascent();
    const XyzNameIndex& index = store.Index();
    painter.setPen(ColourFromBgr(settings.circleColour));
    for (int e = 0; e < index.Count(); ++e) {
        DrawPointCircle(painter, view.ToPixel(index.RowX(index.RowAt(e)), index.RowY(index.RowAt(e))), d);
    }
    for (int e = 0; e < index.Count(); ++e) {
        if (named.at(e)) {
            painter.setPen(ColourFromBgr(settings.NameColour(index.NameAt(e))));
            const QPoint topLeft =
                PointNameTopLeft(view.ToPixel(index.RowX(index.RowAt(e)), index.RowY(index.RowAt(e))), d);
            painter.drawText(topLeft.x(), topLeft.y() + ascent, PlotText(index.NameAt(e)));
        }
    }
}

TEST(PlotRenderTest, FastPointsLandOnTheSamePixelsAsPlainDrawing) {
    Store store;
    // Apart from each other, so that stacking order cannot matter; a Japanese name and every initial.
    LoadPoints(store, {{"1", 0, 0},
                       {"T12", 60, -150},
                       {"K-7", -60, 120},
                       {"B3", 100, 100},
                       {Jp("境界ア"), -100, -100},
                       {"EDGE", 148, 195}});
    PlotSettings settings;
    const PlotViewport view = View(1.0);
    for (const auto& [d, size] : {std::pair{6, 5}, std::pair{10, 10}}) {
        QImage fast = Background(settings);
        XyzImagePoints drawn;
        PlotPointsRenderer renderer;
        renderer.Render(fast, store.Index(), view, settings, {d, size, true, {}}, drawn);
        // Set apart as they are, every name has room.
        EXPECT_EQ(renderer.NamesDrawn(), std::vector<unsigned char>(6, 1));
        QImage plain = Background(settings);
        PaintNaively(plain, store, view, settings, d, size, renderer.NamesDrawn());
        EXPECT_TRUE(fast == plain) << "circle " << d << ", font " << size;
        EXPECT_EQ(drawn.names.size(), 6u);
    }
}

TEST(PlotRenderTest, CrowdedPointsDrawnInBandsMatchPlainDrawingPixelForPixel) {
    // Enough points for the drawing to be split between threads, crowded so that circles and the names
    // that have room overlap everywhere, also across the border between the bands.
    Store store;
    std::vector<test::TestPoint> points;
    for (int i = 0; i < 12000; ++i) {
        const char* prefixes[] = {"", "T", "K-", "B"};
        points.push_back({prefixes[i % 4] + std::to_string(i), -140.0 + (i * 37 % 281), -190.0 + (i * 53 % 379)});
    }
    points.push_back({Jp("境界ア"), 0, 0});
    LoadPoints(store, points);
    PlotSettings settings;
    const PlotViewport view = View(1.0);
    QImage fast = Background(settings);
    XyzImagePoints drawn;
    PlotPointsRenderer renderer;
    PlotPointsRenderer::Options options{6, 5, true, {}};
    options.namedFirst = {Jp("境界ア")}; // last in the list, but named first
    renderer.Render(fast, store.Index(), view, settings, options, drawn);
    QImage plain = Background(settings);
    PaintNaively(plain, store, view, settings, 6, 5, renderer.NamesDrawn());
    EXPECT_TRUE(fast == plain);
    EXPECT_EQ(drawn.names.size(), 12001u);
    // Names of every colour, the Japanese one among them.
    EXPECT_GT(std::count(renderer.NamesDrawn().begin(), renderer.NamesDrawn().end(), 1), 100);
    EXPECT_EQ(
        renderer.NamesDrawn()[std::find(drawn.names.begin(), drawn.names.end(), Jp("境界ア")) - drawn.names.begin()],
        1);
}

TEST(PlotRenderTest, OnlyPointsInsideTheWindowAreDrawnAndCollected) {
    Store store;
    // The visible window of 400 x 300 at 1 px/m around (0, 0): X -150 .. 150, Y -200 .. 200.
    LoadPoints(store, {{"C", 150, 200}, {"A", -150, -200}, {"OUT1", 150.01, 0}, {"OUT2", 0, -200.01}, {"B", 0, 0}});
    PlotSettings settings;
    QImage image = Background(settings);
    XyzImagePoints drawn;
    drawn.names = {"stale"};
    drawn.x = {0};
    drawn.y = {0};
    PlotPointsRenderer().Render(image, store.Index(), View(1.0), settings, {6, 5, true, {}}, drawn);
    // In index (name) order, corners included.
    EXPECT_EQ(drawn.names, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_DOUBLE_EQ(drawn.x[2], 150);
    EXPECT_DOUBLE_EQ(drawn.y[2], 200);
}

int CountPixels(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += image.pixel(x, y) == colour;
        }
    }
    return n;
}

TEST(PlotRenderTest, ShiftHidesAllNamesButThePointsStayPickable) {
    Store store;
    LoadPoints(store, {{"P1", 0, 0}, {"P2", 50, 50}, {"T3", -50, 50}});
    PlotSettings settings;
    settings.nameColour = settings.initialColours[0] = 0x00FF00; // pure green names
    PlotSceneState state;
    state.view = View(1.0);
    state.nameSize = settings.smallFont;
    PlotScene scene;
    QImage image = Background(settings);
    scene.Render(image, store, settings, state);
    const QRgb circle = ColourFromBgr(settings.circleColour).rgb();
    const QRgb back = ColourFromBgr(settings.backColour).rgb();
    const int total = image.width() * image.height();
    EXPECT_LT(CountPixels(image, circle) + CountPixels(image, back), total); // names are there

    state.hideNames = true;
    scene.Render(image, store, settings, state);
    EXPECT_EQ(CountPixels(image, circle) + CountPixels(image, back), total);
    EXPECT_EQ(scene.DrawnPoints().names.size(), 3u);

    // In the overview names also go with "点名-全点表示時" off, but not in detail.
    state.hideNames = false;
    state.pointNames = false;
    scene.Render(image, store, settings, state);
    EXPECT_EQ(CountPixels(image, circle) + CountPixels(image, back), total);
    state.nameSize = settings.bigFont;
    scene.Render(image, store, settings, state);
    EXPECT_LT(CountPixels(image, circle) + CountPixels(image, back), total);
}

TEST(PlotRenderTest, CoincidingPointsGiveAnEmptyPlot) {
    Store store;
    LoadPoints(store, {{"P1", 10, 10}, {"P2", 10, 10}});
    PlotSettings settings;
    PlotSceneState state;
    state.view = View(1.0);
    state.view.centreX = state.view.centreY = 10;
    QImage image = Background(settings);
    image.fill(Qt::white);
    PlotScene scene;
    scene.Render(image, store, settings, state);
    EXPECT_EQ(CountPixels(image, ColourFromBgr(settings.backColour).rgb()), 400 * 300);
    EXPECT_TRUE(scene.DrawnPoints().names.empty());
}

TEST(PlotRenderTest, ParcelsAreDimmedWhileTheEditorIsHidden) {
    Store store;
    LoadPoints(store, {{"1", 0, 0}, {"2", 0, 100}, {"3", -100, 100}});
    store.blocks.Add(Block{"A", "1,2,3,1", 4, -33, 66});
    PlotSettings settings;
    PlotSceneState state;
    state.view = View(1.0);
    state.view.centreY = 50;
    state.nameSize = settings.bigFont;
    state.parcelNames = false;
    QImage image = Background(settings);
    PlotScene scene;
    scene.Render(image, store, settings, state);
    // The edge 1-2 runs along pixel row 150 between the circles.
    EXPECT_EQ(image.pixel(200, 150), ColourFromBgr(settings.DimmedParcelColour()).rgb());
    state.editorShown = true;
    scene.Render(image, store, settings, state);
    EXPECT_EQ(image.pixel(200, 150), ColourFromBgr(settings.parcelColour).rgb());
    state.editorShown = false;
    state.parcels = false;
    scene.Render(image, store, settings, state);
    EXPECT_EQ(image.pixel(200, 150), ColourFromBgr(settings.backColour).rgb());
}

} // namespace
} // namespace vemo
