// The editing rules of the window: the type and the turning modes, the optional columns, and a
// damaged file that must leave the traverse being worked on alone.
#include "TrvsWindowFixture.h"

#include "ui/tree/FileDialog.h"

#include <QAction>
#include <QRadioButton>

#include <filesystem>

namespace vemo::test {
namespace {

using C = TrvsWindow::Command;

class TrvsTableEdit : public TrvsWindowFixture {
protected:
    void SetRows(int type, std::vector<const char*> tms) {
        std::vector<TrvsRow> rows;
        for (size_t i = 0; i < tms.size(); ++i) {
            TrvsRow row;
            row[kTrvColTm] = tms[i];
            row[kTrvColTarget] = "P" + std::to_string(i + 2);
            rows.push_back(row);
        }
        window->Table().SetRows(rows, "K");
        window->Header().TrvsType = type;
        window->TraverseLoaded();
    }
    std::string Tms() const {
        std::string tms;
        for (int row = 1; row < window->Table().RowCount(); ++row) {
            tms += window->Table().Cell(row, kTrvColTm);
        }
        return tms;
    }
    void ClickType(int type) {
        QTest::mouseClick(window->HeaderPanel()->findChildren<QRadioButton*>().at(type), Qt::LeftButton);
    }
};

// Each change of type rewrites the turning modes (side shots stay side shots, except that a radial
// traverse has nothing else), shows the end point only for a connected traverse and offers the
// precision only where there is a misclosure and the TM toggle only where there are legs.
TEST_F(TrvsTableEdit, TypeChangeRewritesTurningModesAndCommands) {
    TrvsWindow& w = Open();
    SetRows(2, {"O", "K", "O", "O"});
    const struct {
        int type;
        const char* tms;
        bool endShown, precision, toggle;
    } steps[] = {{0, "TKTT", false, true, true},
                 {1, "TKTT", true, true, true},
                 {2, "OKOO", false, false, true},
                 {3, "KKKK", false, false, false},
                 {0, "TKKK", false, true, true}}; // from radial only row 1 becomes a leg again
    for (const auto& step : steps) {
        ClickType(step.type);
        EXPECT_EQ(w.Header().TrvsType, step.type);
        EXPECT_EQ(Tms(), step.tms) << step.type;
        EXPECT_EQ(w.HeaderPanel()->FieldWidget(TrvsHeaderPanel::T2No)->isVisible(), step.endShown) << step.type;
        EXPECT_EQ(w.Action(C::Precision)->isEnabled(), step.precision) << step.type;
        EXPECT_EQ(w.Action(C::ToggleTm)->isEnabled(), step.toggle) << step.type;
    }
}

// Insert turns the current row from a side shot into a leg of the type's letter and back.
TEST_F(TrvsTableEdit, InsertTogglesTheTurningModeOfTheCurrentRow) {
    TrvsWindow& w = Open();
    SetRows(2, {"O", "K", "K"});
    w.Grid()->setFocus();
    w.Grid()->SetCursor(2, kTrvColTarget);
    Key(Qt::Key_Insert);
    EXPECT_EQ(Tms(), "OOK");
    Key(Qt::Key_Insert);
    EXPECT_EQ(Tms(), "OKK");
    w.Grid()->SetCursor(3, kTrvColTarget);
    Key(Qt::Key_Insert);
    EXPECT_EQ(Tms(), "OKO");
}

// F5 opens the instrument and backsight columns, F6 the vertical angle, F7 the heights with the Z
// fields; Enter then stops at the opened columns and passes the closed ones.
TEST_F(TrvsTableEdit, OptionalColumnsJoinAndLeaveTheEntryPath) {
    TrvsWindow& w = Open();
    TrvsGrid* grid = w.Grid();
    EXPECT_EQ(grid->columnCount(), 8);
    EXPECT_FALSE(w.HeaderPanel()->FieldWidget(TrvsHeaderPanel::T0Z)->isVisible());
    grid->setFocus();
    grid->SetCursor(1, kTrvColInst);
    EXPECT_EQ(grid->CurrentCol(), kTrvColTarget); // closed columns are passed

    Key(Qt::Key_F5);
    Key(Qt::Key_F6);
    Key(Qt::Key_F7);
    EXPECT_EQ(grid->columnCount(), 10);
    EXPECT_TRUE(w.HeaderPanel()->FieldWidget(TrvsHeaderPanel::T0Z)->isVisible());
    grid->SetCursor(1, kTrvColInst);
    EXPECT_EQ(grid->CurrentCol(), kTrvColInst);
    Enter("");     // no instrument of its own
    Enter("");     // nor backsight
    Enter("P2");   // target
    Enter("45.3"); // horizontal angle
    EXPECT_EQ(grid->CurrentCol(), kTrvColVAngle);
    EXPECT_EQ(Cell(1, kTrvColVAngle), "90.0000"); // the level sight proposed
    Enter("88.5");
    EXPECT_EQ(Cell(1, kTrvColVAngle), "88.5000");
    EXPECT_EQ(grid->CurrentCol(), kTrvColSlope);

    Key(Qt::Key_F7);
    EXPECT_EQ(grid->columnCount(), 8);
    EXPECT_EQ(w.Table().Cell(1, kTrvColInstH), "0.000"); // hidden, not lost
}

// A refused angle keeps the cursor in its cell: a minutes field of 60 is a typing slip.
TEST_F(TrvsTableEdit, InvalidAngleKeepsTheCursor) {
    TrvsWindow& w = Open();
    w.Grid()->setFocus();
    w.Grid()->SetCursor(1, kTrvColHAngle);
    Enter("12.6");
    EXPECT_EQ(w.Grid()->CurrentCol(), kTrvColHAngle);
    Enter("12.3");
    EXPECT_EQ(w.Grid()->CurrentCol(), kTrvColSlope);
}

// A damaged traverse file is reported with its line, and the traverse on screen stays as it was.
TEST_F(TrvsTableEdit, DamagedTrvNamesTheLineAndKeepsTheWindow) {
    TrvsWindow& w = Open();
    SetRows(2, {"O", "K"});
    w.Header().remark = "KEEP";
    const std::string path = home.File("bad.Trv");
    WriteBytes(path, "2\r\n26/12/09\r\n\r\nA,0,0,0\r\nN,0,180\r\n,0,0,0\r\n,0,0\r\n1,O,,,B,9x,90,10\r\n");
    FileDialog::setNextFileName(QString::fromStdString(path));
    MessageBox::SetNextAnswer(QMessageBox::Discard); // the unsaved traverse may go
    w.Action(C::Open)->trigger();
    ASSERT_EQ(MessageBox::ShownTexts().size(), 2);
    const QString& text = MessageBox::ShownTexts().back();
    EXPECT_TRUE(text.contains("bad.Trv") && text.contains("トラバースファイルの 8 行目: ")) << text.toStdString();
    EXPECT_EQ(w.Header().remark, "KEEP");
    EXPECT_EQ(Tms(), "OK");
    EXPECT_EQ(w.Grid()->rowCount(), 2);
}

// Site folders carry Japanese names: the file chosen in the dialog is the file written and read again.
TEST_F(TrvsTableEdit, TraverseFileKeepsAJapaneseFolderName) {
    TrvsWindow& w = Open();
    SetRows(2, {"O", "K"});
    w.Header().remark = "KEEP";
    std::filesystem::create_directory(home.Path() / "現場");
    const std::string path = home.File("現場/路線.Trv");
    FileDialog::setNextFileName(QString::fromStdString(path));
    w.Action(C::SaveAs)->trigger();
    EXPECT_TRUE(MessageBox::ShownTexts().empty());
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(w.windowTitle(), "トラバース計算 - " + QString::fromStdString(path));

    w.Header().remark.clear();
    FileDialog::setNextFileName(QString::fromStdString(path));
    MessageBox::SetNextAnswer(QMessageBox::Discard);
    w.Action(C::Open)->trigger();
    EXPECT_EQ(MessageBox::ShownTexts().size(), 1); // only the question about the changed remark
    EXPECT_EQ(w.Header().remark, "KEEP");
}

} // namespace
} // namespace vemo::test
