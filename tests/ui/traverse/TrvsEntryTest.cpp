// A closed traverse typed with the keyboard alone, computed, checked and registered: the whole way a
// surveyor goes through the window in a day's work.
#include "TrvsWindowFixture.h"

#include "core/traverse/TrvsFile.h"
#include "support/WhenShown.h"
#include "ui/traverse/PrecisionBox.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QRadioButton>

namespace vemo::test {
namespace {

using F = TrvsHeaderPanel;

class TrvsEntry : public TrvsWindowFixture {
protected:
    // A regular pentagon of 100 m sides walked anticlockwise from P1 (1000, 1000), the backsight due
    // north of it: every angle from the backsight clockwise to the next station is the interior 108°.
    // `angle` is the angle typed at every station.
    void TypePentagon(const char* angle) {
        // The type by the arrow keys in the radio group: from 放射 three to the left is 閉合.
        auto* radial = window->HeaderPanel()->findChildren<QRadioButton*>().at(3);
        radial->setFocus();
        Key(Qt::Key_Left);
        Key(Qt::Key_Left);
        Key(Qt::Key_Left);
        Field(F::T0No)->setFocus();
        Enter("p1"); // upper case by the setting
        Enter("1000");
        Enter("1000");
        Enter(""); // backsight: north
        Enter(""); // its direction as proposed
        ASSERT_EQ(QApplication::focusWidget(), window->Grid());
        for (int row = 1; row <= 5; ++row) {
            if (row == 1) {
                Enter("P2");
            } else if (row == 5) {
                Enter("P1"); // the proposal P6 overwritten by the closing point
            } else {
                Key(Qt::Key_Return); // the proposed next target
            }
            Enter(angle);
            Enter("100");
        }
        // The sixth row proposed after the last distance: deleting the last row empties it.
        Key(Qt::Key_Delete, Qt::ControlModifier);
    }

    QStringList RunPrecision() {
        QStringList lines;
        test::WhenShown<PrecisionBox>([&lines](PrecisionBox* box) {
            lines = box->Lines();
            lines.prepend(box->windowTitle());
            box->accept();
        });
        Key(Qt::Key_F9);
        // Back in the traverse window, as after the surveyor's OK.
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return lines;
    }
};

TEST_F(TrvsEntry, ClosedPentagonByKeyboardComputedAndRegistered) {
    TrvsWindow& w = Open();
    TypePentagon("108.0001");
    EXPECT_EQ(w.Header().TrvsType, 0);
    EXPECT_EQ(Cp932ToUtf8(w.Header().T0No), "P1");
    EXPECT_EQ(Cp932ToUtf8(w.Header().T1No), "N");
    EXPECT_EQ(w.Header().T1Angle, "   180.0000");
    ASSERT_EQ(w.Table().ObservationRows(), 6);
    EXPECT_EQ(Cell(6, kTrvColTarget), "");
    // Proposed targets, formatted angles and distances, the default vertical angle, TM of the type.
    const char* targets[] = {"P2", "P3", "P4", "P5", "P1"};
    for (int row = 1; row <= 5; ++row) {
        EXPECT_EQ(Cell(row, kTrvColTarget), targets[row - 1]) << row;
        EXPECT_EQ(Cell(row, kTrvColTm), "T") << row;
        EXPECT_EQ(Cell(row, kTrvColVAngle), "90.0000") << row;
        EXPECT_EQ(Cell(row, kTrvColSlope), "100.000") << row;
    }
    EXPECT_EQ(Cell(3, kTrvColHAngle), "108.0001");

    // Every angle read one second too large: 5″ too many over 540°, one second off each angle, and
    // the pentagon closes exactly.
    EXPECT_EQ(RunPrecision(), (QStringList{" 閉合トラバース - 精度計算", "測角合計     540°00′05″", "測角誤差     5″",
                                           "距離合計     500.000", "緯距誤差     0.000", "経距誤差     0.000",
                                           "高低誤差     0.000", "閉 合 差     0.00000", "閉 合 比     1 / 999999"}));

    Key(Qt::Key_F10);
    EXPECT_EQ(MessageBox::ShownTexts(), QStringList{"座標リストに 5 点を登録しました：P1，P2，P3，P4，P5"});
    const XyzList& list = workspace->store().xyz;
    ASSERT_EQ(list.PointRowCount(), 5);
    // P2 = P1 + 100 m at 108°: (1000 + 100 cos 108°, 1000 + 100 sin 108°).
    EXPECT_EQ(list.Cell(2, kColName), "P2");
    EXPECT_EQ(list.Cell(2, kColX), "969.098");
    EXPECT_EQ(list.Cell(2, kColY), "1095.106");
    EXPECT_EQ(list.Cell(2, kColBiko), "Trvs:");
    EXPECT_TRUE(workspace->store().FindPointXY("P4").has_value());
}

// What was typed up to a computation survives a crash: the computation wrote "Auto.Trv", and closing
// the window writes it again with everything typed after.
TEST_F(TrvsEntry, AutoTrvHoldsTheTraverseAtComputationAndAtClose) {
    TrvsWindow& w = Open();
    TypePentagon("108");
    RunPrecision();
    const std::string autoPath = AutoTrvPath(home.Str());
    TrvsHeader header;
    TrvsTable table;
    LoadTrvFile(autoPath, w.Options(), "26/12/09", header, table);
    EXPECT_EQ(table.ObservationRows(), 6);
    EXPECT_EQ(Cp932ToUtf8(table.Cell(5, kTrvColTarget)), "P1");
    EXPECT_EQ(Cp932ToUtf8(header.T0No), "P1");

    w.Table().SetCell(5, kTrvColSlope, "100.010");
    MessageBox::SetNextAnswer(QMessageBox::Discard); // not saved to a file, but kept in "Auto.Trv"
    w.reject();
    LoadTrvFile(autoPath, w.Options(), "26/12/09", header, table);
    EXPECT_EQ(table.Cell(5, kTrvColSlope), "100.010");
}

} // namespace
} // namespace vemo::test
