// The traverse window changes nothing the surveyor did not ask for: a file is computed as stored (as
// vemo-cli computes it), auto files are written only with something new in them, unsaved work is
// marked and asked about before it goes.
#include "TrvsWindowFixture.h"

#include "ui/traverse/ZubEditorPanel.h"
#include "ui/tree/FileDialog.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTableWidget>
#include <QToolBar>

#include <filesystem>

namespace vemo::test {
namespace {

using C = TrvsWindow::Command;

// The listing vemo-cli prints for a file (UTF-8 lines).
QStringList CliListing(const std::string& path) {
    QProcess cli;
    cli.start(QStringLiteral(VEMO_CLI_PATH), {"traverse", "--utf8", QString::fromStdString(path)});
    EXPECT_TRUE(cli.waitForFinished(60000));
    QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split('\n');
    while (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

class TrvsKeepsWork : public TrvsWindowFixture {};

// Every traverse file of the test data, opened in the window and listed, gives the points vemo-cli
// gives: both read the rows as stored.  The open traverse whose first row is a side shot is the case
// where re-deriving the TM letters from the type moved every point: P1 lies 100 m east of A
// (1000, 2000), the first leg runs 50 m north to P2 (1050, 2000), the next turns 90° to P3 (1050, 1950).
TEST_F(TrvsKeepsWork, EveryTraverseFileComputesAsTheCommandLine) {
    TrvsWindow& w = Open();
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(VEMO_TEST_DATA_DIR)) {
        if (entry.path().extension() != ".Trv") {
            continue;
        }
        ++files;
        const std::string path = entry.path().string();
        SCOPED_TRACE(path);
        w.OpenTrvFile(path);
        w.ListingPanel()->clear();
        MessageBox::ClearShownTexts();
        w.Action(C::ResultListing)->trigger();
        const QStringList cli = CliListing(path);
        if (entry.path().filename() == "connected_blunder.Trv") {
            // Its end E is reached as C: both refuse it and list nothing.
            EXPECT_TRUE(cli.isEmpty()) << cli.join('\n').toStdString();
            EXPECT_TRUE(w.ListingPanel()->toPlainText().isEmpty());
            ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
            EXPECT_TRUE(MessageBox::ShownTexts()[0].contains("「E」") && MessageBox::ShownTexts()[0].contains("「C」"))
                << MessageBox::ShownTexts()[0].toStdString();
            continue;
        }
        ASSERT_FALSE(cli.isEmpty());
        EXPECT_EQ(w.ListingPanel()->toPlainText().split('\n'), cli);
        if (entry.path().filename() == "connected.Trv") {
            // Worked by hand (see TrvsReAddTest): the stations the window and the command line share.
            const QString text = w.ListingPanel()->toPlainText();
            for (const char* line : {"T1         217-34-05   -18.812   102.343  -34470.120   21958.869",
                                     "T2         132-13-09    58.477    76.578  -34488.932   22061.212",
                                     "T3         199-48-09    29.221    92.321  -34430.455   22137.790",
                                     "B          124-00-46     0.000     0.000  -34401.234   22230.111"}) {
                EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line << "\n" << text.toStdString();
            }
        }
        if (entry.path().filename() == "open_sideshot.Trv") {
            EXPECT_EQ(w.Table().Cell(1, kTrvColTm), "K");
            const QString text = w.ListingPanel()->toPlainText();
            EXPECT_TRUE(text.contains("   1000.000   2100.000")) << text.toStdString();
            EXPECT_TRUE(text.contains("   1050.000   2000.000")) << text.toStdString();
            EXPECT_TRUE(text.contains("   1050.000   1950.000")) << text.toStdString();
        }
    }
    EXPECT_GE(files, 4);
}

// Opening and closing the window keeps the only copy of an unsaved traverse, in both modes; a loaded
// file is not written again unchanged; what was typed is.
TEST_F(TrvsKeepsWork, AutoFilesAreWrittenOnlyWithSomethingNew) {
    const std::string autoTrv = home.File("Auto.Trv");
    const std::string kept = ReadBytes(DataFile("traverse/square.Trv"));
    WriteBytes(autoTrv, kept);
    TrvsWindow& w = Open();
    w.AutoSave(); // the main window's tick
    w.reject();
    EXPECT_EQ(ReadBytes(autoTrv), kept);

    std::filesystem::remove(autoTrv);
    w.Prepare();
    w.OpenTrvFile(DataFile("traverse/connected.Trv"));
    w.AutoSave();
    w.Action(C::ResultListing)->trigger(); // a computation auto-saves when something changed
    EXPECT_FALSE(std::filesystem::exists(autoTrv));
    w.Table().SetCell(2, kTrvColSlope, "104.065");
    w.AutoSave();
    ASSERT_TRUE(std::filesystem::exists(autoTrv));
    EXPECT_NE(ReadBytes(autoTrv).find("104.065"), std::string::npos);
    MessageBox::SetNextAnswer(QMessageBox::Discard);
    w.reject();

    // The ZUB Editor's "Auto.ZUB" likewise: an empty editor never replaces it.
    const std::string autoZub = home.File("Auto.ZUB");
    WriteBytes(autoZub, "kept\r\n");
    window.reset();
    workspace.reset();
    TrvsWindow& zub = Open("[Trvs]\r\nZUB=1\r\n");
    ASSERT_EQ(zub.CurrentMode(), TrvsWindow::Mode::ZubEditor);
    zub.AutoSave();
    zub.Action(C::ZubAutoSave)->trigger();
    zub.reject();
    EXPECT_EQ(ReadBytes(autoZub), "kept\r\n");
}

// A file whose start height is 0.000 but whose rows carry heights opens with Z calculation on and is
// saved with them.
TEST_F(TrvsKeepsWork, HeightsOfTheRowsKeepZCalculationOn) {
    TrvsWindow& w = Open();
    const std::string path = home.File("heights.Trv");
    WriteBytes(path, "0\r\n26/12/09\r\n\r\nA,1000.000,1000.000,0.000\r\nD,1,0.0000\r\n,0.000,0.000,0.000\r\n"
                     ",0,0.0000\r\n1,T,,,B,90.0000,90.0000,100.000,1.500,1.600\r\n"
                     "2,T,,,C,90.0000,90.0000,100.000,,\r\n3,T,,,D,90.0000,90.0000,100.000,,\r\n"
                     "4,T,,,A,90.0000,90.0000,100.000,,\r\n");
    w.OpenTrvFile(path);
    EXPECT_TRUE(w.Table().ZCalc());
    EXPECT_TRUE(w.Action(C::ZCalc)->isChecked());
    w.Action(C::Save)->trigger(); // 上書き保存: the current file, no dialog
    EXPECT_TRUE(FileDialog::askedTitles().isEmpty());
    EXPECT_NE(ReadBytes(path).find("1,T,,,B,90.0000,90.0000,100.000,1.500,1.600\r\n"), std::string::npos);
}

// The listing panel is reached through a visible command and tool button; the listing commands work
// after a computation whether or not the panel was shown, and show it.
TEST_F(TrvsKeepsWork, ListingPanelHasAVisibleCommand) {
    TrvsWindow& w = Open();
    w.OpenTrvFile(DataFile("traverse/square.Trv"));
    ASSERT_TRUE(w.ListingPanel()->isHidden());
    QAction* button = nullptr;
    for (QToolBar* bar : w.findChildren<QToolBar*>()) {
        for (QAction* action : bar->actions()) {
            if (action->text() == "計算簿" && bar->isVisible()) {
                button = action;
            }
        }
    }
    ASSERT_NE(button, nullptr);
    button->trigger();
    EXPECT_TRUE(w.ListingPanel()->isVisible());
    EXPECT_TRUE(w.Action(C::ShowListing)->isChecked());
    w.Action(C::ShowListing)->trigger();
    EXPECT_TRUE(w.ListingPanel()->isHidden());

    ASSERT_TRUE(w.Action(C::ResultListing)->isEnabled());
    w.Action(C::ResultListing)->trigger();
    EXPECT_TRUE(w.ListingPanel()->isVisible());
    EXPECT_TRUE(w.ListingPanel()->toPlainText().contains("閉合トラバース"));
    EXPECT_TRUE(w.Action(C::PrintListing)->isEnabled());
    EXPECT_TRUE(w.Action(C::SaveListing)->isEnabled());
}

// A square with one angle typed 270° instead of 90°: 180° of misclosure.  The precision and the
// listing warn first, naming the misclosure and an angle; registration asks and writes nothing when
// told no.  A distance typed 1000 m instead of 100 m is named as a distance.
TEST_F(TrvsKeepsWork, GrossBlunderIsWarnedOfBeforeItIsAdjusted) {
    TrvsWindow& w = Open();
    const std::string path = home.File("blunder.Trv");
    WriteBytes(path, "0\r\n26/12/09\r\n\r\nA,1000.000,1000.000,0.000\r\nD,1,0.0000\r\n,0.000,0.000,0.000\r\n"
                     ",0,0.0000\r\n1,T,,,B,90.0000,90.0000,100.000\r\n2,T,,,C,270.0000,90.0000,100.000\r\n"
                     "3,T,,,D,90.0000,90.0000,100.000\r\n4,T,,,A,90.0000,90.0000,100.000\r\n");
    w.OpenTrvFile(path);
    MessageBox::SetNextAnswer(QMessageBox::Ok);
    w.Action(C::ResultListing)->trigger();
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::ShownTexts()[0].contains("180°00′00″")) << MessageBox::ShownTexts()[0].toStdString();
    EXPECT_TRUE(MessageBox::ShownTexts()[0].contains("角度の誤り"));

    const int rows = workspace->store().xyz.RowCount();
    MessageBox::ClearShownTexts();
    MessageBox::SetNextAnswer(QMessageBox::No);
    w.Action(C::Register)->trigger();
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::ShownTexts()[0].contains("登録しますか"));
    EXPECT_EQ(workspace->store().xyz.RowCount(), rows);
    EXPECT_EQ(workspace->store().xyz.Cell(1, kColName), "");

    w.Table().SetCell(2, kTrvColHAngle, "90.0000");
    w.Table().SetCell(2, kTrvColSlope, "1000.000");
    MessageBox::ClearShownTexts();
    w.Action(C::ResultListing)->trigger();
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::ShownTexts()[0].contains("距離の誤り")) << MessageBox::ShownTexts()[0].toStdString();
}

// A connected traverse K1 (backsight K2) -> T1 -> T2 -> K6 (sighting K5) on known points registers
// T1 and T2 only.
TEST_F(TrvsKeepsWork, KnownPointsAreNotRegisteredAgain) {
    TrvsWindow& w = Open();
    AddPoint("K2", "900.000", "1000.000");
    AddPoint("K1", "1000.000", "1000.000");
    AddPoint("K6", "1000.000", "1300.000");
    AddPoint("K5", "1000.000", "1400.000");
    const std::string path = home.File("known.Trv");
    WriteBytes(path, "1\r\n26/12/09\r\n\r\nK1,1000.000,1000.000,0.000\r\nK2,0,0.0000\r\n"
                     "K6,1000.000,1300.000,0.000\r\nK5,1,90.0000\r\n"
                     "1,T,,,T1,270.0000,90.0000,100.000\r\n2,T,,,T2,180.0000,90.0000,100.000\r\n"
                     "3,T,,,K6,180.0000,90.0000,100.000\r\n4,T,,,K5,180.0000,90.0000,100.000\r\n");
    w.OpenTrvFile(path);
    w.Action(C::Register)->trigger();
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_EQ(MessageBox::ShownTexts()[0], "座標リストに 2 点を登録しました：T1，T2");
    const XyzList& list = workspace->store().xyz;
    EXPECT_EQ(list.Cell(list.RowCount() - 2, kColName), "T1");
    EXPECT_EQ(list.Cell(list.RowCount() - 2, kColX), "1000.000");
    EXPECT_EQ(list.Cell(list.RowCount() - 2, kColY), "1100.000");
    EXPECT_EQ(list.Cell(list.RowCount() - 1, kColName), "T2");
}

// The unsaved mark follows typing and saving; closing asks, and each answer does what it says.
TEST_F(TrvsKeepsWork, UnsavedTraverseIsMarkedAndAskedAboutAtClose) {
    TrvsWindow& w = Open();
    const std::string path = home.File("job.Trv");
    WriteBytes(path, ReadBytes(DataFile("traverse/square.Trv")));
    w.OpenTrvFile(path);
    EXPECT_FALSE(w.windowTitle().endsWith("*"));
    w.Grid()->SetCursor(2, kTrvColSlope);
    w.Grid()->setFocus();
    Key(Qt::Key_F2);
    for (const char* c = "100.5"; *c != '\0'; ++c) {
        QTest::keyClick(Target(), *c);
    }
    Key(Qt::Key_Return);
    EXPECT_TRUE(w.windowTitle().endsWith(" *"));

    MessageBox::SetNextAnswer(QMessageBox::Cancel);
    w.reject();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Cell(2, kTrvColSlope), "100.500");

    MessageBox::SetNextAnswer(QMessageBox::Save);
    w.reject();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(FileDialog::askedTitles().isEmpty()); // written to the current file
    EXPECT_NE(ReadBytes(path).find("2,T,,,C,90.0000,90.0000,100.500"), std::string::npos);

    w.Prepare();
    w.show();
    w.OpenTrvFile(path);
    w.Table().SetCell(1, kTrvColSlope, "99.000");
    MessageBox::ClearShownTexts();
    MessageBox::SetNextAnswer(QMessageBox::Discard);
    w.Action(C::New)->trigger();
    EXPECT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_EQ(w.Table().Cell(1, kTrvColTarget), "");
    EXPECT_EQ(ReadBytes(path).find("99.000"), std::string::npos);
}

// The save dialog proposes the file being worked on.
TEST_F(TrvsKeepsWork, SaveAsProposesTheCurrentFile) {
    TrvsWindow& w = Open();
    const std::string path = home.File("job.Trv");
    WriteBytes(path, ReadBytes(DataFile("traverse/square.Trv")));
    w.OpenTrvFile(path);
    FileDialog::clearRecord();
    FileDialog::setNextFileName({});
    w.Action(C::SaveAs)->trigger();
    ASSERT_TRUE(FileDialog::lastRequest());
    EXPECT_EQ(FileDialog::lastRequest()->folder, QString::fromStdString(path));
}

// The ZUB Editor: a received or edited field book is marked unsaved, asked about at close, and
// 上書き保存 writes the file it came from.
TEST_F(TrvsKeepsWork, UnsavedFieldBookIsMarkedAndSavedToItsFile) {
    TrvsWindow& w = Open("[Trvs]\r\nZUB=1\r\n");
    FileDialog::clearRecord(); // what an earlier test in this program asked is not this test's
    const std::string path = home.File("field.ZUB");
    w.ZubEditor()->LoadFile(DataFile("zub/field.ZUB"));
    w.ZubEditor()->SaveFile(path, false);
    EXPECT_FALSE(w.windowTitle().endsWith("*"));
    QTableWidget* grid = w.ZubEditor()->Grid();
    grid->item(0, 1)->setText("EDITED");
    EXPECT_TRUE(w.windowTitle().endsWith(" *"));
    MessageBox::SetNextAnswer(QMessageBox::Cancel);
    w.reject();
    EXPECT_TRUE(w.isVisible());
    w.Action(C::ZubSave)->trigger();
    EXPECT_TRUE(FileDialog::askedTitles().isEmpty());
    EXPECT_NE(ReadBytes(path).find("EDITED"), std::string::npos);
    EXPECT_FALSE(w.windowTitle().endsWith("*"));
    MessageBox::ClearShownTexts();
    w.reject();
    EXPECT_TRUE(MessageBox::ShownTexts().isEmpty());
}

} // namespace
} // namespace vemo::test
