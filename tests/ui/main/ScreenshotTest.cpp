// The window as the surveyor sees it.  With VEMO_SCREENSHOT_DIR set the picture is kept for a look.
#include "MainFixture.h"
#include "ui/main/AreaSlot.h"

#include <QDir>
#include <QImage>
#include <QMenuBar>
#include <QPixmap>
#include <QStatusBar>
#include <QTest>

namespace vemo::test {
namespace {

using Screenshot = MainFixture;

TEST_F(Screenshot, AllFourAreasSideBySideWithMenusAndStatusBar) {
    MainWindow& main = Open();
    main.resize(1280, 800);
    for (Area area : {Area::XyzList, Area::Plot, Area::BlockEdit}) {
        main.setAreaShown(area, true);
    }
    main.setSelectionPanelShown(true);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));

    // Left to right: tree, list, selection panel, plot, parcel editor, none overlapping.
    const auto left = [&](QWidget* w) { return w->mapTo(&main, QPoint(0, 0)).x(); };
    AreaSlot* tree = main.area(Area::DataTree);
    AreaSlot* list = main.area(Area::XyzList);
    AreaSlot* plot = main.area(Area::Plot);
    AreaSlot* block = main.area(Area::BlockEdit);
    EXPECT_LE(left(tree) + tree->width(), left(list));
    EXPECT_LE(left(list) + list->width(), left(main.selectionPanel()));
    EXPECT_LE(left(main.selectionPanel()) + main.selectionPanel()->width(), left(plot));
    EXPECT_LE(left(plot) + plot->width(), left(block));
    EXPECT_GT(plot->width(), 100);
    EXPECT_LE(left(block) + block->width(), main.width());
    EXPECT_GT(main.menuBar()->height(), 0);
    EXPECT_GT(main.statusBar()->height(), 0);

    const QImage image = main.grab().toImage();
    EXPECT_EQ(image.size(), main.size() * main.devicePixelRatio());
    const QByteArray dir = qgetenv("VEMO_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(image.save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("main-window.png"))));
    }
}

} // namespace
} // namespace vemo::test
