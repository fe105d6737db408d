// The traverse plot of a connected traverse: its legs in the leg colour, the known directions at
// both ends as arrows, and the window as the surveyor sees it (saved for a look).
#include "TrvsWindowFixture.h"

#include "ui/plot/PlotSettings.h"
#include "ui/traverse/TrvsPlot.h"

#include <QAction>
#include <QPlainTextEdit>

namespace vemo::test {
namespace {

// Whether the colour appears within a pixel of p (lines are one pixel wide, truncated).
bool ColourNear(const QImage& image, PlotPixel p, QColor colour) {
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (image.pixelColor(p.x + dx, p.y + dy) == colour) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(TrvsWindowFixture, ConnectedTraverseIsDrawnWithLegsAndBothArrows) {
    Open();
    AddPoint("K1", "1150.000", "1050.000");
    AddPoint("K2", "950.000", "1150.000");
    AddPoint("K3", "1250.000", "1180.000");
    const std::string path = home.File("connected.Trv");
    WriteBytes(path, kConnectedTrv);
    window->resize(1180, 760);
    window->SetListingShown(true);
    window->OpenTrvFile(path);
    window->Action(TrvsWindow::Command::ResultListing)->trigger();

    const TrvsState& state = window->State();
    EXPECT_TRUE(state.hasEndMarker);
    EXPECT_EQ(state.TrvsRawPoints.name[state.endPointSlot], "B");
    // The start marker lies south of A (towards S), the end marker east of B (towards E).
    EXPECT_LT(state.startMarker.x, 1000.0);
    EXPECT_NEAR(state.startMarker.y, 1000.0, 1e-6);
    EXPECT_GT(state.endMarker.y, 1100.0);

    TrvsPlot* plot = window->Plot();
    const QImage image = plot->grab().toImage();
    const PlotViewport& view = plot->Viewport();
    // Leg A -> P1 in the leg colour of closed and connected traverses, the side shot in its own.
    EXPECT_TRUE(ColourNear(image, view.ToPixel(1050.005, 1000.0), ColourFromBgr(window->Options().TColor)));
    EXPECT_TRUE(
        ColourNear(image, view.ToPixel(1100.010 - 10.6066, 1000.0 - 10.6066), ColourFromBgr(window->Options().KColor)));
    // The known points of the list are drawn, and only them besides the traverse.
    EXPECT_EQ(plot->DrawnExisting().names.size(), 3u);
    // The list's points are kept as a picture between paints; a point added while the window is open
    // (a registration) is drawn at the next paint.
    AddPoint("K4", "1000.000", "1050.000");
    const QImage after = plot->grab().toImage();
    EXPECT_EQ(plot->DrawnExisting().names.size(), 4u);
    EXPECT_NE(after, image);

    window->grab().save("/tmp/trvs-window.png");
}

} // namespace
} // namespace vemo::test
