#include "TreeHarness.h"

#include "core/files/DataFolders.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItem>

#include <gtest/gtest.h>

#include <cstdlib>

namespace vemo::test {
namespace {
namespace fs = std::filesystem;

TEST(DataTreeTest, ShowsFoldersByLevelWithIconsAndSkipsFilesAndDataWithoutItsFile) {
    TreeHarness h;
    MakeSampleSite(h.DatDir());
    WriteBytes((h.DatDir() / "loose.txt").string(), "not a folder");
    h.commands.folders().rebuildTree();

    QTreeWidget* view = h.tree.view();
    ASSERT_EQ(view->topLevelItemCount(), 2);
    QTreeWidgetItem* site = FindNode(h.tree, "東町");
    ASSERT_NE(site, nullptr);
    EXPECT_EQ(site->text(0), QStringLiteral("東町"));
    EXPECT_EQ(DataTree::levelOf(site), 0);
    EXPECT_EQ(DataTree::iconOf(site), DataIcon::Site);

    QTreeWidgetItem* xyz = FindNode(h.tree, "東町/基準点");
    ASSERT_NE(xyz, nullptr);
    EXPECT_EQ(DataTree::iconOf(xyz), DataIcon::Coordinates);
    QTreeWidgetItem* blk = FindNode(h.tree, "東町/基準点/分筆");
    ASSERT_NE(blk, nullptr);
    EXPECT_EQ(DataTree::iconOf(blk), DataIcon::Parcels);
    EXPECT_EQ(DataTree::levelOf(blk), 2);

    // Coordinate data without its ".Xyz": icon 3 and nothing below it, though its folder holds one.
    QTreeWidgetItem* missing = FindNode(h.tree, "東町/未保存");
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(DataTree::iconOf(missing), DataIcon::MissingData);
    EXPECT_EQ(missing->childCount(), 0);

    const DataNodePath path = DataTree::pathOf(blk);
    EXPECT_EQ(path.site, Cp("東町"));
    EXPECT_EQ(path.xyz, Cp("基準点"));
    EXPECT_EQ(path.blk, Cp("分筆"));
}

TEST(DataTreeTest, AbsoluteIndexCountsCollapsedNodesInTreeOrder) {
    TreeHarness h;
    MakeSampleSite(h.DatDir());
    h.commands.folders().rebuildTree();
    // Sites are listed in CP932 byte order: 西町 (90 BC) before 東町 (93 8C).
    EXPECT_EQ(h.tree.nodeCount(), 5);
    EXPECT_FALSE(h.tree.selectedAbsoluteIndex().has_value());
    QTreeWidgetItem* blk = FindNode(h.tree, "東町/基準点/分筆");
    h.tree.select(blk);
    // 西町, 東町, 基準点, 分筆: the parcel node is the fourth node.
    EXPECT_EQ(h.tree.selectedAbsoluteIndex(), 3);
    h.tree.selectAbsoluteIndex(0);
    EXPECT_EQ(h.tree.selectedItem(), FindNode(h.tree, "西町"));
    h.tree.selectAbsoluteIndex(99); // beyond the count: the selection stays
    EXPECT_EQ(h.tree.selectedItem(), FindNode(h.tree, "西町"));
}

TEST(DataTreeTest, ExpandButtonTogglesEverythingAndItsCaption) {
    TreeHarness h;
    MakeSampleSite(h.DatDir());
    h.commands.folders().rebuildTree();
    EXPECT_EQ(h.tree.expandButton()->text(), QStringLiteral("<< + >>"));
    h.tree.expandButton()->click();
    EXPECT_EQ(h.tree.expandButton()->text(), QStringLiteral(">> - <<"));
    EXPECT_TRUE(FindNode(h.tree, "東町")->isExpanded());
    EXPECT_TRUE(FindNode(h.tree, "東町/基準点")->isExpanded());
    h.tree.expandButton()->click();
    EXPECT_EQ(h.tree.expandButton()->text(), QStringLiteral("<< + >>"));
    EXPECT_FALSE(FindNode(h.tree, "東町")->isExpanded());
}

TEST(DataTreeTest, RenameMovesFolderAndDataFileOrKeepsTheOldName) {
    TreeHarness h;
    MakeSampleSite(h.DatDir());
    h.commands.folders().rebuildTree();

    QTreeWidgetItem* xyz = FindNode(h.tree, "東町/基準点");
    EXPECT_TRUE(h.tree.renameNode(xyz, Cp("測量１")));
    EXPECT_TRUE(fs::is_directory(h.DatDir() / "東町" / "測量１"));
    EXPECT_TRUE(fs::is_regular_file(h.DatDir() / "東町" / "測量１.Xyz"));
    EXPECT_FALSE(fs::exists(h.DatDir() / "東町" / "基準点.Xyz"));
    EXPECT_EQ(xyz->text(0), QStringLiteral("測量１"));
    // The parcel below follows its renamed parent.
    EXPECT_EQ(DataTree::pathOf(xyz->child(0)).xyz, Cp("測量１"));

    // A site renamed to an existing site's name: the message, and nothing moves.
    QTreeWidgetItem* site = FindNode(h.tree, "東町");
    EXPECT_FALSE(h.tree.renameNode(site, Cp("西町")));
    EXPECT_EQ(Shown(), QStringList{QStringLiteral("ディレクトリ名が重複しているかまたは不正です")});
    EXPECT_EQ(site->text(0), QStringLiteral("東町"));
    EXPECT_TRUE(fs::is_directory(h.DatDir() / "東町" / "測量１"));
}

TEST(DataTreeTest, InPlaceEditingRenamesWhenTheTextChanges) {
    TreeHarness h;
    MakeSampleSite(h.DatDir());
    h.commands.folders().rebuildTree();
    QTreeWidgetItem* site = FindNode(h.tree, "西町");
    // What the in-place editor does when editing ends: the item's text changes.
    site->setText(0, QStringLiteral("南町"));
    EXPECT_TRUE(fs::is_directory(h.DatDir() / "南町"));
    EXPECT_FALSE(fs::exists(h.DatDir() / "西町"));
    EXPECT_EQ(DataTree::nameOf(site), Cp("南町"));
    // A name with a separator is refused and the text goes back.
    site->setText(0, QStringLiteral("南/町"));
    EXPECT_EQ(site->text(0), QStringLiteral("南町"));
    EXPECT_TRUE(fs::is_directory(h.DatDir() / "南町"));
}

TEST(DataTreeTest, PopupMenuSwitchesDataFoldersAndIgnoresEmptyEntries) {
    TreeHarness h;
    MakeSampleSite(h.DatDir());
    const fs::path second = h.dir->Path() / "第二";
    MakeFolder(second / "北町");
    auto* open = new QAction(QStringLiteral("開く(&O)..."), &h.tree);
    h.tree.setPopupGroups({{open}});
    h.tree.setDataFolders({h.store.names.DatDir, PathToCp932(second.string()), ""}, 0);
    h.commands.folders().rebuildTree();

    const QList<QAction*> entries = h.tree.popupMenu()->actions();
    ASSERT_EQ(entries.size(), 5); // three folders, a separator, the command
    EXPECT_TRUE(entries.at(0)->isChecked());
    EXPECT_EQ(entries.at(4), open);

    h.tree.folderAction(2)->trigger(); // no folder: nothing happens
    EXPECT_EQ(h.tree.activeFolder(), 0);
    EXPECT_EQ(h.tree.view()->topLevelItemCount(), 2);

    h.tree.folderAction(1)->trigger();
    EXPECT_EQ(h.tree.activeFolder(), 1);
    EXPECT_FALSE(h.tree.folderAction(0)->isChecked());
    EXPECT_EQ(h.store.names.DatDir, PathToCp932(second.string()));
    ASSERT_EQ(h.tree.view()->topLevelItemCount(), 1);
    EXPECT_EQ(h.tree.view()->topLevelItem(0)->text(0), QStringLiteral("北町"));
}

// A picture of the tree for looking at: saved where VEMO_TREE_SHOT points, when set.
TEST(DataTreeTest, PaintsNodesWithIcons) {
    TreeHarness h;
    MakeSampleSite(h.DatDir());
    MakeFolder(h.DatDir() / "旭が丘三丁目");
    h.commands.folders().rebuildTree();
    h.tree.resize(260, 240);
    h.tree.toggleExpandAll();
    h.tree.select(FindNode(h.tree, "東町/基準点"));
    const QImage image = h.tree.grab().toImage();
    ASSERT_FALSE(image.isNull());
    // Some pixel differs from the background: the tree drew something.
    const QRgb background = image.pixel(image.width() - 2, image.height() / 2);
    bool drawn = false;
    for (int y = 0; y < image.height() && !drawn; ++y) {
        for (int x = 0; x < image.width() && !drawn; ++x) {
            drawn = image.pixel(x, y) != background;
        }
    }
    EXPECT_TRUE(drawn);
    if (const char* shot = std::getenv("VEMO_TREE_SHOT")) {
        image.save(QString::fromLocal8Bit(shot));
    }
}

} // namespace
} // namespace vemo::test
