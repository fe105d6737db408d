// The menu bar as the surveyor knows it: every caption with its accelerator and every shortcut.
#include "MainFixture.h"
#include "core/calc/Calculation.h"
#include "ui/calc/CalcTabs.h"
#include "ui/main/CommandSet.h"
#include "ui/main/CommandTable.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace vemo::test {
namespace {

struct Item {
    const char* caption;
    const char* shortcut;
};
struct MenuItems {
    const char* title;
    std::vector<Item> items;
};

// Written out from the command list of the start-up and main window description, independently of
// the program's own table.
const std::vector<MenuItems>& Expected() {
    static const std::vector<MenuItems> menus = {
        {"ﾌｧｲﾙ(&F)",
         {{"現場フォルダ作成(&C)", ""},
          {"新規座標(&X)", ""},
          {"新規画地(&B)", ""},
          {"上書き保存(&W)", "Ctrl+S"},
          {"名前を付けて保存(&M)...", ""},
          {"SIMAフォーマットを開く(&O)...", ""},
          {"SIMAフォーマットで保存(&S)...", ""},
          {"日調連フォーマットを開く(&N)...", ""},
          {"日調連フォーマットで保存(&A)...", ""},
          {"登記所備付地図データ(地図XML)を開く(&G)...", ""},
          {"GIS/CADへ出力...", ""},
          {"ZUB通信で座標を読込...", ""},
          {"印刷(&P)...", ""},
          {"印刷の設定(&R)...", ""},
          {"オートセーブファイルから復元...", ""},
          {"オートセーブファイルに強制保存", ""},
          {"終了(&Q)", ""}}},
        {"編集(&E)",
         {{"元に戻す(&U)", "Ctrl+Z"},
          {"やり直し(&R)", "Ctrl+Y"},
          {"座標選択", "Ctrl+F8"},
          {"切り取り(&T)", "Ctrl+X"},
          {"コピー(&C)", "Ctrl+C"},
          {"貼り付け(&P)", "Ctrl+V"}}},
        {"表示(&V)",
         {{"データツリー(&T)", "Ctrl+T"},
          {"座標リスト", "Ctrl+L"},
          {"測点イメージ", "Ctrl+I"},
          {"画地編集", "Ctrl+B"}}},
        {"データツリー(&T)",
         {{"開く(&O)...", "Ctrl+O"},
          {"開く（追加）", ""},
          {"保存(&S)...", ""},
          {"名前の変更(&R)", "Ctrl+R"},
          {"プロフィールの編集(&E)", "Ctrl+E"}}},
        {"座標リスト(&L)",
         {{"一行挿入", "Ctrl+Ins"},
          {"一行削除", "Ctrl+Del"},
          {"Z座標入力", "Ctrl+F5"},
          {"点種入力", "Ctrl+F6"},
          {"備考入力", "Ctrl+F7"},
          {"入力補助", "Ctrl+F4"},
          {"検索↓(&F)", "F3"},
          {"検索↑(&G)", "F4"},
          {"座標整理", ""},
          {"エディタ起動(&E)", "Ctrl+E"},
          {"緯度経度表示", ""},
          {"全座標リスト印刷(&P)", ""}}},
        {"測点イメージ(&I)",
         {{"画地表示", ""},
          {"画地名表示", ""},
          {"点名-全点表示時", "Ctrl+N"},
          {"再描画(&R)", ""},
          {"全体表示(&A)", "F9"},
          {"拡大(&U)", "Ctrl+U"},
          {"縮小(&D)", "Ctrl+D"},
          {"範囲記憶(&G)", "Ctrl+G"}}},
        {"画地(&B)",
         {{"画地面積一覧(&L)", "F12"},
          {"新規入力(&N)", ""},
          {"追加登録(&A)", ""},
          {"変更登録(&C)", ""},
          {"画地削除(&D)", ""},
          {"画地一覧印刷...", ""},
          {"面積計算書印刷", ""},
          {"地積測量図...", ""}}},
        {"計算(&C)",
         {{"逆座標計算", "F11"},
          {"垂線長計算", "F10"},
          {"直線 X 直線", ""},
          {"直線 X 円", ""},
          {"円 X 円", ""},
          {"ｵﾌｾｯﾄ計算", ""},
          {"垂線の足計算", ""},
          {"隅切計算", ""},
          {"連続平行移動点計算", ""},
          {"座標変換", ""},
          {"定面積分割計算", ""},
          {"逆打ち計算", ""},
          {"トラバース計算", ""},
          {"網平均...", ""}}},
        {"ｵﾌﾟｼｮﾝ(&O)",
         {{"環境設定(&E)...", ""},
          {"未登録", "Ctrl+Shift+F1"},
          {"未登録", "Ctrl+Shift+F2"},
          {"未登録", "Ctrl+Shift+F3"},
          {"未登録", "Ctrl+Shift+F4"},
          {"未登録", "Ctrl+Shift+F5"}}},
        {"ﾍﾙﾌﾟ(&H)", {{"目次(&C)", ""}, {"ﾊﾞｰｼﾞｮﾝ情報(&A)...", ""}}},
    };
    return menus;
}

std::vector<QAction*> CommandsOf(QMenu* menu) {
    std::vector<QAction*> actions;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            actions.push_back(action);
        }
    }
    return actions;
}

using MenuBar = MainFixture;

TEST_F(MenuBar, EveryMenuCaptionAndShortcutInOrder) {
    MainWindow& main = Open();
    const QList<QAction*> menus = main.menuBar()->actions();
    ASSERT_EQ(menus.size(), static_cast<qsizetype>(Expected().size()));
    for (size_t m = 0; m < Expected().size(); ++m) {
        const MenuItems& expected = Expected()[m];
        SCOPED_TRACE(expected.title);
        EXPECT_EQ(menus[m]->text(), QString::fromUtf8(expected.title));
        const std::vector<QAction*> actions = CommandsOf(menus[m]->menu());
        ASSERT_EQ(actions.size(), expected.items.size());
        for (size_t i = 0; i < actions.size(); ++i) {
            EXPECT_EQ(actions[i]->text(), QString::fromUtf8(expected.items[i].caption));
            EXPECT_EQ(actions[i]->shortcut(), QKeySequence(QString::fromLatin1(expected.items[i].shortcut)))
                << expected.items[i].caption;
        }
    }
}

// Every registered calculation is a command of the 計算 menu under its caption, in the registry's order,
// before the traverse (the written-out list above holds the same captions, so a calculation lost from
// the registry and the menu together still fails).
TEST_F(MenuBar, CalculationMenuHoldsEveryRegisteredCalculation) {
    MainWindow& main = Open();
    QStringList shown;
    for (QAction* action : CommandsOf(main.commands().menu(Menu::Calc))) {
        shown << action->text();
    }
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown.takeLast(), QStringLiteral("網平均..."));
    EXPECT_EQ(shown.takeLast(), QStringLiteral("トラバース計算"));
    QStringList registered;
    for (const CalcDefinition* definition : Calculations()) {
        registered << QString::fromUtf8(definition->caption.data(), static_cast<qsizetype>(definition->caption.size()));
    }
    EXPECT_EQ(shown, registered);
}

TEST_F(MenuBar, CommandsOfLaterWindowsAreDisabledUntilConnected) {
    MainWindow& main = Open();
    CommandSet& commands = main.commands();
    for (Cmd id : {Cmd::FileNewCase, Cmd::FileOpenSima, Cmd::FileForceAutoSave, Cmd::TreeOpen,
                   CalcTabCommand(CalcTab::kInverse), Cmd::CalcTrvs, Cmd::OptEnvironment, Cmd::HelpContents}) {
        EXPECT_FALSE(commands.isEnabled(id)) << commands.action(id)->text().toStdString();
    }
    EXPECT_TRUE(commands.isEnabled(Cmd::DispDatTree));
    EXPECT_TRUE(commands.isEnabled(Cmd::FileExit));
    EXPECT_TRUE(commands.isEnabled(Cmd::HelpAbout));

    // A later window connects its command: it becomes available at once.
    int runs = 0;
    commands.connect(Cmd::FileNewCase, [&runs] { ++runs; });
    EXPECT_TRUE(commands.isEnabled(Cmd::FileNewCase));
    commands.trigger(Cmd::FileNewCase);
    EXPECT_EQ(runs, 1);
    // Its state can still switch it off.
    commands.setEnabled(Cmd::FileNewCase, false);
    commands.trigger(Cmd::FileNewCase);
    EXPECT_EQ(runs, 1);
}

TEST_F(MenuBar, PrintCutCopyPasteAreNeverEnabled) {
    MainWindow& main = Open();
    CommandSet& commands = main.commands();
    for (Cmd id : {Cmd::FilePrint, Cmd::EditCut, Cmd::EditCopy, Cmd::EditPaste}) {
        commands.connect(id, [] {});
        commands.setEnabled(id, true);
        EXPECT_FALSE(commands.isEnabled(id)) << commands.action(id)->text().toStdString();
    }
}

TEST_F(MenuBar, CommandsOfAnAreaFollowItsMenu) {
    MainWindow& main = Open();
    CommandSet& commands = main.commands();
    commands.connect(Cmd::ImgUp, [] {});
    commands.connect(Cmd::TreeRename, [] {});
    // The plot is hidden at start: its menu and commands are off, the tree's are on.
    EXPECT_FALSE(commands.isMenuEnabled(Menu::Image));
    EXPECT_FALSE(commands.isEnabled(Cmd::ImgUp));
    EXPECT_TRUE(commands.isEnabled(Cmd::TreeRename));
    main.setAreaShown(Area::Plot, true);
    EXPECT_TRUE(commands.isEnabled(Cmd::ImgUp));
    EXPECT_TRUE(commands.menu(Menu::Image)->menuAction()->isEnabled());
}

TEST_F(MenuBar, CtrlEGoesToTheEnabledCommandOfTheFocusedArea) {
    MainWindow& main = Open();
    CommandSet& commands = main.commands();
    std::string ran;
    commands.connect(Cmd::TreeProfile, [&ran] { ran += "profile;"; });
    commands.connect(Cmd::ListEdit, [&ran] { ran += "editor;"; });
    const QKeySequence ctrlE(QStringLiteral("Ctrl+E"));
    // Only the tree is shown: profile editing.
    EXPECT_EQ(commands.sharedKeyTarget(ctrlE), Cmd::TreeProfile);
    // Only the list is shown: the editor.
    main.setAreaShown(Area::DataTree, false);
    main.setAreaShown(Area::XyzList, true);
    EXPECT_EQ(commands.sharedKeyTarget(ctrlE), Cmd::ListEdit);
    // Both shown, focus nowhere in particular: the first in menu order.
    main.setAreaShown(Area::DataTree, true);
    EXPECT_EQ(commands.sharedKeyTarget(ctrlE), Cmd::TreeProfile);
    // Neither shown: nothing runs.
    main.setAreaShown(Area::DataTree, false);
    main.setAreaShown(Area::XyzList, false);
    EXPECT_EQ(commands.sharedKeyTarget(ctrlE), std::nullopt);
}

} // namespace
} // namespace vemo::test
