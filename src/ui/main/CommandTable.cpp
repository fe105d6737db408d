#include "ui/main/CommandTable.h"

#include "ui/calc/CalcTabs.h"

#include <array>
#include <stdexcept>
#include <vector>

namespace vemo {
namespace {

constexpr bool kSep = true;

// clang-format off
// Up to the calculation tabs.
const CommandInfo kCommandsBeforeCalcTabs[] = {
    {Cmd::FileNewCase, Menu::File, "現場フォルダ作成(&C)", "", ""},
    {Cmd::FileNewXyz, Menu::File, "新規座標(&X)", "", ""},
    {Cmd::FileNewBlk, Menu::File, "新規画地(&B)", "", "", false, false, false, false},
    {Cmd::FileSave, Menu::File, "上書き保存(&W)", "Ctrl+S", "|開いているデータに座標と画地を保存します", kSep, false, false, false},
    {Cmd::FileSaveAs, Menu::File, "名前を付けて保存(&M)...", "", "|現場に新しいデータとして座標と画地を保存します", false, false, false, false},
    {Cmd::FileOpenSima, Menu::File, "SIMAフォーマットを開く(&O)...", "", "", kSep},
    {Cmd::FileSaveSima, Menu::File, "SIMAフォーマットで保存(&S)...", "", ""},
    {Cmd::FileOpenNichoren, Menu::File, "日調連フォーマットを開く(&N)...", "", "", kSep},
    {Cmd::FileSaveNichoren, Menu::File, "日調連フォーマットで保存(&A)...", "", ""},
    {Cmd::FileOpenRegistryMap, Menu::File, "登記所備付地図データ(地図XML)を開く(&G)...", "",
     "|法務省の地図XML（.xml，.zip）から筆を選んで点と画地を読み込みます", kSep},
    {Cmd::FileExportGis, Menu::File, "GIS/CADへ出力...", "", "|点と画地をDXF，GeoPackage，Shapefile，KML，GeoJSONに出力します"},
    {Cmd::FileReceiveZub, Menu::File, "ZUB通信で座標を読込...", "", "|RS-232CからZUBフォーマットで座標を追加読み込みします", kSep},
    {Cmd::FilePrint, Menu::File, "印刷(&P)...", "", "", kSep, false, true},
    {Cmd::FilePrintSetup, Menu::File, "印刷の設定(&R)...", "", ""},
    {Cmd::FileRestoreAutoSave, Menu::File, "オートセーブファイルから復元...", "", "", kSep},
    {Cmd::FileForceAutoSave, Menu::File, "オートセーブファイルに強制保存", "", ""},
    {Cmd::FileExit, Menu::File, "終了(&Q)", "", "", kSep},

    {Cmd::EditUndo, Menu::Edit, "元に戻す(&U)", "Ctrl+Z", "", false, false, false, false},
    {Cmd::EditRedo, Menu::Edit, "やり直し(&R)", "Ctrl+Y", "", false, false, false, false},
    {Cmd::EditXyzSelect, Menu::Edit, "座標選択", "Ctrl+F8",
     "点名，画地，範囲指定等により選択された座標をZUB，ファイル，プリンタに出力します", kSep, false, false, false},
    {Cmd::EditCut, Menu::Edit, "切り取り(&T)", "Ctrl+X", "", kSep, false, true},
    {Cmd::EditCopy, Menu::Edit, "コピー(&C)", "Ctrl+C", "", false, false, true},
    {Cmd::EditPaste, Menu::Edit, "貼り付け(&P)", "Ctrl+V", "", false, false, true},

    {Cmd::DispDatTree, Menu::View, "データツリー(&T)", "Ctrl+T", "", false, true},
    {Cmd::DispXyzList, Menu::View, "座標リスト", "Ctrl+L", "", false, true, false, false},
    {Cmd::DispXyzImage, Menu::View, "測点イメージ", "Ctrl+I", "", false, true, false, false},
    {Cmd::DispBlockEdit, Menu::View, "画地編集", "Ctrl+B", "", false, true, false, false},

    {Cmd::TreeOpen, Menu::Tree, "開く(&O)...", "Ctrl+O", ""},
    {Cmd::TreeOpenAdd, Menu::Tree, "開く（追加）", "", ""},
    {Cmd::TreeSave, Menu::Tree, "保存(&S)...", "", ""},
    {Cmd::TreeRename, Menu::Tree, "名前の変更(&R)", "Ctrl+R", "", kSep},
    {Cmd::TreeProfile, Menu::Tree, "プロフィールの編集(&E)", "Ctrl+E", ""},

    {Cmd::ListInsert, Menu::List, "一行挿入", "Ctrl+Ins", "カーソル行に空白行を一行挿入します"},
    {Cmd::ListDelete, Menu::List, "一行削除", "Ctrl+Del", "カーソル行を一行削除します"},
    {Cmd::ListZInput, Menu::List, "Z座標入力", "Ctrl+F5", "", kSep, true},
    {Cmd::ListTensyuInput, Menu::List, "点種入力", "Ctrl+F6", "", false, true},
    {Cmd::ListBikoInput, Menu::List, "備考入力", "Ctrl+F7", "", false, true},
    {Cmd::ListShiftInput, Menu::List, "入力補助", "Ctrl+F4", "接頭部分の数値を自動加算し，公共座標の入力を補助をします", false, true},
    {Cmd::ListFindToDown, Menu::List, "検索↓(&F)", "F3", "下方向検索|現在のカーソル位置から下方向に向かってい検索します", kSep},
    {Cmd::ListFindToUp, Menu::List, "検索↑(&G)", "F4", "上方向検索|現在のカーソル位置から上方向に向かってい検索します"},
    {Cmd::ListClean, Menu::List, "座標整理", "", "重複整理|重複した点番・座標値を削除します", kSep},
    {Cmd::ListEdit, Menu::List, "エディタ起動(&E)", "Ctrl+E", ""},
    {Cmd::ListLatLon, Menu::List, "緯度経度表示", "", "|カーソル行の点の緯度・経度を表示します"},
    {Cmd::ListPrintAll, Menu::List, "全座標リスト印刷(&P)", "", "座標リスト印刷|全座標を印刷します", kSep},

    {Cmd::ImgBlkDisp, Menu::Image, "画地表示", "", "", false, true},
    {Cmd::ImgBlkNameDisp, Menu::Image, "画地名表示", "", "", false, true},
    {Cmd::ImgPNameDisp, Menu::Image, "点名-全点表示時", "Ctrl+N", "", false, true},
    {Cmd::ImgRePaint, Menu::Image, "再描画(&R)", "", "", kSep},
    {Cmd::ImgFitAll, Menu::Image, "全体表示(&A)", "F9", "全体表示|全点が入るように表示します"},
    {Cmd::ImgUp, Menu::Image, "拡大(&U)", "Ctrl+U", ""},
    {Cmd::ImgDown, Menu::Image, "縮小(&D)", "Ctrl+D", ""},
    {Cmd::ImgRange, Menu::Image, "範囲記憶(&G)", "Ctrl+G", "", false, true},

    {Cmd::BlkAreaList, Menu::Block, "画地面積一覧(&L)", "F12", ""},
    {Cmd::BlkClear, Menu::Block, "新規入力(&N)", "", "新規入力(Ctrl+Home)", kSep},
    {Cmd::BlkAdd, Menu::Block, "追加登録(&A)", "", "追加登録(Ctrl+Enter)"},
    {Cmd::BlkChange, Menu::Block, "変更登録(&C)", "", ""},
    {Cmd::BlkDel, Menu::Block, "画地削除(&D)", "", "画地削除(Ctrl+Delete)"},
    {Cmd::BlkPrint, Menu::Block, "画地一覧印刷...", "", "", kSep},
    {Cmd::BlkAreaPrint, Menu::Block, "面積計算書印刷", "", "選択されている画地の面積計算書を印刷します"},
    {Cmd::BlkSurveyMap, Menu::Block, "地積測量図...", "", "画地の地積測量図を作ります（印刷・PDF・TIFF・DXF）"},

};

// After the calculation tabs.
const CommandInfo kCommandsAfterCalcTabs[] = {
    {Cmd::CalcTrvs, Menu::Calc, "トラバース計算", "", "", kSep},
    {Cmd::CalcNetwork, Menu::Calc, "網平均...", "", "トラバース路線や網ファイルを最小二乗法で網平均します"},

    {Cmd::OptEnvironment, Menu::Option, "環境設定(&E)...", "", ""},
    {Cmd::Program1, Menu::Option, "未登録", "Ctrl+Shift+F1", "", kSep},
    {Cmd::Program2, Menu::Option, "未登録", "Ctrl+Shift+F2", ""},
    {Cmd::Program3, Menu::Option, "未登録", "Ctrl+Shift+F3", ""},
    {Cmd::Program4, Menu::Option, "未登録", "Ctrl+Shift+F4", ""},
    {Cmd::Program5, Menu::Option, "未登録", "Ctrl+Shift+F5", ""},

    {Cmd::HelpContents, Menu::Help, "目次(&C)", "", ""},
    {Cmd::HelpAbout, Menu::Help, "ﾊﾞｰｼﾞｮﾝ情報(&A)...", "", "", kSep},
};
// clang-format on

static_assert(std::size(kCommandsBeforeCalcTabs) == static_cast<int>(Cmd::CalcTrvs));
static_assert(std::size(kCommandsAfterCalcTabs) == kCommandCount - static_cast<int>(Cmd::CalcTrvs));

// One entry per command in menu order: the named commands in the order of Cmd with the calculation
// tabs' commands before the traverse.
std::vector<CommandInfo> BuildTable() {
    std::vector<CommandInfo> table(std::begin(kCommandsBeforeCalcTabs), std::end(kCommandsBeforeCalcTabs));
    const std::span<const CalcTabInfo> tabs = CalcTabs();
    for (int tab = 0; tab < static_cast<int>(tabs.size()); ++tab) {
        table.push_back(
            {CalcTabCommand(tab), Menu::Calc, tabs[tab].command, tabs[tab].shortcut, "", tabs[tab].separatorBefore});
    }
    table.insert(table.end(), std::begin(kCommandsAfterCalcTabs), std::end(kCommandsAfterCalcTabs));
    return table;
}

// The table's row of each id.
std::vector<int> BuildRows(std::span<const CommandInfo> table) {
    std::vector<int> rows(table.size(), -1);
    for (size_t row = 0; row < table.size(); ++row) {
        const auto id = static_cast<size_t>(table[row].id);
        if (id >= rows.size() || rows[id] != -1) {
            throw std::logic_error("command table: an id twice or out of range");
        }
        rows[id] = static_cast<int>(row);
    }
    return rows;
}

constexpr std::array<const char*, kMenuCount> kMenuTitles = {
    "ﾌｧｲﾙ(&F)",         "編集(&E)", "表示(&V)", "データツリー(&T)", "座標リスト(&L)",
    "測点イメージ(&I)", "画地(&B)", "計算(&C)", "ｵﾌﾟｼｮﾝ(&O)",       "ﾍﾙﾌﾟ(&H)"};

} // namespace

std::span<const CommandInfo> CommandTable() {
    static const std::vector<CommandInfo> table = BuildTable();
    return table;
}

const CommandInfo& InfoOf(Cmd id) {
    static const std::vector<int> rows = BuildRows(CommandTable());
    return CommandTable()[rows[static_cast<size_t>(id)]];
}

int CommandIdCount() {
    return static_cast<int>(CommandTable().size());
}

const char* MenuTitle(Menu menu) {
    return kMenuTitles[static_cast<int>(menu)];
}

} // namespace vemo
