#include "core/text/MessagesPrecision.h"

#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

namespace vemo::msg {

std::string AngleBlunderAt(std::string_view station, std::string_view size) {
    return Jp("測点 ") + std::string(station) + Jp(" の夾角に約 ") + std::string(size) +
           Jp(" の誤りがある可能性があります");
}

std::string DistanceBlunderAt(std::string_view from, std::string_view to, double metres) {
    return Jp("測点 ") + std::string(from) + Jp(" から ") + std::string(to) +
           Sprintf(Jp(" の距離に約 %+.3f m の誤りがある可能性があります").c_str(), metres);
}

std::string LegName(std::string_view from, std::string_view to) {
    return std::string(from) + Jp(" から ") + std::string(to);
}

std::string OtherLegsPossible(const std::vector<std::string>& legs) {
    std::string text = Jp("（");
    for (size_t i = 0; i < legs.size(); ++i) {
        text += (i == 0 ? "" : Jp("、")) + legs[i];
    }
    return text + Jp(" の距離の可能性もあります）");
}

std::string PrecisionLimitExceeded(std::string_view className, std::string_view what) {
    return std::string(className) + Jp(" の制限を満たしていません: ") + std::string(what);
}

std::string GrossMisclosure(std::string_view what) {
    return Jp("誤差が大きすぎます（閉合比 1/1,000 より悪いか、測角誤差が 5′ を超えています）: ") + std::string(what);
}

std::string RegisterFailingTraverse(std::string_view className, std::string_view what) {
    return Jp("このトラバースは ") + std::string(className) + Jp(" の制限を満たしていません。\n") + std::string(what) +
           Jp("\n\nこのまま座標リストに登録しますか？");
}

std::string SurveyClassInvalid(std::string_view text) {
    return Jp("精度の級が正しくありません: ") + std::string(text) +
           Jp("（1 から 4、2-1（1級TSによる2級）、甲一 から 乙三、user:閉合比:秒 のどれかです）");
}

std::string ObservationOverLimit(std::string_view station, std::string_view figure, std::string_view value,
                                 std::string_view limit) {
    return Jp("測点 ") + std::string(station) + Jp(" の") + std::string(figure) + " " + std::string(value) +
           Jp(" が制限 ") + std::string(limit) + Jp(" を超えています");
}

std::string StationsOverLimit(std::string_view names) {
    return Jp("観測の制限を超えた測点: ") + std::string(names);
}

std::string ZubReductionUsed(bool faceMean) {
    return Jp(faceMean ? "転記: 正反の平均と対回の平均から 1 方向 1 行にしました（正観測のみの転記も選べます）"
                       : "転記: 正観測のみを転記しました（反観測は使っていません）");
}

std::string SheetHeadingNeedsTraverseFile() {
    return Jp(
        "精度管理表の見出しはトラバースファイルと同じフォルダに保存します。先にトラバースファイルを保存してください");
}

std::string SheetHeadingNotCp932(std::string_view field) {
    return Jp("精度管理表の見出しの「") + std::string(field) + Jp("」に Shift-JIS で表せない文字があります");
}

} // namespace vemo::msg
