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

    // The refusal does not stop the files after it.
    EXPECT_EQ(Shown(), QStringList{QStringLiteral("それはちゃう！")});
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
        h.commands.rebuildTree();
        h.tree.select(FindNode(h.tree, "東町/基準点/分筆"));
        h.commands.open();
        h.host.setAreaShown(FileArea::XyzList, true);
        MessageBox::clearShownTexts();
    }
    fs::path Link() const { return h.TmpDir() / "Xyz.txt"; }
    TreeHarness h;
};

TEST_F(LinkFixture, LeavingWritesTheLinkFilesAndReturningReadsBackWhatAnotherProgramChanged) {
    h.settings.Data.XyzOutType = 1;
    h.commands.applicationDeactivated();
    EXPECT_EQ(ReadBytes(Link().string()), ReadBytes(DataFile("tree/genba.Xyz")));
    const std::string parcels = ReadBytes((h.TmpDir() / "Vemo_Blk.Txt").string());
    // The square T1-T2-T3-K-4 of 30 m by 40 m.
    EXPECT_EQ(parcels.substr(0, parcels.find("T1")), "#1_A\r\nar    1200.0000000\r\n");

    // Another program rewrites the list: one point, numbers without decimals.
    std::string line = "Q1";
    line.resize(16, ' ');
    line += "                  12                  34                   5";
    WriteBytes(Link().string(), line + "\r\n");
    h.commands.applicationActivated();
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
    h.commands.applicationDeactivated();
    EXPECT_FALSE(fs::exists(Link()));
    WriteBytes(Link().string(), "Q1\r\n");
    h.commands.applicationActivated();
    EXPECT_EQ(h.store.xyz.PointRowCount(), 4);
    // Type 2 writes and reads whatever is shown.
    h.settings.Data.XyzOutType = 2;
    h.commands.applicationDeactivated();
    EXPECT_EQ(ReadBytes(Link().string()), ReadBytes(DataFile("tree/genba.Xyz")));
}

TEST_F(LinkFixture, AMissingLinkFileIsReportedAndTheListKept) {
    h.commands.applicationDeactivated();
    fs::remove(Link()); // another program took it away
    h.commands.applicationActivated();
    EXPECT_EQ(Shown(), QStringList{QStringLiteral("File Open Error !!")});
    EXPECT_EQ(h.store.xyz.PointRowCount(), 4);
}

TEST_F(LinkFixture, SelectionPanelShownWritesTheSelectedPointsAndSkipsTheReload) {
    h.host.selectionShown = true;
    h.host.selection = {"T3", "nothere", "T1"};
    h.commands.applicationDeactivated();
    const std::string text = ReadBytes(Link().string());
    EXPECT_EQ(text.substr(0, 2), "T3");
    EXPECT_EQ(text.substr(118, 2), "T1");
    EXPECT_EQ(text.size(), 236u);
    h.commands.applicationActivated();
    EXPECT_EQ(h.store.xyz.PointRowCount(), 4);
}

// A list that could not be written when the application was left (a cell too wide for its field) is
// not replaced by the older rows of the link file on return.
TEST_F(LinkFixture, AFailedWriteOnLeavingIsReportedAndNothingIsReadBack) {
    h.commands.applicationDeactivated();
    h.store.xyz.SetCell(1, kColName, "T1");
    h.store.xyz.SetCell(2, kColName, std::string(17, 'N'));
    MessageBox::clearShownTexts();
    h.commands.applicationDeactivated();
    ASSERT_EQ(Shown().size(), 1);
    EXPECT_TRUE(Shown().front().contains(QStringLiteral("保存できません")));
    h.commands.applicationActivated();
    EXPECT_EQ(h.store.xyz.Cell(2, kColName), std::string(17, 'N'));
    EXPECT_EQ(Shown().size(), 1);
}

TEST_F(LinkFixture, ReturningToAnEmptyListFitsAllPoints) {
    h.commands.applicationDeactivated();
    h.store.blocks.Clear();
    h.store.xyz.Clear();
    h.commands.applicationActivated();
    EXPECT_EQ(h.store.xyz.PointRowCount(), 4);
    EXPECT_EQ(h.host.allPoints, 1);
}

} // namespace
} // namespace vemo::test
