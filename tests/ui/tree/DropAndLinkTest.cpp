#include "TreeHarness.h"

#include "core/settings/Settings.h"
#include "core/store/XyzList.h"
#include "core/text/Cp932.h"

#include <gtest/gtest.h>

namespace vemo::test {
namespace {
namespace fs = std::filesystem;

QString Native(const fs::path& path) {
    return QString::fromStdString(path.string());
}

TEST(DropTest, SimaFileOfAnyCaseOpensAndOtherFilesAreRefused) {
    TreeHarness h;
    const fs::path sim = h.dir->Path() / "受領.SIM";
    CopyFixture("drop.SIM", sim);
    const fs::path txt = h.dir->Path() / "memo.txt";
    WriteBytes(txt.string(), "A01,1,X,1,2,3\r\n");
    h.commands.dropFiles({Native(txt), Native(sim)});

    // The refusal names the file and the kinds that open, and does not stop the files after it.
    EXPECT_EQ(Shown(), QStringList{QStringLiteral(
                           "ファイル「memo.txt」は開けません（開けるのは .xyz .sim .xml .zip のファイルです）")});
    ASSERT_EQ(h.store.xyz.PointRowCount(), 3);
    EXPECT_EQ(h.store.xyz.Cell(1, kColName), "S1");
    // Integer coordinates keep their values (not 1100 or 2150).
    EXPECT_EQ(h.store.xyz.Cell(3, kColX), "110.000");
    EXPECT_EQ(h.store.xyz.Cell(3, kColY), "215.000");
    ASSERT_EQ(h.store.blocks.Count(), 1);
    EXPECT_EQ(h.store.blocks.At(0).BlockName, Cp("区画1"));
    EXPECT_EQ(h.store.blocks.At(0).NoRowCount, 5);
    EXPECT_EQ(h.host.caption, Native(sim) + QStringLiteral("[Vemo]"));
    EXPECT_TRUE(h.store.names.ParamFile.empty());
    EXPECT_TRUE(h.host.isAreaShown(FileArea::BlockEdit));
}

// A SIMA file whose names the coordinate file cannot hold: the surveyor shortens them or loads
// nothing, and is never left with a list that cannot be saved.
TEST(DropTest, LongNamesAreShortenedOrNothingIsLoaded) {
    const std::string longName = "BOUNDARY-POINT-0001"; // 19 bytes
    TreeHarness h;
    const fs::path file = h.dir->Path() / "long.sim";
    WriteBytes(file.string(), "A01,1," + longName + ",1,2,0\r\nA01,2,P2,3,4,0\r\nD00,1,L,1\r\nB01,1," + longName +
                                  "\r\nB01,2,P2\r\nD99\r\n");
    MessageBox::SetNextAnswer(QMessageBox::Cancel);
    h.commands.dropFiles({Native(file)});
    ASSERT_EQ(Shown().size(), 1);
    EXPECT_TRUE(Shown().front().contains(QStringLiteral("BOUNDARY-POINT-0001")));
    EXPECT_FALSE(h.store.xyz.HasData());

    MessageBox::SetNextAnswer(QMessageBox::Ok);
    h.commands.dropFiles({Native(file)});
    ASSERT_EQ(h.store.xyz.PointRowCount(), 2);
    EXPECT_EQ(h.store.xyz.Cell(1, kColName), "BOUNDARY-POINT-0");
    EXPECT_EQ(h.store.blocks.At(0).NoList, "BOUNDARY-POINT-0,P2,BOUNDARY-POINT-0");
}

TEST(DropTest, DroppedNativeFileOpensAsOutsideData) {
    TreeHarness h;
    const fs::path xyz = h.dir->Path() / "外部.xyz";
    CopyFixture("genba.Xyz", xyz);
    h.commands.dropFiles({Native(xyz)});
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_EQ(h.store.xyz.PointRowCount(), 4);
    EXPECT_EQ(h.host.caption, Native(xyz) + QStringLiteral("[Vemo]"));
    EXPECT_TRUE(h.store.names.XyzName.empty());
    EXPECT_TRUE(h.host.isAreaShown(FileArea::Plot));
}

TEST(DropTest, CommandLineFileOpensAtFirstShow) {
    TreeHarness h;
    const fs::path sim = h.dir->Path() / "arg.sim";
    CopyFixture("drop.SIM", sim);
    h.store.names.ParamFile = PathToCp932(sim.string());
    h.commands.firstShow(false);
    EXPECT_EQ(h.store.xyz.PointRowCount(), 3);
    EXPECT_TRUE(h.store.names.ParamFile.empty());
}

struct LinkFixture : ::testing::Test {
    LinkFixture() {
        MakeSampleSite(h.DatDir());
        h.commands.folders().rebuildTree();
        h.tree.select(FindNode(h.tree, "東町/基準点/分筆"));
        h.commands.open();
        h.host.setAreaShown(FileArea::XyzList, true);
        MessageBox::ClearShownTexts();
    }
    fs::path Link() const { return h.TmpDir() / "Xyz.txt"; }
    TreeHarness h;
};

TEST_F(LinkFixture, LeavingWritesTheLinkFilesAndReturningReadsBackWhatAnotherProgramChanged) {
    h.settings.Data.XyzOutType = 1;
    h.commands.linkFiles().applicationDeactivated();
    EXPECT_EQ(ReadBytes(Link().string()), ReadBytes(DataFile("tree/genba.Xyz")));
    const std::string parcels = ReadBytes((h.TmpDir() / "Vemo_Blk.Txt").string());
    // The square T1-T2-T3-K-4 of 30 m by 40 m.
    EXPECT_EQ(parcels.substr(0, parcels.find("T1")), "#1_A\r\nar    1200.0000000\r\n");

    // Another program rewrites the list: one point, numbers without decimals.
    std::string line = "Q1";
    line.resize(16, ' ');
    line += "                  12                  34                   5";
    WriteBytes(Link().string(), line + "\r\n");
    h.commands.linkFiles().applicationActivated();
    EXPECT_TRUE(Shown().isEmpty());
    ASSERT_EQ(h.store.xyz.PointRowCount(), 1);
    EXPECT_EQ(h.store.xyz.Cell(1, kColName), "Q1");
    EXPECT_EQ(h.store.xyz.Cell(1, kColX), "12.000");
    EXPECT_EQ(h.store.xyz.Cell(1, kColZ), "5.000");
    // Every lookup sees the reloaded list at once.
    ASSERT_TRUE(h.store.FindPointXY("Q1"));
    EXPECT_EQ(h.store.FindPointXY("Q1")->y, 34.0);
    EXPECT_FALSE(h.store.FindPointXY("T1"));
    EXPECT_EQ(h.host.allPoints, 0);
}

TEST_F(LinkFixture, ListHiddenWithTypeOneWritesAndReadsNothing) {
    h.settings.Data.XyzOutType = 1;
    h.host.setAreaShown(FileArea::XyzList, false);
    h.commands.linkFiles().applicationDeactivated();
    EXPECT_FALSE(fs::exists(Link()));
    WriteBytes(Link().string(), "Q1\r\n");
    h.commands.linkFiles().applicationActivated();
    EXPECT_EQ(h.store.xyz.PointRowCount(), 4);
    // Type 2 writes and reads whatever is shown.
    h.settings.Data.XyzOutType = 2;
    h.commands.linkFiles().applicationDeactivated();
    EXPECT_EQ(ReadBytes(Link().string()), ReadBytes(DataFile("tree/genba.Xyz")));
}

TEST_F(LinkFixture, AMissingLinkFileIsReportedAndTheListKept) {
    h.commands.linkFiles().applicationDeactivated();
    fs::remove(Link()); // another program took it away
    h.commands.linkFiles().applicationActivated();
    EXPECT_EQ(Shown(), QStringList{QStringLiteral("File Open Error !!")});
    EXPECT_EQ(h.store.xyz.PointRowCount(), 4);
}

TEST_F(LinkFixture, SelectionPanelShownWritesTheSelectedPointsAndSkipsTheReload) {
    h.host.selectionShown = true;
    h.host.selection = {"T3", "nothere", "T1"};
    h.commands.linkFiles().applicationDeactivated();
    const std::string text = ReadBytes(Link().string());
    EXPECT_EQ(text.substr(0, 2), "T3");
    EXPECT_EQ(text.substr(118, 2), "T1");
    EXPECT_EQ(text.size(), 236u);
    h.commands.linkFiles().applicationActivated();
    EXPECT_EQ(h.store.xyz.PointRowCount(), 4);
}

// A list that could not be written when the application was left (a cell too wide for its field) is
// not replaced by the older rows of the link file on return.  The failure is said once in the status
// bar, not in a box at every leave, and the next leave tries again.
TEST_F(LinkFixture, AFailedWriteOnLeavingIsReportedOnceAndNothingIsReadBack) {
    h.commands.linkFiles().applicationDeactivated();
    h.store.xyz.SetCell(1, kColName, "T1");
    h.store.xyz.SetCell(2, kColName, std::string(17, 'N'));
    h.commands.linkFiles().applicationDeactivated();
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_TRUE(h.host.status.contains(QStringLiteral("保存できません")));
    h.host.status = QStringLiteral("other");
    h.commands.linkFiles().applicationDeactivated();
    EXPECT_NE(h.host.status, QStringLiteral("other")); // kept in the status line until a write succeeds
    EXPECT_TRUE(Shown().isEmpty());                    // but never a box
    h.commands.linkFiles().applicationActivated();
    EXPECT_EQ(h.store.xyz.Cell(2, kColName), std::string(17, 'N'));
    h.store.xyz.SetCell(2, kColName, "T2");
    h.commands.linkFiles().applicationDeactivated();
    EXPECT_TRUE(h.host.status.isEmpty()); // written again: the report goes
    EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(LinkFixture, ReturningToAnEmptyListFitsAllPoints) {
    h.commands.linkFiles().applicationDeactivated();
    h.store.blocks.Clear();
    h.store.xyz.Clear();
    WriteBytes(Link().string(), ReadBytes(DataFile("tree/genba.Xyz")) + "Q1\r\n"); // another program adds Q1
    h.commands.linkFiles().applicationActivated();
    EXPECT_EQ(h.store.xyz.PointRowCount(), 5);
    EXPECT_EQ(h.host.allPoints, 1);
}

// Returning to the program reads the list back only when another program changed "Xyz.txt"; either
// way the rows being typed (which the file cannot carry) and the cursor stay.
TEST_F(LinkFixture, ReturningKeepsTheRowsBeingTypedAndTheCursor) {
    h.settings.Data.XyzOutType = 1;
    h.store.xyz.AppendRows({XyzRow{"", "T5", "12.5", "", "", "", ""}, XyzRow{"", "T6", "", "", "", "", ""}});
    h.host.cursor = {5, kColY}; // typing the Y of T5
    h.commands.linkFiles().applicationDeactivated();
    h.commands.linkFiles().applicationActivated(); // nothing changed: nothing is read
    EXPECT_EQ(h.store.xyz.PointRowCount(), 6);
    EXPECT_EQ(h.store.xyz.Cell(5, kColX), "12.5");
    EXPECT_EQ(h.host.cursor, (std::pair<int, int>{5, kColY}));

    h.commands.linkFiles().applicationDeactivated();
    std::string line = "Q1";
    line.resize(16, ' ');
    line += "                  12                  34";
    WriteBytes(Link().string(), ReadBytes(Link().string()) + line + "\r\n");
    h.commands.linkFiles().applicationActivated();
    ASSERT_EQ(h.store.xyz.PointRowCount(), 7);
    EXPECT_EQ(h.store.xyz.Cell(5, kColName), "Q1");
    EXPECT_EQ(h.store.xyz.Cell(6, kColName), "T5");
    EXPECT_EQ(h.store.xyz.Cell(6, kColX), "12.5");
    EXPECT_EQ(h.store.xyz.Cell(7, kColName), "T6");
    EXPECT_EQ(h.host.cursor, (std::pair<int, int>{6, kColY})); // still on T5's Y
    EXPECT_TRUE(Shown().isEmpty());
}

// A selection name whose row is gone writes nothing for it.
TEST_F(LinkFixture, SelectionNamesOfRowsThatAreGoneAreSkipped) {
    h.store.xyz.RemoveRows(3, 2);
    h.host.selectionShown = true;
    h.host.selection = {"T1", "K-4"};
    h.commands.linkFiles().applicationDeactivated();
    const std::string text = ReadBytes(Link().string());
    EXPECT_EQ(text.substr(0, 2), "T1");
    EXPECT_EQ(text.size(), 118u);
}

} // namespace
} // namespace vemo::test
