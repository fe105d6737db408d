#include "core/text/MessagesCalc.h"

#include "core/text/Cp932.h"

namespace vemo::msg {

std::string SameAsBasePoint() {
    return Jp("基点と同一点");
}

std::string CircleThroughCollinearPoints() {
    return Jp("円上の3点が一直線上にあるため円が決まりません！");
}

std::string LineMissesCircle() {
    return Jp("直線と円が交差していません！");
}

std::string CirclesDoNotMeet() {
    return Jp("円と円が交差していません！");
}

std::string CornerSidesCollinear() {
    return Jp("隅切の2辺が一直線上にあるため隅切点が決まりません！");
}

std::string LinesParallel() {
    return Jp("2直線が平行なため交点が決まりません！");
}

std::string CalcFieldMissing(std::string_view caption) {
    return std::string(caption) + Jp(" を入力してください");
}

std::string CalcFieldNotNumber(std::string_view caption) {
    return std::string(caption) + Jp(" は数値で入力してください");
}

std::string CalcFieldOutOfRange(std::string_view caption, std::string_view minimum, std::string_view maximum) {
    return std::string(caption) + Jp(" は ") + std::string(minimum) + Jp(" ～ ") + std::string(maximum) +
           Jp(" で入力してください");
}

std::string CalcFieldsDoNotFit(std::string_view detail) {
    return Jp("入力の組み合わせが正しくありません (") + std::string(detail) + ")";
}

std::string ShiftPathTooLong(int limit, std::size_t count) {
    return Jp("平行移動点の経路は") + std::to_string(limit) + Jp("点までです（") + std::to_string(count) +
           Jp("点あります）");
}

std::string ShiftPathZeroLeg() {
    return Jp("経路に長さのない辺があるため移動点が決まりません！");
}

std::string ShiftPathStraightAt(std::size_t ordinal) {
    return Jp("経路の") + std::to_string(ordinal) + Jp("番目の点で前後の辺が一直線上にあるため移動点が決まりません！");
}

std::string AngleNotNumber() {
    return Jp("角度が数値ではありません");
}

std::string AngleTooLarge(std::string_view angle) {
    return Jp("角度 ") + std::string(angle) + Jp(" は大きすぎます");
}

std::string TransformPairIncomplete() {
    return Jp("変換元点名と対応する変換先点名を指定してください");
}

std::string TransformPointsCoincide() {
    return Jp("2点が同じ位置にあるため回転角が求まりません");
}

std::string TransformOldPointsCoincide() {
    return Jp("旧系の点がすべて同じ位置にあるため変換係数が求まりません");
}

std::string TransformNothingSelected() {
    return Jp("変換元座標を1点以上指定してください");
}

std::string DivisionParcelMissing() {
    return Jp("分割元地を入力してください");
}

std::string DivisionBoundaryCrosses() {
    return Jp("分割元地の境界が交差しているため分割できません");
}

std::string DivisionAreaUnreachable() {
    return Jp("分割面積が確保できません");
}

std::string DivisionIntoManyPieces() {
    return Jp("分割線が画地の境界と4か所以上で交わり、画地が3つ以上に分かれるため分割できません");
}

std::string DivisionLineLeavesParcel() {
    return Jp("基1とP1を結ぶ分割線が画地の外を通るため分割できません");
}

std::string BaseLineMissing() {
    return Jp("基準線未入力！");
}

std::string BaseLinePointsCoincide() {
    return Jp("基準線の2点が同じ位置です");
}

std::string StartPointMissing() {
    return Jp("始点未入力！");
}

std::string ParcelNumberMissing() {
    return Jp("地番を入力してください");
}

std::string ParcelNumberTaken(std::string_view number) {
    return Jp("地番 ") + std::string(number) + Jp(" は既に登録されています");
}

std::string SameNameForP1AndP2() {
    return Jp("P1とP2に同じ点名は付けられません");
}

std::string SameNumberForBothParts() {
    return Jp("求積側と残地側に同じ地番は付けられません");
}

} // namespace vemo::msg
