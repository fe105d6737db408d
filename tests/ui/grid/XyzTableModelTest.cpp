#include "ui/grid/XyzTableModel.h"
#include "core/store/XyzList.h"
#include "core/text/Cp932.h"
#include "ui/grid/GridRowOps.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>

#include <gtest/gtest.h>

namespace vemo {
namespace {

std::vector<XyzRow> Rows(int count) {
    std::vector<XyzRow> rows(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        rows[i][kColName] = "P" + std::to_string(i + 1);
        rows[i][kColX] = std::to_string(i) + ".000";
    }
    return rows;
}

TEST(XyzTableModelTest, FollowsEveryListOperationConsistently) {
    XyzList list;
    XyzTableModel model(list);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.columnCount(), 6); // 点名 .. 備考; "№" is the vertical header

    list.ReplaceAll(Rows(5));
    EXPECT_EQ(model.rowCount(), 5);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy numbers(&model, &QAbstractItemModel::headerDataChanged);
    list.InsertEmptyRows(2, 2);
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 1); // model rows 1 .. 2
    EXPECT_EQ(inserted[0][2].toInt(), 2);
    EXPECT_EQ(model.rowCount(), 7);
    // The rows after the insertion were renumbered and the view was told.
    EXPECT_EQ(model.headerData(6, Qt::Vertical).toString(), QStringLiteral("7"));
    ASSERT_EQ(numbers.size(), 1);
    EXPECT_EQ(numbers[0][0].value<Qt::Orientation>(), Qt::Vertical);
    EXPECT_EQ(numbers[0][2].toInt(), 6);

    list.SetCell(1, kColTensyu, Jp("境界杭"));
    EXPECT_EQ(model.cellIndex(1, kColTensyu).data().toString(), QStringLiteral("境界杭"));
    list.RemoveRows(1, 3);
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.cellIndex(1, kColName).data().toString(), QStringLiteral("P2")); // P1 and the two empty rows went
    list.RemoveRows(1, list.PointRowCount());                                        // every row: one empty row stays
    EXPECT_EQ(model.rowCount(), 1);
    list.Clear();
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("点名"));
}

TEST(XyzTableModelTest, EditsGoIntoTheListAsCp932) {
    XyzList list;
    XyzTableModel model(list);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_TRUE(model.setData(model.cellIndex(1, kColBiko), QStringLiteral("③番杭～")));
    EXPECT_EQ(list.Cell(1, kColBiko), Jp("③番杭～"));
    EXPECT_FALSE(model.setData(model.cellIndex(1, kColName), QStringLiteral("😀"))); // no CP932 form
    EXPECT_EQ(list.Cell(1, kColName), "");

    EXPECT_FALSE(model.cellIndex(1, kColZ).data(Qt::BackgroundRole).isNull());
    model.setColumnSwitches({.z = true});
    EXPECT_TRUE(model.cellIndex(1, kColZ).data(Qt::BackgroundRole).isNull());
    EXPECT_EQ(model.cellIndex(1, kColX).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
}

// The shared row commands on a plain model with a numbering column, as the other windows use them.
TEST(GridRowOpsTest, InsertAndDeleteKeepTheNumberingColumn) {
    QStandardItemModel model(3, 3);
    for (int row = 0; row < 3; ++row) {
        model.setItem(row, 0, new QStandardItem(QString::number(row + 1)));
        model.setItem(row, 1, new QStandardItem(QStringLiteral("A%1").arg(row + 1)));
    }
    QTableView view;
    view.setModel(&model);
    view.setCurrentIndex(model.index(1, 1));
    ASSERT_TRUE(GridInsertRow(view, 0));
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.index(1, 1).data().toString(), QString());
    EXPECT_EQ(model.index(2, 1).data().toString(), QStringLiteral("A2"));
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(model.index(row, 0).data().toString(), QString::number(row + 1));
    }
    EXPECT_EQ(view.currentIndex(), model.index(1, 1));

    view.setCurrentIndex(model.index(0, 1));
    ASSERT_TRUE(GridDeleteRow(view, 0));
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.index(0, 1).data().toString(), QString());
    EXPECT_EQ(model.index(2, 0).data().toString(), QStringLiteral("3"));

    // The last row is only emptied; its number stays.
    view.setCurrentIndex(model.index(2, 1));
    ASSERT_TRUE(GridDeleteRow(view, 0));
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.index(2, 1).data().toString(), QString());
    EXPECT_EQ(model.index(2, 0).data().toString(), QStringLiteral("3"));
}

TEST(GridRowOpsTest, WorkOnTheCoordinateListThroughItsModel) {
    XyzList list;
    list.ReplaceAll(Rows(3));
    XyzTableModel model(list);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QTableView view;
    view.setModel(&model);
    view.setCurrentIndex(model.cellIndex(1, kColX));
    ASSERT_TRUE(GridInsertRow(view));
    EXPECT_EQ(list.Cell(1, kColName), "");
    EXPECT_EQ(list.Cell(2, kColName), "P1");
    EXPECT_EQ(list.Cell(4, kColNo), "4");
    view.setCurrentIndex(model.cellIndex(4, kColX));
    ASSERT_TRUE(GridDeleteRow(view)); // the last row
    EXPECT_EQ(list.RowCount(), 5);
    EXPECT_EQ(list.Cell(4, kColName), "");
    EXPECT_EQ(list.Cell(4, kColNo), "4");
}

} // namespace
} // namespace vemo
