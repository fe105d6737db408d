// Undo and redo with the keys, as a surveyor uses them: each command is one step, named in the 編集
// menu, and the grid and the plot show the data as it was.
#include "MainFixture.h"
#include "core/traverse/RegisterTraverse.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsKnownPoints.h"
#include "core/traverse/TrvsOptions.h"
#include "core/traverse/TrvsState.h"
#include "core/traverse/TrvsTable.h"
#include "support/WhenShown.h"
#include "ui/common/CommandGuard.h"
#include "ui/grid/XyzCleanDialog.h"
#include "ui/grid/XyzListPanel.h"
#include "ui/grid/XyzStrGrid.h"
#include "ui/main/CommandSet.h"
#include "ui/main/TraverseTool.h"
#include "ui/main/UndoCommands.h"
#include "ui/plot/PlotView.h"
#include "ui/traverse/TrvsGrid.h"
#include "ui/traverse/TrvsWindow.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <stdexcept>

namespace vemo::test {
namespace {

using Names = std::vector<std::string>;

class UndoKeys : public MainFixture {
protected:
    MainWindow& OpenSite() {
        MainWindow& main = OpenWithAreas();
        InstallUndoCommands(main);
        main.resize(1200, 700);
        main.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&main));
        main.store().xyz.ReplaceAll({{"", "A1", "100.000", "200.000", "", "", ""},
                                     {"", "A2", "150.000", "260.000", "", "", ""},
                                     {"", "A3", "100.000", "200.000", "", "", ""}});
        main.store().history.Clear(); // as after opening the file
        main.commands().setEnabled(Cmd::DispXyzList, true);
        main.commands().setEnabled(Cmd::DispXyzImage, true);
        main.setAreaShown(Area::XyzList, true);
        main.setAreaShown(Area::Plot, true);
        main.plotView()->CoordinatesLoaded();
        grid(main)->setFocus();
        return main;
    }
    static XyzStrGrid* grid(MainWindow& main) { return main.xyzListPanel()->grid(); }
    // The names in the grid's own cells, and those the plot drew at a fresh paint.
    static Names GridNames(MainWindow& main) {
        Names names;
        const QAbstractItemModel* model = grid(main)->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            names.push_back(model->index(row, kColName - 1).data().toString().toStdString());
        }
        return names;
    }
    static Names Drawn(MainWindow& main) {
        main.plotView()->grab();
        Names names = main.plotView()->DrawnPoints().names;
        std::sort(names.begin(), names.end());
        return names;
    }
    static void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
    // The idle rule runs between the keys, as it does a few times a second.
    static void Undo(MainWindow& main) {
        main.runIdle();
        Key(Qt::Key_Z, Qt::ControlModifier);
    }
    static void Redo(MainWindow& main, bool shiftZ = false) {
        main.runIdle();
        shiftZ ? Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier) : Key(Qt::Key_Y, Qt::ControlModifier);
    }
    static QString UndoCaption(MainWindow& main) {
        main.runIdle();
        return main.commands().action(Cmd::EditUndo)->text();
    }
};

// The fault: a typed cell that undo cannot reach, or a grid and plot that keep showing the typed name.
TEST_F(UndoKeys, TypedCellIsUndoneAndRedone) {
    MainWindow& main = OpenSite();
    grid(main)->setCurrentCell({2, kColName});
    for (char c : std::string("Z9")) {
        Key(c);
    }
    Key(Qt::Key_Tab);
    ASSERT_EQ(main.store().xyz.Cell(2, kColName), "Z9");
    EXPECT_EQ(UndoCaption(main), QStringLiteral("元に戻す「座標入力」(&U)"));

    Undo(main);
    EXPECT_EQ(GridNames(main), (Names{"A1", "A2", "A3"}));
    EXPECT_EQ(Drawn(main), (Names{"A1", "A2", "A3"}));
    EXPECT_EQ(main.store().FindPointXY("Z9"), std::nullopt) << "the name index follows undo";
    main.runIdle();
    EXPECT_FALSE(main.commands().isEnabled(Cmd::EditUndo)) << "nothing more to undo";

    Redo(main, true);
    EXPECT_EQ(GridNames(main), (Names{"A1", "Z9", "A3"}));
    EXPECT_EQ(Drawn(main), (Names{"A1", "A3", "Z9"}));
}

// The fault: a row insert or delete undone as something else (a row left over, a row lost, the wrong
// row coming back).
TEST_F(UndoKeys, InsertedAndDeletedRowsAreUndoneAndRedone) {
    MainWindow& main = OpenSite();
    grid(main)->setCurrentCell({1, kColName});
    Key(Qt::Key_Delete, Qt::ControlModifier); // 一行削除
    ASSERT_EQ(GridNames(main), (Names{"A2", "A3"}));
    Key(Qt::Key_Insert, Qt::ControlModifier); // 一行挿入 at the cursor, above A2
    ASSERT_EQ(GridNames(main), (Names{"", "A2", "A3"}));
    EXPECT_EQ(UndoCaption(main), QStringLiteral("元に戻す「一行挿入」(&U)"));

    Undo(main);
    EXPECT_EQ(GridNames(main), (Names{"A2", "A3"}));
    Undo(main);
    EXPECT_EQ(GridNames(main), (Names{"A1", "A2", "A3"}));
    EXPECT_EQ(Drawn(main), (Names{"A1", "A2", "A3"}));
    Redo(main);
    EXPECT_EQ(GridNames(main), (Names{"A2", "A3"}));
    EXPECT_EQ(Drawn(main), (Names{"A2", "A3"}));
}

// The fault: the cleanup undone only in part, or the duplicate coming back under another row.
TEST_F(UndoKeys, CleanupIsUndoneAndRedone) {
    MainWindow& main = OpenSite();
    XyzCleanDialog* dialog = main.xyzListPanel()->cleanDialog();
    QTimer::singleShot(0, dialog, [dialog] { dialog->accept(); }); // X, Y duplicates deleted
    main.commands().trigger(Cmd::ListClean);
    ASSERT_EQ(GridNames(main), (Names{"A1", "A2"}));
    // The offscreen platform leaves the hidden cleanup window active; a desktop gives the keys back.
    QApplication::setActiveWindow(&main);
    grid(main)->setFocus();
    EXPECT_EQ(UndoCaption(main), QStringLiteral("元に戻す「座標整理」(&U)"));

    Undo(main);
    EXPECT_EQ(GridNames(main), (Names{"A1", "A2", "A3"}));
    EXPECT_EQ(Drawn(main), (Names{"A1", "A2", "A3"}));
    main.runIdle();
    EXPECT_EQ(main.commands().action(Cmd::EditRedo)->text(), QStringLiteral("やり直し「座標整理」(&R)"));
    main.grab().save(QStringLiteral("/tmp/vemo_undo_cleanup.png"));

    Redo(main);
    EXPECT_EQ(GridNames(main), (Names{"A1", "A2"}));
    EXPECT_EQ(Drawn(main), (Names{"A1", "A2"}));
}

// A radial traverse from A1 (back sight A2) measuring two points, registered with the traverse window's
// 計算登録 (F10) as the surveyor gives it, the window opened from the calculation menu.
void RegisterTwoRadialPoints(MainWindow& main) {
    WhenShown<TrvsWindow>([](TrvsWindow* w) {
        TrvsHeader& header = w->Header();
        header.TrvsType = kTrvsRadial;
        header.T0No = "A1";
        header.T0X = "100.000";
        header.T0Y = "200.000";
        header.T1No = "A2";
        header.T1Angle = "0.0000";
        header.startIncoming = true;
        std::vector<TrvsRow> rows(2);
        const char* targets[] = {"R1", "R2"};
        const char* angles[] = {"0.0000", "90.0000"};
        for (int i = 0; i < 2; ++i) {
            rows[i][kTrvColNo] = std::to_string(i + 1);
            rows[i][kTrvColTm] = "K";
            rows[i][kTrvColTarget] = targets[i];
            rows[i][kTrvColHAngle] = angles[i];
            rows[i][kTrvColVAngle] = "90.0000";
            rows[i][kTrvColSlope] = "50.000";
        }
        rows[0][kTrvColInstH] = "0.000";
        rows[0][kTrvColTargetH] = "0.000";
        w->Table().SetRows(rows, "K");
        w->Action(TrvsWindow::Command::Register)->trigger(); // 計算登録 (F10)
        MessageBox::SetNextAnswer(QMessageBox::Discard);     // the unsaved traverse is not kept
        w->reject();
    });
    main.commands().trigger(Cmd::CalcTrvs);
}

// The fault: a registration undone row by row, named after a row operation instead of the command, or
// points left in the plot after undo.
TEST_F(UndoKeys, TraverseRegistrationIsUndoneAndRedone) {
    MainWindow& main = OpenSite();
    InstallTraverseWindow(main, nullptr);
    RegisterTwoRadialPoints(main);
    // The offscreen platform answers the window's showing after it closed: the list gets the keys
    // again as after a click into it.
    QApplication::setActiveWindow(&main);
    grid(main)->setFocus();
    const Names after = GridNames(main);
    ASSERT_EQ(after.size(), 5u);
    EXPECT_EQ(UndoCaption(main), QStringLiteral("元に戻す「トラバース登録」(&U)"));

    Undo(main);
    EXPECT_EQ(GridNames(main), (Names{"A1", "A2", "A3"}));
    EXPECT_EQ(Drawn(main), (Names{"A1", "A2", "A3"}));
    Redo(main);
    EXPECT_EQ(GridNames(main), after);
    EXPECT_TRUE(main.store().FindPointXY("R2").has_value());
}

// The faults: a failing command leaving half its changes; 新規座標 leaving steps that reach into the
// previous site; a step made inside a modal window merged into the command that opened it.
TEST_F(UndoKeys, CommandBoundaryRules) {
    MainWindow& main = OpenSite();
    RunCommand(
        [&] {
            main.store().xyz.SetCell(1, kColName, "HALF");
            throw std::runtime_error("stopped");
        },
        &main, QStringLiteral("途中で失敗"));
    EXPECT_EQ(GridNames(main), (Names{"A1", "A2", "A3"}));
    EXPECT_FALSE(main.store().history.CanUndo());

    main.store().xyz.SetCell(1, kColName, "B1");
    MessageBox::SetNextAnswer(QMessageBox::Discard); // unsaved changes: 保存しない
    main.commands().trigger(Cmd::FileNewXyz);
    main.runIdle();
    EXPECT_FALSE(main.commands().isEnabled(Cmd::EditUndo)) << "new coordinates start a new history";
}

} // namespace
} // namespace vemo::test
