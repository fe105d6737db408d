#include "ui/plot/PlotGestureOverlay.h"
#include "ui/plot/PlotView.h"

#include "PlotTestData.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <memory>

namespace vemo {
namespace {

using test::LoadPoints;

struct RecordingTarget : PlotClickTarget {
    bool acceptsPoints = true;
    bool acceptsParcels = false;
    std::vector<std::string> points;
    std::vector<int> parcels;
    bool AcceptsParcelClick() const override { return acceptsParcels; }
    void ParcelClicked(int position) override { parcels.push_back(position); }
    bool AcceptsPointClick() const override { return acceptsPoints; }
    void PointClicked(const std::string& name) override { points.push_back(name); }
};

struct RecordingHost : PlotHost {
    std::vector<PlotDirection> commands;
    bool upCommand = true; // the calculation window's result panel is shown
    QString ShortDragHint(PlotDirection direction) const override {
        return direction == PlotDirection::Up && upCommand
                   ? QStringLiteral("座標登録|座標リストに計算結果を追加登録します")
                   : QString();
    }
    void ShortDragCommand(PlotDirection direction) override {
        if (direction == PlotDirection::Up && upCommand) {
            commands.push_back(direction);
        }
    }
};

// A 3 x 3 grid of points 50 m apart, X and Y from 0 to 100, in a 400 x 300 plot.  The fit gives a
// scale of 300 x 0.85 / 100 = 2.55 px/m with the centre (50, 50) on pixel (200, 150).
class PlotGestureTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<test::TestPoint> points;
        for (int i = 0; i < 9; ++i) {
            points.push_back({"A" + std::to_string(i + 1), 50.0 * (i / 3), 50.0 * (i % 3)});
        }
        LoadPoints(store, points);
        plot = std::make_unique<PlotView>(store);
        plot->resize(400, 300);
        plot->SetHost(&host);
        plot->AddClickTarget(&target, PlotClickOrder::kCoordinateList);
        plot->show();
        QCoreApplication::processEvents(); // the fit of a first showing waits for the layout
        plot->grab();                      // a paint fills the list of drawn points that clicks pick from
    }

    void Drag(Qt::MouseButton button, QPoint from, QPoint to) {
        QTest::mousePress(plot.get(), button, {}, from);
        QTest::mouseMove(plot.get(), to);
        QTest::mouseRelease(plot.get(), button, {}, to);
    }
    void Chord(QPoint from, QPoint to) {
        QTest::mousePress(plot.get(), Qt::LeftButton, {}, from);
        QTest::mousePress(plot.get(), Qt::RightButton, {}, from);
        QTest::mouseMove(plot.get(), to);
        QTest::mouseRelease(plot.get(), Qt::RightButton, {}, to);
        QTest::mouseRelease(plot.get(), Qt::LeftButton, {}, to);
    }
    void Wheel(QPoint local, int delta) {
        const QPointF global = plot->mapToGlobal(QPointF(local));
        QWheelEvent event(QPointF(local), global, QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(plot.get(), &event);
    }

    Store store;
    RecordingHost host;
    RecordingTarget target;
    std::unique_ptr<PlotView> plot;
};

TEST_F(PlotGestureTest, ShowingAfterALoadFitsAllPoints) {
    EXPECT_EQ(plot->PlotState(), PlotStates::kFitted);
    EXPECT_DOUBLE_EQ(plot->Viewport().scale, 2.55);
    EXPECT_DOUBLE_EQ(plot->Viewport().centreX, 50);
    EXPECT_EQ(plot->NameSize(), plot->Settings().smallFont);
    EXPECT_EQ(plot->DrawnPoints().names.size(), 9u);
}

TEST_F(PlotGestureTest, ThirtyPixelDragIsAClickAndThirtyOneIsNot) {
    // Pixel (205, 180) is nearest to A5 (X 50, Y 50), drawn at (200, 150).
    Drag(Qt::LeftButton, QPoint(205, 180), QPoint(205, 150));
    EXPECT_EQ(target.points, std::vector<std::string>{"A5"});
    EXPECT_TRUE(host.commands.empty());

    Drag(Qt::LeftButton, QPoint(205, 180), QPoint(205, 149));
    EXPECT_EQ(target.points.size(), 1u);
    EXPECT_EQ(host.commands, std::vector<PlotDirection>{PlotDirection::Up});
}

TEST_F(PlotGestureTest, ClickFarFromEveryPointStillPicksTheNearest) {
    Drag(Qt::LeftButton, QPoint(399, 0), QPoint(399, 0));
    EXPECT_EQ(target.points, std::vector<std::string>{"A9"}); // (100, 100): top right
}

TEST_F(PlotGestureTest, DragZonesPanByHalfOrAWholeScreen) {
    const PlotViewport start = plot->Viewport();
    QTest::mousePress(plot.get(), Qt::LeftButton, {}, QPoint(200, 250));
    QTest::mouseMove(plot.get(), QPoint(200, 150));
    EXPECT_EQ(plot->Hint(), QStringLiteral("▲ 半画面移動|▲ 半画面移動"));
    // The hint shows at once at the pointer, silver for half a screen, and goes with the release.
    const auto* label = plot->findChild<PlotHintLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), QStringLiteral("▲ 半画面移動"));
    EXPECT_EQ(label->pos(), QPoint(200, 150));
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(192, 192, 192));
    QTest::mouseRelease(plot.get(), Qt::LeftButton, {}, QPoint(200, 150));
    EXPECT_FALSE(label->isVisible());
    EXPECT_DOUBLE_EQ(plot->Viewport().centreX, start.centreX + 150 / 2.55);

    Drag(Qt::LeftButton, QPoint(300, 100), QPoint(100, 100)); // 200 left: a whole screen west
    EXPECT_DOUBLE_EQ(plot->Viewport().centreY, start.centreY - 2 * 200 / 2.55);
    Drag(Qt::LeftButton, QPoint(100, 100), QPoint(199, 100)); // 99 right: short, nothing from the host
    EXPECT_DOUBLE_EQ(plot->Viewport().centreY, start.centreY - 2 * 200 / 2.55);
    EXPECT_TRUE(target.points.empty());
    Drag(Qt::LeftButton, QPoint(100, 50), QPoint(100, 150)); // 100 down: half a screen south
    EXPECT_DOUBLE_EQ(plot->Viewport().centreX, start.centreX);
    EXPECT_EQ(plot->Hint(), QStringLiteral("|"));
}

TEST_F(PlotGestureTest, DiagonalDragActsAsTheUpwardCommand) {
    const PlotViewport start = plot->Viewport();
    QTest::mousePress(plot.get(), Qt::LeftButton, {}, QPoint(100, 200));
    QTest::mouseMove(plot.get(), QPoint(250, 150));
    EXPECT_EQ(plot->Hint(), QStringLiteral("座標登録|座標リストに計算結果を追加登録します"));
    EXPECT_EQ(plot->findChild<PlotHintLabel*>()->palette().color(QPalette::Window), QColor(255, 255, 0)); // 登録
    QTest::mouseRelease(plot.get(), Qt::LeftButton, {}, QPoint(250, 150));
    EXPECT_EQ(host.commands, std::vector<PlotDirection>{PlotDirection::Up});
    EXPECT_DOUBLE_EQ(plot->Viewport().centreY, start.centreY); // no pan to the right
}

// With no command for the short upward part, the same drag is half a screen east: the hint says so
// and the release does it.
TEST_F(PlotGestureTest, DiagonalDragDoesWhatItsHintSays) {
    host.upCommand = false;
    const PlotViewport start = plot->Viewport();
    QTest::mousePress(plot.get(), Qt::LeftButton, {}, QPoint(100, 200));
    QTest::mouseMove(plot.get(), QPoint(250, 150));
    EXPECT_EQ(plot->Hint(), QStringLiteral("半画面移動 ＝＞|半画面移動 ＝＞"));
    QTest::mouseRelease(plot.get(), Qt::LeftButton, {}, QPoint(250, 150));
    EXPECT_DOUBLE_EQ(plot->Viewport().centreY, start.centreY + 200 / 2.55);
    EXPECT_TRUE(host.commands.empty());
    EXPECT_TRUE(target.points.empty()); // no click either
}

TEST_F(PlotGestureTest, ChordRectangleZoomsAndRemembersThePreviousView) {
    const PlotViewport start = plot->Viewport();
    // 100 x 50 pixels around A5: the rectangle is wide, so the width decides (300/400 > 50/100).
    Chord(QPoint(150, 125), QPoint(250, 175));
    EXPECT_EQ(plot->PlotState(), PlotStates::kRectangle);
    EXPECT_NEAR(plot->Viewport().centreX, 50, 1e-9);
    EXPECT_NEAR(plot->Viewport().centreY, 50, 1e-9);
    EXPECT_NEAR(plot->Viewport().scale, 400 * 0.85 / (100 / 2.55), 1e-9);
    EXPECT_EQ(plot->NameSize(), plot->Settings().bigFont);
    EXPECT_DOUBLE_EQ(plot->PrevView().scale, start.scale);
    EXPECT_TRUE(target.points.empty());
}

TEST_F(PlotGestureTest, PreviousViewTwiceReturnsToTheStart) {
    Chord(QPoint(150, 125), QPoint(250, 175));
    const PlotViewport zoomed = plot->Viewport();
    Chord(QPoint(200, 150), QPoint(190, 160)); // down and left: "前倍率"
    EXPECT_DOUBLE_EQ(plot->Viewport().scale, 2.55);
    EXPECT_EQ(plot->NameSize(), plot->Settings().smallFont);
    Chord(QPoint(200, 150), QPoint(190, 160));
    EXPECT_DOUBLE_EQ(plot->Viewport().scale, zoomed.scale);
    EXPECT_DOUBLE_EQ(plot->Viewport().centreX, zoomed.centreX);
    EXPECT_EQ(plot->NameSize(), plot->Settings().bigFont);
}

TEST_F(PlotGestureTest, ChordUpFitsAllAndChordUpLeftReduces) {
    plot->SetView(0, 0, 10);
    Chord(QPoint(200, 150), QPoint(197, 110)); // 3 left, 40 up: all points
    EXPECT_DOUBLE_EQ(plot->Viewport().scale, 2.55);
    EXPECT_DOUBLE_EQ(plot->PrevView().scale, 10);
    Chord(QPoint(200, 150), QPoint(194, 110)); // 6 left: x 0.8
    EXPECT_DOUBLE_EQ(plot->Viewport().scale, 2.55 * 0.8);
    Chord(QPoint(200, 150), QPoint(140, 110)); // 60 left: x 0.5
    EXPECT_DOUBLE_EQ(plot->Viewport().scale, 2.55 * 0.8 * 0.5);
}

TEST_F(PlotGestureTest, ChordFarUpRightRebuildsTheIndexBeforeFitting) {
    store.xyz.AppendRows({XyzRow{"", "NEW", "200.000", "0.000", "", "", ""}});
    QTest::mousePress(plot.get(), Qt::LeftButton, {}, QPoint(100, 200));
    QTest::mousePress(plot.get(), Qt::RightButton, {}, QPoint(100, 200));
    QTest::mouseMove(plot.get(), QPoint(220, 80));
    EXPECT_EQ(plot->Hint(), QStringLiteral("|再計算全点再表示"));
    QTest::mouseRelease(plot.get(), Qt::RightButton, {}, QPoint(220, 80));
    QTest::mouseRelease(plot.get(), Qt::LeftButton, {}, QPoint(220, 80));
    EXPECT_TRUE(store.FindPointXY("NEW"));
    EXPECT_DOUBLE_EQ(plot->Viewport().scale, 300 * 0.85 / 200);
    EXPECT_DOUBLE_EQ(plot->Viewport().centreX, 100);
}

TEST_F(PlotGestureTest, ChordClickRecentresAndMiddleButtonIsAChord) {
    const PlotViewport start = plot->Viewport();
    Chord(QPoint(300, 100), QPoint(300, 100));
    EXPECT_DOUBLE_EQ(plot->Viewport().centreX, start.centreX + 50 / 2.55);
    EXPECT_DOUBLE_EQ(plot->Viewport().centreY, start.centreY + 100 / 2.55);
    Drag(Qt::MiddleButton, QPoint(200, 150), QPoint(197, 110));
    EXPECT_DOUBLE_EQ(plot->Viewport().centreX, start.centreX); // fitted again
    EXPECT_TRUE(target.points.empty());
}

TEST_F(PlotGestureTest, RememberedRangeReplacesTheFitOfTheGesture) {
    plot->SetView(10, 20, 7);
    plot->SetRangeRemembered(true);
    plot->SetView(0, 0, 1);
    Chord(QPoint(200, 150), QPoint(200, 100));
    EXPECT_DOUBLE_EQ(plot->Viewport().scale, 7);
    EXPECT_DOUBLE_EQ(plot->Viewport().centreY, 20);
    // New coordinates still get a full fit when shown.
    LoadPoints(store, {{"B1", 0, 0}, {"B2", 0, 400}});
    plot->CoordinatesLoaded();
    EXPECT_DOUBLE_EQ(plot->Viewport().scale, 400 * 0.85 / 400);
    EXPECT_DOUBLE_EQ(plot->RememberedView().scale, 7);
}

TEST_F(PlotGestureTest, WheelTowardsTheUserCentresOnceThenZoomsAboutThePoint) {
    const PlotWorld pointed = plot->Viewport().ToWorld(300, 100);
    for (int i = 0; i < 3; ++i) {
        Wheel(QPoint(300, 100), -120);
    }
    EXPECT_NEAR(plot->Viewport().centreX, pointed.x, 1e-9);
    EXPECT_NEAR(plot->Viewport().centreY, pointed.y, 1e-9);
    EXPECT_NEAR(plot->Viewport().scale, 2.55 * 1.5 * 1.5 * 1.5, 1e-9);
    EXPECT_EQ(plot->NameSize(), plot->Settings().bigFont);
    Wheel(QPoint(300, 100), 120);
    EXPECT_NEAR(plot->Viewport().scale, 2.55 * 1.5 * 1.5 * 1.5 * 0.8, 1e-9);
}

TEST_F(PlotGestureTest, WheelBesideOrBelowThePlotPansBySixths) {
    const PlotViewport start = plot->Viewport();
    Wheel(QPoint(450, 100), 120); // right of the plot, turned away: east
    EXPECT_DOUBLE_EQ(plot->Viewport().centreY, start.centreY + 200 / (3 * 2.55));
    Wheel(QPoint(100, 350), 120); // below it, turned away: south
    EXPECT_DOUBLE_EQ(plot->Viewport().centreX, start.centreX - 150 / (3 * 2.55));
}

TEST_F(PlotGestureTest, NothingActsOnAListWithoutPoints) {
    store.xyz.Clear();
    Drag(Qt::LeftButton, QPoint(205, 180), QPoint(205, 180));
    Drag(Qt::LeftButton, QPoint(200, 250), QPoint(200, 50));
    EXPECT_TRUE(target.points.empty());
    EXPECT_DOUBLE_EQ(plot->Viewport().centreX, 50);
}

TEST_F(PlotGestureTest, ViewCommandsScaleAboutTheSameCentre) {
    plot->ZoomIn();
    EXPECT_DOUBLE_EQ(plot->Viewport().scale, 2.55 * 1.5);
    plot->ZoomOut();
    EXPECT_DOUBLE_EQ(plot->Viewport().scale, 2.55 * 1.5 * 0.8);
    EXPECT_DOUBLE_EQ(plot->Viewport().centreX, 50);
    // "範囲記憶" takes the view when switched on; the fit then shows it instead of all points.
    plot->SetRangeRemembered(true);
    plot->ZoomIn();
    EXPECT_TRUE(plot->FitAll());
    EXPECT_DOUBLE_EQ(plot->Viewport().scale, 2.55 * 1.5 * 0.8);
    plot->SetRangeRemembered(false);
    EXPECT_TRUE(plot->FitAll());
    EXPECT_DOUBLE_EQ(plot->Viewport().scale, 2.55);
}

TEST_F(PlotGestureTest, CrossHairFollowsThePointerAndIsForgottenOnHiding) {
    QTest::mouseMove(plot.get(), QPoint(120, 80));
    ASSERT_TRUE(plot->CrossHair());
    EXPECT_EQ(*plot->CrossHair(), QPoint(120, 80));
    const QImage image = plot->grab().toImage();
    // Drawn in not-xor mode across the whole plot: the background there is no longer the background.
    const QRgb back = ColourFromBgr(plot->Settings().backColour).rgb();
    EXPECT_NE(image.pixel(120, 299), back);
    EXPECT_NE(image.pixel(399, 80), back);
    plot->hide();
    plot->show();
    EXPECT_FALSE(plot->CrossHair());
}

TEST_F(PlotGestureTest, ChordOnAnEmptyListEndsWithItsButtons) {
    store.xyz.Clear();
    Chord(QPoint(100, 100), QPoint(200, 200));
    EXPECT_FALSE(plot->Gestures().chord);
    EXPECT_DOUBLE_EQ(plot->Viewport().scale, 2.55);
    // A plain click afterwards is not taken for half of a chord.
    LoadPoints(store, {{"A1", 0, 0}, {"A2", 100, 100}});
    plot->grab();
    Drag(Qt::LeftButton, QPoint(10, 290), QPoint(10, 290));
    EXPECT_EQ(target.points, std::vector<std::string>{"A1"});
}

TEST_F(PlotGestureTest, ClicksGoToTheFirstAcceptingTarget) {
    store.blocks.Add(Block{"P1", "A1,A2,A5,A1", 4, 10, 10});
    store.blocks.Add(Block{"P2", "A5,A6,A9,A5", 4, 80, 80});
    RecordingTarget editor;
    editor.acceptsPoints = false;
    plot->AddClickTarget(&editor, PlotClickOrder::kParcelEditor);
    Drag(Qt::LeftButton, QPoint(390, 10), QPoint(390, 10));
    EXPECT_TRUE(editor.points.empty());
    EXPECT_EQ(target.points, std::vector<std::string>{"A9"});
    editor.acceptsParcels = true;
    Drag(Qt::LeftButton, QPoint(390, 10), QPoint(390, 10));
    EXPECT_EQ(editor.parcels, std::vector<int>{1});
    EXPECT_EQ(target.points.size(), 1u);
}

TEST_F(PlotGestureTest, HighlightIsRedrawnUntilThePlotRepaints) {
    const auto a5 = store.FindPointXY("A5");
    const PlotPixel p = plot->Viewport().ToPixel(a5->x, a5->y);
    const QRgb highlight = ColourFromBgr(plot->Settings().highlightColour).rgb();
    const int left = p.x - plot->Settings().smallCircle / 2; // the circle's leftmost column
    auto columnHas = [&](const QImage& image, QRgb colour) {
        for (int y = p.y - 5; y <= p.y + 5; ++y) {
            if (image.pixel(left, y) == colour) {
                return true;
            }
        }
        return false;
    };
    plot->HighlightPoint("A5");
    EXPECT_TRUE(columnHas(plot->grab().toImage(), highlight));
    EXPECT_TRUE(columnHas(plot->grab().toImage(), highlight)); // a repaint by the window system keeps it
    plot->UnhighlightPoint();
    EXPECT_FALSE(columnHas(plot->grab().toImage(), highlight));
    plot->HighlightPoint("A5");
    plot->RePaint();
    EXPECT_FALSE(columnHas(plot->grab().toImage(), highlight));
}

} // namespace
} // namespace vemo
