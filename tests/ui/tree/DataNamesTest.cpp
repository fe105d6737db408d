// The names of the data set being edited change through the workspace, which announces each change;
// the main window's caption is made from them at that moment.
#include "TreeHarness.h"

#include "ui/common/Cp932Text.h"

#include <QObject>

#include <gtest/gtest.h>

namespace vemo::test {
namespace {

TEST(DataNames, EveryCommandThatNamesDataAnnouncesTheNamesItLeaves) {
    TreeHarness h;
    MakeSampleSite(h.DatDir());
    CopyFixture("add.Xyz", h.DatDir() / "西町" / "追加.Xyz");
    MakeFolder(h.DatDir() / "西町" / "追加");
    h.commands.folders().rebuildTree();
    QStringList captions;
    QObject::connect(&h.workspace, &Workspace::dataNamesChanged,
                     [&] { captions.append(FromCp932(CaptionText(h.store.names))); });

    MessageBox::SetNextAnswer(QMessageBox::Yes);
    h.tree.select(FindNode(h.tree, "東町/基準点"));
    h.commands.open();
    ASSERT_FALSE(captions.isEmpty());
    EXPECT_EQ(captions.back(), QStringLiteral("東町 - 基準点 - 分筆 [Vemo]"));

    // In addition: 上書き保存 now writes the added data set, and the caption says so.
    h.tree.select(FindNode(h.tree, "西町/追加"));
    h.commands.openAdd();
    EXPECT_EQ(captions.back(), QStringLiteral("西町 - 追加 - 分筆 [Vemo]"));

    captions.clear();
    EXPECT_TRUE(h.commands.newBlk());
    EXPECT_EQ(captions, QStringList{QStringLiteral("西町 - 追加 [Vemo]")});

    MessageBox::SetNextAnswer(QMessageBox::Discard);
    EXPECT_TRUE(h.commands.newXyz());
    EXPECT_EQ(captions.back(), QStringLiteral("西町 [Vemo]"));
}

} // namespace
} // namespace vemo::test
