#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vemo::msg {

// The messages of the traverse window, its ZUB Editor and the serial port (CP932, like all core text).

// The traverse window.
std::string TraverseUnsaved(); // トラバースデータは保存されていません。保存しますか？
std::string ZubBookUnsaved();  // ZUB データは保存されていません。保存しますか？
// "<warning>\n\nこのまま座標リストに登録しますか？": a warning about the traverse, asked before its points
// are registered.
std::string RegisterAnyway(std::string_view warning);
// "器械点「<name>」は座標リストにありません。X, Y を入力してください" (the start point), or "終点「<name>」…"
// (the end point).
std::string StationNotInList(bool start, std::string_view name);

// The ZUB Editor.
// "チェック文字が合わない行（手で直された行）: 保存すると新しいチェック文字を書きます", then "　<field>" when the
// cell's field has a status text of its own.
std::string CheckWrongRowStatus(std::string_view fieldStatus);
// チェック文字が合わない行が <count> 行あります（赤い行）。保存すると新しいチェック文字を書きます。
std::string CheckWrongRows(long long count);
std::string NoEndRecord(); // エンド・ブロック(Z)で終わっていません。途中で切れた野帳かもしれません。
// 正観測が <count> 件あります。トラバー計算表へは初めの <limit> 件を転記します。
std::string TooManyDirectObservations(long long count, int limit);
// "転記しなかったもの・確かめてほしいもの:" and one note a line.
std::string TransferNotes(const std::vector<std::string>& notes);

// The serial port.
std::string PortCannotCreate(); // Can't create rs232c
std::string PortSettingsRefused(); // 通信条件（速度・データ長・パリティ・ストップビット）をポートに設定できません
std::string PortClearRefused(); // Interface Clear Error!
std::string PortBroken();       // 通信ポートが使えなくなりました
// 通信ポート <device> がありません。\nケーブル（USB 変換器）がつながっているか、環境設定の Port
// が正しいかを確かめて下さい。
std::string PortMissing(std::string_view device);
// 通信ポート <device> を開く権限がありません。\nこのユーザーを dialout グループに加えて（sudo adduser ユーザー名
// dialout）、ログインし直して下さい。
std::string PortNotPermitted(std::string_view device);
// 通信ポート <device> は使用中です。\n他のプログラムが使っていないか確かめて下さい。
std::string PortInUse(std::string_view device);
// 通信ポート <device> を開けません（<detail>）。
std::string PortCannotOpen(std::string_view device, std::string_view detail);

} // namespace vemo::msg
