#include "CalcFixture.h"
#include "core/text/Cp932.h"
#include "ui/calc/CalcFields.h"
#include "ui/calc/DivisionDialog.h"
#include "ui/calc/DivisionPage.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <functional>

namespace vemo::test {
namespace {

class DivisionTab : public CalcFixture {
protected:
    DivisionPage* Page() { return qobject_cast<DivisionPage*>(window->page(CalcTab::kDivision)); }
    QRadioButton* OnePointButton() {
        for (QRadioButton* button : Page()->findChildren<QRadioButton*>()) {
            if (button->text() == QStringLiteral("一点指定")) {
                return button;
            }
        }
        return nullptr;
    }
    void EnterSquare(int corners = 4) {
        for (int i = 1; i <= corners; ++i) {
            TypeInGrid(Page()->grid(), QStringLiteral("A%1").arg(i));
        }
    }
    // 計算実行 by key, with `inDialog` run while the registration dialog is open (when it opens).
    bool RunWith(const std::function<void(DivisionDialog&)>& inDialog) {
        bool opened = false;
        // A timer of this call only: on a refusal no dialog opens and it must not fire later.
        QTimer inside;
        inside.setSingleShot(true);
        QObject::connect(&inside, &QTimer::timeout, [&] {
            if (DivisionDialog* dialog = Page()->dialog()) {
                opened = true;
                inDialog(*dialog);
                if (dialog->isVisible()) {
                    dialog->reject();
                }
            }
        });
        inside.start(0);
        Page()->runButton()->setFocus();
        QTest::keyClick(Page()->runButton(), Qt::Key_Space);
        return opened;
    }
    std::string RowText(const std::string& name) {
        const auto point = store->FindPointXY(name);
        if (!point) {
            return "(none)";
        }
        const int row = point->row;
        return store->xyz.Cell(row, kColX) + " " + store->xyz.Cell(row, kColY) + " " +
               Cp932ToUtf8(store->xyz.Cell(row, kColBiko));
    }
};

// A fault in the order of the checks, a missing focus return or a dialog opened on bad input shows here.
TEST_F(DivisionTab, EachRefusalShowsItsMessageAndOpensNoDialog) {
    Open(CalcTab::kDivision);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("定面積分割計算"));
    TypeInGrid(Page()->grid(), QStringLiteral("A1"));
    TypeInGrid(Page()->grid(), QStringLiteral("A2"));
    EXPECT_FALSE(RunWith([](DivisionDialog&) {}));
    TypeInGrid(Page()->grid(), QStringLiteral("A3"));
    TypeInGrid(Page()->grid(), QStringLiteral("A4"));
    EXPECT_EQ(Page()->areaLabel()->text(), QStringLiteral(" 面積    100.0000000 ㎡"));
    struct Case {
        QString target;
        QString base1;
        QString start;
    };
    const Case cases[] = {{"0", "", ""}, {"100", "", ""}, {"30", "", "A1"}, {"30", "A1", ""}};
    for (const Case& c : cases) {
        TypeInField(Page()->targetField(), c.target);
        Page()->base1Field()->setText(c.base1);
        Page()->base2Field()->setText(c.base1.isEmpty() ? QString() : QStringLiteral("A2"));
        Page()->startField()->setText(c.start);
        EXPECT_FALSE(RunWith([](DivisionDialog&) {}));
    }
    EXPECT_EQ(MessageBox::ShownTexts(), (QStringList{"分割元地を入力してください", "分割面積が確保できません",
                                                     "分割面積が確保できません", "基準線未入力！", "始点未入力！"}));
    EXPECT_EQ(Page()->targetField()->text(), QStringLiteral("    30.0000000"));

    // An angle of 180 or more beeps and keeps the focus.
    const int beeps = SystemBeep::Count();
    TypeInField(Page()->angleField(), QStringLiteral("180"));
    QTest::qWait(10);
    EXPECT_EQ(SystemBeep::Count(), beeps + 1);
    EXPECT_TRUE(Page()->angleField()->hasFocus());
    // 計算実行 with it anyway: the calculation refuses it in the window's words, naming the value.
    Page()->base1Field()->setText(QStringLiteral("A1"));
    Page()->base2Field()->setText(QStringLiteral("A2"));
    Page()->startField()->setText(QStringLiteral("A1"));
    EXPECT_FALSE(RunWith([](DivisionDialog&) {}));
    ASSERT_FALSE(MessageBox::ShownTexts().isEmpty());
    EXPECT_EQ(MessageBox::ShownTexts().back(),
              QStringLiteral("入力の組み合わせが正しくありません (the angle must be below 180 (D.MMSS), got '180')"));
}

// The square divided by a line parallel to its first side: P1 (10, 3), P2 (0, 3), 地積 30.00 and 70.00.
// A start typed at (10, 0) is 10 m from both extremes (0, 0) and (10, 10): the tie goes to the max one.
TEST_F(DivisionTab, ParallelDivisionSnapsTheStartAndFillsTheDialog) {
    window->host().plotTopLeft = [] { return QPoint(37, 41); };
    Open(CalcTab::kDivision);
    EnterSquare();
    TypeInField(Page()->targetField(), QStringLiteral("30"));
    TypeInField(Page()->base1Field(), QStringLiteral("A1"));
    TypeInField(Page()->base2Field(), QStringLiteral("A2"));
    TypeInField(Page()->angleField(), QStringLiteral("0"));
    TypeInField(Page()->startField(), QStringLiteral("A2"));
    EXPECT_EQ(Page()->startField()->text(), QStringLiteral("A3"));
    TypeInField(Page()->startField(), QStringLiteral("A1"));
    EXPECT_EQ(Page()->startField()->text(), QStringLiteral("A1"));
    // The dividing direction through the start runs along X over the whole frame of the list (A5 at
    // X = 20), 0.5 m beyond it.
    bool lineDrawn = false;
    for (const OverlaySegment& s : Page()->overlay().segments) {
        lineDrawn |= s.dotted && s.from.y == 0 && std::abs(s.from.x + 0.5) < 1e-9 && std::abs(s.to.x - 20.5) < 1e-9;
    }
    EXPECT_TRUE(lineDrawn);

    QStringList shown;
    const bool opened = RunWith([&](DivisionDialog& dialog) {
        for (int i = 0; i < 2; ++i) {
            shown << dialog.pointName(i)->text() + ":" + dialog.pointX(i)->text() + "," + dialog.pointY(i)->text();
        }
        shown << dialog.areaText(0, 1)->text() << dialog.areaText(1, 1)->text() << dialog.excessText()->text();
        EXPECT_TRUE(dialog.pointName(1)->isVisible());
        EXPECT_EQ(dialog.focusWidget(), dialog.pointName(0)); // the field that has the focus in the dialog
        EXPECT_TRUE(dialog.keep(0)->isChecked());
        EXPECT_FALSE(dialog.keep(1)->isChecked());
        EXPECT_FALSE(dialog.parcelName(1)->isEnabled());
        // 残地側 starts unchecked: the dialog says that only the 求積側 will be a parcel and that the
        // parcel divided stays; ticking 残地側 says both will.
        EXPECT_TRUE(dialog.registersText()->isVisible());
        EXPECT_EQ(
            dialog.registersText()->text(),
            QStringLiteral("分割点と求積側だけを画地として登録します。残地側は登録されず、元の画地はそのまま残ります"));
        dialog.keep(1)->setChecked(true);
        EXPECT_EQ(dialog.registersText()->text(),
                  QStringLiteral("分割点と、求積側・残地側の両方を画地として登録します。元の画地はそのまま残ります"));
        dialog.keep(1)->setChecked(false);
        // The parcel against its parts, re-added: 100 = 30 + 70.
        QStringList sums;
        for (QLabel* label : dialog.sumTexts()) {
            sums << label->text();
        }
        EXPECT_EQ(sums,
                  (QStringList{"元地 :    100.0000000 ㎡", "合計 :    100.0000000 ㎡", "差   :      0.0000000 ㎡"}));
        EXPECT_EQ(dialog.pos(), QPoint(37, 41)); // at the top-left corner of the plot
        SaveShot(&dialog, "division-dialog-parallel.png");
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(shown, (QStringList{"C3:     10.000,      3.000", "C4:      0.000,      3.000", "地積 :     30.00 ㎡",
                                  "地積 :     70.00 ㎡", "超過 :      0.0000000 ㎡"}));
    // The plot shows P1 and P2 and hatches the secured side.
    int marks = 0;
    for (const OverlayMark& mark : Page()->overlay().marks) {
        marks += mark.label == "P1" || mark.label == "P2";
    }
    EXPECT_EQ(marks, 2);
    EXPECT_GT(Page()->overlay().segments.size(), 10u);
    SaveShot(window.get(), "division-tab-parallel.png");
    SaveShot(plot.get(), "division-plot-parallel.png");
}

// One point from A1 with T = 25: P1 on A2-A3 at (10, 5).  Registered with both parts kept, the point
// follows the last row with coordinates and both parcels name it in place of the placeholder.
TEST_F(DivisionTab, OnePointDivisionRegistersThePointAndBothParcels) {
    Open(CalcTab::kDivision);
    ClickRadio(OnePointButton());
    EXPECT_FALSE(Page()->parallel());
    EnterSquare();
    EXPECT_EQ(Cell(Page()->grid(), 0, 0), QStringLiteral("基1 "));
    TypeInField(Page()->targetField(), QStringLiteral("25"));
    const bool opened = RunWith([&](DivisionDialog& dialog) {
        EXPECT_FALSE(dialog.pointName(1)->isVisible()); // no P2 in the one-point method
        EXPECT_EQ(dialog.pointX(0)->text() + dialog.pointY(0)->text(), QStringLiteral("     10.000      5.000"));
        EXPECT_EQ(dialog.areaText(1, 1)->text(), QStringLiteral("地積 :     75.00 ㎡"));
        // A name already in the list is refused and the dialog stays for a corrected one.
        TypeInField(dialog.pointName(0), QStringLiteral("a1"));
        QTest::mouseClick(dialog.keep(1), Qt::LeftButton);
        QTest::mouseClick(dialog.registerButton(), Qt::LeftButton);
        EXPECT_EQ(MessageBox::ShownTexts(), QStringList{"点名 A1 は既に登録されています"});
        EXPECT_TRUE(dialog.isVisible());
        dialog.pointName(0)->clear();
        TypeInField(dialog.pointName(0), QStringLiteral("k1"));
        SaveShot(&dialog, "division-dialog-onepoint.png");
        QTest::mouseClick(dialog.registerButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(RowText("K1"), "10.000 5.000 面分");
    EXPECT_EQ(store->FindPointXY("K1")->row, store->FindPointXY("C2")->row + 1);
    ASSERT_EQ(store->blocks.Count(), 2);
    EXPECT_EQ(store->blocks.At(0).BlockName, "1");
    EXPECT_EQ(store->blocks.At(0).NoList, "A1,A2,K1,A1,");
    EXPECT_EQ(store->blocks.At(1).BlockName, "2");
    EXPECT_EQ(store->blocks.At(1).NoList, "A1,K1,A3,A4,A1,");
}

// Half the square from A1 is the diagonal to the corner A3: the dialog names A3 as P1 and does not
// offer it as a new point; registering writes no point and both parcels run through A3.
TEST_F(DivisionTab, OnePointThroughACornerRegistersNoNewPoint) {
    Open(CalcTab::kDivision);
    ClickRadio(OnePointButton());
    EnterSquare();
    TypeInField(Page()->targetField(), QStringLiteral("50"));
    const int rows = store->xyz.RowCount();
    const bool opened = RunWith([&](DivisionDialog& dialog) {
        EXPECT_EQ(dialog.pointName(0)->text(), QStringLiteral("A3"));
        EXPECT_FALSE(dialog.pointName(0)->isEnabled());
        QTest::mouseClick(dialog.keep(1), Qt::LeftButton);
        QTest::mouseClick(dialog.registerButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(store->xyz.RowCount(), rows);
    ASSERT_EQ(store->blocks.Count(), 2);
    EXPECT_EQ(store->blocks.At(0).NoList, "A1,A2,A3,A1,");
    EXPECT_EQ(store->blocks.At(1).NoList, "A1,A3,A4,A1,");
}

// The parcel open in the parcel editor comes in by << 画地挿入; Esc in the dialog registers nothing.
TEST_F(DivisionTab, CancelledDialogLeavesTheStoreAsItWas) {
    window->host().openParcelNames = [] { return std::vector<std::string>{"A1", "A2", "A3", "A4", "A1", ""}; };
    Open(CalcTab::kDivision);
    ClickRadio(OnePointButton());
    QTest::mouseClick(Page()->insertParcelButton(), Qt::LeftButton);
    EXPECT_EQ(Cell(Page()->grid(), 4, 1), QStringLiteral("A1"));
    EXPECT_EQ(Page()->areaLabel()->text(), QStringLiteral(" 面積    100.0000000 ㎡"));
    TypeInField(Page()->targetField(), QStringLiteral("25"));
    const int rows = store->xyz.RowCount();
    ASSERT_TRUE(RunWith([](DivisionDialog& dialog) {
        QTest::keyClick(dialog.pointName(0), Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
    }));
    EXPECT_EQ(store->xyz.RowCount(), rows);
    EXPECT_EQ(store->blocks.Count(), 0);
}

// A wrong vertex is taken out and a forgotten one put back by key, without clearing the boundary; a
// name clicked into the base line is confirmed and the focus moves on.
TEST_F(DivisionTab, GridRowsAreInsertedAndDeletedAndClickedBaseNamesMoveOn) {
    Open(CalcTab::kDivision);
    EnterSquare(3);
    TypeInGrid(Page()->grid(), QStringLiteral("A5"));
    TypeInGrid(Page()->grid(), QStringLiteral("A4"));
    Page()->grid()->setCurrentCell(3, 1); // A5
    QTest::keyClick(Page()->grid(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Cell(Page()->grid(), 3, 1), QStringLiteral("A4"));
    EXPECT_EQ(Cell(Page()->grid(), 3, 0), QStringLiteral("4"));
    EXPECT_EQ(Page()->areaLabel()->text(), QString::fromUtf8(" 面積    100.0000000 ㎡"));
    Page()->grid()->setCurrentCell(1, 1);
    QTest::keyClick(Page()->grid(), Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_TRUE(Cell(Page()->grid(), 1, 1).isEmpty());
    EXPECT_EQ(Cell(Page()->grid(), 2, 1), QStringLiteral("A2"));

    Page()->base1Field()->setFocus();
    window->takePointName("A1");
    EXPECT_EQ(Page()->base1Field()->text(), QStringLiteral("A1"));
    EXPECT_TRUE(Page()->base2Field()->hasFocus());
}

// << 画地挿入 as on the inverse tab: enabled only with the editor shown, a parcel in the list and two
// names in the editor; a grid ending in the parcel's first point takes nothing.
TEST_F(DivisionTab, ParcelInsertFollowsTheInverseTabRules) {
    bool editorShown = false;
    window->host().parcelEditorShown = [&] { return editorShown; };
    window->host().openParcelNames = [] { return std::vector<std::string>{"A1", "A2", "A3", "A4", "A1", ""}; };
    Open(CalcTab::kDivision);
    Page()->updateEnabling();
    EXPECT_FALSE(Page()->insertParcelButton()->isEnabled());
    editorShown = true;
    Page()->updateEnabling();
    EXPECT_FALSE(Page()->insertParcelButton()->isEnabled()); // no parcel in the list yet
    store->blocks.Add(Block{"1", "A1,A2,A3,A4,A1,", 6, 0, 0});
    Page()->updateEnabling();
    EXPECT_TRUE(Page()->insertParcelButton()->isEnabled());
    TypeInGrid(Page()->grid(), QStringLiteral("A1"));
    Page()->insertParcel();
    EXPECT_TRUE(Cell(Page()->grid(), 1, 1).isEmpty());
    TypeInGrid(Page()->grid(), QStringLiteral("A5"));
    Page()->insertParcel();
    EXPECT_EQ(Cell(Page()->grid(), 2, 1), QStringLiteral("A1"));
    EXPECT_EQ(Cell(Page()->grid(), 6, 1), QStringLiteral("A1"));
}

// The parcel is listed as the open inverse computation lists it: legs, directions, included angles and
// the 面積 and 坪数 lines, in both methods (the fixed point keeps its label in the one-point method).
TEST_F(DivisionTab, ParcelIsListedWithLegsAnglesAndAreaAsInTheInverseTab) {
    Open(CalcTab::kDivision);
    ClickRadio(OnePointButton());
    EXPECT_EQ(Page()->areaLabel()->text(), QStringLiteral(" 面積"));
    EXPECT_EQ(Page()->tsuboLabel()->text(), QStringLiteral(" 坪数"));
    for (const char* name : {"A1", "A2", "A3", "A4", "A1"}) {
        TypeInGrid(Page()->grid(), QString::fromLatin1(name));
    }
    QTableWidget* grid = Page()->grid();
    ASSERT_EQ(grid->columnCount(), 5);
    EXPECT_EQ(grid->horizontalHeaderItem(2)->text(), QStringLiteral("  距離"));
    EXPECT_EQ(grid->horizontalHeaderItem(4)->text(), QStringLiteral("   夾角"));
    EXPECT_EQ(Cell(grid, 0, 0), QStringLiteral("基1 "));
    EXPECT_EQ(Cell(grid, 1, 2), QStringLiteral("  10.000"));
    EXPECT_EQ(Cell(grid, 1, 3), QStringLiteral("   0-00-00"));
    EXPECT_EQ(Cell(grid, 2, 3), QStringLiteral("  90-00-00"));
    EXPECT_EQ(Cell(grid, 3, 3), QStringLiteral(" 180-00-00"));
    EXPECT_EQ(Cell(grid, 1, 4), QStringLiteral(" 270-00-00"));
    EXPECT_EQ(Cell(grid, 2, 4), QStringLiteral(" 270-00-00"));
    EXPECT_EQ(Page()->areaLabel()->text(), QStringLiteral(" 面積    100.0000000 ㎡"));
    EXPECT_EQ(Page()->tsuboLabel()->text(), QStringLiteral(" 坪数     30.2500    坪"));
    // Taking A3 out leaves the triangle A1 A2 A4: the diagonal leg and half the area.
    grid->setCurrentCell(2, 1);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Cell(grid, 2, 2), QStringLiteral("  14.142"));
    EXPECT_EQ(Cell(grid, 2, 3), QStringLiteral(" 135-00-00"));
    EXPECT_EQ(Page()->areaLabel()->text(), QStringLiteral(" 面積     50.0000000 ㎡"));
    EXPECT_EQ(Page()->tsuboLabel()->text(), QStringLiteral(" 坪数     15.1250    坪"));
}

// The context menu writes the listed parcel to Result.Txt as the inverse tab writes its grid.
TEST_F(DivisionTab, ResultTxtCarriesTheListedParcel) {
    Open(CalcTab::kDivision);
    EnterSquare(3);
    ASSERT_TRUE(TriggerAction(Page()->grid(), QStringLiteral("Result.Tｘｔへ新規出力")));
    ASSERT_TRUE(TriggerAction(Page()->grid(), QStringLiteral("Result.Tｘｔへ追加出力")));
    const std::string rows = Jp("   1  A1                                        \r\n"
                                "   2  A2          10.000     0-00-00   270-00-00\r\n"
                                "   3  A3          10.000    90-00-00            \r\n");
    EXPECT_EQ(ReadBytes(home.File("Result.Txt")),
              Jp("       点名        距離     方向角        夾角  \r\n") + rows + rows);
}

} // namespace
} // namespace vemo::test
