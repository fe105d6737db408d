// Picking on the traverse plot: the nearest point goes into the field or cell with the focus, with
// what that field derives from it (coordinates, a direction), so that known points need no typing.
#include "TrvsWindowFixture.h"

#include "ui/traverse/TrvsPlot.h"

#include <QAction>

namespace vemo::test {
namespace {

using F = TrvsHeaderPanel;

// The square of 100 m from A (1000, 1000) east to B (1000, 1100), C (1100, 1100), D (1100, 1000);
// the direction at A is outgoing (A towards its backsight D, due north).
constexpr const char* kSquare = "0\r\n26/12/09\r\n\r\nA,1000.000,1000.000,0.000\r\nD,1,0.0000\r\n"
                                ",0.000,0.000,0.000\r\n,0,0.0000\r\n1,T,,,B,90.0000,90.0000,100.000\r\n"
                                "2,T,,,C,90.0000,90.0000,100.000\r\n3,T,,,D,90.0000,90.0000,100.000\r\n"
                                "4,T,,,A,90.0000,90.0000,100.000\r\n";

class TrvsPlotPick : public TrvsWindowFixture {
protected:
    TrvsWindow& OpenSquareWithKnownPoint() {
        Open();
        AddPoint("K1", "1050.000", "1050.000", "12.500"); // the middle of the square, on the list
        AddPoint("K2", "1200.000", "1200.000");
        const std::string path = home.File("square.Trv");
        WriteBytes(path, kSquare);
        window->OpenTrvFile(path);
        window->Plot()->repaint(); // the drawn existing points are what can be picked
        return *window;
    }
    void ClickAt(double x, double y) {
        const PlotPixel p = window->Plot()->Viewport().ToPixel(x, y);
        QTest::mouseClick(window->Plot(), Qt::LeftButton, {}, QPoint(p.x + 1, p.y - 1));
    }
};

TEST_F(TrvsPlotPick, PickedPointGoesIntoTheFocusedFieldOrCell) {
    TrvsWindow& w = OpenSquareWithKnownPoint();
    ASSERT_EQ(w.State().TrvsPointCount, 4);

    // The start point: name, coordinates and the list's height; the cursor goes on to the backsight.
    w.HeaderPanel()->FieldWidget(F::T0No)->setFocus();
    ClickAt(1050, 1050);
    EXPECT_EQ(w.Header().T0No, "K1");
    EXPECT_EQ(w.Header().T0X, "   1050.000"); // as the field shows it once the cursor has left it
    EXPECT_EQ(w.Header().T0Y, "   1050.000");
    EXPECT_EQ(w.Header().T0Z, "   12.500");
    EXPECT_EQ(QApplication::focusWidget(), w.HeaderPanel()->FieldWidget(F::T1No));

    // A backsight: the outgoing direction from the start point K1 (1050, 1050) to the computed point
    // B (1000, 1100), 50 m south and 50 m east: 135°.
    ClickAt(1000, 1100);
    EXPECT_EQ(w.Header().T1No, "B");
    EXPECT_EQ(w.Header().T1Angle, "135.0000");
    EXPECT_EQ(QApplication::focusWidget(), w.Grid());

    // The instrument and backsight cells of a row: each name is checked as if typed, and the cursor
    // moves on.  C is the target of this very row, so the computation could not know it yet.
    Key(Qt::Key_F5);
    w.Grid()->SetCursor(2, kTrvColInst);
    ClickAt(1100, 1100);
    EXPECT_EQ(w.Table().Cell(2, kTrvColInst), "");
    EXPECT_EQ(w.Grid()->CurrentCol(), kTrvColInst);
    ClickAt(1000, 1100);
    EXPECT_EQ(w.Table().Cell(2, kTrvColInst), "B");
    EXPECT_EQ(w.Grid()->CurrentCol(), kTrvColBack);
    ClickAt(1050, 1050);
    EXPECT_EQ(w.Table().Cell(2, kTrvColBack), "K1");
    EXPECT_EQ(w.Grid()->CurrentCol(), kTrvColTarget);
}

} // namespace
} // namespace vemo::test
