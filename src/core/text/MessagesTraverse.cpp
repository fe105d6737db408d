#include "core/text/MessagesTraverse.h"

#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

#include <cstdlib>

namespace vemo::msg {

std::string TraverseRow(int row, std::string_view what) {
    return Jp("行 ") + std::to_string(row) + ": " + std::string(what);
}

std::string SetupSamePoint(std::string_view name) {
    return Jp("器械点と後視点が同じです: ") + std::string(name);
}

std::string SetupSamePosition(std::string_view name) {
    return Jp("器械点と後視点が同じ位置です: ") + std::string(name);
}

std::string InstrumentNotFound(std::string_view name) {
    return Jp("器械点が見つかりません: ") + std::string(name);
}

std::string BacksightNotFound(std::string_view name) {
    return Jp("後視点が見つかりません: ") + std::string(name);
}

std::string TooFewStationRows(bool connected) {
    return Jp(connected ? "結合トラバースの精度計算には TM が T の測点行が 2 行以上必要です"
                        : "閉合トラバースの精度計算には TM が T の測点行が 3 行以上必要です");
}

std::string TraverseDistanceZero() {
    return Jp("トラバースの距離合計が 0 です");
}

std::string TooManyTraverseRows(int limit) {
    return Sprintf(Jp("トラバースの観測は %d 行までです").c_str(), limit);
}

std::string AngleOutOfRange(std::string_view place, std::string_view value, double low, double high) {
    return std::string(place) + " '" + std::string(value) + "' " +
           Sprintf(Jp("は角度として大きすぎるか小さすぎます（%g 度から %g 度まで）").c_str(), low, high);
}

std::string EndPointUnplaced(std::string_view role, std::string_view name) {
    return std::string(role) + Jp("「") + std::string(name) +
           Jp("」は座標リストになく、座標が入力されていません。0.000, 0.000 として計算されます。"
              "座標リストに登録するか X, Y を入力してください。");
}

std::string MisclosureTooLarge(const MisclosureFigures& f) {
    std::string text = Jp("誤差が大きすぎます。観測値の入力を確かめてください。\n\n");
    text += Sprintf(Jp("測角誤差 %s（%lld″、%d 測点で 1 測点あたり %.0f″、限度 %d″）\n").c_str(),
                    std::string(f.angleText).c_str(), static_cast<long long>(f.angleSeconds), f.stations,
                    static_cast<double>(std::llabs(f.angleSeconds)) / f.stations, f.angleLimitPerStation);
    text += Sprintf(Jp("閉合差 %.3f m、閉合比 1 / %lld（限度 1 / %d）\n\n").c_str(), f.closure,
                    static_cast<long long>(f.ratio), f.minRatio);
    text += f.angleSuspect ? Jp("角度の誤り（水平角・方向角の打ち間違い、測点の取り違え）の疑いがあります。")
                           : Jp("測角誤差は限度内です。距離の誤り（斜距離の打ち間違い、高度角）の疑いがあります。");
    return text;
}

std::string TraverseFileLine(std::size_t line, std::string_view what) {
    return Sprintf(Jp("トラバースファイルの %zu 行目: ").c_str(), line) + std::string(what);
}

std::string TurningModeInvalid(std::string_view tm) {
    return Jp("TM は T, O, K のどれかです: ") + std::string(tm);
}

std::string NotANumber(std::string_view text) {
    return Jp("数値ではありません: ") + std::string(text);
}

std::string TraverseTypeInvalid(int type) {
    return Jp("トラバースの型が正しくありません: ") + std::to_string(type);
}

std::string TraverseStartIncomplete() {
    return Jp("基点データ（器械点、後視点の方向角、結合の終点）が足りないため計算できません");
}

} // namespace vemo::msg
