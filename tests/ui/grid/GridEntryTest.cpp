#include "GridTestFixture.h"
#include "core/edit/EntryRules.h"
#include "ui/grid/XyzCellDelegate.h"
#include "ui/grid/ShiftPanel.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

namespace vemo {
namespace {

using test::GridTest;

TEST_F(GridTest, EnterAppendsTheNextNameInIncAndDecMode) {
    TypeTab("T009");
    TypeTab("100.5");
    Type("-200");
    Key(Qt::Key_Return);
    ASSERT_EQ(store.xyz.RowCount(), 3);
    EXPECT_EQ(Cell(1, kColX), "100.500");
    EXPECT_EQ(Cell(1, kColY), "-200.000");
    EXPECT_EQ(Cell(1, kColZ), "0.000");
    EXPECT_EQ(Cell(2, kColName), "T010");
    EXPECT_EQ(Cell(2, kColNo), "2");
    EXPECT_EQ(Cursor(), (GridCell{2, kColName}));

    // The proposed name is taken with Tab; Dec mode proposes downwards.
    grid->setIncrementNames(false);
    EXPECT_EQ(panel->incIndicator()->text(), QStringLiteral(" Dec "));
    Key(Qt::Key_Tab);
    TypeTab("1");
    Type("2");
    Key(Qt::Key_Enter);
    EXPECT_EQ(Cell(3, kColName), "T009");
    EXPECT_TRUE(MessageBox::ShownTexts().isEmpty());
}

TEST_F(GridTest, AnIncompleteLastRowSendsTheCursorBackToItsName) {
    Key(Qt::Key_Tab); // empty name, no other row: accepted
    TypeTab("1");
    Key(Qt::Key_Return); // Y empty
    EXPECT_EQ(store.xyz.RowCount(), 2);
    // Enter acts as Tab after sending the cursor to the name: it lands on X.
    EXPECT_EQ(Cursor(), (GridCell{1, kColX}));
}

TEST_F(GridTest, SwitchedOnColumnsMoveTheAppendingEnter) {
    panel->toggleBikoInput();
    TypeTab("A1");
    TypeTab("1");
    Type("2");
    Key(Qt::Key_Return); // not the last entry column: acts as Tab, past Z and 点種 to 備考
    EXPECT_EQ(store.xyz.RowCount(), 2);
    EXPECT_EQ(Cursor(), (GridCell{1, kColBiko}));
    Type("memo");
    Key(Qt::Key_Return);
    ASSERT_EQ(store.xyz.RowCount(), 3);
    EXPECT_EQ(Cell(1, kColBiko), "memo");
    EXPECT_EQ(Cell(2, kColName), "A2");
    EXPECT_EQ(Cursor(), (GridCell{2, kColName}));

    // Arrow keys pass switched-off columns in their direction.
    grid->setCurrentCell({1, kColBiko});
    Key(Qt::Key_Left);
    EXPECT_EQ(Cursor(), (GridCell{1, kColY}));
    Key(Qt::Key_Right);
    EXPECT_EQ(Cursor(), (GridCell{1, kColBiko}));

    // A click into a switched-off column moves on to the next one that takes input.
    QRect zCell = grid->visualRect(grid->xyzModel()->cellIndex(1, kColZ));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, zCell.center());
    EXPECT_EQ(Cursor(), (GridCell{1, kColBiko}));
}

TEST_F(GridTest, DownModeMovesDownWithoutChecking) {
    std::vector<XyzRow> rows(10);
    for (int i = 0; i < 10; ++i) {
        rows[i][kColName] = "P" + std::to_string(i + 1);
    }
    store.xyz.ReplaceAll(rows);
    panel->enterIndicator()->doubleClicked();
    ASSERT_TRUE(grid->enterGoesDown());
    EXPECT_EQ(panel->enterIndicator()->text(), QStringLiteral(" ↓ "));
    grid->setCurrentCell({3, kColX});
    Type("1-2");
    Key(Qt::Key_Return);
    EXPECT_EQ(Cursor(), (GridCell{4, kColX}));
    EXPECT_EQ(Cell(3, kColX), "1-2");
    EXPECT_TRUE(MessageBox::ShownTexts().isEmpty());
}

TEST_F(GridTest, ABadNumberShowsTheConversionMessageAndKeepsTheCursor) {
    TypeTab("K1");
    TypeTab("1-2");
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_EQ(MessageBox::ShownTexts()[0], QStringLiteral("'1-2' は浮動小数点数ではありません"));
    EXPECT_EQ(Cursor(), (GridCell{1, kColX}));
    EXPECT_EQ(Cell(1, kColX), "1-2");
    // Letters never get into a number cell.
    Type("ab");
    EXPECT_EQ(Cell(1, kColX), "1-2");
}

TEST_F(GridTest, CellsTakeNoMoreBytesThanTheirFieldInTheFile) {
    // A longer name would push X out of its place in the coordinate file and come back corrupted.
    TypeTab("ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(Cell(1, kColName), "ABCDEFGHIJKLMNOP");
    TypeTab("123.45678901234567890123"); // typing stops at 20 bytes; leaving the cell rounds it
    EXPECT_EQ(Cell(1, kColX), "123.457");
}

TEST(CellTextValidatorTest, CountsCp932BytesNotCharacters) {
    CellTextValidator remark(false, CellTextValidator::MaxBytes(kColBiko), nullptr);
    int pos = 0;
    QString tenKanji = QStringLiteral("境界杭境界杭境界杭境");
    EXPECT_EQ(remark.validate(tenKanji, pos), QValidator::Acceptable); // 20 bytes
    QString elevenKanji = tenKanji + QStringLiteral("界");
    EXPECT_EQ(remark.validate(elevenKanji, pos), QValidator::Invalid);
    QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    EXPECT_EQ(remark.validate(emoji, pos), QValidator::Invalid);
}

TEST_F(GridTest, ADuplicateNameIsRefusedWithTheBeep) {
    Fill({{"T1", "1.000", "2.000"}, {"", "", ""}});
    grid->setCurrentCell({2, kColName});
    TypeTab("T1");
    EXPECT_EQ(SystemBeep::Count(), 1);
    EXPECT_EQ(Cell(2, kColName), "");
    EXPECT_EQ(Cursor(), (GridCell{2, kColName}));
    TypeTab("t1"); // names are case-sensitive
    EXPECT_EQ(SystemBeep::Count(), 1);
    EXPECT_EQ(Cursor(), (GridCell{2, kColX}));
}

TEST_F(GridTest, TheSecondPointAsksForAFitOfAllPoints) {
    QSignalSpy fit(panel.get(), &XyzListPanel::fitAllRequested);
    TypeTab("1");
    TypeTab("10");
    Type("10");
    Key(Qt::Key_Return);
    EXPECT_EQ(fit.size(), 0);
    TypeTab("");
    TypeTab("20");
    Type("20");
    Key(Qt::Key_Return);
    EXPECT_EQ(store.xyz.RowCount(), 4);
    EXPECT_EQ(Cell(3, kColName), "3");
    EXPECT_EQ(fit.size(), 1);
}

TEST_F(GridTest, InputAssistShiftsTypedCoordinates) {
    panel->toggleShiftInput();
    ASSERT_TRUE(panel->shiftPanel()->isVisible());
    ShiftField* x = panel->shiftPanel()->field(0);
    EXPECT_EQ(Focused(), x);
    EXPECT_EQ(x->selectedText(), x->text());
    Type("12000..");  // the second point is refused
    Key(Qt::Key_Tab); // on to the Y field
    EXPECT_EQ(x->text(), QStringLiteral("  12000.000"));
    ShiftField* y = panel->shiftPanel()->field(1);
    y->setFocus();
    y->selectAll();
    Type("-30000-");
    grid->setFocus();
    EXPECT_EQ(y->text(), QStringLiteral(" -30000.000"));

    grid->setCurrentCell({1, kColName});
    TypeTab("S1");
    TypeTab("345.678");
    Type("1.5");
    Key(Qt::Key_Return);
    EXPECT_EQ(Cell(1, kColX), "12345.678");
    EXPECT_EQ(Cell(1, kColY), "-30001.500");
    TypeTab("S2");
    TypeTab("12345.678");
    EXPECT_EQ(Cell(2, kColX), "345.678");

    // "一括" adds the shift to every row once more, Z included.
    QTest::mouseClick(panel->shiftPanel()->allButton(), Qt::LeftButton);
    EXPECT_EQ(Cell(1, kColX), "345.678");
    EXPECT_EQ(Cell(2, kColX), "12345.678");
    EXPECT_EQ(Cell(1, kColZ), "0.000");

    panel->toggleShiftInput();
    EXPECT_FALSE(panel->shiftPanel()->isVisible());
    EXPECT_TRUE(grid->hasGridFocus());
    TypeTab("");
    TypeTab("5");
    EXPECT_EQ(Cell(2, kColX), "12345.678");
}

TEST_F(GridTest, InsertAndDeleteRowsIncludingTheLast) {
    Fill({{"A", "1", "1"}, {"B", "2", "2"}, {"C", "3", "3"}});
    grid->setCurrentCell({2, kColX});
    panel->insertRow();
    ASSERT_EQ(store.xyz.RowCount(), 5);
    EXPECT_EQ(Cell(2, kColName), "");
    EXPECT_EQ(Cell(3, kColName), "B");
    EXPECT_EQ(Cell(4, kColNo), "4");
    EXPECT_EQ(Cursor(), (GridCell{2, kColX}));

    panel->deleteRow();
    EXPECT_EQ(store.xyz.RowCount(), 4);
    EXPECT_EQ(Cell(2, kColName), "B");
    grid->setCurrentCell({3, kColName});
    panel->deleteRow(); // the last row is only emptied
    EXPECT_EQ(store.xyz.RowCount(), 4);
    EXPECT_EQ(Cell(3, kColName), "");
    EXPECT_EQ(Cell(3, kColX), "");
    EXPECT_EQ(Cell(3, kColNo), "3");

    // The commands act only while the grid has the focus.
    panel->findEdit()->setFocus();
    panel->insertRow();
    EXPECT_EQ(store.xyz.RowCount(), 4);
}

TEST_F(GridTest, AFullListRefusesAnotherRowWithAMessage) {
    std::vector<XyzRow> rows(kMaxPointRows);
    for (int i = 0; i < kMaxPointRows; ++i) {
        rows[i] = {"", "P" + std::to_string(i + 1), "1", "2", "", "", ""};
    }
    store.xyz.ReplaceAll(std::move(rows));
    grid->setCurrentCell({1, kColName});
    panel->insertRow();
    EXPECT_EQ(store.xyz.PointRowCount(), kMaxPointRows);
    EXPECT_EQ(Cell(1, kColName), "P1");
    grid->setCurrentCell({kMaxPointRows, kColY});
    Key(Qt::Key_Return); // a complete last row, but no room for the next point
    EXPECT_EQ(store.xyz.PointRowCount(), kMaxPointRows);
    ASSERT_EQ(MessageBox::ShownTexts().size(), 2);
    EXPECT_EQ(MessageBox::ShownTexts()[0], QStringLiteral("座標点数が上限（99998点）を超えるため追加できません"));
}

TEST_F(GridTest, SearchDownAndUpFromTheCursorRow) {
    Fill({{"T1", "1", "1"}, {"K1", "2", "2"}, {"T2", "3", "3"}, {"T10", "4", "4"}, {"B21", "5", "5"}});
    EXPECT_EQ(panel->findEdit()->text(), QStringLiteral("T*"));
    grid->setCurrentCell({1, kColY});
    panel->findDown();
    EXPECT_EQ(Cursor(), (GridCell{3, kColY}));
    panel->findDown();
    EXPECT_EQ(Cursor(), (GridCell{4, kColY}));
    panel->findDown(); // no more below: stays
    EXPECT_EQ(Cursor(), (GridCell{4, kColY}));
    panel->findUp();
    EXPECT_EQ(Cursor(), (GridCell{3, kColY}));
    panel->findUp();
    EXPECT_EQ(Cursor(), (GridCell{1, kColY}));
    panel->findUp();
    EXPECT_EQ(Cursor(), (GridCell{1, kColY}));

    panel->findEdit()->setText(QStringLiteral("*1"));
    panel->findDown();
    EXPECT_EQ(Cursor(), (GridCell{1, kColY}));
    panel->findEdit()->setText(QStringLiteral("*1*"));
    panel->findDown();
    EXPECT_EQ(Cursor(), (GridCell{2, kColY}));
    EXPECT_TRUE(grid->hasGridFocus());
}

TEST_F(GridTest, RowClicksHighlightThePointOrGoToTheCalculation) {
    Fill({{"A", "10.000", "20.000"}, {"B", "0.000", "5.000"}, {"C", "30.000", "40.000"}});
    std::vector<std::string> highlighted, taken;
    int unhighlights = 0;
    bool calculationWants = false;
    grid->setPointHooks({[&](const std::string& name) {
                             if (calculationWants) {
                                 taken.push_back(name);
                             }
                             return calculationWants;
                         },
                         [] { return true; }, [&](const std::string& name) { highlighted.push_back(name); },
                         [&] { ++unhighlights; }});
    auto click = [&](int row, int col) {
        if (col == kColNo) {
            QHeaderView* numbers = grid->verticalHeader();
            QPoint at(numbers->width() / 2,
                      numbers->sectionViewportPosition(row - 1) + numbers->sectionSize(row - 1) / 2);
            QTest::mouseClick(numbers->viewport(), Qt::LeftButton, {}, at);
            return;
        }
        QRect cell = grid->visualRect(grid->xyzModel()->cellIndex(row, col));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    };
    click(3, kColName);
    click(2, kColY); // X is "0.000": nothing to mark
    EXPECT_EQ(highlighted, (std::vector<std::string>{"C"}));
    EXPECT_EQ(unhighlights, 1);
    calculationWants = true;
    click(1, kColNo);
    EXPECT_EQ(Cursor(), (GridCell{1, kColName}));
    click(3, kColZ + 1); // 点種: not a column that sends names
    EXPECT_EQ(taken, (std::vector<std::string>{"A"}));
    EXPECT_EQ(highlighted, (std::vector<std::string>{"C", "C"}));
}

} // namespace
} // namespace vemo
