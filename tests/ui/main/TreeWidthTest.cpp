// The data tree comes back as wide as the user left it, and wide enough for the names it shows.
#include "MainFixture.h"
#include "ui/main/AreaSlot.h"
#include "ui/main/TreeArea.h"
#include "ui/tree/DataTree.h"

#include <QMouseEvent>
#include <QSplitter>
#include <QTest>
#include <QTreeWidget>

namespace vemo::test {
namespace {

using TreeWidth = MainFixture;

// Drags the divider right of the data tree by dx pixels, as the mouse does.
void DragTreeDivider(MainWindow& main, int dx) {
    auto* splitter = main.findChild<QSplitter*>();
    ASSERT_NE(splitter, nullptr);
    QSplitterHandle* handle = splitter->handle(splitter->indexOf(main.area(Area::DataTree)) + 1);
    const QPoint start = handle->rect().center();
    const auto send = [handle](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, handle->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(handle, &event);
    };
    send(QEvent::MouseButtonPress, start, Qt::LeftButton);
    send(QEvent::MouseMove, start + QPoint(dx, 0), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, start + QPoint(dx, 0), Qt::NoButton);
}

TEST_F(TreeWidth, ADraggedWidthStaysThroughOtherAreasAndHiding) {
    MainWindow& main = OpenWithAreas();
    main.resize(1400, 700);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    const int before = main.area(Area::DataTree)->width();
    DragTreeDivider(main, 120);
    const int dragged = main.area(Area::DataTree)->width();
    ASSERT_GT(dragged, before + 100);
    main.toggleArea(Area::Plot);
    main.toggleArea(Area::DataTree);
    main.toggleArea(Area::DataTree);
    EXPECT_EQ(main.area(Area::DataTree)->width(), dragged);
    EXPECT_EQ(main.areaWidth(Area::DataTree), dragged); // written at close
}

TEST_F(TreeWidth, TheTreeComesBackWideEnoughForItsLongestNameUpToALimit) {
    MainWindow& main = OpenWithAreas("[Exit]\r\nDatTreeWidth=70\r\n");
    main.resize(1400, 700);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    QTreeWidget* view = main.treeArea()->tree().view();
    const QString site = QStringLiteral("山田町三丁目境界確定");
    view->addTopLevelItem(new QTreeWidgetItem(QStringList{site}));
    main.toggleArea(Area::DataTree);
    main.toggleArea(Area::DataTree);
    const int textRight = view->iconSize().width() + view->fontMetrics().horizontalAdvance(site);
    EXPECT_GE(view->viewport()->width(), textRight);
    // A name of 80 characters does not take the window.
    view->addTopLevelItem(new QTreeWidgetItem(QStringList{QString(80, QChar(u'境'))}));
    main.toggleArea(Area::DataTree);
    main.toggleArea(Area::DataTree);
    EXPECT_LE(main.area(Area::DataTree)->width(), 400);
    EXPECT_GE(main.area(Area::DataTree)->width(), textRight);
    EXPECT_EQ(main.areaWidth(Area::DataTree), 70);
}

} // namespace
} // namespace vemo::test
