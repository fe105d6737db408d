#include "CalcFixture.h"
#include "core/text/Cp932.h"
#include "ui/calc/CalcFields.h"
#include "ui/calc/CalcGroups.h"
#include "ui/calc/FormPage.h"
#include "ui/calc/ResultPanel.h"
#include "ui/calc/ShiftGrid.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace vemo::test {
namespace {

class ConstructionTab : public CalcFixture {
protected:
    FormPage* Page(int tab) { return qobject_cast<FormPage*>(window->page(tab)); }
    static QString Value(ResultPanel* panel, int i) { return panel->x[i]->text() + "," + panel->y[i]->text(); }
    // The last row of the coordinate list: name, X, Y and remark (UTF-8).
    std::string LastRow() const {
        const int row = store->xyz.RowCount() - 1;
        return store->xyz.Cell(row, kColName) + " " + store->xyz.Cell(row, kColX) + " " + store->xyz.Cell(row, kColY) +
               " " + Cp932ToUtf8(store->xyz.Cell(row, kColBiko));
    }
};

TEST_F(ConstructionTab, LineCrossingIsTypedComputedAndRegisteredUnderTheProposedName) {
    Open(CalcTab::kLineLine);
    FormPage* page = Page(CalcTab::kLineLine);
    TypeInField(page->line("line1")->first, QStringLiteral("a1"));
    TypeInField(page->line("line1")->second, QStringLiteral("A4")); // due east: the direction comes from the points
    EXPECT_EQ(page->line("line1")->direction->text().trimmed(), QStringLiteral("90.0000"));
    TypeInField(page->line("line2")->first, QStringLiteral("A5"));
    TypeInField(page->line("line2")->direction, QStringLiteral("135"));
    // Line 2 from (20, 0) heading south-east runs through (20 - t, t) and meets X = 0 at (0, 20).
    EXPECT_EQ(Value(page->results(), 0), QStringLiteral("      0.000,     20.000"));
    EXPECT_EQ(page->overlay().marks.size(), 1u);

    page->results()->names[0]->setFocus(); // entering P1's name proposes the next name of the list
    EXPECT_EQ(page->results()->names[0]->text(), QStringLiteral("C3"));
    QTest::mouseClick(page->results()->registerButton, Qt::LeftButton);
    EXPECT_EQ(LastRow(), "C3 0.000 20.000 交点");
    EXPECT_TRUE(store->FindPointXY("C3").has_value());
    // Line 2 is emptied for the next crossing, the values too.
    EXPECT_TRUE(page->line("line2")->first->text().isEmpty());
    EXPECT_TRUE(page->results()->x[0]->text().isEmpty());
}

// Line 2 gets its first point before its direction, which stands at 0 (north) until typed: parallel to
// a line 1 running north is a state on the way, not an answer, so it brings no message.
TEST_F(ConstructionTab, ParallelLinesOnTheWayToADirectionBringNoMessage) {
    Open(CalcTab::kLineLine);
    FormPage* page = Page(CalcTab::kLineLine);
    TypeInField(page->line("line1")->first, QStringLiteral("A1"));
    TypeInField(page->line("line1")->second, QStringLiteral("A2")); // north, along X
    TypeInField(page->line("line2")->first, QStringLiteral("A4"));
    EXPECT_TRUE(MessageBox::ShownTexts().isEmpty()) << MessageBox::ShownTexts().join('|').toStdString();
    EXPECT_TRUE(page->results()->x[0]->text().isEmpty());
    // From A4 (0, 10) north-east, back along the line to Y = 0: 10 m south and 10 m west, (-10, 0).
    TypeInField(page->line("line2")->direction, QStringLiteral("45"));
    EXPECT_EQ(Value(page->results(), 0), QStringLiteral("    -10.000,      0.000"));
    EXPECT_TRUE(MessageBox::ShownTexts().isEmpty());
}

TEST_F(ConstructionTab, NameFieldsRefuseUnknownNamesAndTheFirstPointAgain) {
    Open(CalcTab::kLineLine);
    FormPage* page = Page(CalcTab::kLineLine);
    TypeInField(page->line("line1")->first, QStringLiteral("Z9"));
    EXPECT_EQ(SystemBeep::Count(), 1);
    EXPECT_TRUE(page->line("line1")->first->hasFocus());
    page->line("line1")->first->clear();
    TypeInField(page->line("line1")->first, QStringLiteral("A1"));
    TypeInField(page->line("line1")->second, QStringLiteral("A1"));
    EXPECT_EQ(SystemBeep::Count(), 2);
    EXPECT_TRUE(page->line("line1")->second->hasFocus());
    // Numeric fields take digits, one point and the minus sign only.
    page->line("line1")->second->clear();
    TypeInField(page->line("line1")->direction, QStringLiteral("1x2..5"));
    EXPECT_EQ(page->line("line1")->direction->text(), QStringLiteral("  12.5000"));
}

TEST_F(ConstructionTab, CircleCrossingMessageComesOncePerChangeAndTheWindowStaysUsable) {
    Open(CalcTab::kCircleCircle);
    FormPage* page = Page(CalcTab::kCircleCircle);
    TypeInField(page->circle("circle1")->centre, QStringLiteral("C1"));
    TypeInField(page->circle("circle1")->radius, QStringLiteral("1"));
    TypeInField(page->circle("circle2")->centre, QStringLiteral("C2"));
    TypeInField(page->circle("circle2")->radius, QStringLiteral("5"));
    EXPECT_EQ(MessageBox::ShownTexts(), QStringList{"円と円が交差していません！"});
    EXPECT_TRUE(page->circle("circle1")->radius->hasFocus());
    for (int i = 0; i < 3; ++i) { // repaints do not recompute, so do not repeat the message
        plot->repaint();
    }
    EXPECT_EQ(MessageBox::ShownTexts().size(), 1);

    TypeInField(page->circle("circle1")->radius, QStringLiteral("5"));
    EXPECT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_EQ(Value(page->results(), 0), QStringLiteral("      3.000,      4.000"));
    EXPECT_EQ(Value(page->results(), 1), QStringLiteral("     -3.000,      4.000"));
    ASSERT_EQ(page->overlay().marks.size(), 2u);
    EXPECT_EQ(page->overlay().circles.size(), 2u);
    plot->SetView(2, 4, 12); // both crossings and both circles in view
    plot->repaint();
    SaveShot(window.get(), QStringLiteral("calc-circles-window.png"));
    SaveShot(plot.get(), QStringLiteral("calc-circles-plot.png"));

    // Both solutions registered: P2 ticked by hand, names proposed in turn.
    page->results()->check[1]->setChecked(true);
    page->results()->names[0]->setFocus();
    page->results()->names[1]->setFocus();
    EXPECT_EQ(page->results()->names[1]->text(), QStringLiteral("C4"));
    QTest::mouseClick(page->results()->registerButton, Qt::LeftButton);
    EXPECT_EQ(LastRow(), "C4 -3.000 4.000 交点");
}

// The centre of three points on circle 1 is there as soon as they are given, before any line; the
// button waits for a name.
TEST_F(ConstructionTab, ThreePointCircleCentreIsRegisteredUnderP3) {
    Open(CalcTab::kLineCircle);
    FormPage* page = Page(CalcTab::kLineCircle);
    // A1, A2, A3 lie on the circle of centre (5, 5) and radius 7.071.
    for (int i = 0; i < 3; ++i) {
        TypeInField(page->circle("circle1")->onCircle[i], QStringLiteral("A%1").arg(i + 1));
    }
    ASSERT_EQ(page->overlay().marks.size(), 1u);
    EXPECT_EQ(page->overlay().marks[0].label, "P3");
    EXPECT_FALSE(page->circle("circle1")->registerCentre->isEnabled());
    TypeInField(page->circle("circle1")->p3, QStringLiteral("M1"));
    ASSERT_TRUE(page->circle("circle1")->registerCentre->isEnabled());
    QTest::mouseClick(page->circle("circle1")->registerCentre, Qt::LeftButton);
    EXPECT_EQ(LastRow(), "M1 5.000 5.000 3点円中心");
    // With the line the crossings follow: the line Y = 0 meets the circle at A1 and A2.
    TypeInField(page->line("line1")->first, QStringLiteral("A1"));
    TypeInField(page->line("line1")->second, QStringLiteral("A2"));
    EXPECT_EQ(Value(page->results(), 0), QStringLiteral("      0.000,      0.000"));
    EXPECT_EQ(Value(page->results(), 1), QStringLiteral("     10.000,      0.000"));
}

TEST_F(ConstructionTab, CornerCutRegistersBothEndsOfTheChord) {
    Open(CalcTab::kCornerCut);
    FormPage* page = Page(CalcTab::kCornerCut);
    // Corner A2 between A1 and A3, chord 2: 1.414 along each leg from A2.
    const char* names[] = {"A1", "A2", "A3"};
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(plot.get(), Qt::LeftButton, Qt::NoModifier, PixelOf(i == 0 ? 0 : 10, i == 2 ? 10 : 0));
        EXPECT_EQ(page->names("corner")[i]->text(), QString::fromLatin1(names[i])) << i;
        page->names("corner")[std::min(i + 1, 2)]->setFocus();
    }
    TypeInField(page->field("length"), QStringLiteral("2"));
    EXPECT_EQ(Value(page->results(), 0), QStringLiteral("      8.586,      0.000"));
    EXPECT_EQ(Value(page->results(), 1), QStringLiteral("     10.000,      1.414"));
    page->results()->names[0]->setFocus();
    page->results()->names[1]->setFocus();
    QTest::mouseClick(page->results()->registerButton, Qt::LeftButton);
    EXPECT_EQ(LastRow(), "C4 10.000 1.414 隅切");
    EXPECT_TRUE(page->names("corner")[0]->text().isEmpty());
}

TEST_F(ConstructionTab, ParallelShiftRegistersEveryCornerOfThePath) {
    Open(CalcTab::kParallelShift);
    FormPage* page = Page(CalcTab::kParallelShift);
    ShiftGrid* grid = page->path();
    // Path A1 -> A2 -> A3 -> A4 (north, east, south), every leg widened 1 m to its right.
    for (const char* name : {"A1", "A2", "A3", "A4"}) {
        TypeInGrid(grid, QString::fromLatin1(name));
        TypeInGrid(grid, QStringLiteral("1"));
    }
    EXPECT_EQ(Cell(grid, 0, 2), QStringLiteral("1.000"));
    EXPECT_EQ(Value(page->results(), 0), QStringLiteral("      9.000,      1.000"));
    EXPECT_EQ(page->overlay().marks.size(), 2u);
    page->results()->setName(0, QStringLiteral("S1"));
    QTest::mouseClick(page->results()->registerButton, Qt::LeftButton);
    EXPECT_EQ(LastRow(), "S2 9.000 9.000 平移");
    EXPECT_TRUE(store->FindPointXY("S1").has_value());
    EXPECT_EQ(grid->rowCount(), 1); // the tab is cleared for the next path
}

// A path point that has left the list makes the input incomplete: nothing computed, nothing to register.
TEST_F(ConstructionTab, ParallelShiftWithAPathPointGoneComputesNothing) {
    Open(CalcTab::kParallelShift);
    FormPage* page = Page(CalcTab::kParallelShift);
    for (const char* name : {"A1", "A2", "A3", "A4"}) {
        TypeInGrid(page->path(), QString::fromLatin1(name));
        TypeInGrid(page->path(), QStringLiteral("1"));
    }
    ASSERT_EQ(Value(page->results(), 0), QStringLiteral("      9.000,      1.000"));
    store->xyz.SetCell(4, kColName, "Z4"); // A4 renamed: it would have stood at (0, 0)
    page->refresh();
    EXPECT_TRUE(page->results()->x[0]->text().isEmpty());
    EXPECT_TRUE(page->overlay().marks.empty());
    const int rows = store->xyz.RowCount();
    QTest::mouseClick(page->results()->registerButton, Qt::LeftButton);
    EXPECT_EQ(store->xyz.RowCount(), rows);
}

// The panel's caption names the tab shown; the proposed name is selected, so typing replaces it; the
// packed angle form is labelled where it is typed.
TEST_F(ConstructionTab, CaptionFollowsTheTabAndTheProposedNameIsSelected) {
    Open(CalcTab::kInverse);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("逆座標計算"));
    Open(CalcTab::kLineLine);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("直線×直線"));
    Open(CalcTab::kCircleCircle);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("円×円"));

    Open(CalcTab::kLineLine);
    FormPage* page = Page(CalcTab::kLineLine);
    TypeInField(page->line("line1")->first, QStringLiteral("A1"));
    TypeInField(page->line("line1")->second, QStringLiteral("A4"));
    TypeInField(page->line("line2")->first, QStringLiteral("A5"));
    TypeInField(page->line("line2")->direction, QStringLiteral("135"));
    page->results()->names[0]->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(page->results()->names[0]->text().isEmpty());
    EXPECT_EQ(page->results()->names[0]->selectedText(), page->results()->names[0]->text());
    QTest::keyClicks(page->results()->names[0], QStringLiteral("Q1"));
    EXPECT_EQ(page->results()->names[0]->text(), QStringLiteral("Q1"));

    bool labelled = false;
    for (const QLabel* label : page->findChildren<QLabel*>()) {
        labelled |= label->text().contains(QStringLiteral("度.分秒"));
    }
    EXPECT_TRUE(labelled);
}

} // namespace
} // namespace vemo::test
