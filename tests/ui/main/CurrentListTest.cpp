// Every lookup and the plot see the coordinate list as it stands, whichever route changed it: new
// coordinates, a file of one point, points typed into an empty list.  (The index once stayed with the
// previous site: the plot showed it and a lookup returned its coordinates for a matching name.)
#include "MainFixture.h"
#include "core/text/Cp932.h"
#include "ui/grid/XyzListPanel.h"
#include "ui/grid/XyzStrGrid.h"
#include "ui/main/CommandSet.h"
#include "ui/plot/PlotView.h"
#include "ui/tree/FileCommands.h"

#include <QApplication>
#include <QDir>
#include <QTest>

namespace vemo::test {
namespace {

class CurrentList : public MainFixture {
protected:
    MainWindow& OpenAll() {
        MainWindow& main = OpenWithAreas();
        main.resize(1200, 700);
        main.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&main));
        return main;
    }
    // The previous site: two points far from everything typed below.
    void LoadOldSite(MainWindow& main) {
        main.store().xyz.ReplaceAll(
            {{"", "A1", "-5000.000", "-7000.000", "", "", ""}, {"", "OLD", "-5100.000", "-7100.000", "", "", ""}});
        main.commands().setEnabled(Cmd::DispXyzList, true);
        main.commands().setEnabled(Cmd::DispXyzImage, true);
        main.setAreaShown(Area::XyzList, true);
        main.setAreaShown(Area::Plot, true);
        main.plotView()->CoordinatesLoaded(); // as after an open: fitted to the site
        ASSERT_TRUE(main.store().FindPointXY("OLD"));
    }
    // The names the plot drew at its last paint.
    static std::vector<std::string> Drawn(MainWindow& main) {
        main.plotView()->grab();
        return main.plotView()->DrawnPoints().names;
    }
    static void Key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    static void Type(const char* text) {
        for (const char* c = text; *c != '\0'; ++c) {
            QTest::keyClick(QApplication::focusWidget(), *c);
        }
    }
};

TEST_F(CurrentList, NewCoordinatesLeaveNothingOfThePreviousSite) {
    MainWindow& main = OpenAll();
    LoadOldSite(main);
    EXPECT_EQ(Drawn(main).size(), 2u);
    MessageBox::SetNextAnswer(QMessageBox::Discard); // unsaved changes: 保存しない
    main.commands().trigger(Cmd::FileNewXyz);
    EXPECT_FALSE(main.store().FindPointXY("OLD"));
    EXPECT_EQ(main.store().Index().Count(), 0);
    EXPECT_TRUE(Drawn(main).empty());
}

TEST_F(CurrentList, AFileOfOnePointReplacesThePointOfTheSameName) {
    MainWindow& main = OpenAll();
    LoadOldSite(main);
    TempDir folder;
    std::string line = "A1";
    line.resize(16, ' ');
    line += "              12.000              34.000               0.000";
    WriteBytes(folder.File("one.Xyz"), line + "\r\n");
    MessageBox::SetNextAnswer(QMessageBox::Discard);
    main.treeArea()->commands().dropFiles({QString::fromStdString(folder.File("one.Xyz"))});
    ASSERT_EQ(main.store().xyz.Cell(1, kColName), "A1");
    const auto a1 = main.store().FindPointXY("A1");
    ASSERT_TRUE(a1);
    EXPECT_DOUBLE_EQ(a1->x, 12.0);
    EXPECT_DOUBLE_EQ(a1->y, 34.0);
    EXPECT_FALSE(main.store().FindPointXY("OLD"));
    // One point spans no extent: the plot is empty, and above all does not show the previous site.
    EXPECT_TRUE(Drawn(main).empty());
}

TEST_F(CurrentList, PointsTypedIntoAnEmptyListAreFittedAndFound) {
    MainWindow& main = OpenAll();
    LoadOldSite(main);
    MessageBox::SetNextAnswer(QMessageBox::Discard);
    main.commands().trigger(Cmd::FileNewXyz);
    MessageBox::ClearShownTexts();
    main.setAreaShown(Area::XyzList, true);
    main.setAreaShown(Area::Plot, true);
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    main.xyzListPanel()->grid()->setFocus();
    // P1 (100, 200) and P2 (150, 260): the second point fits the view to both.
    const char* points[][3] = {{"P1", "100", "200"}, {"P2", "150", "260"}, {"P3", "110", "220"}, {"P4", "140", "250"}};
    for (int i = 0; i < 4; ++i) {
        Type(points[i][0]);
        Key(Qt::Key_Tab);
        Type(points[i][1]);
        Key(Qt::Key_Tab);
        Type(points[i][2]);
        Key(Qt::Key_Return);
        if (i == 1) {
            const PlotViewport& view = main.plotView()->Viewport();
            EXPECT_DOUBLE_EQ(view.centreX, 125.0);
            EXPECT_DOUBLE_EQ(view.centreY, 230.0);
        }
    }
    ASSERT_TRUE(MessageBox::ShownTexts().isEmpty()) << MessageBox::ShownTexts().join('\n').toStdString();
    for (const auto& point : points) {
        const auto found = main.store().FindPointXY(point[0]);
        ASSERT_TRUE(found) << point[0];
        EXPECT_DOUBLE_EQ(found->x, std::stod(point[1]));
        EXPECT_DOUBLE_EQ(found->y, std::stod(point[2]));
    }
    EXPECT_FALSE(main.store().FindPointXY("OLD"));
    std::vector<std::string> drawn = Drawn(main);
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(drawn, (std::vector<std::string>{"P1", "P2", "P3", "P4"}));
    const QByteArray dir = qgetenv("VEMO_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(main.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("typed-points.png"))));
    }
}

} // namespace
} // namespace vemo::test
