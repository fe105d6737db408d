// The four areas, their toggles and the window's first state.
#include "MainFixture.h"
#include "core/text/Cp932.h"
#include "ui/common/GridFont.h"
#include "ui/main/AreaSlot.h"
#include "ui/main/CommandSet.h"
#include "ui/main/TreeArea.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

namespace vemo::test {
namespace {

using Areas = MainFixture;

TEST_F(Areas, AtStartOnlyTheDataTreeIsShown) {
    MainWindow& main = Open();
    EXPECT_TRUE(main.isAreaShown(Area::DataTree));
    EXPECT_FALSE(main.isAreaShown(Area::XyzList));
    EXPECT_FALSE(main.isAreaShown(Area::Plot));
    EXPECT_FALSE(main.isAreaShown(Area::BlockEdit));
    EXPECT_FALSE(main.isSelectionPanelShown());
    CommandSet& commands = main.commands();
    EXPECT_TRUE(commands.isChecked(Cmd::DispDatTree));
    EXPECT_TRUE(commands.isMenuEnabled(Menu::Tree));
    EXPECT_FALSE(commands.isMenuEnabled(Menu::List));
    EXPECT_FALSE(commands.isMenuEnabled(Menu::Block));
    // No coordinates yet: the list, plot and parcel toggles, the selection and new parcels wait.
    for (Cmd id : {Cmd::DispXyzList, Cmd::DispXyzImage, Cmd::DispBlockEdit, Cmd::EditXyzSelect, Cmd::FileNewBlk}) {
        EXPECT_FALSE(commands.isWanted(id)) << commands.action(id)->text().toStdString();
    }
}

// A new user starts with an empty window: beside the data tree the free area says how to begin.
TEST_F(Areas, WithNoDataTheFreeAreaShowsTheFirstSteps) {
    MainWindow& main = Open();
    main.resize(1000, 600);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    auto* hint = main.findChild<QLabel*>(QStringLiteral("StartHint"));
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    for (const QString& step : {QStringLiteral("現場フォルダ作成"), QStringLiteral("新規座標"), QStringLiteral("開く"),
                                QStringLiteral("SIMAフォーマットを開く")}) {
        EXPECT_TRUE(hint->text().contains(step)) << step.toStdString();
    }
    main.grab().save(QStringLiteral("/tmp/vemo-start-hint.png"));
    // With data open the area is only a filler.
    main.store().xyz.AppendRows({XyzRow{"", "1", "100.000", "200.000", "", "", ""}});
    hint->hide();
    hint->show();
    EXPECT_TRUE(hint->text().isEmpty());
}

TEST_F(Areas, ToggleHidesAndShowsWithMenuAndToolButton) {
    MainWindow& main = Open();
    QSignalSpy spy(&main, &MainWindow::areaVisibilityChanged);
    QToolBar* bar = main.findChild<QToolBar*>(QStringLiteral("AreaToolBar"));
    ASSERT_NE(bar, nullptr);
    QAction* treeToggle = main.commands().action(Cmd::DispDatTree);
    ASSERT_TRUE(bar->actions().contains(treeToggle));

    main.commands().trigger(Cmd::DispDatTree);
    EXPECT_FALSE(main.isAreaShown(Area::DataTree));
    EXPECT_FALSE(treeToggle->isChecked());
    EXPECT_FALSE(main.commands().isMenuEnabled(Menu::Tree));
    main.commands().trigger(Cmd::DispDatTree);
    EXPECT_TRUE(main.isAreaShown(Area::DataTree));
    EXPECT_TRUE(treeToggle->isChecked());
    EXPECT_TRUE(main.commands().isMenuEnabled(Menu::Tree));
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy[0][1].toBool(), false);
    EXPECT_EQ(spy[1][1].toBool(), true);
}

TEST_F(Areas, ParcelEditorTogglesNewParcelsAndBuildsTheIndex) {
    MainWindow& main = Open();
    InstallTreeArea(main);
    Store& store = main.store();
    store.xyz.AppendRows(
        {XyzRow{"", "1", "100.000", "200.000", "", "", ""}, XyzRow{"", "2", "110.000", "205.000", "", "", ""}});
    auto* nameBox = new QLineEdit;
    main.area(Area::BlockEdit)->setContent(nameBox);
    main.commands().connect(Cmd::FileNewBlk, [] {});
    main.commands().setEnabled(Cmd::DispBlockEdit, true);

    main.commands().trigger(Cmd::DispBlockEdit);
    EXPECT_TRUE(main.isAreaShown(Area::BlockEdit));
    EXPECT_TRUE(main.commands().isEnabled(Cmd::FileNewBlk));
    EXPECT_TRUE(main.commands().isMenuEnabled(Menu::Block));
    // The parcels look their points up through the index, which sees the list as it stands.
    EXPECT_EQ(store.Index().Count(), 2);
    ASSERT_TRUE(store.FindPointXY("2").has_value());
    EXPECT_DOUBLE_EQ(store.FindPointXY("2")->y, 205.0);

    main.commands().trigger(Cmd::DispBlockEdit);
    EXPECT_FALSE(main.isAreaShown(Area::BlockEdit));
    EXPECT_FALSE(main.commands().isEnabled(Cmd::FileNewBlk));
}

TEST_F(Areas, BadNumberInTheListIsShownAndTheEditorStillOpens) {
    MainWindow& main = Open();
    InstallTreeArea(main);
    main.store().xyz.AppendRows({XyzRow{"", "1", "1O0.000", "200.000", "", "", ""}});
    main.commands().setEnabled(Cmd::DispBlockEdit, true);
    main.commands().trigger(Cmd::DispBlockEdit);
    EXPECT_TRUE(main.isAreaShown(Area::BlockEdit));
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::ShownTexts().front().contains(QStringLiteral("1O0.000")));
    // The program carries on: the next command runs normally.
    main.commands().trigger(Cmd::DispBlockEdit);
    EXPECT_FALSE(main.isAreaShown(Area::BlockEdit));
}

TEST_F(Areas, ContentReplacesThePlaceholderAndGetsTheFocus) {
    MainWindow& main = Open();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    auto* grid = new QLineEdit;
    main.area(Area::XyzList)->setContent(grid);
    EXPECT_EQ(main.area(Area::XyzList)->content(), grid);
    main.commands().setEnabled(Cmd::DispXyzList, true);
    main.commands().trigger(Cmd::DispXyzList);
    EXPECT_TRUE(grid->hasFocus());
}

TEST_F(Areas, HiddenAreaKeepsItsWidth) {
    MainWindow& main = Open();
    main.resize(1200, 700);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    EXPECT_EQ(main.areaWidth(Area::DataTree), 225);
    main.setAreaShown(Area::Plot, true);
    main.setAreaShown(Area::BlockEdit, true);
    EXPECT_EQ(main.areaWidth(Area::DataTree), 225);
    EXPECT_EQ(main.areaWidth(Area::BlockEdit), 225);
    main.setAreaShown(Area::DataTree, false);
    EXPECT_EQ(main.areaWidth(Area::DataTree), 225);
    main.setAreaShown(Area::DataTree, true);
    EXPECT_EQ(main.area(Area::DataTree)->width(), 225);
}

// The list area is as wide as its columns need and stays so, unless ChWidth frees it: then the width
// of the last run comes back.
TEST_F(Areas, ListWidthFollowsChWidth) {
    const int columnsWidth = 62 * DigitWidth(GridFont()) + 50;
    const struct {
        const char* ini;
        int width;
    } cases[] = {
        {"[XyzList]\r\nWidth=700\r\n", columnsWidth},
        {"[XyzList]\r\nChWidth=0\r\nWidth=300\r\n", columnsWidth},
        {"[XyzList]\r\nChWidth=1\r\nWidth=700\r\n", 700},
    };
    for (const auto& c : cases) {
        window.reset();
        MainWindow& main = Open(c.ini);
        main.resize(1400, 700);
        main.setAreaShown(Area::XyzList, true);
        main.setAreaShown(Area::Plot, true);
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        EXPECT_EQ(main.areaWidth(Area::XyzList), c.width) << c.ini;
    }
}

} // namespace
} // namespace vemo::test
