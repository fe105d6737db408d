// The network adjustment window driven as the surveyor drives it: files chosen in the open dialog,
// weights typed, 計算, 登録 and the 平均計算書, every message box captured.

#include "ui/traverse/NetworkWindow.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "support/TempDir.h"
#include "ui/common/MessageBox.h"
#include "ui/common/StatusNotice.h"
#include "ui/common/Workspace.h"
#include "ui/tree/FileDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

namespace vemo::test {
namespace {

// A north 100 m to P1, east 100 m to P2, north 100 m to the known end B: every observation agrees with
// A (1000, 1000) and B (1200, 1100), so the adjusted new points are P1 (1100, 1000) and P2 (1100, 1100).
// The start direction is due south from A, the closing direction due east from B.
constexpr const char* kExactRoute = "1\r\n26/12/09\r\n\r\nA,1000.000,1000.000,0.000\r\nS,1,180.0000\r\n"
                                    "B,1200.000,1100.000,0.000\r\nE,1,90.0000\r\n"
                                    "1,T,,,P1,180.0000,90.0000,100.000\r\n2,T,,,P2,270.0000,90.0000,100.000\r\n"
                                    "3,T,,,B,90.0000,90.0000,100.000\r\n4,T,,,E,270.0000,90.0000,\r\n";

class NetworkWindowTest : public testing::Test {
protected:
    void SetUp() override {
        MessageBox::SetCapture(true);
        MessageBox::ClearShownTexts();
        FileDialog::clearRecord();
        workspace = std::make_unique<Workspace>(home.Str());
        window = std::make_unique<NetworkWindow>(*workspace);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override {
        window.reset();
        workspace.reset();
        FileDialog::clearRecord(); // the next test program's checks start with no dialog asked
        MessageBox::SetCapture(false);
    }

    void AddPoint(const char* name, const char* x, const char* y) {
        XyzList& list = workspace->store().xyz;
        XyzRow row{"", name, x, y, "0.000", "", ""};
        if (list.RowCount() == 2 && list.Cell(1, kColName).empty()) {
            list.SetRow(1, row);
        } else {
            list.AppendRows({row});
        }
    }
    void Click(const char* button) {
        auto* target = window->findChild<QPushButton*>(button);
        ASSERT_NE(target, nullptr) << button;
        ASSERT_TRUE(target->isEnabled()) << button;
        QTest::mouseClick(target, Qt::LeftButton);
    }
    void Open(const std::string& path) {
        FileDialog::setNextFileName(QString::fromStdString(path));
        Click("open");
    }
    bool Enabled(const char* button) const { return window->findChild<QPushButton*>(button)->isEnabled(); }
    // The table row of a point, or -1.
    int RowOf(const QString& name) const {
        for (int row = 0; row < window->pointTable()->rowCount(); ++row) {
            if (window->pointTable()->item(row, 0)->text() == name) {
                return row;
            }
        }
        return -1;
    }
    double Cell(int row, int col) const { return window->pointTable()->item(row, col)->text().toDouble(); }
    QString Shown() const { return MessageBox::ShownTexts().join(QStringLiteral("\n")); }

    TempDir home;
    std::unique_ptr<Workspace> workspace;
    std::unique_ptr<NetworkWindow> window;
};

// The published network of 13 fixed and 21 new points (directions in DMS, distances): the window shows
// the adjusted coordinates the published result gives, to the millimetre it displays, and the weight
// fields stand aside because the file carries its own standard deviations.
TEST_F(NetworkWindowTest, NetworkFileShowsThePublishedCoordinates) {
    EXPECT_FALSE(Enabled("compute"));
    Open(DataFile("network/zoltan-test_2d_dms.gkf"));
    EXPECT_FALSE(window->findChild<QLineEdit*>("angleSigma")->isEnabled());
    Click("compute");
    ASSERT_TRUE(window->hasResult()) << Shown().toStdString();
    ASSERT_EQ(window->pointTable()->rowCount(), 21);
    // From the published result (x north, y east): 1001, 1002 and 1012.
    const struct {
        const char* name;
        double x, y;
    } published[] = {{"1001", 59094.5635173898699577, 584780.3008444807492197},
                     {"1002", 59765.1319254150221241, 586002.3895736089907587},
                     {"1012", 59575.4085496741681709, 584762.4082919711945578}};
    for (const auto& p : published) {
        const int row = RowOf(QString::fromLatin1(p.name));
        ASSERT_GE(row, 0) << p.name;
        EXPECT_NEAR(Cell(row, 1), p.x, 0.0006) << p.name;
        EXPECT_NEAR(Cell(row, 2), p.y, 0.0006) << p.name;
        // σP² = σX² + σY², and the ellipse's semi-axes hold the same total: a² + b² = σX² + σY².
        const double sx = Cell(row, 3), sy = Cell(row, 4), sp = Cell(row, 5), a = Cell(row, 6), b = Cell(row, 7);
        EXPECT_NEAR(sp, std::hypot(sx, sy), 0.11) << p.name;
        EXPECT_NEAR(std::hypot(a, b), sp, 0.11) << p.name;
        EXPECT_GE(a, b) << p.name;
    }
    EXPECT_TRUE(Enabled("register"));
    EXPECT_TRUE(Enabled("print"));
    EXPECT_TRUE(window->verdictText().contains(QString::fromUtf8("χ二乗検定")));
}

// A 0.5 m blunder planted in one distance of the published network is the observation the window names
// as the probable blunder, first in the list of observations beyond the critical value.
TEST_F(NetworkWindowTest, PlantedBlunderIsNamedFirst) {
    std::string text = ReadBytes(DataFile("network/zoltan-test_2d_dms.gkf"));
    const std::string good = "<distance to= \"1002\" val= \"730.4090\" />";
    const auto at = text.find(good);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, good.size(), "<distance to= \"1002\" val= \"730.9090\" />");
    const std::string path = home.File("blunder.gkf");
    WriteBytes(path, text);
    Open(path);
    Click("compute");
    ASSERT_TRUE(window->hasResult()) << Shown().toStdString();
    const QString first = window->flaggedText().section(QChar('\n'), 0, 0);
    EXPECT_TRUE(first.contains(QString::fromUtf8("過誤の疑い"))) << first.toStdString();
    EXPECT_TRUE(first.contains(QString::fromUtf8("距離"))) << first.toStdString();
    EXPECT_TRUE(first.contains(QString::fromUtf8("04-1125→1002"))) << first.toStdString();
}

// A route whose observations agree exactly with its known ends comes out at the true coordinates; 登録
// writes both new points as one undo step named after the command, and 元に戻す takes both back.
TEST_F(NetworkWindowTest, RouteRegisteredAsOneUndoStep) {
    AddPoint("A", "1000.000", "1000.000");
    AddPoint("B", "1200.000", "1100.000");
    const std::string route = home.File("route.Trv");
    WriteBytes(route, kExactRoute);
    Open(route);
    EXPECT_TRUE(window->findChild<QLineEdit*>("angleSigma")->isEnabled());
    Click("compute");
    ASSERT_TRUE(window->hasResult()) << Shown().toStdString();
    ASSERT_EQ(window->pointTable()->rowCount(), 2);
    const int p1 = RowOf("P1"), p2 = RowOf("P2");
    ASSERT_GE(p1, 0);
    ASSERT_GE(p2, 0);
    EXPECT_NEAR(Cell(p1, 1), 1100.0, 1e-4);
    EXPECT_NEAR(Cell(p1, 2), 1000.0, 1e-4);
    EXPECT_NEAR(Cell(p2, 1), 1100.0, 1e-4);
    EXPECT_NEAR(Cell(p2, 2), 1100.0, 1e-4);

    Store& store = workspace->store();
    const int rowsBefore = store.xyz.RowCount();
    Click("register");
    EXPECT_TRUE(Shown().contains(QString::fromUtf8("2 点を座標リストに登録しました"))) << Shown().toStdString();
    ASSERT_TRUE(store.FindPointXY("P1").has_value());
    EXPECT_NEAR(store.FindPointXY("P1")->x, 1100.0, 1e-9);
    EXPECT_NEAR(store.FindPointXY("P2")->y, 1100.0, 1e-9);
    ASSERT_TRUE(store.history.CanUndo());
    EXPECT_EQ(store.history.UndoName(), Jp("網平均"));
    store.history.Undo();
    EXPECT_FALSE(store.FindPointXY("P1").has_value());
    EXPECT_FALSE(store.FindPointXY("P2").has_value());
    EXPECT_EQ(store.xyz.RowCount(), rowsBefore);
}

// The hand-made field book (tests/data/network/field-book.ZUB) beside the coordinate list's A and B:
// P comes out at (−145700, 22300), and the summary names the book and the distance it could not use.
TEST_F(NetworkWindowTest, FieldBookAdjustsWithTheListsKnownPoints) {
    AddPoint("A", "-146000.000", "22000.000");
    AddPoint("B", "-146000.000", "22600.000");
    Open(DataFile("network/field-book.ZUB"));
    EXPECT_TRUE(window->findChild<QLineEdit*>("angleSigma")->isEnabled());
    Click("compute");
    ASSERT_TRUE(window->hasResult()) << Shown().toStdString();
    ASSERT_EQ(window->pointTable()->rowCount(), 1);
    EXPECT_NEAR(Cell(RowOf("P"), 1), -145700.0, 1e-4);
    EXPECT_NEAR(Cell(RowOf("P"), 2), 22300.0, 1e-4);
    EXPECT_TRUE(window->summaryText().contains(QString::fromUtf8("field-book.ZUB: ZUBの 16 行目")))
        << window->summaryText().toStdString();
}

// Bad input leaves no result and says what is wrong: a weight that is not a positive number names its
// field, a network file with an element the adjustment does not take names the element.
TEST_F(NetworkWindowTest, BadInputNamesTheFieldOrElement) {
    const std::string route = home.File("route.Trv");
    WriteBytes(route, kExactRoute);
    AddPoint("A", "1000.000", "1000.000");
    AddPoint("B", "1200.000", "1100.000");
    Open(route);
    window->setWeights("1.8", "-10", "5");
    Click("compute");
    EXPECT_FALSE(window->hasResult());
    EXPECT_FALSE(Enabled("register"));
    EXPECT_TRUE(Shown().contains(QString::fromUtf8("距離 M_S の値 \"-10\""))) << Shown().toStdString();

    MessageBox::ClearShownTexts();
    const std::string path = home.File("height.gkf");
    WriteBytes(path, "<?xml version=\"1.0\"?>\n<gama-local xmlns=\"http://www.gnu.org/software/gama/gama-local\">\n"
                     "<network axes-xy=\"ne\"><points-observations>\n"
                     "<point id=\"A\" x=\"0\" y=\"0\" fix=\"xy\"/><point id=\"B\" adj=\"xy\"/>\n"
                     "<height-differences><dh from=\"A\" to=\"B\" val=\"1.0\" stdev=\"1\"/></height-differences>\n"
                     "</points-observations></network></gama-local>\n");
    Open(path);
    EXPECT_EQ(window->files().size(), 1); // a network file replaces the route
    Click("compute");
    EXPECT_FALSE(window->hasResult());
    EXPECT_TRUE(Shown().contains(QStringLiteral("height.gkf"))) << Shown().toStdString();
    EXPECT_TRUE(Shown().contains(QStringLiteral("height-differences"))) << Shown().toStdString();
}

// The 平均計算書 goes into a PDF file through the report printer: the file is a complete PDF, and its
// lines carry the title, the adjusted points and the judgement of the class, all in Shift-JIS; the status
// line names the file written.
TEST_F(NetworkWindowTest, ReportPrintsThePoints) {
    Open(DataFile("network/zoltan-test_2d_gon.gkf"));
    window->setSurveyClass(2);
    Click("compute");
    ASSERT_TRUE(window->hasResult()) << Shown().toStdString();
    const auto lines = window->reportLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), Jp("平均計算書"));
    for (const char* name : {"1001", "1021"}) {
        bool found = false;
        for (const std::string& line : lines) {
            found = found || line.starts_with(name);
        }
        EXPECT_TRUE(found) << name;
    }
    // The judgement of the class closes the report: every σP of this network is below 10 cm.
    EXPECT_NE(lines.back().find(Jp("2級: 新点位置の標準偏差")), std::string::npos);
    EXPECT_TRUE(lines.back().ends_with(Jp("適")));
    // Through the PDF button, as the surveyor saves it: the status line says what was written and where.
    QString said;
    SetStatusNoticeSink(window.get(), [&](const QString& text) { said = text; });
    const std::string pdf = home.File("report.pdf");
    FileDialog::setNextFileName(QString::fromStdString(pdf));
    Click("pdf");
    const std::string bytes = ReadBytes(pdf);
    EXPECT_TRUE(bytes.starts_with("%PDF"));
    EXPECT_NE(bytes.find("%%EOF"), std::string::npos);
    EXPECT_EQ(said, QStringLiteral("PDF ファイルを書き出しました: ") + QString::fromStdString(pdf));
    // The last sheet is the plot of the network, its ellipses' exaggeration stated, every point named.
    const std::string text = home.File("report.txt");
    ASSERT_EQ(std::system(("pdftotext " + pdf + " " + text).c_str()), 0);
    const std::string printed = ReadBytes(text);
    const std::string lastSheet = printed.substr(printed.rfind('\f', printed.size() - 2) + 1);
    EXPECT_NE(lastSheet.find("網図と誤差楕円（楕円は "), std::string::npos) << printed;
    EXPECT_NE(lastSheet.find(" 倍）"), std::string::npos) << lastSheet;
    EXPECT_NE(lastSheet.find("1021"), std::string::npos) << lastSheet;
    EXPECT_EQ(lastSheet.find("平均計算書"), std::string::npos) << lastSheet;
}

} // namespace
} // namespace vemo::test
