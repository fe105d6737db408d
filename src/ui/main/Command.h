#pragma once

namespace vemo {

// The commands of the main window, in menu order.  Menus, tool buttons and pop-up menus all invoke
// these; later windows and panels connect their handlers through CommandSet by this id.
enum class Cmd : int {
    // ﾌｧｲﾙ(&F)
    FileNewCase,
    FileNewXyz,
    FileNewBlk,
    FileSave,
    FileSaveAs,
    FileOpenSima,
    FileSaveSima,
    FileOpenNichoren,
    FileSaveNichoren,
    FileOpenRegistryMap,
    FileExportGis,
    FileReceiveZub,
    FilePrint,
    FilePrintSetup,
    FileRestoreAutoSave,
    FileForceAutoSave,
    FileExit,
    // 編集(&E)
    EditUndo,
    EditRedo,
    EditXyzSelect,
    EditCut,
    EditCopy,
    EditPaste,
    // 表示(&V): the four area toggles
    DispDatTree,
    DispXyzList,
    DispXyzImage,
    DispBlockEdit,
    // データツリー(&T)
    TreeOpen,
    TreeOpenAdd,
    TreeSave,
    TreeRename,
    TreeProfile,
    // 座標リスト(&L)
    ListInsert,
    ListDelete,
    ListZInput,
    ListTensyuInput,
    ListBikoInput,
    ListShiftInput,
    ListFindToDown,
    ListFindToUp,
    ListClean,
    ListEdit,
    ListLatLon,
    ListPrintAll,
    // 測点イメージ(&I)
    ImgBlkDisp,
    ImgBlkNameDisp,
    ImgPNameDisp,
    ImgRePaint,
    ImgFitAll,
    ImgUp,
    ImgDown,
    ImgRange,
    // 画地(&B)
    BlkAreaList,
    BlkClear,
    BlkAdd,
    BlkChange,
    BlkDel,
    BlkPrint,
    BlkAreaPrint,
    BlkSurveyMap,
    // 計算(&C): the calculation tabs' commands have no names here: they follow Cmd::Count, one per row
    // of CalcTabs() (CalcTabCommand in CommandTable.h); then the traverse and the network adjustment
    CalcTrvs,
    CalcNetwork,
    // ｵﾌﾟｼｮﾝ(&O)
    OptEnvironment,
    Program1,
    Program2,
    Program3,
    Program4,
    Program5,
    // ﾍﾙﾌﾟ(&H)
    HelpContents,
    HelpAbout,
    Count
};

constexpr int kCommandCount = static_cast<int>(Cmd::Count);

// The main menus, left to right.
enum class Menu : int { File, Edit, View, Tree, List, Image, Block, Calc, Option, Help, Count };

constexpr int kMenuCount = static_cast<int>(Menu::Count);

} // namespace vemo
