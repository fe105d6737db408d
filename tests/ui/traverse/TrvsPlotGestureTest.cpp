// The mouse on the traverse plot, driven with real mouse and wheel events: chords zoom, fit, reduce,
// go back and re-centre; drags of 100 pixels and more pan, shorter ones are clicks; the wheel zooms
// about the pointed point or moves the view; and in the window the wheel reaches the plot from any
// control while the drag hints show in the status bar.
#include "TrvsWindowFixture.h"

#include "core/store/Store.h"
#include "core/traverse/TrvsState.h"
#include "ui/plot/PlotGestureOverlay.h"
#include "ui/traverse/TrvsPlot.h"

#include <QSignalSpy>
#include <QStatusBar>
#include <QWheelEvent>

#include <memory>
#include <vector>

namespace vemo::test {
namespace {

// A traverse from A (1000, 1000) to B (1100, 1200) in a 400 x 300 plot and an empty coordinate list.
// The fit: the plot is wider (300 / 400 = 0.75) than the traverse is high (100 / 200 = 0.5), so the
// width decides: 400 x 0.85 / 200 m = 1.7 px/m, centre (1050, 1100) on pixel (200, 150).
class TrvsPlotGesture : public testing::Test {
protected:
    void SetUp() override {
        state.TrvsExtents = XyzExtents{1000, 1100, 1000, 1200};
        state.TrvsPointCount = 1;
        state.rawSlots = {0, 1};
        state.TrvsRawPoints.Set(0, "A", 1000, 1000, 0);
        state.TrvsRawPoints.Set(1, "B", 1100, 1200, 0);
        plot = std::make_unique<TrvsPlot>(store, state, header, table);
        plot->resize(400, 300);
        plot->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(plot.get()));
        plot->Fit();
    }

    void Chord(QPoint from, QPoint to, bool middle = false) {
        if (middle) {
            QTest::mousePress(plot.get(), Qt::MiddleButton, {}, from);
        } else {
            QTest::mousePress(plot.get(), Qt::LeftButton, {}, from);
            QTest::mousePress(plot.get(), Qt::RightButton, {}, from);
        }
        QTest::mouseMove(plot.get(), to);
        hintSeen = plot->Hint();
        if (middle) {
            QTest::mouseRelease(plot.get(), Qt::MiddleButton, {}, to);
        } else {
            QTest::mouseRelease(plot.get(), Qt::RightButton, {}, to);
            QTest::mouseRelease(plot.get(), Qt::LeftButton, {}, to);
        }
    }
    void Wheel(QPoint local, int delta) {
        const QPointF global = plot->mapToGlobal(QPointF(local));
        QWheelEvent event(QPointF(local), global, QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(plot.get(), &event);
    }
    void ExpectView(double scale, double centreX, double centreY, const char* what) {
        EXPECT_NEAR(plot->Viewport().scale, scale, 1e-9) << what;
        EXPECT_NEAR(plot->Viewport().centreX, centreX, 1e-6) << what;
        EXPECT_NEAR(plot->Viewport().centreY, centreY, 1e-6) << what;
    }

    Store store;
    TrvsHeader header;
    TrvsTable table;
    TrvsState state;
    std::unique_ptr<TrvsPlot> plot;
    QString hintSeen;
};

// Each chord starts from the fit (1.7 px/m, centre (1050, 1100), pixel centre (200, 150)).  Widening
// the plot to 500 px keeps the pixel centre (a resize does not move it) until a fit or a rectangle
// zoom takes half the new size.
TEST_F(TrvsPlotGesture, ChordsZoomFitReduceAndRecentre) {
    struct Case {
        const char* what;
        int widenTo; // 0: the plot stays 400 px wide
        QPoint from, to;
        bool middle;
        QString hint; // while the chord is dragged
        double scale, centreX, centreY;
    };
    const std::vector<Case> cases = {
        // Rectangle (100, 50)-(200, 120): 58.82 m east-west by 41.18 m north-south; 0.75 > 0.7, so
        // the width decides: 400 x 0.85 / 58.82 = 5.78; centre = the world point of pixel (150, 85).
        {"rectangle", 0, {100, 50}, {200, 120}, false, "|拡 大", 5.78, 1050 + 65 / 1.7, 1100 - 50 / 1.7},
        // On 500 px the corners are taken from pixel centre (250, 150): 0.6 < 0.7, the height
        // decides: 300 x 0.85 / 41.18 = 6.1929; centre pixel (150, 85) is now 100 px left of it.
        {"rectangle, widened",
         500,
         {100, 50},
         {200, 120},
         false,
         "|拡 大",
         300 * 0.85 * 1.7 / 70,
         1050 + 65 / 1.7,
         1100 - 100 / 1.7},
        // 3 px left and 40 up still fits (dx >= -4): 500 x 0.85 / 200 = 2.125 about the middle.
        {"all points", 500, {200, 200}, {197, 160}, false, "|全点再表示", 2.125, 1050, 1100},
        // Far up and right: the same fit, with no recomputing variant here.
        {"all points far up-right", 500, {100, 200}, {220, 80}, false, "|全点再表示", 2.125, 1050, 1100},
        {"reduce 0.8", 0, {200, 200}, {194, 160}, false, "|縮小(0.8倍)", 1.36, 1050, 1100},
        {"reduce 0.5", 0, {200, 200}, {140, 160}, false, "|縮小(0.5倍)", 0.85, 1050, 1100},
        // Press and release on pixel (300, 100): 50 px above and 100 px right of the centre.
        {"re-centre, middle button", 0, {300, 100}, {300, 100}, true, "|拡 大", 1.7, 1050 + 50 / 1.7, 1100 + 100 / 1.7},
    };
    for (const Case& c : cases) {
        SetUp();
        if (c.widenTo != 0) {
            plot->resize(c.widenTo, 300);
            QCoreApplication::processEvents();
        }
        Chord(c.from, c.to, c.middle);
        EXPECT_EQ(hintSeen, c.hint) << c.what;
        ExpectView(c.scale, c.centreX, c.centreY, c.what);
        EXPECT_FALSE(plot->Gestures().chord) << c.what;
    }
}

TEST_F(TrvsPlotGesture, PreviousViewSwapsWithTheViewBeforeAndNeedsOne) {
    Chord({100, 50}, {200, 120});    // rectangle: 5.78
    EXPECT_EQ(plot->NameSize(), 10); // names big in a detail view
    Chord({300, 100}, {290, 110});   // down-left: previous view
    ExpectView(1.7, 1050, 1100, "back to the fit");
    EXPECT_EQ(plot->NameSize(), 5);
    Chord({300, 100}, {290, 110});
    ExpectView(5.78, 1050 + 65 / 1.7, 1100 - 50 / 1.7, "forward to the rectangle");

    // A new showing has no previous view: the gesture changes nothing and leaves nothing pending.
    plot->NewShowing();
    Chord({300, 100}, {290, 110});
    EXPECT_EQ(plot->Viewport().scale, 1.0);
    EXPECT_FALSE(plot->Gestures().chord);
    EXPECT_EQ(plot->Hint(), "|");
}

// Pans move the view by the pixel centre (150 px up and down, 200 px sideways) over the scale, twice
// that for a full screen; up is tested first.  The hint shows at the press point in the colour of
// the pan, a drag under 100 px is a click where it ends and picks the nearest point.
TEST_F(TrvsPlotGesture, DragsPanFromOneHundredPixelsAndClickBelow) {
    struct Case {
        const char* what;
        QPoint from, to;
        QString label; // shown while dragging; empty: none
        int labelBgr;
        double centreX, centreY;
        const char* picked; // nullptr: no click
    };
    const std::vector<Case> cases = {
        {"99 px up", {300, 150}, {300, 51}, "", 0, 1050, 1100, "B"},
        {"100 px up", {300, 250}, {300, 150}, "▲ 半画面移動", 12632256, 1050 + 150 / 1.7, 1100, nullptr},
        {"200 px right", {50, 150}, {250, 150}, "全画面移動 ＝＝＝＞＞＞", 8421504, 1050, 1100 + 400 / 1.7, nullptr},
        {"120 up, 150 right", {100, 250}, {250, 130}, "▲ 半画面移動", 12632256, 1050 + 150 / 1.7, 1100, nullptr},
    };
    for (const Case& c : cases) {
        SetUp();
        QSignalSpy picks(plot.get(), &TrvsPlot::pointPicked);
        QTest::mousePress(plot.get(), Qt::LeftButton, {}, c.from);
        QTest::mouseMove(plot.get(), c.to);
        const auto* label = plot->findChild<PlotHintLabel*>();
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->isVisible(), !c.label.isEmpty()) << c.what;
        if (!c.label.isEmpty()) {
            EXPECT_EQ(label->text(), c.label) << c.what;
            EXPECT_EQ(label->palette().color(QPalette::Window), ColourFromBgr(c.labelBgr)) << c.what;
            EXPECT_EQ(label->pos(), c.from) << c.what;
        }
        EXPECT_EQ(plot->CrossHair(), c.to) << c.what;
        EXPECT_EQ(plot->cursor().shape(), Qt::BlankCursor) << c.what;
        QTest::mouseRelease(plot.get(), Qt::LeftButton, {}, c.to);
        ExpectView(1.7, c.centreX, c.centreY, c.what);
        ASSERT_EQ(picks.size(), c.picked ? 1 : 0) << c.what;
        if (c.picked) {
            EXPECT_EQ(picks[0][0].value<TrvsPick>().name, c.picked) << c.what;
        }
        EXPECT_FALSE(label->isVisible()) << c.what;
    }
}

// One wheel turn after another from the fit.  Towards the user three times on pixel (300, 100):
// centred once on its world point (1079.41, 1158.82), then 1.7 x 1.5^3 = 5.7375 about it.  Beside
// the plot a sixth of the view east (200 / (3 x 4.59) m), below it a sixth south (150 / (3 x 4.59)).
TEST_F(TrvsPlotGesture, WheelZoomsAboutThePointerOrMovesTheView) {
    const double cx = 1050 + 50 / 1.7;
    const double cy = 1100 + 100 / 1.7;
    struct Case {
        const char* what;
        QPoint at;
        int delta;
        double scale, centreX, centreY;
    };
    const std::vector<Case> cases = {
        {"towards, first", {300, 100}, -120, 2.55, cx, cy},
        {"towards, second", {300, 100}, -120, 3.825, cx, cy},
        {"towards, third", {300, 100}, -120, 5.7375, cx, cy},
        {"away", {300, 100}, 120, 4.59, cx, cy},
        {"beside, away", {-10, 100}, 120, 4.59, cx, cy + 200 / (3 * 4.59)},
        {"below, away", {100, 310}, 120, 4.59, cx - 150 / (3 * 4.59), cy + 200 / (3 * 4.59)},
    };
    for (const Case& c : cases) {
        Wheel(c.at, c.delta);
        ExpectView(c.scale, c.centreX, c.centreY, c.what);
    }
    EXPECT_EQ(plot->NameSize(), 10);
}

// In the (modal) window the wheel over any control works the traverse plot, and the long part of the
// plot's hints goes to the window's status bar.
TEST_F(TrvsWindowFixture, WheelAnywhereWorksThePlotAndHintsGoToTheStatusBar) {
    Open();
    AddPoint("K1", "1150.000", "1050.000");
    const std::string path = home.File("connected.Trv");
    WriteBytes(path, kConnectedTrv);
    window->OpenTrvFile(path);
    TrvsPlot* plot = window->Plot();
    const double scale = plot->Viewport().scale;
    const QPoint overPlot = plot->mapToGlobal(QPoint(plot->width() / 2, plot->height() / 2));
    QWidget* grid = window->Grid();
    QWheelEvent event(QPointF(grid->mapFromGlobal(overPlot)), QPointF(overPlot), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid, &event);
    EXPECT_DOUBLE_EQ(plot->Viewport().scale, scale * 0.8);

    // A chord around the legs P1 (1100.010, 1000) - P2 - B (1200, 1100) zooms onto them.
    const PlotPixel p1 = plot->Viewport().ToPixel(1100.010, 1000);
    const PlotPixel b = plot->Viewport().ToPixel(1200, 1100);
    const QPoint from(p1.x - 30, b.y - 30);
    const QPoint to(b.x + 30, p1.y + 30);
    QTest::mousePress(plot, Qt::LeftButton, {}, from);
    QTest::mousePress(plot, Qt::RightButton, {}, from);
    QTest::mouseMove(plot, to);
    EXPECT_EQ(window->StatusBar()->currentMessage(), "拡 大");
    window->grab().save("/tmp/trvsgest.png");
    QTest::mouseRelease(plot, Qt::RightButton, {}, to);
    QTest::mouseRelease(plot, Qt::LeftButton, {}, to);
    EXPECT_GT(plot->Viewport().scale, scale);
    EXPECT_TRUE(plot->Viewport().IsVisible(1100.010, 1000) && plot->Viewport().IsVisible(1200, 1100));

    const QPoint press(plot->width() / 2 + 60, plot->height() - 30);
    QTest::mousePress(plot, Qt::LeftButton, {}, press);
    QTest::mouseMove(plot, press - QPoint(0, 120));
    EXPECT_EQ(window->StatusBar()->currentMessage(), "▲ 半画面移動");
    window->grab().save("/tmp/trvsgest-drag.png");
    QTest::mouseRelease(plot, Qt::LeftButton, {}, press - QPoint(0, 120));
    EXPECT_EQ(window->StatusBar()->currentMessage(), "");
}

} // namespace
} // namespace vemo::test
