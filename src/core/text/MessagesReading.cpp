#include "core/text/MessagesReading.h"

#include "core/text/Cp932.h"

namespace vemo::msg {

std::string FieldEmpty(std::string_view label) {
    return std::string(label) + Jp("が空です");
}

std::string NameHasControlByte(std::string_view label, std::string_view nameExcerpt) {
    return std::string(label) + " '" + std::string(nameExcerpt) + Jp("' に制御文字が含まれています");
}

std::string NameHasCutCharacter(std::string_view label, std::string_view nameExcerpt) {
    return std::string(label) + " '" + std::string(nameExcerpt) + Jp("' に途中で切れた文字があります");
}

std::string NichorenNumberInvalid(std::string_view fieldExcerpt) {
    return Jp("点番号 '") + std::string(fieldExcerpt) +
           Jp("' は整数ではありません（日調連ファイルの行は「番号,点名,X,Y,Z」です）");
}

std::string FieldNotANumber(std::string_view label, std::string_view fieldExcerpt) {
    return std::string(label) + " '" + std::string(fieldExcerpt) + Jp("' は数値ではありません");
}

std::string FieldOutOfRange(std::string_view label, std::string_view value, std::string_view low,
                            std::string_view high) {
    return std::string(label) + Jp("の値 ") + std::string(value) + Jp(" は範囲（") + std::string(low) + Jp(" ～ ") +
           std::string(high) + Jp("）を超えています");
}

std::string FieldNegative(std::string_view label, std::string_view value) {
    return std::string(label) + Jp("の値 ") + std::string(value) + Jp(" が負です");
}

std::string ZubObservationOutOfRange(std::string_view label, std::string_view value) {
    return std::string(label) + Jp("の値 ") + std::string(value) + Jp(" が範囲を超えているので取り込みません");
}

std::string LineHasControlByte(std::string_view lineExcerpt) {
    return Jp("制御文字を含む行です: ") + std::string(lineExcerpt);
}

std::string ParcelRowCountInvalid(std::string_view countExcerpt) {
    return Jp("画地の行数 '") + std::string(countExcerpt) + Jp("' は 0 以上の整数ではありません");
}

std::string ParcelVerticesTooMany(size_t count, int maxRows) {
    return Jp("画地の頂点が ") + std::to_string(count) + Jp(" 個あり、上限 ") + std::to_string(maxRows) +
           Jp(" を超えています");
}

std::string SentPointMissing(std::string_view name) {
    return std::string(name) + Jp(": 測器の作業にありません");
}

std::string SentPointChanged(std::string_view name, std::string_view x, std::string_view y, std::string_view backX,
                             std::string_view backY) {
    return std::string(name) + Jp(": 送った X ") + std::string(x) + " Y " + std::string(y) + Jp("、測器では X ") +
           std::string(backX) + " Y " + std::string(backY);
}

std::string PointNeverSent(std::string_view name, std::string_view x, std::string_view y) {
    return std::string(name) + Jp(": 送っていない点です（X ") + std::string(x) + " Y " + std::string(y) + Jp("）");
}

std::string SentPointsAllMatch(int sent) {
    return Jp("送った ") + std::to_string(sent) + Jp(" 点はすべて測器の作業と一致しました");
}

std::string SentPointsDiffer(int sent, int differing) {
    return Jp("送った ") + std::to_string(sent) + Jp(" 点のうち ") + std::to_string(differing) +
           Jp(" 点が測器の作業と違います:");
}

std::string AskCheckSentPoints() {
    return Jp("送信内容の照合をしますか？（測器の作業を受信して、送った点と比べます）");
}

} // namespace vemo::msg
