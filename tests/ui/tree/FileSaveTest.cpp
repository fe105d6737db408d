#include "TreeHarness.h"

#include "core/store/XyzList.h"

#include <QPlainTextEdit>
#include <QTreeWidgetItem>

#include <gtest/gtest.h>

namespace vemo::test {
namespace {
namespace fs = std::filesystem;

struct SaveFixture : ::testing::Test {
    SaveFixture() {
        MakeSampleSite(h.DatDir());
        h.commands.folders().rebuildTree();
        h.tree.select(FindNode(h.tree, "東町/基準点"));
        h.commands.open();
        MessageBox::ClearShownTexts();
    }
    std::string Read(const fs::path& path) { return ReadBytes(path.string()); }
    // Types a value after the first "｜" of the editor's text and presses OK.
    static void TypeName(const QString& value) {
        HeaderEditor::queueResponder([value](HeaderEditor& editor) {
            editor.textArea()->insertPlainText(value);
            return true;
        });
    }
    TreeHarness h;
};

TEST_F(SaveFixture, OverwritingCoordinatesKeepsExactlyThePreviousVersionAsBak) {
    const fs::path file = h.DatDir() / "東町" / "基準点.Xyz";
    const fs::path bak = h.DatDir() / "東町" / "基準点.Bak";
    const std::string original = Read(file);
    h.settings.Data.Backup = true;
    h.host.setAreaShown(FileArea::DataTree, true);

    h.store.xyz.SetCell(2, kColX, "1031.000");
    h.tree.select(FindNode(h.tree, "東町/基準点"));
    h.commands.save();
    EXPECT_EQ(Shown(), QStringList{QStringLiteral("座標を上書保存します")});
    EXPECT_EQ(Read(bak), original);
    const std::string first = Read(file);
    EXPECT_NE(first.find("1031.000"), std::string::npos);
    EXPECT_EQ(h.host.status, QStringLiteral("【データ保存完了】 基準点.Xyz に 4 点を保存しました"));
    EXPECT_FALSE(h.host.isAreaShown(FileArea::DataTree));

    h.store.xyz.SetCell(3, kColX, "1032.000");
    h.commands.save();
    EXPECT_EQ(Read(bak), first);
    EXPECT_NE(Read(file).find("1032.000"), std::string::npos);
    // Only the data file and its one backup sit beside the folder: no temporary file is left.
    int files = 0;
    for (const auto& entry : fs::directory_iterator(h.DatDir() / "東町")) {
        files += entry.is_regular_file() ? 1 : 0;
    }
    EXPECT_EQ(files, 2);
}

TEST_F(SaveFixture, DeclinedOverwriteWritesNothing) {
    const fs::path file = h.DatDir() / "東町" / "基準点.Xyz";
    const std::string original = Read(file);
    h.store.xyz.SetCell(2, kColX, "1031.000");
    MessageBox::SetNextAnswer(QMessageBox::Cancel);
    h.commands.save();
    EXPECT_EQ(Read(file), original);
    EXPECT_FALSE(fs::exists(h.DatDir() / "東町" / "基準点.Bak"));
    EXPECT_TRUE(h.host.status.isEmpty());
}

TEST_F(SaveFixture, SavingOverOtherDataAsksBeforeForcing) {
    CopyFixture("add.Xyz", h.DatDir() / "西町" / "別.Xyz");
    MakeFolder(h.DatDir() / "西町" / "別");
    h.commands.folders().rebuildTree();
    h.tree.select(FindNode(h.tree, "西町/別"));
    // OK to the overwrite, then the default No to the forced save.
    h.commands.save();
    EXPECT_EQ(Shown(), (QStringList{QStringLiteral("座標を上書保存します"),
                                    QStringLiteral("データ名が異なります！強制保存しますか？")}));
    EXPECT_EQ(Read(h.DatDir() / "西町" / "別.Xyz"), ReadBytes(DataFile("tree/add.Xyz")));
    EXPECT_EQ(h.store.names.CaseName, Cp("東町"));
}

TEST_F(SaveFixture, NewCoordinateDataInASiteGetsFolderProfileFileAndNode) {
    QTreeWidgetItem* site = FindNode(h.tree, "西町");
    h.tree.select(site);
    TypeName(QStringLiteral("境界確認"));
    h.commands.save();
    EXPECT_TRUE(Shown().isEmpty());
    const fs::path folder = h.DatDir() / "西町" / "境界確認";
    EXPECT_EQ(Read(folder / "Xyz.Pro"), Cp("項目１\t｜境界確認\r\n項目２\t｜\r\n項目３\t｜\r\n"));
    EXPECT_EQ(Read(h.DatDir() / "西町" / "境界確認.Xyz"), Read(h.DatDir() / "東町" / "基準点.Xyz"));
    QTreeWidgetItem* node = FindNode(h.tree, "西町/境界確認");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(h.tree.selectedItem(), node);
    EXPECT_EQ(h.store.names.CaseName, Cp("西町"));
    EXPECT_EQ(h.store.names.XyzName, Cp("境界確認"));
}

TEST_F(SaveFixture, ATakenNameIsReportedAndTheEditorComesBackWithWhatWasTyped) {
    h.tree.select(FindNode(h.tree, "東町"));
    TypeName(QStringLiteral("基準点"));
    QString secondText;
    HeaderEditor::queueResponder([&secondText](HeaderEditor& editor) {
        secondText = editor.text();
        return false; // ｷｬﾝｾﾙ ends the command
    });
    h.commands.save();
    EXPECT_EQ(Shown(),
              QStringList{QStringLiteral("項目１\t｜基準点 が重複しています．\n\nフォルダが作成できませんでした．")});
    EXPECT_TRUE(secondText.startsWith(QStringLiteral("項目１\t｜基準点\n")));
    EXPECT_TRUE(h.host.status.isEmpty());
    EXPECT_EQ(h.tree.view()->topLevelItemCount(), 2);
}

TEST_F(SaveFixture, ParcelLevelSavesCoordinatesThenParcelsWithBackups) {
    h.tree.select(FindNode(h.tree, "東町/基準点/分筆"));
    h.commands.open();
    MessageBox::ClearShownTexts();
    h.settings.Data.Backup = true;
    const fs::path blk = h.DatDir() / "東町" / "基準点" / "分筆.Blk";
    const std::string original = Read(blk);
    Block b = h.store.blocks.At(0);
    b.BlockName = "B";
    h.store.blocks.Add(b);
    h.commands.save();
    EXPECT_EQ(Shown(), (QStringList{QStringLiteral("座標を上書保存します"), QStringLiteral("画地を上書保存します")}));
    EXPECT_EQ(Read(h.DatDir() / "東町" / "基準点" / "分筆.Bak"), original);
    EXPECT_EQ(Read(blk), "A,5,T1,T2,T3,K-4,T1\r\nB,5,T1,T2,T3,K-4,T1\r\n");

    h.store.blocks.Clear();
    MessageBox::ClearShownTexts();
    h.commands.save();
    EXPECT_EQ(Shown(), QStringList{QStringLiteral("保存する画地がありません!")});
}

// Cancel at the coordinate question keeps the coordinate file and still saves the parcels.
TEST_F(SaveFixture, ParcelsAreSavedWithoutOverwritingTheCoordinates) {
    h.tree.select(FindNode(h.tree, "東町/基準点/分筆"));
    h.commands.open();
    MessageBox::ClearShownTexts();
    const fs::path xyz = h.DatDir() / "東町" / "基準点.Xyz";
    const std::string coordinates = Read(xyz);
    h.store.xyz.SetCell(2, kColX, "1031.000");
    Block b = h.store.blocks.At(0);
    b.BlockName = "B";
    h.store.blocks.Add(b);
    MessageBox::SetNextAnswer(QMessageBox::Cancel);
    h.commands.save();
    EXPECT_EQ(Shown(), (QStringList{QStringLiteral("座標を上書保存します"), QStringLiteral("画地を上書保存します")}));
    EXPECT_EQ(Read(xyz), coordinates);
    EXPECT_EQ(Read(h.DatDir() / "東町" / "基準点" / "分筆.Blk"), "A,5,T1,T2,T3,K-4,T1\r\nB,5,T1,T2,T3,K-4,T1\r\n");
    EXPECT_EQ(h.host.status, QStringLiteral("【データ保存完了】 分筆.Blk に 2 画地を保存しました"));
}

TEST_F(SaveFixture, NewCoordinatesWithParcelsShownAlsoCreateNewParcelData) {
    h.tree.select(FindNode(h.tree, "東町/基準点/分筆"));
    h.commands.open();
    h.tree.select(FindNode(h.tree, "西町"));
    TypeName(QStringLiteral("座標"));
    TypeName(QStringLiteral("画地"));
    h.commands.save();
    const fs::path xyzFolder = h.DatDir() / "西町" / "座標";
    EXPECT_TRUE(fs::is_regular_file(h.DatDir() / "西町" / "座標.Xyz"));
    EXPECT_EQ(Read(xyzFolder / "画地.Blk"), "A,5,T1,T2,T3,K-4,T1\r\n");
    EXPECT_TRUE(fs::is_regular_file(xyzFolder / "画地" / "Blk.Pro"));
    EXPECT_EQ(h.tree.selectedItem(), FindNode(h.tree, "西町/座標/画地"));
    EXPECT_EQ(h.store.names.BlkName, Cp("画地"));
}

} // namespace
} // namespace vemo::test
