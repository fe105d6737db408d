// The grid as a fast typist meets it: keys after a message, Home/End, the input assist per cell and the
// beep for refused characters.
#include "GridTestFixture.h"

#include "support/WhenShown.h"
#include "ui/common/GridFont.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>

namespace vemo {
namespace {

using test::GridTest;

// A real modal box (not a captured one) answered with Enter once it is up, as a user presses OK.
void AnswerNextBoxWithEnter() {
    test::WhenShown<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(QApplication::activeModalWidget(), box);
        QTest::keyClick(box, Qt::Key_Return);
    });
}

// Without a window manager nobody hands the activation back to the list window when the box closes:
// the keys then reach the window, which passes them to its focus widget.  That must be the grid or its
// open editor, never the editor the message interrupted.
TEST_F(GridTest, KeysStillWorkAfterAConversionMessage) {
    MessageBox::SetCapture(false);
    TypeTab("P1");
    Type("1..2");
    AnswerNextBoxWithEnter();
    Key(Qt::Key_Return);
    EXPECT_EQ(Cursor(), (GridCell{1, kColX}));
    // The activation the box hands back may still be on its way: let it land before taking it away.
    QApplication::processEvents();
    QApplication::setActiveWindow(nullptr);
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    QWindow* window = panel->windowHandle();
    const auto typeIntoWindow = [window](const char* text) {
        for (const char* c = text; *c != 0; ++c) {
            QTest::keyClick(window, *c);
        }
        QTest::keyClick(window, Qt::Key_Return);
    };
    typeIntoWindow("-12220");
    EXPECT_EQ(Cell(1, kColX), "-12220.000");
    EXPECT_EQ(Cursor(), (GridCell{1, kColY}));
    typeIntoWindow("23540"); // Y is the last entry column: the next point's row follows
    EXPECT_EQ(Cell(1, kColY), "23540.000");
    EXPECT_EQ(Cursor(), (GridCell{2, kColName}));
}

// Home / End go along the row, Ctrl+Home / Ctrl+End along the list, never onto a switched-off column.
TEST_F(GridTest, HomeAndEndStayInTheRowOrGoToTheEnds) {
    Fill({{"A", "1.000", "2.000"}, {"B", "3.000", "4.000"}, {"C", "5.000", "6.000"}});
    grid->setCurrentCell({2, kColX});
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool tensyuOn;
        GridCell expected;
    } cases[] = {
        {Qt::Key_End, Qt::NoModifier, false, {2, kColY}},
        {Qt::Key_Home, Qt::NoModifier, false, {2, kColName}},
        {Qt::Key_End, Qt::NoModifier, true, {2, kColTensyu}},
        {Qt::Key_End, Qt::ControlModifier, true, {3, kColTensyu}},
        {Qt::Key_Home, Qt::ControlModifier, true, {1, kColTensyu}},
        {Qt::Key_Home, Qt::NoModifier, true, {1, kColName}},
    };
    for (const auto& c : cases) {
        ColumnSwitches switches;
        switches.tensyu = c.tensyuOn;
        grid->setColumnSwitches(switches);
        Key(c.key, c.modifiers);
        EXPECT_EQ(Cursor(), c.expected) << "key " << c.key << " modifiers " << c.modifiers.toInt();
    }
}

// With the input assist on, only what is typed in a visit to the cell is shifted; passing through a
// stored coordinate with Tab or Enter leaves it as it is.
TEST_F(GridTest, InputAssistShiftsOnlyWhatWasTyped) {
    Fill({{"A", "12345.678", "-30001.500"}});
    grid->setShiftInput(true, ShiftValues{12000.0, -30000.0});
    grid->setCurrentCell({1, kColName});
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab); // through X
    Key(Qt::Key_Tab); // through Y
    grid->setCurrentCell({1, kColX});
    Key(Qt::Key_Return); // Enter acting as Tab
    EXPECT_EQ(Cell(1, kColX), "12345.678");
    EXPECT_EQ(Cell(1, kColY), "-30001.500");
    grid->setCurrentCell({1, kColX});
    TypeTab("345.678"); // typed: shifted once
    EXPECT_EQ(Cell(1, kColX), "12345.678");
    grid->setCurrentCell({1, kColX});
    Key(Qt::Key_Tab);
    EXPECT_EQ(Cell(1, kColX), "12345.678");
}

// Keys a number cell refuses answer with the beep, whether the editor is open or not.
TEST_F(GridTest, RefusedCharactersInNumberCellsBeep) {
    TypeTab("P1");
    Type("a");
    EXPECT_EQ(SystemBeep::Count(), 1);
    Type("12x");
    EXPECT_EQ(SystemBeep::Count(), 2);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Cell(1, kColX), "12.000");
    EXPECT_EQ(SystemBeep::Count(), 2);
}

// Coordinates are drawn and typed in the number font; the screenshot (saved twice the size) is for a
// person to check that "23456.789" does not read as "23456,789" and that the corner reads "№".
TEST_F(GridTest, CoordinateCellsUseTheNumberFontAndTheCornerSaysNo) {
    auto* corner = grid->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(corner, nullptr);
    EXPECT_EQ(corner->accessibleName(), QStringLiteral("№"));
    Fill({{"T.1", "23456.789", "-12220.000"}, {"K2", "-123456.789", "98765.432"}});
    const QString numberFamily = NumberFont(grid->font()).family();
    grid->setCurrentCell({1, kColX});
    Type("7");
    auto* editor = qobject_cast<QLineEdit*>(Focused());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->font().family(), numberFamily);
    grid->revertEditor();
    const QImage shot = panel->grab().toImage();
    shot.scaled(shot.size() * 2).save(QStringLiteral("/tmp/vemo-grid-200.png"));
}

} // namespace
} // namespace vemo
