#include "core/text/MessagesParcels.h"

#include "core/text/Cp932.h"

namespace vemo::msg {
namespace {

std::string Parcel(std::string_view name) {
    return Jp("画地「") + std::string(name) + Jp("」");
}

} // namespace

std::string RunOnlyOnLastRow() {
    return Jp("連番入力（+点名）は最後の行で入力してください");
}

std::string NumberNotFound(std::string_view name) {
    return Jp("№ ") + std::string(name) + Jp(" は見つかりません");
}

std::string NumberTwice() {
    return Jp("№重複");
}

std::string ParcelNotFormed() {
    return Jp("画地が構成されていません");
}

std::string ParcelNotClosed(std::string_view firstPoint) {
    return Jp("画地が閉じていません\n最後の行に始点の点名「") + std::string(firstPoint) +
           Jp("」をもう一度入力してください");
}

std::string DeleteParcelQuestion(std::string_view parcel) {
    return Parcel(parcel) + Jp("を削除します");
}

std::string ParcelNotFound(std::string_view parcel) {
    return Parcel(parcel) + Jp("がありません");
}

std::string ParcelTooFewPoints(std::string_view parcel) {
    return Parcel(parcel) + Jp("の点が3点に足りません");
}

std::string ParcelPointNotInList(std::string_view parcel, std::string_view point) {
    return Parcel(parcel) + Jp("の点「") + std::string(point) + Jp("」が座標リストにありません");
}

} // namespace vemo::msg
