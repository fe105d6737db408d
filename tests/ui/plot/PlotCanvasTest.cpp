#include "ui/plot/PlotCanvas.h"

#include "PlotTestData.h"
#include "core/geometry/PlanePoint.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace vemo {
namespace {

using test::LoadPoints;

// 400 x 300 pixels, 1 pixel per metre, world (0, 0) at the pixel centre (200, 150).
PlotViewport UnitView() {
    PlotViewport v;
    v.width = 400;
    v.height = 300;
    v.CentrePixels();
    v.scale = 1.0;
    return v;
}

TEST(PlotCanvasTest, OutlineBreaksAtAVertexBeyondThePixelRange) {
    Store store;
    LoadPoints(store, {{"A", 0, 0}, {"B", 0, 50}, {"FAR", 40000, 25}, {"C", -50, 50}});
    // Closed ring A B FAR C A: the far vertex takes both its edges with it.
    const auto strokes = OutlineStrokes({"A", "B", "FAR", "C", "A"}, store.Index(), UnitView());
    ASSERT_EQ(strokes.size(), 2u);
    EXPECT_EQ(strokes[0], QPolygon({QPoint(200, 150), QPoint(250, 150)}));
    EXPECT_EQ(strokes[1], QPolygon({QPoint(250, 200), QPoint(200, 150)}));
}

TEST(PlotCanvasTest, OutlineSkipsUnknownNamesAndBreaksAtEmptyOnes) {
    Store store;
    LoadPoints(store, {{"A", 0, 0}, {"B", 0, 50}, {"C", -50, 50}});
    // An unknown name is stepped over: A runs straight to B.
    auto strokes = OutlineStrokes({"A", "NONE", "B", "C"}, store.Index(), UnitView());
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_EQ(strokes[0].size(), 3);
    // An empty name ends the stroke; a stroke of one vertex draws nothing.
    strokes = OutlineStrokes({"A", "", "B", "C", "", "A"}, store.Index(), UnitView());
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_EQ(strokes[0], QPolygon({QPoint(250, 150), QPoint(250, 200)}));
}

TEST(PlotCanvasTest, OutlineVertexExactlyAtTheLimitBreaks) {
    Store store;
    // 32767 pixels right of the origin pixel 200: Y = 32567 lands on 32767 itself.
    LoadPoints(store, {{"A", 0, 0}, {"EDGE", 0, 32567}, {"IN", 0, 32566}});
    EXPECT_TRUE(OutlineStrokes({"A", "EDGE"}, store.Index(), UnitView()).empty());
    EXPECT_EQ(OutlineStrokes({"A", "IN"}, store.Index(), UnitView()).size(), 1u);
}

TEST(PlotCanvasTest, LineThroughIsClippedToTheFrame) {
    // A north-south line through the centre crosses the top and the bottom edge of the frame.
    QPolygon pixels = LineThroughPixels(PlanePoint{0, 0}, 0, UnitView());
    ASSERT_EQ(pixels.size(), 2);
    for (const QPoint& p : pixels) {
        EXPECT_EQ(p.x(), 200);
    }
    // The frame is pushed out by half a metre: ends within a pixel of the plot's top and bottom.
    EXPECT_NEAR(std::min(pixels[0].y(), pixels[1].y()), 0, 1);
    EXPECT_NEAR(std::max(pixels[0].y(), pixels[1].y()), 300, 1);

    // East-west through (50, 0): pixel row 100 from the left edge to the right edge.
    pixels = LineThroughPixels(PlanePoint{50, 0}, 90, UnitView());
    ASSERT_EQ(pixels.size(), 2);
    for (const QPoint& p : pixels) {
        EXPECT_NEAR(p.y(), 100, 1);
    }
    EXPECT_NEAR(std::min(pixels[0].x(), pixels[1].x()), 0, 1);
    EXPECT_NEAR(std::max(pixels[0].x(), pixels[1].x()), 400, 1);
}

TEST(PlotCanvasTest, LineThroughThatMissesTheViewDrawsNothing) {
    EXPECT_TRUE(LineThroughPixels(PlanePoint{0, 1000}, 0, UnitView()).isEmpty());
}

TEST(PlotCanvasTest, DiagonalLineThroughEndsOnTheFrame) {
    const PlotViewport v = UnitView();
    const QPolygon pixels = LineThroughPixels(PlanePoint{0, 0}, 45, v);
    ASSERT_EQ(pixels.size(), 2);
    // Direction 45: north-east, up and to the right on the plot; it leaves through top and bottom.
    for (const QPoint& p : pixels) {
        EXPECT_NEAR(p.x() - 200, 150 - p.y(), 2);
        EXPECT_TRUE(p.y() <= 1 || p.y() >= 299) << p.y();
    }
}

QImage Blank() {
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

TEST(PlotCanvasTest, ParcelLabelIsCentredOnItsPoint) {
    Store store;
    PlotSettings settings;
    QImage image = Blank();
    {
        QPainter painter(&image);
        PlotCanvas canvas(painter, UnitView(), settings, store.Index(), 10, true);
        canvas.DrawParcelLabel("HHHH", 0xFFFFFF, 0, 0);
    }
    int left = 400, right = -1, top = 300, bottom = -1;
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 400; ++x) {
            if (qRed(image.pixel(x, y)) > 0) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    }
    ASSERT_GE(right, 0);
    // Four half-width letters are about h wide (h / 2 each), so the text straddles the point.
    EXPECT_LT(left, 200);
    EXPECT_GT(right, 200);
    EXPECT_LT(top, 150);
    EXPECT_GT(bottom, 150);
    EXPECT_NEAR((left + right) / 2.0, 200, 4);
}

TEST(PlotCanvasTest, ArrowHeadPointsAlongItsDirection) {
    Store store;
    PlotSettings settings;
    QImage image = Blank();
    {
        QPainter painter(&image);
        PlotCanvas canvas(painter, UnitView(), settings, store.Index(), 10, true);
        // Direction 0 (north): the two sides go back down, at 160 and 200 degrees.
        canvas.DrawArrowHead(0, 0, 0, 0xFFFFFF);
    }
    EXPECT_NE(image.pixel(200, 150), qRgb(0, 0, 0)); // tip
    EXPECT_NE(image.pixel(200, 165), qRgb(0, 0, 0)); // the base, 17 cos 20 = 15.97 pixels below
    EXPECT_EQ(image.pixel(200, 140), qRgb(0, 0, 0)); // nothing ahead of the tip
}

TEST(PlotCanvasTest, NameColourFollowsTheFirstMatchingInitial) {
    PlotSettings settings;
    settings.initials = {"T", "TK", ""};
    EXPECT_EQ(settings.NameColour("T1"), settings.initialColours[0]);
    EXPECT_EQ(settings.NameColour("TK1"), settings.initialColours[0]); // NoIni1 is tested first
    EXPECT_EQ(settings.NameColour("t1"), settings.nameColour);         // byte-wise, case matters
    EXPECT_EQ(settings.NameColour("K-1"), settings.nameColour);        // an empty initial matches nothing
    EXPECT_EQ(ColourFromBgr(settings.initialColours[1]), QColor(255, 128, 255));
    // Parcels with the editor hidden: (12632256 + 4194304) / 2 as one number.
    EXPECT_EQ(settings.DimmedParcelColour(), 8413280);
}

} // namespace
} // namespace vemo
