// Unsaved work in the main window: the caption mark and the status panel, the question at close, and
// 上書き保存 after the settings dialog's OK.
#include "MainFixture.h"

#include "core/store/XyzList.h"
#include "core/text/Cp932.h"
#include "ui/main/CommandSet.h"
#include "ui/main/StatusPanels.h"
#include "ui/tree/DataTree.h"
#include "ui/tree/FileCommands.h"
#include "ui/tree/FolderCommands.h"

#include <QTreeWidgetItem>

#include <filesystem>

namespace vemo::test {
namespace {
namespace fs = std::filesystem;

class UnsavedWork : public MainFixture {
protected:
    void TearDown() override {
        MessageBox::SetNextAnswers({});
        MainFixture::TearDown();
    }
    // Site "東町" with coordinate data "基準点" (two points) in the program folder, opened.
    MainWindow& OpenSite() {
        fs::create_directories(home.Path() / "東町" / "基準点");
        WriteBytes((home.Path() / "東町" / "基準点.Xyz").string(), Line("A1", "100.000") + Line("A2", "200.000"));
        MainWindow& main = OpenWithAreas();
        TreeArea& tree = *main.treeArea();
        tree.commands().folders().rebuildTree();
        QTreeWidgetItem* site = tree.tree().findSite(Jp("東町"));
        tree.tree().select(DataTree::childNamed(site, Jp("基準点")));
        tree.commands().open();
        main.runIdle();
        return main;
    }
    static std::string Line(const std::string& name, const std::string& x) {
        std::string line = name;
        line.resize(16, ' ');
        return line + std::string(20 - x.size(), ' ') + x + "            2000.000               0.000\r\n";
    }
    std::string Saved() const { return ReadBytes((home.Path() / "東町" / "基準点.Xyz").string()); }
};

// The faults: nothing showed that data were unsaved; the close button and 終了 quit at once with a
// typed row unsaved, written neither to the data file nor anywhere else.
TEST_F(UnsavedWork, TheCaptionMarksUnsavedWorkAndClosingAsks) {
    MainWindow& main = OpenSite();
    main.show();
    EXPECT_EQ(main.windowTitle(), QStringLiteral("東町 - 基準点 [Vemo]"));
    EXPECT_TRUE(main.statusPanels().unsavedText().isEmpty());

    main.store().xyz.AppendRows({XyzRow{"", "A3", "300.000", "2000.000", "", "", ""}});
    main.runIdle();
    EXPECT_EQ(main.windowTitle(), QStringLiteral("*東町 - 基準点 [Vemo]"));
    EXPECT_FALSE(main.statusPanels().unsavedText().isEmpty());
    main.store().history.Undo(); // 元に戻す
    main.runIdle();
    EXPECT_EQ(main.windowTitle(), QStringLiteral("東町 - 基準点 [Vemo]")) << "undone to the saved state";
    main.store().history.Redo(); // やり直し
    main.runIdle();
    EXPECT_EQ(main.windowTitle(), QStringLiteral("*東町 - 基準点 [Vemo]"));

    MessageBox::SetNextAnswer(QMessageBox::Cancel);
    EXPECT_FALSE(main.close());
    EXPECT_TRUE(main.isVisible());
    ASSERT_EQ(MessageBox::ShownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::ShownTexts().front().contains(QStringLiteral("保存されていない変更")));

    MessageBox::SetNextAnswer(QMessageBox::Save);
    main.commands().trigger(Cmd::FileExit);
    EXPECT_FALSE(main.isVisible());
    EXPECT_NE(Saved().find("A3"), std::string::npos) << "保存 saved the typed row before the window closed";
}

// The faults: after 環境設定 OK the tree had lost its selection and 保存 silently did nothing; Ctrl+S
// was the forced auto-save, which said nothing.
TEST_F(UnsavedWork, CtrlSSavesTheOpenDataSetAfterTheSettingsDialogsOk) {
    MainWindow& main = OpenSite();
    main.store().xyz.SetCell(1, kColX, "111.000");
    main.workspace().announceSettings(); // what the settings dialog's OK does: the tree is rebuilt
    EXPECT_EQ(main.commands().action(Cmd::FileSave)->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_TRUE(main.commands().isEnabled(Cmd::FileSave));
    main.commands().trigger(Cmd::FileSave);
    EXPECT_TRUE(MessageBox::ShownTexts().isEmpty()) << MessageBox::ShownTexts().join(QLatin1Char('\n')).toStdString();
    EXPECT_NE(Saved().find("111.000"), std::string::npos);
    EXPECT_EQ(main.statusPanels().text(), QStringLiteral("基準点.Xyz に 2 点を保存しました"));
    main.runIdle();
    EXPECT_EQ(main.windowTitle(), QStringLiteral("東町 - 基準点 [Vemo]"));
}

} // namespace
} // namespace vemo::test
