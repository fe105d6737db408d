// The traverse plot of a connected traverse: its legs in the leg colour, the known directions at
// both ends as arrows, and the window as the surveyor sees it (saved for a look).
#include "TrvsWindowFixture.h"

#include "ui/plot/PlotSettings.h"
#include "ui/traverse/TrvsPlot.h"

#include <QAction>
#include <QPlainTextEdit>

namespace vemo::test {
namespace {

// A (1000, 1000) north 100.010 m to P1, east 100 m to P2, north 100.020 m to the known end B
// (1200, 1100); the start backsight S lies due south of A, the end sighting point E due east of B.
// Row 3 is a side shot taken at P1 with the foresight to P2: 45° from the backsight A, 30 m south-west.
constexpr const char* kConnected = "1\r\n26/12/09\r\n\r\nA,1000.000,1000.000,0.000\r\nS,1,180.0000\r\n"
                                   "B,1200.000,1100.000,0.000\r\nE,1,90.0000\r\n"
                                   "1,T,,,P1,180.0000,90.0000,100.010\r\n2,T,,,P2,270.0000,90.0000,100.000\r\n"
                                   "3,K,,,R1,45.0000,90.0000,30.000\r\n4,T,,,B,90.0000,90.0000,100.020\r\n"
                                   "5,T,,,E,270.0000,90.0000,\r\n";

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
    WriteBytes(path, kConnected);
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

    window->grab().save("/tmp/trvs-window.png");
}

} // namespace
} // namespace vemo::test
