#include "CalcFixture.h"
#include "ui/calc/PointGridPage.h"

#include <QClipboard>
#include <QLabel>
#include <QPrinter>
#include <QRegularExpression>

namespace vemo::test {
namespace {

class InverseTab : public CalcFixture {
protected:
    PointGridPage* Page(int tab = CalcTab::kInverse) { return qobject_cast<PointGridPage*>(window->page(tab)); }
    QTableWidget* Grid(int tab = CalcTab::kInverse) { return Page(tab)->grid(); }
    QStringList Names(int tab = CalcTab::kInverse) {
        QStringList names;
        for (int row = 0; row < Grid(tab)->rowCount(); ++row) {
            names << Cell(Grid(tab), row, 1);
        }
        return names;
    }
};

TEST_F(InverseTab, KeyboardEntryListsLegsAnglesAndTheAreaOfTheClosedPolygon) {
    Open(CalcTab::kInverse);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("逆座標計算"));
    for (const char* name : {"A1", "A2", "A3", "A4", "A1"}) {
        TypeInGrid(Grid(), QString::fromLatin1(name));
    }
    EXPECT_EQ(Names(), (QStringList{"A1", "A2", "A3", "A4", "A1", ""}));
    EXPECT_EQ(Cell(Grid(), 1, 2), QStringLiteral("  10.000"));
    EXPECT_EQ(Cell(Grid(), 2, 3), QStringLiteral("  90-00-00"));
    EXPECT_EQ(Cell(Grid(), 1, 4), QStringLiteral(" 270-00-00"));
    EXPECT_EQ(Cell(Grid(), 5, 0), QStringLiteral("6"));
    EXPECT_EQ(Page()->areaLabel()->text(), QStringLiteral(" 面積    100.0000000 ㎡"));
    EXPECT_EQ(Page()->tsuboLabel()->text(), QStringLiteral(" 坪数     30.2500    坪"));
    EXPECT_EQ(Grid()->currentRow(), 5);
    EXPECT_TRUE(MessageBox::ShownTexts().isEmpty());
    SaveShot(window.get(), QStringLiteral("calc-inverse-window.png"));
    SaveShot(plot.get(), QStringLiteral("calc-inverse-plot.png"));
}

TEST_F(InverseTab, RefusedNamesShowTheirMessageAndLeaveTheRowAsItWas) {
    Open(CalcTab::kInverse);
    TypeInGrid(Grid(), QStringLiteral("A1"));
    TypeInGrid(Grid(), QStringLiteral("A1"));
    TypeInGrid(Grid(), QStringLiteral("Z9"));
    EXPECT_EQ(MessageBox::ShownTexts(),
              (QStringList{"前点と重複：A1 は逆座標の前の行と同じ点です", "Z9 は見つかりません"}));
    EXPECT_EQ(Names(), (QStringList{"A1", ""}));
    EXPECT_EQ(Grid()->currentRow(), 1);
    // Escape gives the cell back its text.
    Grid()->setCurrentCell(0, 1);
    QTest::keyClicks(Grid(), QStringLiteral("A"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(Cell(Grid(), 0, 1), QStringLiteral("A1"));
}

TEST_F(InverseTab, RadialTypeRefusesTheInstrumentPointAsATarget) {
    Page()->setRadial(true);
    Open(CalcTab::kInverse);
    for (const char* name : {"A1", "A2", "A3", "A2", "A4"}) {
        TypeInGrid(Grid(), QString::fromLatin1(name));
    }
    EXPECT_EQ(MessageBox::ShownTexts(), QStringList{"基点と同一点"});
    EXPECT_EQ(Names(), (QStringList{"A1", "A2", "A3", "A4", ""}));
    EXPECT_EQ(Cell(Grid(), 0, 0), QStringLiteral("後視"));
    EXPECT_EQ(Cell(Grid(), 2, 0), QStringLiteral("1"));
    EXPECT_EQ(Cell(Grid(), 2, 4), QStringLiteral(" 270-00-00"));
}

TEST_F(InverseTab, DeletingARowRecomputesTheLegsAround) {
    Open(CalcTab::kInverse);
    for (const char* name : {"A1", "A2", "A3"}) {
        TypeInGrid(Grid(), QString::fromLatin1(name));
    }
    Grid()->setCurrentCell(1, 1);
    QTest::keyClick(Grid(), Qt::Key_Delete, Qt::ControlModifier); // 一行削除
    EXPECT_EQ(Names(), (QStringList{"A1", "A3", ""}));
    EXPECT_EQ(Cell(Grid(), 1, 2), QStringLiteral("  14.142")); // the diagonal A1-A3
    EXPECT_EQ(Cell(Grid(), 1, 3), QStringLiteral("  45-00-00"));
    EXPECT_EQ(Cell(Grid(), 2, 0), QStringLiteral("3"));
}

TEST_F(InverseTab, PlusEntryFillsTheSeriesUpToTheTarget) {
    Open(CalcTab::kInverse);
    TypeInGrid(Grid(), QStringLiteral("A1"));
    TypeInGrid(Grid(), QStringLiteral("+A4"));
    EXPECT_EQ(Names(), (QStringList{"A1", "A2", "A3", "A4", ""}));
    TypeInGrid(Grid(), QStringLiteral("+B5")); // another head: the cell is emptied
    EXPECT_EQ(Names(), (QStringList{"A1", "A2", "A3", "A4", ""}));
}

TEST_F(InverseTab, PlotClicksEnterNamesAsIfTyped) {
    Open(CalcTab::kInverse);
    for (const auto& [x, y] : {std::pair{10.0, 0.0}, {10.0, 10.0}}) {
        QTest::mouseClick(plot.get(), Qt::LeftButton, Qt::NoModifier, PixelOf(x, y));
    }
    EXPECT_EQ(Names(), (QStringList{"A2", "A3", ""}));
    EXPECT_EQ(Cell(Grid(), 1, 3), QStringLiteral("  90-00-00"));
    // A hidden window takes no clicks.
    window->closeWindow();
    EXPECT_FALSE(window->acceptsPointName(false));
}

TEST_F(InverseTab, ResultTxtAndClipboardCarryTheGridLines) {
    Open(CalcTab::kInverse);
    for (const char* name : {"A1", "A2", "A3"}) {
        TypeInGrid(Grid(), QString::fromLatin1(name));
    }
    ASSERT_TRUE(TriggerAction(Grid(), QStringLiteral("Result.Tｘｔへ新規出力")));
    ASSERT_TRUE(TriggerAction(Grid(), QStringLiteral("Result.Tｘｔへ追加出力")));
    const std::string text = ReadBytes(home.File("Result.Txt"));
    const std::string heading = "       \x93\x5f\x96\xbc"; // "       点名" in CP932
    EXPECT_EQ(text.find(heading), 0u);
    EXPECT_EQ(text.find(heading, 1), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7); // heading + 3 rows, then 3 rows again

    Page()->copyToClipboard();
    const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[2], QStringLiteral("   2  A2          10.000     0-00-00   270-00-00"));
}

TEST_F(InverseTab, PrintsTheGridLinesUnderTheWindowCaption) {
    Open(CalcTab::kInverse);
    for (const char* name : {"A1", "A2", "A3"}) {
        TypeInGrid(Grid(), QString::fromLatin1(name));
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(home.File("inverse.pdf")));
    Page()->printTo(printer);
    EXPECT_EQ(printer.docName(), QStringLiteral("逆座標計算"));
    if (std::system("pdftotext -v > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    const std::string command = "pdftotext -layout " + home.File("inverse.pdf") + " " + home.File("inverse.txt");
    ASSERT_EQ(std::system(command.c_str()), 0);
    const QString text = QString::fromUtf8(ReadBytes(home.File("inverse.txt")));
    EXPECT_TRUE(text.contains(QStringLiteral("方向角"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("3 +A3 +10\\.000 +90-00-00")))) << text.toStdString();
}

TEST_F(InverseTab, PerpendicularTabDropsPointsOntoTheBaseLine) {
    Open(CalcTab::kPerpendicular);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("垂線長計算"));
    for (const char* name : {"A1", "A5", "A3"}) {
        TypeInGrid(Grid(CalcTab::kPerpendicular), QString::fromLatin1(name));
    }
    QTableWidget* grid = Grid(CalcTab::kPerpendicular);
    EXPECT_EQ(Cell(grid, 0, 0), QStringLiteral("基1 "));
    EXPECT_EQ(Cell(grid, 1, 2), QStringLiteral("   20.000"));
    EXPECT_EQ(Cell(grid, 2, 2), QStringLiteral("   10.000"));
    EXPECT_EQ(Cell(grid, 2, 3), QStringLiteral("   10.000"));
    EXPECT_EQ(Cell(grid, 2, 4), QStringLiteral("   10.000"));
    // The short drag to the right on the perpendicular tab clears it.
    EXPECT_EQ(window->shortDragHint(PlotDirection::Right), QStringLiteral("クリア|クリア"));
    window->runShortDrag(PlotDirection::Right);
    EXPECT_EQ(grid->rowCount(), 1);
}

} // namespace
} // namespace vemo::test
