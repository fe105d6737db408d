#pragma once

#include <string>
#include <string_view>

namespace vemo::msg {

// The messages of the main window, the command boundary, the plot, the help window, the printer and
// the start of the program.  Results are CP932; names passed in are CP932 already.

// Start-up.
std::string AlreadyRunning(); // Vemoは既に起動しています

// The command boundary.
std::string UnexpectedError(); // 予期しないエラーが発生しました
// "内部エラーが発生しました（<detail>）": something other than the program's own error was thrown.
std::string InternalError(std::string_view detail);
std::string NotShiftJis(); // Shift-JISで表せない文字が含まれています

// The main window.
std::string UnsavedChanges();  // 未保存の変更あり
std::string SelectRowWithXY(); // X と Y のある点の行を選んでください
// "プログラム「<program>」を起動できません。\n環境設定の「実行ファイル」ページでパスを確かめて下さい。"
std::string CannotStartProgram(std::string_view program);

// Printing.
std::string CannotFinishPrinting(); // 印刷を終了できません

// Help.
std::string NoHelpPageFound(); // 見つかりませんでした

} // namespace vemo::msg
