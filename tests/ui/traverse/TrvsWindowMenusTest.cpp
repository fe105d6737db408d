// The menus and tool bar of each mode of the traverse window, as the surveyor sees them: every entry
// in its menu and place, with its key, whether it can be used and whether it is ticked.
#include "TrvsWindowFixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace vemo::test {
namespace {

using C = TrvsWindow::Command;

// One line per menu and entry ("ファイル(&F)", "  新規作成(&N)", "  ---" for a separator), then the
// tool bar; a key follows a tab, "[off]" marks a disabled entry, "[x]" a ticked one, "[ ]" an unticked
// one that can be ticked.
std::string Shown(const QWidget& window) {
    QStringList lines;
    const auto marks = [](const QAction* action) {
        QString text;
        if (!action->shortcut().isEmpty()) {
            text += '\t' + action->shortcut().toString();
        }
        if (!action->isEnabled()) {
            text += " [off]";
        }
        if (action->isCheckable()) {
            text += action->isChecked() ? " [x]" : " [ ]";
        }
        return text;
    };
    for (const QMenuBar* bar : window.findChildren<QMenuBar*>()) {
        if (bar->isHidden()) {
            continue;
        }
        for (const QAction* menu : bar->actions()) {
            lines << menu->text();
            for (const QAction* entry : menu->menu()->actions()) {
                lines << (entry->isSeparator() ? QStringLiteral("  ---") : "  " + entry->text() + marks(entry));
            }
        }
    }
    for (const QToolBar* bar : window.findChildren<QToolBar*>()) {
        if (!bar->isVisibleTo(&window)) {
            continue;
        }
        lines << QStringLiteral("tools");
        for (const QAction* button : bar->actions()) {
            lines << "  " + button->text() + marks(button);
        }
    }
    return lines.join('\n').toStdString();
}

std::string Lines(const QStringList& lines) {
    return lines.join('\n').toStdString();
}

// Changes one line of an expected listing; the line must be there.
void Change(QStringList& lines, const char* from, const char* to) {
    const qsizetype at = lines.indexOf(QString::fromUtf8(from));
    ASSERT_GE(at, 0) << from;
    lines[at] = QString::fromUtf8(to);
}

class TrvsWindowMenus : public TrvsWindowFixture {};

// The buttons over the shown listing, as Shown lists them (before the window's tool bar).
void AddListingTools(QStringList& lines) {
    qsizetype at = lines.indexOf("tools");
    for (const char* line : {"tools", "  リストの印刷...", "  リストをファイルに保存..."}) {
        lines.insert(at++, QString::fromUtf8(line));
    }
}

TEST_F(TrvsWindowMenus, EachModeShowsItsOwnCommands) {
    TrvsWindow& w = Open();
    const QStringList traverse = {
        "ファイル(&F)",
        "  新規作成(&N)",
        "  トラバースデータを開く(&O)\tCtrl+O",
        "  上書き保存(&S)\tCtrl+S",
        "  名前を付けて保存(&A)...",
        "  ---",
        "  ZUB Editorへ移動(&C)",
        "  ---",
        "  入力データを計算簿へ(&P)\tCtrl+P",
        "  計算結果を計算簿へ\tCtrl+Alt+P",
        "  リストの印刷... [off]", // the listing panel is hidden
        "  リストをファイルに保存... [off]",
        "  精度管理表の見出し... [off]", // a radial traverse has no closure
        "  精度管理表の印刷... [off]",
        "  ---",
        "  オートセーブファイルに強制保存",
        "  ---",
        "  閉じる(&X)",
        "編集(&E)",
        "  一行削除(&D)\tCtrl+Del",
        "  一行挿入(&I)\tCtrl+Ins",
        "  タンニング・モード(&T)\tIns [off]", // a new traverse is radial
        "表示(&V)",
        "  計算簿(&L)\tCtrl+L [ ]",
        "  器械点・後視点入力\tF5 [ ]",
        "  高度角入力\tF6 [ ]",
        "  Z 計算\tF7 [ ]",
        "  基点データ\tF8 [x]",
        "計算(&C)",
        "  精度計算(&P)\tF9 [off]",
        "  計算登録(&R)\tF10",
        "tools",
        "  新規",
        "  TM切換 [off]",
        "  基点入力 [ ]",
        "  高度入力 [ ]",
        "  Z 計算 [ ]",
        "  精度計算 [off]",
        "  計算登録",
        "  計算簿 [ ]",
        "  閉じる",
    };
    EXPECT_EQ(Shown(w), Lines(traverse));
    EXPECT_EQ(w.Action(C::ShowListing)->toolTip(), "計算簿の表示(Ctrl+L)");
    EXPECT_EQ(w.Action(C::Register)->statusTip(), "トラバース計算後，座標をリストへ追加登録します");

    // A closed traverse has a precision and TM letters to toggle; the listing commands follow the
    // panel.
    w.OpenTrvFile(DataFile("traverse/square.Trv"));
    w.SetListingShown(true);
    QStringList closed = traverse;
    Change(closed, "  リストの印刷... [off]", "  リストの印刷...");
    Change(closed, "  リストをファイルに保存... [off]", "  リストをファイルに保存...");
    Change(closed, "  精度管理表の見出し... [off]", "  精度管理表の見出し...");
    Change(closed, "  精度管理表の印刷... [off]", "  精度管理表の印刷...");
    Change(closed, "  タンニング・モード(&T)\tIns [off]", "  タンニング・モード(&T)\tIns");
    Change(closed, "  計算簿(&L)\tCtrl+L [ ]", "  計算簿(&L)\tCtrl+L [x]");
    Change(closed, "  精度計算(&P)\tF9 [off]", "  精度計算(&P)\tF9");
    Change(closed, "  TM切換 [off]", "  TM切換");
    Change(closed, "  精度計算 [off]", "  精度計算");
    Change(closed, "  計算簿 [ ]", "  計算簿 [x]");
    // The listing's print and save buttons show with it.
    AddListingTools(closed);
    EXPECT_EQ(Shown(w), Lines(closed));

    w.Action(C::ToZub)->trigger();
    const QStringList zub = {
        "ファイル(&F)",
        "  野帳データ(ZUB)受信 [off]", // no receiver given
        "  受信時に戻す\tCtrl+Alt+Z",
        "  ZUBファイルを開く(&O)\tCtrl+Alt+O",
        "  上書き保存(&S)\tCtrl+S",
        "  名前を付けて保存(&A)...\tCtrl+Alt+S",
        "  ---",
        "  オートセーブファイルに強制保存",
        "  ---",
        "  閉じる(&X)",
        "編集(&E)",
        "  一行削除\tCtrl+Del",
        "  一行挿入\tCtrl+Ins",
        "表示(&V)",
        "  トラバー計算表へ転記(&T)\tCtrl+T",
        "  正観測のみ転記",
        "  観測の点検(&K)",
        "  トラバー計算表へ移動(&C)",
        "tools",
        "  受信 [off]",
        "  戻す",
        "  開く",
        "  保存",
        "  転記",
        "  移動",
        "  閉じる",
    };
    EXPECT_EQ(Shown(w), Lines(zub));
    // The other mode's commands are off, so that a key shared by both (Ctrl+S) reaches one of them.
    for (C command : {C::New, C::Save, C::ToggleTm, C::ShowListing, C::Register, C::Close}) {
        EXPECT_FALSE(w.Action(command)->isEnabled()) << static_cast<int>(command);
    }

    // Back to a new traverse; the listing panel stays as it was.
    w.Action(C::ZubToTraverse)->trigger();
    QStringList back = traverse;
    Change(back, "  リストの印刷... [off]", "  リストの印刷...");
    Change(back, "  リストをファイルに保存... [off]", "  リストをファイルに保存...");
    Change(back, "  計算簿(&L)\tCtrl+L [ ]", "  計算簿(&L)\tCtrl+L [x]");
    Change(back, "  計算簿 [ ]", "  計算簿 [x]");
    AddListingTools(back);
    EXPECT_EQ(Shown(w), Lines(back));
    for (C command : {C::ZubReceive, C::ZubSave, C::ZubDeleteRow, C::ZubClose}) {
        EXPECT_FALSE(w.Action(command)->isEnabled()) << static_cast<int>(command);
    }
}

} // namespace
} // namespace vemo::test
