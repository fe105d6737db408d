#include "core/text/MessagesZub.h"

#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

namespace vemo::msg {

std::string ZubFileLine(std::size_t line, std::string_view what) {
    return Sprintf(Jp("ZUBファイルの %zu 行目: ").c_str(), line) + std::string(what);
}

std::string ZubSeparatorsUnreadable() {
    return Jp("レコードの区切り（項目ごとのカンマとチェック文字）が読めません");
}

std::string ZubLetterMissing() {
    return Jp("先頭の項目がレコードの種類（英字 1 文字）ではありません");
}

std::string ZubTooManyFields() {
    return Jp("レコードの項目が多すぎます");
}

std::string ZubFieldsBeyond(char letter, int limit) {
    return Sprintf(Jp("%c レコードの項目が %d 個を超えています").c_str(), letter, limit);
}

std::string ZubNoStartBlock() {
    return Jp("ZUBファイルの 1 行目がスタート・ブロック(A)ではありません");
}

std::string ZubFieldHasLineBreak() {
    return Jp("項目に改行が含まれているため、この記録は書けません");
}

std::string ZubCheckIsLineBreak() {
    return Jp("チェック文字が改行になるため、この記録は書けません（項目を変えてください）");
}

std::string ZubWrongChecks(int lines) {
    return Sprintf(Jp("チェック文字が合わない行が %d 行あります").c_str(), lines);
}

std::string ZubNoEndBlock() {
    return Jp("エンド・ブロック(Z)で終わっていません");
}

std::string ZubNote(int zubRow, std::string_view what) {
    return Sprintf(Jp("ZUBの %d 行目: ").c_str(), zubRow) + std::string(what);
}

std::string ZubObservationBeforeSetup() {
    return Jp("器械点（D レコード）より前の観測なので取り込みません");
}

std::string ZubObservationNotNumeric() {
    return Jp("角度・距離・高さに数でない項目があるので取り込みません");
}

std::string ZubRecordNotObservation(std::string_view letter) {
    return std::string(letter) + Jp(" レコードは観測でないので取り込みません");
}

std::string ZubObservationsBeyond(int limit, int left) {
    return Sprintf(Jp("正観測は %d 行まで取り込みます: 残りの %d 件は取り込みません").c_str(), limit, left);
}

std::string ZubSetupPointUnknown(bool instrument, std::string_view name) {
    return Jp(instrument ? "器械点 " : "後視点 ") + std::string(name) +
           Jp(" の座標が座標リストにもそれより前の観測にもありません");
}

std::string ZubPointsNotInList() {
    return Jp("座標リストにない点は送りませんでした: ");
}

std::string ZubPointsUnsendable() {
    return Jp("チェック文字が改行になる点は送れません: ");
}

std::string ZubSent(bool succeeded) {
    return Jp(succeeded ? "送信完了！" : "送信失敗！");
}

std::string ZubSending(int index, int count, std::string_view what, int attempt) {
    std::string status = Sprintf(Jp("送信中 %d / %d 行: ").c_str(), index, count) + std::string(what);
    if (attempt > 1) {
        status += Sprintf(Jp("（%d 回目）").c_str(), attempt);
    }
    return status;
}

std::string ZubPointWord(std::string_view name) {
    return Jp("点 ") + std::string(name);
}

std::string ZubStartRecordWord() {
    return Jp("始めのレコード");
}

std::string ZubEndRecordWord() {
    return Jp("終わりのレコード");
}

std::string ZubRecordWord() {
    return Jp("レコード");
}

std::string ZubObservationWord(std::string_view target) {
    return Jp("観測 ") + std::string(target);
}

std::string ZubStationWord(std::string_view station) {
    return Jp("器械点 ") + std::string(station);
}

std::string ZubLetterRecordWord(std::string_view letter) {
    return std::string(letter) + Jp(" レコード");
}

std::string ZubLineRefused() {
    return Jp("乱れた行を受け付けず、送り直しを求めました");
}

std::string ZubEndReceived() {
    return ZubEndRecordWord() + Jp("を受信しました");
}

std::string ZubStartReceived() {
    return ZubStartRecordWord() + Jp("を受信しました");
}

std::string ZubPointReceived(int stored, std::string_view name) {
    return Sprintf(Jp("%d 点目 ").c_str(), stored) + std::string(name) + Jp(" を受信しました");
}

std::string ZubLineReceived(int stored, std::string_view what) {
    return Sprintf(Jp("%d 行目を受信しました: ").c_str(), stored) + std::string(what);
}

std::string ZubReceived(bool succeeded) {
    return Jp(succeeded ? "受信完了" : "受信を中止しました");
}

std::string ZubReceivedCount(bool points, int count) {
    return Sprintf(Jp(points ? "受信した点: %d 点" : "受信した行: %d 行").c_str(), count);
}

std::string ZubRefusedLines(int count) {
    return Sprintf(Jp("乱れていて送り直しを求めた行: %d 行").c_str(), count);
}

std::string ZubMoreLines(int count) {
    return Sprintf(Jp("ほか %d 行").c_str(), count);
}

std::string ZubRepeatedLines(int count) {
    return Sprintf(
        Jp("前の行と同じ内容で届いた行: %d 行（読み直した観測か、受け取りの確認が器械に届かず送り直された行かは"
           "区別できないため、どちらも残しました。要らない行は ZUB Editor で削除してください）")
            .c_str(),
        count);
}

std::string ZubBookLineAt(int line, std::string_view text) {
    return Sprintf(Jp("%d 行目: ").c_str(), line) + std::string(text);
}

std::string ZubRefusedPoints(int count) {
    return Sprintf(Jp("座標リストに入れなかった点: %d 点").c_str(), count);
}

std::string ZubFlaggedPoints() {
    return Jp("前の点と名前だけが違う点（名前が乱れた送り直しかもしれません。確かめてください）: ");
}

} // namespace vemo::msg
