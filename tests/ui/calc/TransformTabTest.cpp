#include "CalcFixture.h"
#include "core/text/Cp932.h"
#include "ui/calc/CalcFields.h"
#include "ui/calc/TransformDialog.h"
#include "ui/calc/TransformPage.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <functional>

namespace vemo::test {
namespace {

class TransformTab : public CalcFixture {
protected:
    void SetUp() override {
        CalcFixture::SetUp();
        // Old control points A1 (0, 0), A2 (10, 0), A3 (10, 10); their new positions turned by 90° and
        // moved by (100, 100); the point to move is A5 (20, 0).
        LoadPoints(*store, {{"A1", 0, 0},
                            {"A2", 10, 0},
                            {"A3", 10, 10},
                            {"A5", 20, 0},
                            {"N1", 100, 100},
                            {"N2", 100, 110},
                            {"N3", 90, 110}});
        window->host().selectedPoints = [this] { return selection; };
        window->host().toggleSelection = [this] { ++selectionToggles; };
        Open(CalcTab::kTransform);
    }
    TransformPage* Page() { return qobject_cast<TransformPage*>(window->page(CalcTab::kTransform)); }
    void EnterPairs(int count) {
        for (int i = 1; i <= count; ++i) {
            TypeInGrid(Page()->grid(), QStringLiteral("A%1").arg(i == 3 ? 3 : i));
            TypeInGrid(Page()->grid(), QStringLiteral("N%1").arg(i));
        }
    }
    // A click on the empty input row of the pair grid.
    void ClickInputRow() {
        QTableWidget* grid = Page()->grid();
        const QModelIndex input = grid->model()->index(grid->rowCount() - 1, 1);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(input).center());
    }
    bool RunWith(const std::function<void(TransformDialog&)>& inDialog) {
        bool opened = false;
        // A timer of this call only: on a refusal no dialog opens and it must not fire later.
        QTimer inside;
        inside.setSingleShot(true);
        QObject::connect(&inside, &QTimer::timeout, [&] {
            if (TransformDialog* dialog = Page()->dialog()) {
                opened = true;
                inDialog(*dialog);
                if (dialog->isVisible()) {
                    dialog->reject();
                }
            }
        });
        inside.start(0);
        QTest::mouseClick(Page()->runButton(), Qt::LeftButton);
        // Back to the calculation window, as after closing a dialog by hand.
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return opened;
    }
    std::string RowText(const std::string& name) {
        const auto point = store->FindPointXY(name);
        if (!point) {
            return "(none)";
        }
        return store->xyz.Cell(point->row, kColX) + " " + store->xyz.Cell(point->row, kColY) + " " +
               Cp932ToUtf8(store->xyz.Cell(point->row, kColBiko));
    }

    std::vector<std::string> selection;
    int selectionToggles = 0;
};

TEST_F(TransformTab, RunRefusesAnEmptySelectionThenTooFewPairs) {
    EnterPairs(1);
    EXPECT_FALSE(RunWith([](TransformDialog&) {}));
    selection = {"A5"};
    EXPECT_FALSE(RunWith([](TransformDialog&) {}));
    EXPECT_EQ(MessageBox::ShownTexts(),
              (QStringList{"変換元座標を1点以上指定してください", "変換元点名と対応する変換先点名を指定してください"}));
    // A name the list does not hold is refused in the grid and the cell stays empty.
    TypeInGrid(Page()->grid(), QStringLiteral("Z9"));
    EXPECT_EQ(MessageBox::ShownTexts().last(), QStringLiteral("Z9 は見つかりません"));
    EXPECT_TRUE(Cell(Page()->grid(), 1, 1).isEmpty());
    // Enter on a filled old-name cell that is not being edited confirms that name and goes on to its
    // new name, not to the next pair.
    Page()->grid()->setFocus();
    Page()->grid()->setCurrentCell(0, 1);
    QTest::keyClick(Page()->grid(), Qt::Key_Return);
    EXPECT_EQ(Page()->grid()->currentRow(), 0);
    EXPECT_EQ(Page()->grid()->currentColumn(), 2);
}

// With three pairs the two-point fit is over-determined: the choice is locked and the Helmert fit runs
// although ２点変換 is chosen.  With two pairs the choice is free and the chosen fit runs.
TEST_F(TransformTab, ThreePairsLockTheMethodToHelmert) {
    selection = {"A5"};
    EnterPairs(2);
    ClickInputRow();
    EXPECT_TRUE(Page()->methodGroup()->isEnabled());
    QStringList captions;
    QStringList memo;
    RunWith([&](TransformDialog& dialog) {
        captions << dialog.windowTitle();
        memo = dialog.memo()->toPlainText().split('\n');
        SaveShot(&dialog, "transform-dialog-twopoint.png");
    });
    TypeInGrid(Page()->grid(), QStringLiteral("A3"));
    TypeInGrid(Page()->grid(), QStringLiteral("N3"));
    ClickInputRow();
    EXPECT_FALSE(Page()->methodGroup()->isEnabled());
    SaveShot(window.get(), "transform-tab-three-pairs.png");
    RunWith([&](TransformDialog& dialog) {
        captions << dialog.windowTitle();
        SaveShot(&dialog, "transform-dialog-helmert.png");
    });
    EXPECT_EQ(captions, (QStringList{"- 2点変換 -", "- ヘルマート変換 -"}));
    // O1 (0, 0) -> N1 (100, 100), O1O2 due north turned due east: θ = 90, X0 = Y0 = 100.
    EXPECT_EQ(memo, (QStringList{"", "平行移動距離              回転角", "", "X0 =     100.000          θ =  90-00-00",
                                 "Y0 =     100.000"}));
}

// Each registration method, on the same fit: A5 (20, 0) turned by 90° about A1 and moved to (100, 100)
// lands at (100, 120).
TEST_F(TransformTab, EachRegistrationMethodPutsThePointWhereItBelongs) {
    selection = {"A5"};
    EnterPairs(2);
    struct Case {
        int method;
        QString newName;
        std::string name;     // where the transformed point stands afterwards
        std::string expected; // X Y remark
        std::string a5;       // the old point afterwards
    };
    const Case cases[] = {
        {0, "", "A5", "100.000 120.000 ", "100.000 120.000 "},
        {1, "", "A5#", "100.000 120.000 座変", "20.000 0.000 "},
        {2, "T1", "T1", "100.000 120.000 座変", "20.000 0.000 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.method);
        LoadPoints(*store, {{"A1", 0, 0}, {"A2", 10, 0}, {"A5", 20, 0}, {"N1", 100, 100}, {"N2", 100, 110}});
        const int toggles = selectionToggles;
        QString proposed;
        const bool opened = RunWith([&](TransformDialog& dialog) {
            proposed = dialog.firstNewName()->text();
            ClickRadio(dialog.how(c.method));
            if (!c.newName.isEmpty()) {
                dialog.firstNewName()->selectAll();
                QTest::keyClicks(dialog.firstNewName(), c.newName.toLower()); // typed letters become upper case
            }
            QTest::mouseClick(dialog.registerButton(), Qt::LeftButton);
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_TRUE(dialog.memo()->toPlainText().isEmpty());
        });
        ASSERT_TRUE(opened);
        EXPECT_EQ(proposed, QStringLiteral("N3"));
        EXPECT_EQ(RowText(c.name), c.expected);
        EXPECT_EQ(RowText("A5"), c.a5);
        EXPECT_EQ(selectionToggles, toggles + 1);          // the selection panel closes
        EXPECT_TRUE(Cell(Page()->grid(), 0, 1).isEmpty()); // and the tab is cleared
        selection = {"A5"};
        EnterPairs(2);
    }
    // ｷｬﾝｾﾙ changes nothing and keeps the selection.
    const int toggles = selectionToggles;
    RunWith([](TransformDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(RowText("T1"), "100.000 120.000 座変");
    EXPECT_EQ(RowText("A5"), "20.000 0.000 ");
    EXPECT_EQ(selectionToggles, toggles);
}

// A wrong pair is taken out by key without clearing the others.
TEST_F(TransformTab, PairRowsAreInsertedAndDeleted) {
    EnterPairs(2);
    Page()->grid()->setCurrentCell(1, 1);
    QTest::keyClick(Page()->grid(), Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_TRUE(Cell(Page()->grid(), 1, 1).isEmpty());
    EXPECT_EQ(Cell(Page()->grid(), 2, 1), QStringLiteral("A2"));
    EXPECT_EQ(Cell(Page()->grid(), 2, 0), QStringLiteral("3"));
    Page()->grid()->setCurrentCell(1, 1);
    QTest::keyClick(Page()->grid(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Cell(Page()->grid(), 1, 1), QStringLiteral("A2"));
    EXPECT_EQ(Cell(Page()->grid(), 1, 2), QStringLiteral("N2"));
    EXPECT_EQ(Cell(Page()->grid(), 1, 0), QStringLiteral("2"));
}

// The context menu writes the pairs to Result.Txt in the lines of the other grids.
TEST_F(TransformTab, ResultTxtCarriesThePairs) {
    EnterPairs(2);
    ASSERT_TRUE(TriggerAction(Page()->grid(), QStringLiteral("Result.Tｘｔへ新規出力")));
    ASSERT_TRUE(TriggerAction(Page()->grid(), QStringLiteral("Result.Tｘｔへ追加出力")));
    const std::string rows = "   1  A1              N1                        \r\n"
                             "   2  A2              N2                        \r\n";
    EXPECT_EQ(ReadBytes(home.File("Result.Txt")),
              Jp("       点名        距離     方向角        夾角  \r\n") + rows + rows);
}

} // namespace
} // namespace vemo::test
