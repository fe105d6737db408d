// The listing panel: listings appended as the surveyor asks for them, printed and written to a file
// exactly as the panel shows them.
#include "TrvsWindowFixture.h"

#include "support/WhenShown.h"
#include "ui/traverse/PrecisionBox.h"
#include "ui/traverse/TrvsPlot.h"
#include "ui/tree/FileDialog.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace vemo::test {
namespace {

using C = TrvsWindow::Command;

// The square of 100 m from A (1000, 1000) walked A -> B -> C -> D -> A, backsight D due north.
constexpr const char* kSquare = "0\r\n26/12/09\r\n境界 確認\r\nA,1000.000,1000.000,0.000\r\nD,1,0.0000\r\n"
                                ",0.000,0.000,0.000\r\n,0,0.0000\r\n1,T,,,B,90.0000,90.0000,100.000\r\n"
                                "2,T,,,C,90.0000,90.0000,100.000\r\n3,T,,,D,90.0000,90.0000,100.000\r\n"
                                "4,T,,,A,90.0000,90.0000,100.000\r\n";

class TrvsListing : public TrvsWindowFixture {
protected:
    TrvsWindow& OpenSquare() {
        TrvsWindow& w = Open();
        const std::string path = home.File("square.Trv");
        WriteBytes(path, Jp(kSquare));
        w.OpenTrvFile(path);
        return w;
    }
};

// The 計算簿 takes part of the plot's room when 精度計算 shows it: the plot is fitted again to its new
// size, so that every corner of the square stays in sight and the square still fills the plot.
TEST_F(TrvsListing, PlotIsFittedAgainWhenTheListingShows) {
    TrvsWindow& w = OpenSquare();
    w.resize(1180, 760);
    QApplication::processEvents();
    ASSERT_TRUE(w.ListingPanel()->isHidden());
    TrvsPlot* plot = w.Plot();
    const auto inSight = [plot] {
        const PlotViewport& view = plot->Viewport();
        QStringList outside;
        double lowest = 1e9;
        double highest = -1e9;
        for (const auto& [x, y] : {std::pair{1000.0, 1000.0}, {1000.0, 1100.0}, {1100.0, 1100.0}, {1100.0, 1000.0}}) {
            const double px = view.PixelXOf(y);
            const double py = view.PixelYOf(x);
            if (px < 0 || px >= plot->width() || py < 0 || py >= plot->height()) {
                outside << QStringLiteral("(%1, %2)").arg(x).arg(y);
            }
            lowest = std::min(lowest, py);
            highest = std::max(highest, py);
        }
        // A fit leaves 15 % to spare: the square's 100 m take most of the plot's shorter side.
        const double filled = (highest - lowest) / std::min(plot->width(), plot->height());
        return std::pair{outside, filled};
    };
    const int heightBefore = plot->height();
    EXPECT_TRUE(inSight().first.isEmpty()) << inSight().first.join(' ').toStdString();

    test::WhenShown<PrecisionBox>([](PrecisionBox* box) { box->close(); });
    w.Action(C::Precision)->trigger();
    QApplication::processEvents();
    ASSERT_FALSE(w.ListingPanel()->isHidden());
    ASSERT_LT(plot->height(), heightBefore * 4 / 5) << "the listing took no room from the plot";
    const auto [outside, filled] = inSight();
    EXPECT_TRUE(outside.isEmpty()) << outside.join(' ').toStdString();
    EXPECT_GT(filled, 0.75);
    EXPECT_LT(filled, 0.90);

    // Hidden again (計算簿, Ctrl+L), the plot takes its room back and the square fills it as before.
    const int heightWithListing = plot->height();
    w.Action(C::ShowListing)->trigger();
    QApplication::processEvents();
    ASSERT_GT(plot->height(), heightWithListing);
    EXPECT_TRUE(inSight().first.isEmpty()) << inSight().first.join(' ').toStdString();
    EXPECT_GT(inSight().second, 0.75);
}

// Each run of a listing appends to the panel.
TEST_F(TrvsListing, ListingsAppendWhileThePanelIsShown) {
    TrvsWindow& w = OpenSquare();
    w.SetListingShown(true);
    ASSERT_TRUE(w.Action(C::ResultListing)->isEnabled());
    w.Action(C::InputListing)->trigger();
    w.Action(C::ResultListing)->trigger();
    w.Action(C::ResultListing)->trigger();
    const QString text = w.ListingPanel()->toPlainText();
    EXPECT_EQ(text.count("入力データ"), 1);
    EXPECT_EQ(text.count("閉合トラバース ( コンパス法則 )"), 2);
    EXPECT_TRUE(text.contains("  備    考     : 境界 確認"));
    // Station B: its 90° angle, the leg B -> C of 100 m north, its own coordinates.
    EXPECT_TRUE(text.contains("B           90-00-00   100.000     0.000    1000.000    1100.000    0.000"));
    EXPECT_TRUE(MessageBox::ShownTexts().isEmpty());
}

// Printed through the PDF path and read back, and written to a file: the panel's lines, Shift-JIS.
TEST_F(TrvsListing, PrintAndFileCarryThePanelLines) {
    TrvsWindow& w = OpenSquare();
    w.SetListingShown(true);
    w.Action(C::ResultListing)->trigger();
    const std::string pdf = home.File("listing.pdf");
    w.PrintListingToPdf(QString::fromStdString(pdf));
    ASSERT_EQ(std::system(("pdftotext -layout " + pdf + " " + home.File("listing.txt")).c_str()), 0);
    const std::string printed = ReadBytes(home.File("listing.txt"));
    EXPECT_NE(printed.find("閉合トラバース"), std::string::npos);
    EXPECT_NE(printed.find("閉 合 比 = 1 / 999999"), std::string::npos);
    EXPECT_NE(printed.find("1100.000"), std::string::npos);

    const std::string file = home.File("listing.txt2");
    FileDialog::setNextFileName(QString::fromStdString(file));
    w.Action(C::SaveListing)->trigger();
    std::string expected;
    for (const std::string& line : w.ListingLines()) {
        expected += line + "\r\n";
    }
    EXPECT_EQ(ReadBytes(file), expected);
    EXPECT_NE(Cp932ToUtf8(ReadBytes(file)).find("閉 合 比 = 1 / 999999\r\n"), std::string::npos);
}

// After 計算登録 the 計算簿 holds the computation, shown with its print and save buttons over it; the
// registration names the points it wrote; saving the listing says what was written and where.  A second
// computation replaces the listing, unless the surveyor wrote into it: then it goes below.
TEST_F(TrvsListing, RegistrationFillsTheListingAndNamesThePointsRegistered) {
    TrvsWindow& w = OpenSquare();
    ASSERT_TRUE(w.ListingPanel()->isHidden());
    w.Action(C::Register)->trigger();
    EXPECT_FALSE(w.ListingPanel()->isHidden());
    EXPECT_TRUE(w.Action(C::ShowListing)->isChecked());
    QString text = w.ListingPanel()->toPlainText();
    EXPECT_EQ(text.count("入力データ"), 1);
    EXPECT_EQ(text.count("閉合トラバース ( コンパス法則 )"), 1);
    EXPECT_TRUE(text.contains("B           90-00-00   100.000     0.000    1000.000    1100.000    0.000"));
    const QString registered = QStringLiteral("座標リストに 4 点を登録しました：A，B，C，D");
    EXPECT_EQ(MessageBox::ShownTexts(), QStringList{registered});
    EXPECT_EQ(w.StatusBar()->currentMessage(), registered);
    const QList<QAction*> buttons = w.ListingTools()->actions();
    EXPECT_TRUE(buttons.contains(w.Action(C::PrintListing)) && w.Action(C::PrintListing)->isEnabled());
    EXPECT_TRUE(buttons.contains(w.Action(C::SaveListing)) && w.Action(C::SaveListing)->isEnabled());

    // Computed again (the points are in the list at these coordinates: none is written again).
    w.Action(C::Register)->trigger();
    EXPECT_EQ(w.ListingPanel()->toPlainText(), text);
    EXPECT_EQ(w.StatusBar()->currentMessage(), QStringLiteral("座標リストに 0 点を登録しました"));

    // A note of the surveyor's stays, and the next computation follows it.
    w.ListingPanel()->moveCursor(QTextCursor::End);
    QTest::keyClicks(w.ListingPanel(), QStringLiteral("checked"));
    w.Action(C::Register)->trigger();
    text = w.ListingPanel()->toPlainText();
    EXPECT_EQ(text.count("checked"), 1);
    EXPECT_EQ(text.count("閉合トラバース ( コンパス法則 )"), 2);
    EXPECT_LT(text.indexOf("checked"), text.lastIndexOf("入力データ"));

    const std::string file = home.File("計算簿.txt");
    FileDialog::setNextFileName(QString::fromStdString(file));
    w.Action(C::SaveListing)->trigger();
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(w.StatusBar()->currentMessage(),
              QStringLiteral("計算簿を書き出しました: ") + QString::fromStdString(file));
}

} // namespace
} // namespace vemo::test
