#include "core/text/MessagesNotices.h"

#include "core/text/Cp932.h"

namespace vemo::msg {

std::string PointAddedToGrid(std::string_view name, std::string_view grid) {
    return std::string(name) + Jp(" を") + std::string(grid) + Jp("に追加しました");
}

std::string SameAsPreviousPointIn(std::string_view name, std::string_view grid) {
    return Jp("前点と重複：") + std::string(name) + Jp(" は") + std::string(grid) + Jp("の前の行と同じ点です");
}

std::string ParcelEditorGrid() {
    return Jp("画地編集");
}

std::string ShiftPathGrid() {
    return Jp("平行移動点の経路");
}

std::string FileWritten(std::string_view what, std::string_view path) {
    return std::string(what) + Jp("を書き出しました: ") + std::string(path);
}

std::string PdfFileKind() {
    return Jp("PDF ファイル");
}

std::string GisFileKind() {
    return Jp("GIS/CAD ファイル");
}

std::string TraverseListingKind() {
    return Jp("計算簿");
}

std::string SurveyMapFileKind(std::string_view format) {
    return Jp("地積測量図の ") + std::string(format) + Jp(" ファイル");
}

std::string SimaFileKind(std::size_t points, std::size_t parcels) {
    return Jp("SIMA ファイル（") + std::to_string(points) + Jp(" 点，") + std::to_string(parcels) + Jp(" 画地）");
}

std::string SimaFileKind(std::size_t points) {
    return Jp("SIMA ファイル（") + std::to_string(points) + Jp(" 点）");
}

std::string NichorenFileKind(std::size_t points) {
    return Jp("日調連ファイル（") + std::to_string(points) + Jp(" 点）");
}

std::string XyzLinkFileKind() {
    return Jp("エディタで開く座標リスト");
}

std::string EditorNotStarted(std::string_view path) {
    return Jp("エディタを起動できません（テキストファイルを開くプログラムがありません）。座標リストは「") +
           std::string(path) + Jp("」に書き出してあります：エディタで開いて直し，保存してから Vemo に戻ってください");
}

std::string PointsRegisteredNamed(const std::vector<std::string>& names) {
    // A long traverse names its first points; the count says how many there are in all.
    constexpr size_t kNamed = 12;
    std::string text = Jp("座標リストに ") + std::to_string(names.size()) + Jp(" 点を登録しました");
    if (names.empty()) {
        return text;
    }
    text += Jp("：");
    for (size_t i = 0; i < names.size() && i < kNamed; ++i) {
        text += (i == 0 ? std::string() : Jp("，")) + names[i];
    }
    if (names.size() > kNamed) {
        text += Jp(" ほか ") + std::to_string(names.size() - kNamed) + Jp(" 点");
    }
    return text;
}

std::string ListingWritten() {
    return Jp("計算簿に入力データと計算結果を書きました（印刷・保存は計算簿の上のボタンで）");
}

} // namespace vemo::msg
