#pragma once

#include <string>
#include <string_view>

namespace vemo::msg {

// Why a line of a file being read is refused: an empty field where the format needs a value, a name
// that cannot be written out and read back, a number no survey can hold.  CP932 results; the reader
// puts the line number and the file in front.

// <label>が空です
std::string FieldEmpty(std::string_view label);
// <label> '<name>' に制御文字が含まれています
std::string NameHasControlByte(std::string_view label, std::string_view nameExcerpt);
// <label> '<name>' に途中で切れた文字があります
std::string NameHasCutCharacter(std::string_view label, std::string_view nameExcerpt);
// 点番号 '<field>' は整数ではありません（日調連ファイルの行は「番号,点名,X,Y,Z」です）
std::string NichorenNumberInvalid(std::string_view fieldExcerpt);
// <label> '<field>' は数値ではありません
std::string FieldNotANumber(std::string_view label, std::string_view fieldExcerpt);
// <label>の値 <value> は範囲（<low> ～ <high>）を超えています
std::string FieldOutOfRange(std::string_view label, std::string_view value, std::string_view low,
                            std::string_view high);
// <label>の値 <value> が負です
std::string FieldNegative(std::string_view label, std::string_view value);
// <label>の値 <value> が範囲を超えているので取り込みません
std::string ZubObservationOutOfRange(std::string_view label, std::string_view value);
// 制御文字を含む行です: <line>
std::string LineHasControlByte(std::string_view lineExcerpt);
// 画地の行数 '<count>' は 0 以上の整数ではありません
std::string ParcelRowCountInvalid(std::string_view countExcerpt);
// 画地の頂点が <n> 個あり、上限 <max> を超えています
std::string ParcelVerticesTooMany(size_t count, int maxRows);

// Comparing a send with the instrument's job received back.
// <name>: 測器の作業にありません
std::string SentPointMissing(std::string_view name);
// <name>: 送った X <x> Y <y>、測器では X <x2> Y <y2>
std::string SentPointChanged(std::string_view name, std::string_view x, std::string_view y, std::string_view backX,
                             std::string_view backY);
// <name>: 送っていない点です（X <x> Y <y>）
std::string PointNeverSent(std::string_view name, std::string_view x, std::string_view y);
// 送った <n> 点はすべて測器の作業と一致しました
std::string SentPointsAllMatch(int sent);
// 送った <n> 点のうち <m> 点が測器の作業と違います:
std::string SentPointsDiffer(int sent, int differing);
// 送信内容の照合をしますか？（測器の作業を受信して、送った点と比べます）
std::string AskCheckSentPoints();

} // namespace vemo::msg
