#include "ui/plot/PlotViewport.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

PlotViewport View400x300(double cx, double cy, double scale) {
    PlotViewport v;
    v.width = 400;
    v.height = 300;
    v.CentrePixels();
    v.centreX = cx;
    v.centreY = cy;
    v.scale = scale;
    return v;
}

TEST(PlotViewportTest, NorthIsUpEastIsRightAndPixelsTruncateTowardZero) {
    const PlotViewport v = View400x300(1000, 2000, 2.0);
    EXPECT_EQ(v.ToPixel(1000, 2000), (PlotPixel{200, 150}));
    // 10 m north is 20 pixels up, 10 m east 20 pixels right.
    EXPECT_EQ(v.ToPixel(1010, 2010), (PlotPixel{220, 130}));
    // 0.3 m east is 0.6 px -> 200.6 -> 200; 0.3 m south is 150.6 -> 150.
    EXPECT_EQ(v.ToPixel(999.7, 2000.3), (PlotPixel{200, 150}));
    // Left of the origin truncation goes toward zero: -0.6 px -> 0, not -1.
    EXPECT_EQ(v.ToPixel(1000, 2000 - 100.3), (PlotPixel{0, 150}));
    const PlotWorld w = v.ToWorld(220, 130);
    EXPECT_DOUBLE_EQ(w.x, 1010);
    EXPECT_DOUBLE_EQ(w.y, 2010);
}

TEST(PlotViewportTest, FarPixelsAreClampedInsteadOfOverflowing) {
    const PlotViewport v = View400x300(0, 0, 1e6);
    EXPECT_EQ(v.ToPixel(0, 1e9).x, 1000000000);
    EXPECT_EQ(v.ToPixel(1e9, 0).y, -1000000000);
    EXPECT_DOUBLE_EQ(v.PixelXOf(1e9), 1e15 + 200);
}

TEST(PlotViewportTest, VisibleWindowIncludesItsEdges) {
    const PlotViewport v = View400x300(0, 0, 1.0);
    const PlotWindow w = v.Visible();
    EXPECT_DOUBLE_EQ(w.bottom, -150);
    EXPECT_DOUBLE_EQ(w.top, 150);
    EXPECT_DOUBLE_EQ(w.left, -200);
    EXPECT_DOUBLE_EQ(w.right, 200);
    EXPECT_TRUE(v.IsVisible(150, 200));
    EXPECT_TRUE(v.IsVisible(-150, -200));
    EXPECT_FALSE(v.IsVisible(150.001, 0));
    EXPECT_FALSE(v.IsVisible(0, -200.001));
}

TEST(PlotViewportTest, FitAllShowsTheExtentsWithFifteenPercentSpare) {
    // 400 x 300 plot, 100 m east-west and 50 m north-south: 300/400 >= 50/100, the width decides.
    const auto fit = FitViewport({0, 50, 0, 100}, 400, 300);
    ASSERT_TRUE(fit);
    EXPECT_DOUBLE_EQ(fit->scale, 400 * 0.85 / 100);
    EXPECT_DOUBLE_EQ(fit->centreX, 25);
    EXPECT_DOUBLE_EQ(fit->centreY, 50);
    EXPECT_EQ(fit->pixelCentreX, 200);
    EXPECT_EQ(fit->pixelCentreY, 150);
    // A tall site: the height decides.
    EXPECT_DOUBLE_EQ(FitViewport({0, 200, 0, 100}, 400, 300)->scale, 300 * 0.85 / 200);
    // Equal ratios go to the width.
    EXPECT_DOUBLE_EQ(FitViewport({0, 75, 0, 100}, 400, 300)->scale, 400 * 0.85 / 100);
}

TEST(PlotViewportTest, FitOfANorthSouthLineUsesTheHeight) {
    const auto fit = FitViewport({0, 100, 5, 5}, 400, 300);
    ASSERT_TRUE(fit);
    EXPECT_DOUBLE_EQ(fit->scale, 2.55);
    EXPECT_DOUBLE_EQ(fit->centreY, 5);
}

TEST(PlotViewportTest, CoincidingPointsAreNotFitted) {
    EXPECT_FALSE(FitViewport({10, 10.0009, 20, 20.0009}, 400, 300));
    EXPECT_TRUE(ExtentsEmpty({10, 10.0009, 20, 20.0009}));
    // Two millimetres north-south are enough to fit.
    EXPECT_TRUE(FitViewport({10, 10.002, 20, 20}, 400, 300));
}

TEST(PlotViewportTest, RectangleZoomComparesStrictly) {
    // Same ratio: FitAll takes the width, the rectangle zoom the height.
    EXPECT_DOUBLE_EQ(FitScale(75, 100, 400, 300, true), 3.4);
    EXPECT_DOUBLE_EQ(FitScale(75, 100, 400, 300, false), 300 * 0.85 / 75);
}

} // namespace
} // namespace vemo
