#include "core/text/MessagesTrvsWindow.h"

#include "core/text/Cp932.h"

namespace vemo::msg {

std::string TraverseUnsaved() {
    return Jp("トラバースデータは保存されていません。保存しますか？");
}

std::string ZubBookUnsaved() {
    return Jp("ZUB データは保存されていません。保存しますか？");
}

std::string RegisterAnyway(std::string_view warning) {
    return std::string(warning) + Jp("\n\nこのまま座標リストに登録しますか？");
}

std::string StationNotInList(bool start, std::string_view name) {
    return Jp(start ? "器械点「" : "終点「") + std::string(name) +
           Jp("」は座標リストにありません。X, Y を入力してください");
}

std::string CheckWrongRowStatus(std::string_view fieldStatus) {
    std::string text = Jp("チェック文字が合わない行（手で直された行）: 保存すると新しいチェック文字を書きます");
    if (!fieldStatus.empty()) {
        text += Jp("　") + std::string(fieldStatus);
    }
    return text;
}

std::string CheckWrongRows(long long count) {
    return Jp("チェック文字が合わない行が ") + std::to_string(count) +
           Jp(" 行あります（赤い行）。保存すると新しいチェック文字を書きます。");
}

std::string NoEndRecord() {
    return Jp("エンド・ブロック(Z)で終わっていません。途中で切れた野帳かもしれません。");
}

std::string TooManyDirectObservations(long long count, int limit) {
    return Jp("正観測が ") + std::to_string(count) + Jp(" 件あります。トラバー計算表へは初めの ") +
           std::to_string(limit) + Jp(" 件を転記します。");
}

std::string TransferNotes(const std::vector<std::string>& notes) {
    std::string text = Jp("転記しなかったもの・確かめてほしいもの:");
    for (const std::string& note : notes) {
        text += "\n" + note;
    }
    return text;
}

std::string PortCannotCreate() {
    return "Can't create rs232c";
}

std::string PortSettingsRefused() {
    return Jp("通信条件（速度・データ長・パリティ・ストップビット）をポートに設定できません");
}

std::string PortClearRefused() {
    return "Interface Clear Error!";
}

std::string PortBroken() {
    return Jp("通信ポートが使えなくなりました");
}

std::string PortMissing(std::string_view device) {
    return Jp("通信ポート ") + std::string(device) +
           Jp(" がありません。\nケーブル（USB 変換器）がつながっているか、環境設定の Port "
              "が正しいかを確かめて下さい。");
}

std::string PortNotPermitted(std::string_view device) {
    return Jp("通信ポート ") + std::string(device) +
           Jp(" を開く権限がありません。\nこのユーザーを dialout グループに加えて（sudo adduser ユーザー名 dialout）、"
              "ログインし直して下さい。");
}

std::string PortInUse(std::string_view device) {
    return Jp("通信ポート ") + std::string(device) +
           Jp(" は使用中です。\n他のプログラムが使っていないか確かめて下さい。");
}

std::string PortCannotOpen(std::string_view device, std::string_view detail) {
    return Jp("通信ポート ") + std::string(device) + Jp(" を開けません（") + std::string(detail) + Jp("）。");
}

} // namespace vemo::msg
