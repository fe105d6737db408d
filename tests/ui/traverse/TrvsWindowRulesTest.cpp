// The traverse window's smaller rules: the plot shows exactly what was computed, rows are edited
// also from inside a cell, the options follow a mode change, names that are not known are said so.
#include "TrvsWindowFixture.h"

#include "core/traverse/TrvsFile.h"
#include "ui/traverse/TrvsPlot.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QStatusBar>

#include <algorithm>

namespace vemo::test {
namespace {

using C = TrvsWindow::Command;

class TrvsWindowRules : public TrvsWindowFixture {};

// A connected traverse with an incomplete row in the middle: the points the run wrote are R1, R2, R4
// and the end point B; an older slot 3 is neither drawn nor picked.
TEST_F(TrvsWindowRules, PlotDrawsAndPicksExactlyTheComputedPoints) {
    TrvsWindow& w = Open();
    const std::string path = home.File("gap.Trv");
    // From A (1000, 1000), backsight due south, legs of 100 m north: R1 (1100, 1000), R2 (1200, 1000),
    // row 3 without a distance, R4 (1300, 1000) from R2; the end B (1400, 1000).
    WriteBytes(path, "1\r\n26/12/09\r\n\r\nA,1000.000,1000.000,0.000\r\nS,0,0.0000\r\n"
                     "B,1400.000,1000.000,0.000\r\nE,1,0.0000\r\n"
                     "1,T,,,R1,180.0000,90.0000,100.000\r\n2,T,,,R2,180.0000,90.0000,100.000\r\n"
                     "3,K,,,R3,90.0000,90.0000,\r\n4,T,,,R4,180.0000,90.0000,100.000\r\n");
    w.OpenTrvFile(path);
    const TrvsState& state = w.State();
    EXPECT_EQ(state.PlottedSlots(), (std::vector<int>{0, 1, 2, 4, 5}));
    const TrvsPoints& raw = state.TrvsRawPoints;
    EXPECT_EQ(raw.name[4], "R4");
    EXPECT_NEAR(raw.x[4], 1300.0, 1e-6);
    EXPECT_EQ(raw.name[5], "B");
    TrvsPlot* plot = w.Plot();
    EXPECT_EQ(plot->Pick(1300.0, 1000.0).name, "R4");
    EXPECT_EQ(plot->Pick(1400.0, 1000.0).name, "B");
    EXPECT_EQ(plot->Pick(1250.0, 1000.1).name, "R2"); // a tie between R2 and R4 goes to the lower slot
}

// Ctrl+Insert and Ctrl+Delete act while a cell is being edited; the typed text is kept.
TEST_F(TrvsWindowRules, RowsAreInsertedAndDeletedWhileACellIsEdited) {
    TrvsWindow& w = Open();
    w.OpenTrvFile(DataFile("traverse/square.Trv"));
    const int rows = w.Table().RowCount();
    w.Grid()->setFocus();
    w.Grid()->SetCursor(2, kTrvColTarget);
    Key(Qt::Key_F2);
    QTest::keyClick(Target(), 'X');
    ASSERT_NE(QApplication::focusWidget(), w.Grid()); // the cell editor has the focus
    Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(w.Table().RowCount(), rows + 1);
    EXPECT_EQ(Cell(3, kTrvColTarget), "X"); // the typed text replaced the selected "C"
    w.Grid()->SetCursor(3, kTrvColTarget);
    Key(Qt::Key_F2);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(w.Table().RowCount(), rows);
    EXPECT_EQ(Cell(3, kTrvColTarget), "D");
}

// Switching to the ZUB Editor and back reads the options of the settings file again.
TEST_F(TrvsWindowRules, ModeSwitchRereadsTheOptions) {
    TrvsWindow& w = Open();
    ASSERT_EQ(w.Options().ErrDiv, 1);
    WriteBytes(home.File("VEMO.ini"), "[Trvs]\r\nErrDiv=0\r\nBlunderAngle=30\r\n");
    w.Action(C::ToZub)->trigger();
    EXPECT_EQ(w.Options().ErrDiv, 0);
    EXPECT_EQ(w.Options().BlunderAngle, 30);
}

// A start or end name the coordinate list does not hold is said so at once in the status bar, and
// again before results computed from 0.000 / 0.000 are shown or registered; typed coordinates and
// the default "T.1" are left in peace.
TEST_F(TrvsWindowRules, UnknownStartOrEndNameIsReported) {
    TrvsWindow& w = Open();
    AddPoint("K1", "1000.000", "2000.000");
    Field(TrvsHeaderPanel::T0No)->setFocus();
    Enter("K9");
    EXPECT_TRUE(w.StatusBar()->currentMessage().contains("「K9」は座標リストにありません"));
    EXPECT_TRUE(MessageBox::ShownTexts().isEmpty());
    w.Table().SetCell(1, kTrvColHAngle, "10.0000");
    w.Table().SetCell(1, kTrvColVAngle, "90.0000");
    w.Table().SetCell(1, kTrvColSlope, "10.000");
    w.Table().SetCell(1, kTrvColTarget, "P1");
    w.Action(C::ResultListing)->trigger();
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::ShownTexts()[0].contains("器械点「K9」は座標リストになく"))
        << MessageBox::ShownTexts()[0].toStdString();
    MessageBox::ClearShownTexts();
    MessageBox::SetNextAnswer(QMessageBox::No);
    w.Action(C::Register)->trigger();
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_EQ(workspace->store().xyz.PointRowCount(), 1); // nothing registered

    MessageBox::ClearShownTexts();
    w.Header().T0X = "   5000.000"; // the surveyor's own coordinates
    w.Action(C::ResultListing)->trigger();
    w.Header().T0No = "T.1";
    w.Header().T0X = "      0.000";
    w.Action(C::ResultListing)->trigger();
    EXPECT_TRUE(MessageBox::ShownTexts().isEmpty());
}

// A cell that does not parse stops the result listing; the lines already written stay in the panel.
TEST_F(TrvsWindowRules, ResultListingKeepsItsLinesBeforeABadCell) {
    TrvsWindow& w = Open();
    w.OpenTrvFile(DataFile("traverse/radial.Trv"));
    w.SetListingShown(true);
    w.Table().SetCell(2, kTrvColSlope, "1O0");
    w.Action(C::ResultListing)->trigger();
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    const QString text = w.ListingPanel()->toPlainText();
    EXPECT_TRUE(text.contains("放射トラバース")) << text.toStdString();
    EXPECT_TRUE(text.contains("R1")) << text.toStdString();
}

} // namespace
} // namespace vemo::test
