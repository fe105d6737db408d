// The calculation window as start-up installs it: the 計算 commands open it on their tab, the plot's
// clicks and short drags reach it through the tool registry, and a downward drag closes it.
#include "ui/calc/CalcWindow.h"
#include "../plot/PlotTestData.h"
#include "MainFixture.h"
#include "ui/calc/CalcFields.h"
#include "ui/calc/CalcTabs.h"
#include "ui/calc/PointGridPage.h"
#include "ui/main/CalcArea.h"
#include "ui/main/CommandSet.h"
#include "ui/main/CommandTable.h"
#include "ui/main/ParcelEditorArea.h"
#include "ui/main/PlotArea.h"
#include "ui/main/StatusPanels.h"
#include "ui/main/ToolRegistry.h"
#include "ui/parcels/ParcelEditor.h"
#include "ui/plot/PlotView.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace vemo::test {
namespace {

using CalcWindowInstall = MainFixture;

// UpperChr turned off in the settings dialog reaches the calculation window's name fields at once,
// not only at the next start.
TEST_F(CalcWindowInstall, NameFieldsFollowUpperChrAsItIsChanged) {
    MainWindow& main = Open();
    CalcWindow* calc = InstallCalcWindow(main);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    main.commands().trigger(CalcTabCommand(CalcTab::kCornerCut));
    auto* field = calc->page(CalcTab::kCornerCut)->findChild<CalcNameEdit*>();
    ASSERT_NE(field, nullptr);
    const struct {
        bool upperChr;
        const char* expected;
    } cases[] = {{true, "P1"}, {false, "p1"}};
    for (const auto& c : cases) {
        main.settings().Key.UpperChr = c.upperChr;
        main.workspace().announceSettings();
        field->clear();
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("p1"));
        EXPECT_EQ(field->text(), QString::fromLatin1(c.expected)) << "UpperChr " << c.upperChr;
    }
}

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

    main.commands().trigger(CalcTabCommand(CalcTab::kCornerCut));
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

    const QByteArray dir = qgetenv("VEMO_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(main.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/calc-docked.png")));
    }

    // The downward drag closes the first shown panel: the calculation window comes before the areas.
    EXPECT_EQ(main.tools().shortDragHint(PlotDirection::Down),
              QStringLiteral("計算ウィンドウ閉じる|計算ウィンドウ閉じる"));
    main.tools().runShortDrag(PlotDirection::Down);
    EXPECT_FALSE(calc->isVisible());
    EXPECT_EQ(grid->rowCount(), 1); // closing clears
}

// A row clicked in the coordinate list while the inverse tab is open goes into its grid: the status
// line says which point went where, and a repeat names the point and the grid it was refused by.
TEST_F(CalcWindowInstall, ARowClickIntoAGridIsSaidAndARepeatNamesPointAndGrid) {
    MainWindow& main = Open();
    InstallPlotArea(main);
    CalcWindow* calc = InstallCalcWindow(main);
    LoadPoints(main.store(), {{"K2", -42031.470, -15171.220}, {"K3", -42002.996, -15180.005}});
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    main.tools().runShortDrag(PlotDirection::Left); // opens the inverse tab
    ASSERT_EQ(calc->currentTab(), CalcTab::kInverse);

    ASSERT_TRUE(main.tools().offerPointName(PointSource::GridRow, "K2"));
    EXPECT_EQ(main.statusPanels().text(), QStringLiteral("K2 を逆座標に追加しました"));
    ASSERT_TRUE(main.tools().offerPointName(PointSource::GridRow, "K3"));
    EXPECT_EQ(main.statusPanels().text(), QStringLiteral("K3 を逆座標に追加しました"));
    EXPECT_TRUE(MessageBox::ShownTexts().isEmpty());

    main.statusPanels().setText({});
    ASSERT_TRUE(main.tools().offerPointName(PointSource::GridRow, "K3"));
    EXPECT_EQ(MessageBox::ShownTexts(), QStringList{QStringLiteral("前点と重複：K3 は逆座標の前の行と同じ点です")});
    EXPECT_EQ(main.statusPanels().text(), QString()) << "a refused name is not said to be added";
    auto* grid = qobject_cast<PointGridPage*>(calc->page(CalcTab::kInverse))->grid();
    EXPECT_EQ(grid->rowCount(), 3); // K2, K3 and the entry row

    // The division's grid says so too, in its own name.
    main.commands().trigger(CalcTabCommand(CalcTab::kDivision));
    ASSERT_EQ(calc->currentTab(), CalcTab::kDivision);
    ASSERT_TRUE(main.tools().offerPointName(PointSource::GridRow, "K2"));
    EXPECT_EQ(main.statusPanels().text(), QStringLiteral("K2 を定面積分割に追加しました"));
}

// Each 計算 command as the surveyor meets it, in menu order: its caption and key, the tab it opens, the
// window caption, the F1 topic, and whether rows of the coordinate list and the upward drag reach it.
TEST_F(CalcWindowInstall, EveryCalculationCommandOpensItsOwnTab) {
    MainWindow& main = Open();
    InstallPlotArea(main);
    CalcWindow* calc = InstallCalcWindow(main);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    const struct {
        const char* command;
        const char* key;
        const char* caption;
        int helpTopic;
        bool takesListRows;
        bool registersOnUpwardDrag;
    } tabs[] = {{"逆座標計算", "F11", "逆座標計算", 20, true, false},
                {"垂線長計算", "F10", "垂線長計算", 20, true, false},
                {"直線 X 直線", "", "直線×直線", 21, false, true},
                {"直線 X 円", "", "直線×円", 21, false, true},
                {"円 X 円", "", "円×円", 21, false, true},
                {"ｵﾌｾｯﾄ計算", "", "ｵﾌｾｯﾄ", 21, false, true},
                {"垂線の足計算", "", "垂線の足", 21, false, true},
                {"隅切計算", "", "隅切", 21, false, true},
                {"連続平行移動点計算", "", "平行移動点", 21, false, true},
                {"座標変換", "", "座標変換計算", 22, false, false},
                {"定面積分割計算", "", "定面積分割計算", 23, true, false},
                {"逆打ち計算", "", "逆打ち計算", 24, false, false}};
    QList<QAction*> items;
    for (QAction* action : main.commands().menu(Menu::Calc)->actions()) {
        if (!action->isSeparator()) {
            items << action;
        }
    }
    // After the tabs' commands: the traverse and the network adjustment.
    ASSERT_EQ(items.size(), static_cast<qsizetype>(std::size(tabs)) + 2);
    EXPECT_EQ(items[items.size() - 2]->text(), QStringLiteral("トラバース計算"));
    EXPECT_EQ(items.back()->text(), QStringLiteral("網平均..."));
    for (int tab = 0; tab < static_cast<int>(std::size(tabs)); ++tab) {
        const auto& expected = tabs[tab];
        SCOPED_TRACE(expected.command);
        EXPECT_EQ(items[tab]->text(), QString::fromUtf8(expected.command));
        EXPECT_EQ(items[tab]->shortcut().toString(), QString::fromLatin1(expected.key));
        items[tab]->trigger();
        ASSERT_TRUE(calc->isVisible());
        EXPECT_EQ(calc->currentTab(), tab);
        EXPECT_EQ(calc->windowTitle(), QString::fromUtf8(expected.caption));
        EXPECT_EQ(calc->currentPage()->property("helpContext").toInt(), expected.helpTopic);
        EXPECT_EQ(calc->acceptsPointName(true), expected.takesListRows);
        EXPECT_EQ(calc->shortDragHint(PlotDirection::Up).isEmpty(), !expected.registersOnUpwardDrag);
    }
}

// 放射型 as the settings' default type of the inverse calculation: the inverse tab starts radial.
TEST_F(CalcWindowInstall, InverseTabStartsInTheTypeOfTheSettings) {
    MainWindow& main = Open();
    main.settings().Calc.BackWardType = 1;
    CalcWindow* calc = InstallCalcWindow(main);
    main.commands().trigger(CalcTabCommand(CalcTab::kInverse));
    EXPECT_EQ(qobject_cast<PointGridPage*>(calc->page(CalcTab::kInverse))->mode(), GridMode::InverseRadial);
}

// Docked, the window sits inside the main window, whose key rules move the focus on Enter and make
// letters upper case: Enter must still confirm a name in the window's grid.
TEST_F(CalcWindowInstall, DockedGridTakesTypedNamesInUpperCaseAndConfirmsThemWithEnter) {
    MainWindow& main = Open();
    InstallPlotArea(main);
    CalcWindow* calc = InstallCalcWindow(main);
    LoadPoints(main.store(), {{"A1", 0, 0}, {"A2", 10, 0}});
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    main.commands().trigger(CalcTabCommand(CalcTab::kInverse));
    auto* grid = qobject_cast<PointGridPage*>(calc->page(CalcTab::kInverse))->grid();
    for (const QString& name : {QStringLiteral("a1"), QStringLiteral("a2")}) {
        grid->setFocus();
        QTest::keyClicks(grid, name.left(1));
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, grid);
        QTest::keyClicks(editor, name.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
    }
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("A1"));
    EXPECT_EQ(grid->item(1, 1)->text(), QStringLiteral("A2"));
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_TRUE(grid->hasFocus());
}

// <<画地挿入 takes the parcel open in the parcel editor into the grid, 画地登録>> stores the grid as a
// new parcel "*" + count and clears the editor.
TEST_F(CalcWindowInstall, ParcelGoesFromTheEditorIntoTheGridAndTheGridBackAsANewParcel) {
    MainWindow& main = Open();
    InstallPlotArea(main);
    ParcelEditor* editor = InstallParcelEditorArea(main);
    CalcWindow* calc = InstallCalcWindow(main, editor);
    LoadPoints(main.store(), {{"A1", 0, 0}, {"A2", 10, 0}, {"A3", 10, 10}, {"A4", 0, 10}});
    main.store().blocks.Add(Block{"1", "A1,A2,A3,A4,A1", 6, 5, 5});
    main.show();
    main.setAreaShown(Area::BlockEdit, true);
    editor->loadParcel(0);
    main.commands().trigger(CalcTabCommand(CalcTab::kInverse));
    auto* page = qobject_cast<PointGridPage*>(calc->page(CalcTab::kInverse));
    calc->runIdle();
    ASSERT_TRUE(page->insertParcelButton()->isEnabled());
    EXPECT_FALSE(page->registerParcelButton()->isEnabled()); // no names in the grid yet

    QTest::mouseClick(page->insertParcelButton(), Qt::LeftButton);
    EXPECT_EQ(page->grid()->rowCount(), 6); // A1 A2 A3 A4 A1 and the entry row
    EXPECT_EQ(page->areaLabel()->text(), QStringLiteral(" 面積    100.0000000 ㎡"));
    calc->runIdle();
    ASSERT_TRUE(page->registerParcelButton()->isEnabled());
    QTest::mouseClick(page->registerParcelButton(), Qt::LeftButton);
    ASSERT_EQ(main.store().blocks.Count(), 2);
    EXPECT_EQ(main.store().blocks.At(1).BlockName, "*2");
    EXPECT_EQ(main.store().blocks.At(1).NoList, "A1,A2,A3,A4,A1,");
    EXPECT_EQ(page->grid()->rowCount(), 1);
    EXPECT_TRUE(editor->rows().size() <= 1);
}

} // namespace
} // namespace vemo::test
