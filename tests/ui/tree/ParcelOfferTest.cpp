// Opening coordinate data whose folder holds one parcel file offers to open the parcels with them.
#include "TreeHarness.h"

#include "core/store/XyzList.h"

#include <QTreeWidgetItem>

#include <gtest/gtest.h>

namespace vemo::test {
namespace {
namespace fs = std::filesystem;

const QString kOffer = QStringLiteral("画地データ「分筆」も開きますか？");

struct ParcelOffer : ::testing::Test {
    ParcelOffer() {
        MakeSampleSite(h.DatDir());
        h.commands.folders().rebuildTree();
    }
    void Open(const char* path) {
        h.tree.select(FindNode(h.tree, path));
        h.commands.open();
    }
    TreeHarness h;
};

// Yes gives what opening the parcel node itself gives; the oracle is a second program run that opens
// that node.
TEST_F(ParcelOffer, YesOpensTheOneParcelFileAsItsOwnNodeWould) {
    MessageBox::SetNextAnswer(QMessageBox::Yes);
    Open("東町/基準点");
    EXPECT_EQ(Shown(), QStringList{kOffer});

    TreeHarness direct(h.dir);
    direct.commands.folders().rebuildTree();
    direct.tree.select(FindNode(direct.tree, "東町/基準点/分筆"));
    direct.commands.open();
    ASSERT_EQ(direct.store.blocks.Count(), 1);

    ASSERT_EQ(h.store.blocks.Count(), 1);
    EXPECT_EQ(h.store.blocks.At(0).BlockName, direct.store.blocks.At(0).BlockName);
    EXPECT_DOUBLE_EQ(h.store.blocks.At(0).LabelX, direct.store.blocks.At(0).LabelX);
    EXPECT_EQ(h.store.xyz.PointRowCount(), direct.store.xyz.PointRowCount());
    EXPECT_EQ(h.store.names.BlkName, Cp("分筆"));
    EXPECT_EQ(h.tree.selectedPath().level, 2);
    EXPECT_EQ(h.host.shown, direct.host.shown);
    EXPECT_EQ(h.host.parcelLoads, 1);
    EXPECT_FALSE(h.commands.parcelsModified());
}

TEST_F(ParcelOffer, NoOpensTheCoordinatesAlone) {
    MessageBox::SetNextAnswer(QMessageBox::No);
    Open("東町/基準点");
    EXPECT_EQ(Shown(), QStringList{kOffer});
    EXPECT_EQ(h.store.xyz.PointRowCount(), 4);
    EXPECT_EQ(h.store.blocks.Count(), 0);
    EXPECT_TRUE(h.store.names.BlkName.empty());
    EXPECT_TRUE(h.host.isAreaShown(FileArea::Plot));
    EXPECT_FALSE(h.host.isAreaShown(FileArea::BlockEdit));
}

// Two parcel files leave the choice to the tree; a parcel folder without its file is no parcel file.
TEST_F(ParcelOffer, OnlyExactlyOneParcelFileIsOffered) {
    MakeFolder(h.DatDir() / "東町" / "基準点" / "空");
    h.commands.folders().rebuildTree();
    Open("東町/基準点");
    EXPECT_EQ(Shown(), QStringList{kOffer});

    MessageBox::ClearShownTexts();
    MakeFolder(h.DatDir() / "東町" / "基準点" / "合筆");
    CopyFixture("genba.Blk", h.DatDir() / "東町" / "基準点" / "合筆.Blk");
    h.commands.folders().rebuildTree();
    Open("東町/基準点");
    EXPECT_TRUE(Shown().isEmpty()) << Shown().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(h.store.blocks.Count(), 0);
}

// Unsaved parcels are given up only through the unsaved-changes question, which comes first; its
// キャンセル keeps everything and asks nothing more.
TEST_F(ParcelOffer, UnsavedParcelsAreAskedAboutFirst) {
    Open("東町/基準点/分筆");
    Block changed = h.store.blocks.At(0);
    changed.BlockName = "B";
    h.store.blocks.Replace(0, changed);
    MessageBox::ClearShownTexts();

    MessageBox::SetNextAnswer(QMessageBox::Cancel);
    Open("東町/基準点");
    ASSERT_EQ(Shown().size(), 1);
    EXPECT_TRUE(Shown().front().startsWith(QStringLiteral("画地データに保存されていない変更があります")));
    ASSERT_EQ(h.store.blocks.Count(), 1);
    EXPECT_EQ(h.store.blocks.At(0).BlockName, "B");

    MessageBox::ClearShownTexts();
    MessageBox::SetNextAnswers({QMessageBox::Discard, QMessageBox::Yes});
    Open("東町/基準点");
    ASSERT_EQ(Shown().size(), 2);
    EXPECT_EQ(Shown().back(), kOffer);
    ASSERT_EQ(h.store.blocks.Count(), 1);
    EXPECT_EQ(h.store.blocks.At(0).BlockName, "A");
}

} // namespace
} // namespace vemo::test
