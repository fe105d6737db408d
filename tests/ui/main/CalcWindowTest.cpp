// The calculation window as start-up installs it: the 計算 commands open it on their tab, the plot's
// clicks and short drags reach it through the tool registry, and a downward drag closes it.
#include "ui/calc/CalcWindow.h"
#include "../plot/PlotTestData.h"
#include "MainFixture.h"
#include "ui/calc/PointGridPage.h"
#include "ui/main/CalcArea.h"
#include "ui/main/CommandSet.h"
#include "ui/main/PlotArea.h"
#include "ui/main/Tools.h"
#include "ui/plot/PlotView.h"

#include <QDockWidget>
#include <QTableWidget>
#include <QTest>

namespace vemo::test {
namespace {

using CalcWindowInstall = MainFixture;

TEST_F(CalcWindowInstall, CommandsOpenTheirTabAndTheRegistryFeedsAndClosesTheWindow) {
    MainWindow& main = Open();
    InstallPlotArea(main);
    CalcWindow* calc = InstallCalcWindow(main);
    LoadPoints(main.store(), {{"A1", 0, 0}, {"A2", 10, 0}});
    main.resize(1000, 700);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    // Tiled by default: the window lives in a dock at the left, hidden until a command opens it.
    ASSERT_NE(qobject_cast<QDockWidget*>(calc->parentWidget()), nullptr);
    EXPECT_FALSE(calc->isVisible());
    EXPECT_FALSE(main.tools().offerPointName(PointSource::PlotClick, "A1"));

    main.commands().trigger(Cmd::CalcCornerCut);
    EXPECT_TRUE(calc->isVisible());
    EXPECT_EQ(calc->currentTab(), CalcTab::kCornerCut);
    // A row of the coordinate list feeds only the point-grid tabs.
    EXPECT_FALSE(main.tools().offerPointName(PointSource::GridRow, "A1"));
    EXPECT_EQ(main.tools().shortDragHint(PlotDirection::Left), QStringLiteral("逆座標計算|逆座標計算"));

    main.tools().runShortDrag(PlotDirection::Left); // opens the inverse tab
    EXPECT_EQ(calc->currentTab(), CalcTab::kInverse);
    EXPECT_EQ(main.tools().shortDragHint(PlotDirection::Left), QStringLiteral("クリア|クリア"));
    EXPECT_TRUE(main.tools().offerPointName(PointSource::GridRow, "A1"));
    EXPECT_TRUE(main.tools().offerPointName(PointSource::PlotClick, "A2"));
    auto* grid = qobject_cast<PointGridPage*>(calc->page(CalcTab::kInverse))->grid();
    ASSERT_NE(grid->item(1, 2), nullptr);
    EXPECT_EQ(grid->item(1, 2)->text(), QStringLiteral("  10.000"));
    // The results follow an edit of the coordinate list.
    main.store().xyz.SetCell(2, kColX, "20.000");
    EXPECT_EQ(grid->item(1, 2)->text(), QStringLiteral("  20.000"));

    // The downward drag closes the first shown panel: the calculation window comes before the areas.
    EXPECT_EQ(main.tools().shortDragHint(PlotDirection::Down),
              QStringLiteral("計算ウィンドウ閉じる|計算ウィンドウ閉じる"));
    main.tools().runShortDrag(PlotDirection::Down);
    EXPECT_FALSE(calc->isVisible());
    EXPECT_EQ(grid->rowCount(), 1); // closing clears
}

} // namespace
} // namespace vemo::test
