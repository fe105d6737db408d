// Point names where they crowd: a name is drawn only where its box overlaps no name drawn before it,
// the marked and current points first, then the rest in list order; the points are always drawn.
#include "ui/plot/PlotCanvas.h"
#include "ui/plot/PlotPointsRenderer.h"
#include "ui/plot/PlotView.h"

#include "PlotTestData.h"
#include "core/text/Cp932.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

namespace vemo {
namespace {

using test::LoadPoints;
using test::TestPoint;

PlotViewport View(double centreX, double centreY, double scale) {
    PlotViewport v;
    v.width = 400;
    v.height = 300;
    v.CentrePixels();
    v.centreX = centreX;
    v.centreY = centreY;
    v.scale = scale;
    return v;
}

struct Rendered {
    XyzImagePoints drawn;
    std::vector<unsigned char> named;
};

Rendered Render(const Store& store, const PlotViewport& view, PlotPointsRenderer::Options options) {
    PlotSettings settings;
    QImage image(view.width, view.height, QImage::Format_RGB32);
    image.fill(ColourFromBgr(settings.backColour));
    Rendered r;
    PlotPointsRenderer renderer;
    renderer.Render(image, store.Index(), view, settings, options, r.drawn);
    r.named = renderer.NamesDrawn();
    return r;
}

// The names drawn, in drawing order.
std::vector<std::string> Named(const Rendered& r) {
    std::vector<std::string> names;
    for (size_t i = 0; i < r.drawn.names.size(); ++i) {
        if (r.named.at(i)) {
            names.push_back(r.drawn.names[i]);
        }
    }
    return names;
}

TEST(PlotLabel, CrowdedNamesGiveWayInListOrderAndComeBackAsTheViewZoomsIn) {
    // B9 comes first in the list, A1 a metre south and two east of it; T3 lies 170 m away.
    Store store;
    LoadPoints(store, {{"B9", -35120.0, 12040.0}, {"A1", -35121.0, 12042.0}, {"T3", -35020.0, 12190.0}});
    const std::vector<std::string> all = {"A1", "B9", "T3"}; // drawing order is name order

    // At 1 px/m the two names would cover each other: the list's first keeps its name, although the
    // other sorts before it.  All three circles are drawn.
    const PlotViewport overview = View(-35100.0, 12100.0, 1.0);
    Rendered r = Render(store, overview, {6, 5, true, {}});
    EXPECT_EQ(r.drawn.names, all);
    EXPECT_EQ(Named(r), (std::vector<std::string>{"B9", "T3"}));

    // The marked point goes first.
    PlotPointsRenderer::Options marked{6, 5, true, {}};
    marked.namedFirst = {"A1"};
    EXPECT_EQ(Named(Render(store, overview, marked)), (std::vector<std::string>{"A1", "T3"}));
    // A first name out of view or unknown changes nothing.
    marked.namedFirst = {"NONE", "B9"};
    EXPECT_EQ(Named(Render(store, overview, marked)), (std::vector<std::string>{"B9", "T3"}));

    // At 40 px/m A1 is 80 pixels right of B9 and 40 below: both names fit.
    r = Render(store, View(-35120.5, 12041.0, 40.0), {6, 5, true, {}});
    EXPECT_EQ(Named(r), (std::vector<std::string>{"A1", "B9"}));

    // Without names at all nothing is named, and still every point is drawn.
    r = Render(store, overview, {6, 5, false, {}});
    EXPECT_EQ(r.drawn.names, all);
    EXPECT_TRUE(Named(r).empty());
}

// A name's box by the placement rule, worked out apart from the renderer: the circle's box starts at
// (px - d div 2, py - d div 2); the name's top-left corner is d right of it and d above it; the box is
// as wide as the text's advance (whole pixels, rounded up) and a quarter of the line height (the space
// that keeps two names on a line apart), and one line high.
struct NameBox {
    int left, top, right, bottom; // right and bottom excluded
    bool Overlaps(const NameBox& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

TEST(PlotLabel, DrawnNamesNeverOverlapAndEachHiddenNameMeetsOneDrawnBeforeIt) {
    std::mt19937 random(20261210);
    const char* prefixes[] = {"", "T", "K-", "B", "P"};
    int hiddenSeen = 0;
    int isolatedSeen = 0;
    for (int trial = 0; trial < 60; ++trial) {
        // A site somewhere in a plane rectangular system, between 20 m and 2 km across.
        const double centreX = std::uniform_real_distribution<double>(-300000, 300000)(random);
        const double centreY = std::uniform_real_distribution<double>(-300000, 300000)(random);
        const double spread =
            std::exp(std::uniform_real_distribution<double>(std::log(20.0), std::log(2000.0))(random));
        const int count = std::uniform_int_distribution<int>(2, 400)(random);
        std::uniform_real_distribution<double> offset(-spread / 2, spread / 2);
        std::vector<TestPoint> points;
        for (int i = 0; i < count; ++i) {
            std::string name = random() % 8 == 0 ? Jp("境界") : prefixes[random() % 5];
            name += std::to_string(std::uniform_int_distribution<int>(1, 99999)(random)) + "_" + std::to_string(i);
            points.push_back({name, std::round((centreX + offset(random)) * 1000) / 1000,
                              std::round((centreY + offset(random)) * 1000) / 1000});
        }
        Store store;
        LoadPoints(store, points);
        // From an overview where the site is a blot to a zoom where its points stand far apart.
        const double scale = 400 / spread * std::exp2(std::uniform_real_distribution<double>(-2, 5)(random));
        const PlotViewport view = View(centreX, centreY, scale);
        PlotPointsRenderer::Options options;
        options.circle = random() % 2 ? 6 : 10;
        options.fontSize = random() % 2 ? 5 : 10;
        for (int k = static_cast<int>(random() % 3); k > 0; --k) {
            options.namedFirst.push_back(points[random() % points.size()].name);
        }
        const Rendered r = Render(store, view, options);
        SCOPED_TRACE("trial " + std::to_string(trial));

        // Each drawn point's list row and rank: the first names in their order, then list order.
        std::map<std::string, int> rank;
        for (size_t row = 0; row < points.size(); ++row) {
            rank[points[row].name] = static_cast<int>(options.namedFirst.size() + row);
        }
        for (size_t k = options.namedFirst.size(); k-- > 0;) {
            rank[options.namedFirst[k]] = static_cast<int>(k);
        }
        const QImage device(view.width, view.height, QImage::Format_RGB32);
        const QFont font = PlotNameFont(options.fontSize);
        const QFontMetricsF advance(font, &device);
        const int lineHeight = QFontMetrics(font, &device).height();
        const int d = options.circle;
        std::vector<NameBox> boxes;
        for (size_t i = 0; i < r.drawn.names.size(); ++i) {
            const PlotPixel p = view.ToPixel(r.drawn.x[i], r.drawn.y[i]);
            const int left = p.x - d / 2 + d;
            const int top = p.y - d / 2 - d;
            const int width = static_cast<int>(std::ceil(advance.horizontalAdvance(PlotText(r.drawn.names[i]))));
            boxes.push_back({left, top, left + width + lineHeight / 4, top + lineHeight});
        }
        ASSERT_EQ(r.named.size(), boxes.size());
        for (size_t a = 0; a < boxes.size(); ++a) {
            bool meetsEarlierDrawn = false;
            bool meetsAny = false;
            for (size_t b = 0; b < boxes.size(); ++b) {
                if (a == b || !boxes[a].Overlaps(boxes[b])) {
                    continue;
                }
                meetsAny = true;
                if (r.named[a] && r.named[b]) {
                    ADD_FAILURE() << r.drawn.names[a] << " and " << r.drawn.names[b] << " overlap";
                }
                meetsEarlierDrawn |= r.named[b] && rank.at(r.drawn.names[b]) < rank.at(r.drawn.names[a]);
            }
            if (!meetsAny) {
                ++isolatedSeen;
                EXPECT_TRUE(r.named[a]) << r.drawn.names[a] << " has room but is not named";
            }
            if (!r.named[a]) {
                ++hiddenSeen;
                EXPECT_TRUE(meetsEarlierDrawn) << r.drawn.names[a] << " is hidden by no name drawn before it";
            }
        }
    }
    // The random sites did crowd and did leave room.
    EXPECT_GT(hiddenSeen, 500);
    EXPECT_GT(isolatedSeen, 100);
}

TEST(PlotLabel, APanThatKeepsEveryPointInViewKeepsEveryName) {
    // A crowded 200 x 200 m block in a 400 x 300 view at 1 px/m.  Fractions of a metre kept away from whole metres, so
    // that a pan by whole metres moves every point by whole pixels.
    std::mt19937 random(43);
    std::vector<TestPoint> points;
    for (int i = 0; i < 800; ++i) {
        const double x =
            -35200.0 + std::uniform_int_distribution<int>(0, 199)(random) + 0.25 + 0.001 * (random() % 500);
        const double y = 12000.0 + std::uniform_int_distribution<int>(0, 199)(random) + 0.25 + 0.001 * (random() % 500);
        points.push_back({"K-" + std::to_string(i), x, y});
    }
    Store store;
    LoadPoints(store, points);
    const Rendered first = Render(store, View(-35100.0, 12100.0, 1.0), {10, 10, true, {}});
    ASSERT_EQ(first.drawn.names.size(), 800u);
    ASSERT_LT(Named(first).size(), 400u);
    // The whole block stays in view for these pans.  With the view moved 99 m west the easternmost
    // points lie a few pixels from the right edge, their names wholly beyond it: names collide there too.
    for (const auto& [dx, dy] : {std::pair{40.0, 0.0}, std::pair{-40.0, 0.0}, std::pair{0.0, 90.0},
                                 std::pair{0.0, -99.0}, std::pair{-45.0, 70.0}}) {
        const Rendered panned = Render(store, View(-35100.0 + dx, 12100.0 + dy, 1.0), {10, 10, true, {}});
        ASSERT_EQ(panned.drawn.names.size(), 800u);
        EXPECT_EQ(Named(panned), Named(first)) << "pan " << dx << ", " << dy;
    }
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

TEST(PlotLabel, TheMarkedPointKeepsItsNameInACrowd) {
    // T1 first in the list, K-2 half a metre east of it: at 2 px/m their names would cover each other.
    Store store;
    LoadPoints(store, {{"T1", -35120.0, 12040.0}, {"K-2", -35120.0, 12040.5}});
    PlotView plot(store);
    plot.resize(400, 300);
    plot.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&plot));
    plot.SetView(-35120.0, 12040.0, 2.0);
    // T1's name is drawn in the colour of the initial T, which nothing else on the plot has.
    const QRgb t1Colour = ColourFromBgr(plot.Settings().initialColours[0]).rgb();
    EXPECT_GT(CountPixels(plot.grab().toImage(), t1Colour), 0);
    plot.HighlightPoint("K-2");
    EXPECT_EQ(CountPixels(plot.grab().toImage(), t1Colour), 0);
    plot.UnhighlightPoint();
    plot.RePaint();
    EXPECT_GT(CountPixels(plot.grab().toImage(), t1Colour), 0);
}

} // namespace
} // namespace vemo
