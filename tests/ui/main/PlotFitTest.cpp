// The plot shows what a surveyor works on without being asked: the points typed into a new list stay
// fitted, "全体表示" is found in the menu, the tool row and on a key, and a panel opened beside a fitted
// plot does not push the points out of it.
#include "MainFixture.h"
#include "ui/grid/XyzListPanel.h"
#include "ui/grid/XyzStrGrid.h"
#include "ui/main/CommandSet.h"
#include "ui/plot/PlotView.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QToolBar>

namespace vemo::test {
namespace {

class PlotFit : public MainFixture {
protected:
    MainWindow& OpenNewList() {
        MainWindow& main = OpenWithAreas();
        main.resize(1200, 700);
        main.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&main));
        main.commands().trigger(Cmd::FileNewXyz);
        main.setAreaShown(Area::XyzList, true);
        main.setAreaShown(Area::Plot, true);
        main.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
        main.xyzListPanel()->grid()->setFocus();
        return main;
    }
    static void TypePoint(const char* name, const char* x, const char* y) {
        for (const char* field : {name, x, y}) {
            for (const char* c = field; *c != '\0'; ++c) {
                QTest::keyClick(QApplication::focusWidget(), *c);
            }
            QTest::keyClick(QApplication::focusWidget(), field == y ? Qt::Key_Return : Qt::Key_Tab);
        }
    }
    // Every named point lies inside the plot as it is laid out now.
    static void ExpectAllInside(MainWindow& main, std::initializer_list<const char*> names) {
        QApplication::processEvents();
        PlotView* plot = main.plotView();
        const PlotViewport& view = plot->Viewport();
        ASSERT_EQ(view.width, plot->width());
        for (const char* name : names) {
            const auto point = main.store().FindPointXY(name);
            ASSERT_TRUE(point) << name;
            const PlotPixel pixel = view.ToPixel(point->x, point->y);
            EXPECT_TRUE(pixel.x >= 0 && pixel.x < plot->width() && pixel.y >= 0 && pixel.y < plot->height())
                << name << " at " << pixel.x << "," << pixel.y << " in " << plot->width() << "x" << plot->height();
        }
    }
};

// Site coordinates in metres (a plane system's X north, Y east); the third and fourth points lie far
// outside the view the first two were fitted to.
TEST_F(PlotFit, PointsTypedIntoANewListStayFittedUntilTheUserChangesTheView) {
    MainWindow& main = OpenNewList();
    TypePoint("K1", "-35120.5", "12040.25");
    TypePoint("K2", "-35100.5", "12080.25");
    TypePoint("K3", "-34900.5", "12440.25");
    const PlotViewport& view = main.plotView()->Viewport();
    EXPECT_DOUBLE_EQ(view.centreX, (-35120.5 + -34900.5) / 2);
    EXPECT_DOUBLE_EQ(view.centreY, (12040.25 + 12440.25) / 2);
    ExpectAllInside(main, {"K1", "K2", "K3"});
    // A view the surveyor chose is kept while typing goes on.
    main.commands().trigger(Cmd::ImgUp);
    const double chosen = main.plotView()->Viewport().scale;
    TypePoint("K4", "-30000", "20000");
    EXPECT_EQ(main.plotView()->Viewport().scale, chosen);
}

TEST_F(PlotFit, FitAllIsInTheMenuTheToolRowAndOnAKey) {
    MainWindow& main = OpenNewList();
    TypePoint("K1", "-35120.5", "12040.25");
    TypePoint("K2", "-35100.5", "12080.25");
    QAction* fit = main.commands().action(Cmd::ImgFitAll);
    EXPECT_EQ(fit->text(), QStringLiteral("全体表示(&A)"));
    EXPECT_EQ(fit->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_TRUE(main.commands().menu(Menu::Image)->actions().contains(fit));
    bool onToolRow = false;
    for (QToolBar* bar : main.findChildren<QToolBar*>()) {
        onToolRow = onToolRow || (bar->actions().contains(fit) && bar->isVisible());
    }
    EXPECT_TRUE(onToolRow);
    main.commands().trigger(Cmd::ImgUp);
    main.commands().trigger(Cmd::ImgUp);
    const double zoomed = main.plotView()->Viewport().scale;
    EXPECT_TRUE(fit->isEnabled());
    QTest::keyClick(&main, Qt::Key_F9);
    EXPECT_DOUBLE_EQ(main.plotView()->Viewport().scale, zoomed / 2.25);
    EXPECT_DOUBLE_EQ(main.plotView()->PrevView().scale, zoomed);
}

TEST_F(PlotFit, APanelOpenedBesideAFittedPlotKeepsThePointsInView) {
    MainWindow& main = OpenNewList();
    // Wide east-west, so that the width of the plot decides the scale.
    TypePoint("K1", "-35100", "12000");
    TypePoint("K2", "-35120", "12300");
    ExpectAllInside(main, {"K1", "K2"});
    main.setAreaShown(Area::DataTree, true);
    main.setAreaShown(Area::BlockEdit, true);
    ExpectAllInside(main, {"K1", "K2"});
    main.setAreaShown(Area::BlockEdit, false);
    ExpectAllInside(main, {"K1", "K2"});
}

} // namespace
} // namespace vemo::test
