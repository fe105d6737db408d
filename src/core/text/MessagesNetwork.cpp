#include "core/text/MessagesNetwork.h"

#include "core/text/Cp932.h"

namespace vemo::msg {

namespace {

std::string Named(std::string_view before, std::string_view name, std::string_view after) {
    return Jp(before) + std::string(name) + Jp(after);
}

} // namespace

std::string NetworkNoNewPoints() {
    return Jp("平均する新点がありません");
}

std::string NetworkPointUnconnected(std::string_view name) {
    return Named("点 ", name, " は観測で既知点とつながっていません");
}

std::string NetworkPointNoApproximate(std::string_view name) {
    return Named("点 ", name, " の仮定座標を観測から求められません（観測が足りないか、網の基準が欠けています）");
}

std::string NetworkPointUndetermined(std::string_view name) {
    return Named("点 ", name, " の位置が観測で定まりません（観測が足りないか、網の基準が欠けています）");
}

std::string NetworkSetUndetermined(std::string_view station) {
    return Named("器械点 ", station, " の方向観測の標定が定まりません");
}

std::string NetworkTooFewObservations(int equations, int unknowns) {
    return Jp("観測 ") + std::to_string(equations) + Jp(" 個では未知数 ") + std::to_string(unknowns) +
           Jp(" 個を定められません");
}

std::string NetworkNotConverging(int iterations) {
    return std::to_string(iterations) + Jp(" 回反復しても座標の補正量が 0.1 mm 未満になりません");
}

std::string NetworkBadSigma(std::string_view from, std::string_view to) {
    return std::string(from) + Jp("→") + std::string(to) + Jp(" の観測の標準偏差が正の数ではありません");
}

std::string NetworkZeroDistance(std::string_view from, std::string_view to) {
    return std::string(from) + Jp(" と ") + std::string(to) + Jp(" が同じ位置にあるため方向が定まりません");
}

std::string NetworkFreeDatum() {
    return Jp("既知点がないため、仮定座標の重心と向きを保つ最小ノルムの基準で平均しました（自由網）");
}

std::string GkfCannotRead(std::string_view path) {
    return Named("網ファイル ", path, " を読めません");
}

std::string GkfAtLine(std::string_view path, long line, std::string_view what) {
    return std::string(path) + Jp(" の ") + std::to_string(line) + Jp(" 行目: ") + std::string(what);
}

std::string GkfNotWellFormed(std::string_view reason) {
    return Jp("XML として読めません（") + std::string(reason) + Jp("）");
}

std::string GkfNotNetwork() {
    return Jp("gama-local の網ファイルではありません");
}

std::string GkfUnsupported(std::string_view element) {
    return Named("要素 ", element, " は扱えません（平面の方向・角・距離・方向角だけを平均します）");
}

std::string GkfBadValue(std::string_view attribute, std::string_view value) {
    return Jp("属性 ") + std::string(attribute) + Jp(" の値 \"") + std::string(value) + Jp("\" が読めません");
}

std::string GkfMissing(std::string_view element, std::string_view attribute) {
    return Jp("要素 ") + std::string(element) + Jp(" に属性 ") + std::string(attribute) + Jp(" がありません");
}

std::string GkfNoSigma(std::string_view element) {
    return Named("要素 ", element, " の標準偏差がありません");
}

std::string GkfUnknownPoint(std::string_view name) {
    return Named("点 ", name, " が点の一覧にありません");
}

std::string GkfUnsupportedPointRole(std::string_view role) {
    return Named("点の区分 \"", role, "\" は扱えません（平面の xy だけを扱います）");
}

std::string GkfCorrelatedCoordinates() {
    return Jp("座標どうしの共分散（cov-mat の非対角要素）は扱えません（各座標の標準偏差だけで拘束します）");
}

std::string FieldBookDistanceWithoutZenith(std::string_view station, std::string_view target) {
    return Jp("器械点 ") + std::string(station) + Jp(" から ") + std::string(target) +
           Jp(" への距離は鉛直角がないので水平距離にできず、使いません");
}

std::string NetworkWeightInvalid(std::string_view field, std::string_view text) {
    return std::string(field) + Jp(" の値 \"") + std::string(text) + Jp("\" は正の数ではありません");
}

std::string NetworkPointsRegistered(int count) {
    return Jp("網平均の新点 ") + std::to_string(count) + Jp(" 点を座標リストに登録しました");
}

} // namespace vemo::msg
